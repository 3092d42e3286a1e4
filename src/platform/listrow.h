#pragma once

#include "platform/color.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace tk {

// The look of one cell of a list: bold or not, and its text colour (0, black, is the default).
struct CellStyle {
    bool bold = false;
    OleColor color = 0;
    bool isDefault() const { return !bold && color == 0; }
    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

// One row of a list: the row text and its sub-items packed into a single allocation, plus the looks of
// the cells that have one. A list of 100,000 songs holds 100,000 of these, so a row costs one block
// of its text with a small header, and nothing more while none of its cells is styled.
class ListRow {
public:
    ListRow() = default;
    // `spare` bytes are kept free after the text, so that a row being filled sub-item by sub-item
    // takes its cells in place; shrinkToFit() gives them back.
    explicit ListRow(std::span<const std::string_view> cells, std::size_t spare = 0);
    ListRow(ListRow&&) noexcept = default;
    ListRow& operator=(ListRow&&) noexcept = default;
    ~ListRow() = default;

    int cellCount() const noexcept;
    // The text of a cell; cells never set are empty.
    std::string_view cell(int column) const noexcept;
    // Returns false when the cell already held that text.
    bool setCell(int column, std::string_view text);
    void shrinkToFit();

    CellStyle style(int column) const noexcept;
    // Both return false when the cell already looked that way.
    bool setBold(int column, bool on);
    bool setColor(int column, OleColor color);

    // Asks for the row's first bytes ahead of a scan over many rows, whose blocks lie apart on the
    // heap: a scan that waits for each in turn spends most of its time waiting. Scans ask this many
    // rows ahead.
    static constexpr int kPrefetchAhead = 8;
    void prefetch() const noexcept {
        if (const char* block = m_cells.get()) {
            __builtin_prefetch(block);
            __builtin_prefetch(block + 64);
            __builtin_prefetch(block + 128);
        }
    }

    // Bytes this row holds on the heap.
    std::size_t heapBytes() const noexcept;

private:
    // Layout of m_cells: cell count n (u32), text capacity (u32), n end offsets (u32, relative to the
    // text), then the text and any spare room.
    std::uint32_t word(std::uint32_t k) const noexcept;
    std::uint32_t end(std::uint32_t k) const noexcept { return word(k + 2); }
    std::uint32_t used() const noexcept;
    char* text() const noexcept;
    void repack(std::uint32_t column, std::string_view value);
    bool setStyle(int column, CellStyle style);

    std::unique_ptr<char[]> m_cells;
    std::unique_ptr<std::vector<CellStyle>> m_styles;
};

} // namespace tk
