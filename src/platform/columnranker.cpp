#include "platform/columnranker.h"

#include "platform/textcompare.h"

#include <algorithm>
#include <functional>

namespace tk {

int ColumnRanker::compare(const Text& a, const Text& b) noexcept {
    const int c = comparePrefixes(a.head, b.head);
    return c != 0 ? c : compareIgnoringCase(a.key(), b.key());
}

void ColumnRanker::addDistinct(std::string_view text) {
    m_distinct.push_back(Text{foldKey(text), text.data(), static_cast<std::uint32_t>(text.size()),
                              static_cast<std::uint32_t>(m_distinct.size())});
}

void ColumnRanker::addRun(std::size_t row, std::string_view text) {
    m_last = text;
    ++m_runs;
    if (m_runs == kTrialRuns && m_distinct.size() > kTrialRuns / 16 * 15) {
        // Nearly every text differs (titles, file paths): the table would find nothing to share.
        m_table = {};
        m_hashes = {};
        m_hashing = false;
    }
    if (!m_hashing) {
        m_ids[row] = static_cast<std::uint32_t>(m_distinct.size());
        addDistinct(text);
        return;
    }
    if (2 * (m_distinct.size() + 1) > m_table.size()) {
        grow();
    }
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
    const std::size_t slot = find(hash, text);
    if (m_table[slot].id == 0) {
        addDistinct(text);
        m_hashes.push_back(hash);
        m_table[slot] = {hash, static_cast<std::uint32_t>(m_distinct.size())};
    }
    m_ids[row] = m_table[slot].id - 1;
}

std::uint32_t ColumnRanker::finish(std::uint32_t* ranks, std::size_t stride) {
    m_table = {};
    m_hashes = {};
    std::sort(m_distinct.begin(), m_distinct.end(),
              [](const Text& a, const Text& b) { return compare(a, b) < 0; });
    std::vector<std::uint32_t> rankOf(m_distinct.size());
    std::uint32_t rank = 0;
    for (std::size_t k = 0; k < m_distinct.size(); ++k) {
        if (k > 0 && compare(m_distinct[k - 1], m_distinct[k]) != 0) {
            ++rank;
        }
        rankOf[m_distinct[k].id] = rank;
    }
    for (std::size_t row = 0; row < m_ids.size(); ++row) {
        ranks[row * stride] = rankOf[m_ids[row]];
    }
    return rank;
}

std::size_t ColumnRanker::find(std::uint32_t hash, std::string_view text) const {
    const std::size_t mask = m_table.size() - 1;
    std::size_t slot = hash & mask;
    while (m_table[slot].id != 0 &&
           (m_table[slot].hash != hash || m_distinct[m_table[slot].id - 1].key() != text)) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void ColumnRanker::grow() {
    m_table.assign(std::max<std::size_t>(64, 2 * m_table.size()), Slot{});
    const std::size_t mask = m_table.size() - 1;
    for (std::uint32_t id = 0; id < m_distinct.size(); ++id) {
        std::size_t slot = m_hashes[id] & mask;
        while (m_table[slot].id != 0) {
            slot = (slot + 1) & mask;
        }
        m_table[slot] = {m_hashes[id], id + 1};
    }
}

} // namespace tk
