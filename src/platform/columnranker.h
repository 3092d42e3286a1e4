#pragma once

#include "platform/idtable.h"
#include "platform/keyprefix.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tk {

// Numbers the texts of one sort column as the rows come, then turns the numbers into ranks in the
// lists' order: texts equal ignoring case share a rank, and a smaller rank sorts first. A row with
// the text of the row before it (the rows of one album) costs one comparison; any other finds its
// text through a table of the distinct texts; each distinct text takes part in the final sort once.
// So a column of few distinct texts (artists, albums, tracks, play counts) ranks at little more than
// the cost of reading it, and each row's text is read while the row is at hand. A column whose texts
// nearly all differ (titles, file paths) soon stops using the table. The texts must outlive it.
class ColumnRanker {
public:
    explicit ColumnRanker(std::size_t rows)
        : m_ids(rows) {}

    // Rows are added in order, each once, from row 0 on. A row with the text of the row before it is
    // the common case and is handled here, inline in the caller's loop over the rows.
    void add(std::size_t row, std::string_view text) {
        if (row > 0 && text == m_last) {
            m_ids[row] = m_ids[row - 1];
            return;
        }
        addRun(row, text);
    }
    // Writes the rank of every row to `ranks`, one every `stride` entries; returns the highest rank.
    std::uint32_t finish(std::uint32_t* ranks, std::size_t stride);

private:
    // A distinct text and its folded prefix for the final sort; its number is its index.
    struct Text {
        KeyPrefix head;
        const char* data = nullptr;
        std::uint32_t size = 0;
        std::string_view key() const noexcept { return {data, size}; }
        // The whole text is in the prefix: at most 8 bytes, all ASCII. (A text with a NUL byte still
        // needs its length beside the prefix, which is padded with NULs.)
        bool whole() const noexcept { return head.decisive == 8 && size <= 8; }
    };
    static int compare(const Text& a, const Text& b) noexcept;
    // Sorts the numbers of distinct texts that are all whole (play counts, tracks, record numbers).
    void radixSort(std::vector<std::uint32_t>& order) const;

    // A row whose text differs from the row before it.
    void addRun(std::size_t row, std::string_view text);
    void addDistinct(std::string_view text);

    // Texts that differ from the row before them, after which the table is kept only if it shares.
    static constexpr std::size_t kTrialRuns = 4096;

    std::vector<std::uint32_t> m_ids;
    // The texts found, each once while the table is kept; equal texts found after it went are ranked
    // equal by the final sort all the same.
    std::vector<Text> m_distinct;
    IdTable m_table; // a distinct text's number plus one
    std::string_view m_last;
    std::size_t m_runs = 0;
    bool m_hashing = true;
};

} // namespace tk
