#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

namespace tk {

// The first bytes of a sort key folded into one number, so that most comparisons of a sort or a
// search are one integer comparison on a compact array. `bytes` holds the leading ASCII bytes, letter
// case folded, big-endian and zero-padded; `decisive` is how many of its bytes stand for the text
// itself (padding after the end of the text is decisive too, since an ended text sorts first; padding
// after a byte that is not ASCII is not). Where the prefixes cannot decide, the full comparison of the
// texts ignoring case does.
struct KeyPrefix {
    std::uint64_t bytes = 0;
    std::uint32_t decisive = 0;
};

[[nodiscard]] constexpr KeyPrefix foldKey(std::string_view key) noexcept {
    KeyPrefix p;
    p.decisive = 8;
    for (std::size_t j = 0; j < 8; ++j) {
        std::uint64_t byte = 0;
        if (j < key.size()) {
            byte = static_cast<unsigned char>(key[j]);
            if (byte >= 0x80) {
                // Left-align the bytes taken so far (none at all leaves the prefix 0).
                p.decisive = static_cast<std::uint32_t>(j);
                p.bytes = j == 0 ? 0 : p.bytes << (8 * (8 - j));
                return p;
            }
            if (byte >= 'A' && byte <= 'Z') {
                byte |= 0x20;
            }
        }
        p.bytes = (p.bytes << 8) | byte;
    }
    return p;
}

// -1 or 1 when the prefixes decide the order of their texts; 0 when only the whole texts can.
[[nodiscard]] constexpr int comparePrefixes(const KeyPrefix& a, const KeyPrefix& b) noexcept {
    if (a.bytes != b.bytes) {
        const auto firstDiff = static_cast<std::uint32_t>(std::countl_zero(a.bytes ^ b.bytes) / 8);
        if (firstDiff < a.decisive && firstDiff < b.decisive) {
            return a.bytes < b.bytes ? -1 : 1;
        }
    }
    return 0;
}

} // namespace tk
