#include "platform/columnranker.h"

#include "platform/textcompare.h"

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>

namespace tk {

int ColumnRanker::compare(const Text& a, const Text& b) noexcept {
    if (const int c = comparePrefixes(a.head, b.head); c != 0) {
        return c;
    }
    // Two whole texts with equal prefixes and lengths are equal: no need to read them.
    if (a.head.bytes == b.head.bytes && a.size == b.size && a.whole() && b.whole()) {
        return 0;
    }
    return compareIgnoringCase(a.key(), b.key());
}

// By the prefix's bytes and then the length, least significant first; a byte that is the same in
// every text takes no pass. Equal folded bytes of whole texts mean equal texts but for letter case,
// and a shorter text whose bytes match sorts first, as compareIgnoringCase has it.
void ColumnRanker::radixSort(std::vector<std::uint32_t>& order) const {
    std::vector<std::uint32_t> scratch(order.size());
    for (int position = 8; position >= 0; --position) {
        const auto digit = [&, position](std::uint32_t id) -> std::size_t {
            const Text& t = m_distinct[id];
            return position == 8 ? t.size : (t.head.bytes >> (8 * (7 - position))) & 0xFF;
        };
        std::array<std::size_t, 257> start{};
        for (const std::uint32_t id : order) {
            ++start[digit(id) + 1];
        }
        if (std::find(start.begin(), start.end(), order.size()) != start.end()) {
            continue;
        }
        std::partial_sum(start.begin(), start.end(), start.begin());
        for (const std::uint32_t id : order) {
            scratch[start[digit(id)]++] = id;
        }
        order.swap(scratch);
    }
}

void ColumnRanker::addDistinct(std::string_view text) {
    m_distinct.push_back(Text{foldKey(text), text.data(), static_cast<std::uint32_t>(text.size())});
}

void ColumnRanker::addRun(std::size_t row, std::string_view text) {
    m_last = text;
    ++m_runs;
    if (m_runs == kTrialRuns && m_distinct.size() > kTrialRuns / 16 * 15) {
        // Nearly every text differs (titles, file paths): the table would find nothing to share.
        m_table.release();
        m_hashing = false;
    }
    if (!m_hashing) {
        m_ids[row] = static_cast<std::uint32_t>(m_distinct.size());
        addDistinct(text);
        return;
    }
    const auto same = [&](std::uint32_t id) { return m_distinct[id - 1].key() == text; };
    const auto take = [&] {
        addDistinct(text);
        return m_distinct.size();
    };
    const IdTable::Found found = m_table.findOrAdd(std::hash<std::string_view>{}(text), same, take);
    m_ids[row] = found.id - 1;
}

std::uint32_t ColumnRanker::finish(std::uint32_t* ranks, std::size_t stride) {
    m_table.release();
    // The numbers of the distinct texts are sorted, not their entries: a step moves 4 bytes, not 32.
    std::vector<std::uint32_t> order(m_distinct.size());
    std::iota(order.begin(), order.end(), 0u);
    if (std::all_of(m_distinct.begin(), m_distinct.end(), [](const Text& t) { return t.whole(); })) {
        radixSort(order);
    } else {
        // A merge sort: texts often come in runs already in order (the titles of albums that follow
        // each other), which it reads in sequence.
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return compare(m_distinct[a], m_distinct[b]) < 0;
        });
    }
    std::vector<std::uint32_t> rankOf(m_distinct.size());
    std::uint32_t rank = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k > 0 && compare(m_distinct[order[k - 1]], m_distinct[order[k]]) != 0) {
            ++rank;
        }
        rankOf[order[k]] = rank;
    }
    for (std::size_t row = 0; row < m_ids.size(); ++row) {
        ranks[row * stride] = rankOf[m_ids[row]];
    }
    return rank;
}

} // namespace tk
