#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tk {

// Tells in constant time whether a key was met before: an open-addressing table of the numbers (1 and
// up) that its owner gave the keys it holds, found by the keys' hashes. It holds no key itself: the
// owner says whether the key it looks for is the one of a number. A power of two of slots, at most
// half of them used.
class IdTable {
public:
    struct Found {
        std::uint32_t id = 0;
        bool added = false;
    };

    // The number of the key with `hash` for which same(id) holds; when there is none, the number
    // make() gives the key as it is taken in (make must not use the table).
    template <class Same, class Make>
    Found findOrAdd(std::uint64_t hash, const Same& same, const Make& make) {
        if (2 * (m_used + 1) > m_slots.size()) {
            grow();
        }
        const auto h = static_cast<std::uint32_t>(hash);
        std::size_t at = h & (m_slots.size() - 1);
        for (; m_slots[at].id != 0; at = (at + 1) & (m_slots.size() - 1)) {
            if (m_slots[at].hash == h && same(m_slots[at].id)) {
                return {m_slots[at].id, false};
            }
        }
        m_slots[at] = {h, static_cast<std::uint32_t>(make())};
        ++m_used;
        return {m_slots[at].id, true};
    }

    // Forgets every key and gives the slots back.
    void release() {
        m_slots = {};
        m_used = 0;
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t id = 0; // 0: free
    };

    void grow() {
        std::vector<Slot> old(std::max<std::size_t>(64, 2 * m_slots.size()));
        old.swap(m_slots);
        for (const Slot& s : old) {
            if (s.id != 0) {
                std::size_t at = s.hash & (m_slots.size() - 1);
                while (m_slots[at].id != 0) {
                    at = (at + 1) & (m_slots.size() - 1);
                }
                m_slots[at] = s;
            }
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
};

} // namespace tk
