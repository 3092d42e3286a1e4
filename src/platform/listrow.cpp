#include "platform/listrow.h"

#include <algorithm>
#include <cstring>

namespace tk {

namespace {
constexpr std::size_t kWord = sizeof(std::uint32_t);
constexpr std::size_t kHeaderWords = 2;

void putWord(char* block, std::size_t k, std::uint32_t value) {
    std::memcpy(block + kWord * k, &value, kWord);
}

std::uint32_t getWord(const char* block, std::size_t k) {
    std::uint32_t value;
    std::memcpy(&value, block + kWord * k, kWord);
    return value;
}

std::size_t headerBytes(std::size_t cells) {
    return kWord * (kHeaderWords + cells);
}
} // namespace

ListRow::ListRow(std::span<const std::string_view> cells, std::size_t spare) {
    const std::size_t n = cells.size();
    if (n == 0) {
        return;
    }
    std::size_t textBytes = 0;
    for (std::string_view c : cells) {
        textBytes += c.size();
    }
    const std::size_t capacity = textBytes + spare;
    m_cells = std::make_unique_for_overwrite<char[]>(headerBytes(n) + capacity);
    putWord(m_cells.get(), 0, static_cast<std::uint32_t>(n));
    putWord(m_cells.get(), 1, static_cast<std::uint32_t>(capacity));
    char* out = text();
    std::uint32_t offset = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (!cells[k].empty()) { // an empty view may carry no pointer at all
            std::memcpy(out + offset, cells[k].data(), cells[k].size());
        }
        offset += static_cast<std::uint32_t>(cells[k].size());
        putWord(m_cells.get(), kHeaderWords + k, offset);
    }
}

std::uint32_t ListRow::word(std::uint32_t k) const noexcept {
    return getWord(m_cells.get(), k);
}

int ListRow::cellCount() const noexcept {
    return m_cells ? static_cast<int>(word(0)) : 0;
}

std::uint32_t ListRow::used() const noexcept {
    const auto n = static_cast<std::uint32_t>(cellCount());
    return n == 0 ? 0 : end(n - 1);
}

char* ListRow::text() const noexcept {
    return m_cells.get() + headerBytes(word(0));
}

std::string_view ListRow::cell(int column) const noexcept {
    if (column < 0 || column >= cellCount()) {
        return {};
    }
    const auto k = static_cast<std::uint32_t>(column);
    const std::uint32_t begin = k == 0 ? 0 : end(k - 1);
    return {text() + begin, end(k) - begin};
}

bool ListRow::setCell(int column, std::string_view value) {
    if (column < 0) {
        return false;
    }
    const auto n = static_cast<std::uint32_t>(cellCount());
    const auto k = static_cast<std::uint32_t>(column);
    if (k >= n) {
        if (value.empty()) {
            return false; // cells beyond the stored ones read as empty already
        }
    } else if (cell(column) == value) {
        return false;
    }
    // In place when every later cell is empty and the spare room holds the text: the way a new row
    // receives its sub-items one after the other.
    if (k < n && end(k) == used()) {
        const std::uint32_t begin = k == 0 ? 0 : end(k - 1);
        if (begin + value.size() <= word(1)) {
            if (!value.empty()) {
                std::memmove(text() + begin, value.data(), value.size());
            }
            const auto newEnd = static_cast<std::uint32_t>(begin + value.size());
            for (std::uint32_t i = k; i < n; ++i) {
                putWord(m_cells.get(), kHeaderWords + i, newEnd);
            }
            return true;
        }
    }
    repack(k, value);
    return true;
}

void ListRow::repack(std::uint32_t k, std::string_view value) {
    const auto n = static_cast<std::uint32_t>(cellCount());
    const std::uint32_t oldText = used();
    const std::uint32_t before = k < n ? (k == 0 ? 0 : end(k - 1)) : oldText;
    const std::uint32_t after = k < n ? oldText - end(k) : 0;
    const std::uint32_t newN = std::max(n, k + 1);
    const auto valueSize = static_cast<std::uint32_t>(value.size());
    const std::uint32_t textBytes = before + valueSize + after;

    auto cells = std::make_unique_for_overwrite<char[]>(headerBytes(newN) + textBytes);
    putWord(cells.get(), 0, newN);
    putWord(cells.get(), 1, textBytes);
    for (std::uint32_t i = 0; i < newN; ++i) {
        std::uint32_t e;
        if (i < k) {
            e = i < n ? end(i) : oldText; // cells between the stored ones and the new one are empty
        } else if (i == k) {
            e = before + valueSize;
        } else {
            e = end(i) - end(k) + before + valueSize;
        }
        putWord(cells.get(), kHeaderWords + i, e);
    }
    char* out = cells.get() + headerBytes(newN);
    // The old block stays alive until the copy is done, so `value` may point into it.
    if (before > 0) {
        std::memcpy(out, text(), before);
    }
    if (valueSize > 0) {
        std::memcpy(out + before, value.data(), valueSize);
    }
    if (after > 0) {
        std::memcpy(out + before + valueSize, text() + end(k), after);
    }
    m_cells = std::move(cells);
}

void ListRow::shrinkToFit() {
    if (!m_cells || word(1) == used()) {
        return;
    }
    const auto n = static_cast<std::uint32_t>(cellCount());
    const std::uint32_t textBytes = used();
    auto cells = std::make_unique_for_overwrite<char[]>(headerBytes(n) + textBytes);
    std::memcpy(cells.get(), m_cells.get(), headerBytes(n));
    putWord(cells.get(), 1, textBytes);
    std::memcpy(cells.get() + headerBytes(n), text(), textBytes);
    m_cells = std::move(cells);
}

CellStyle ListRow::style(int column) const noexcept {
    if (!m_styles || column < 0 || static_cast<std::size_t>(column) >= m_styles->size()) {
        return {};
    }
    return (*m_styles)[static_cast<std::size_t>(column)];
}

bool ListRow::setStyle(int column, CellStyle s) {
    if (column < 0 || style(column) == s) {
        return false;
    }
    if (!m_styles) {
        m_styles = std::make_unique<std::vector<CellStyle>>();
    }
    auto& styles = *m_styles;
    if (static_cast<std::size_t>(column) >= styles.size()) {
        styles.resize(static_cast<std::size_t>(column) + 1);
    }
    styles[static_cast<std::size_t>(column)] = s;
    // A row whose marks were all taken off goes back to costing nothing.
    if (s.isDefault() &&
        std::all_of(styles.begin(), styles.end(), [](const CellStyle& c) { return c.isDefault(); })) {
        m_styles.reset();
    }
    return true;
}

bool ListRow::setBold(int column, bool on) {
    CellStyle s = style(column);
    s.bold = on;
    return setStyle(column, s);
}

bool ListRow::setColor(int column, OleColor color) {
    CellStyle s = style(column);
    s.color = color;
    return setStyle(column, s);
}

std::size_t ListRow::heapBytes() const noexcept {
    std::size_t bytes = m_cells ? headerBytes(word(0)) + word(1) : 0;
    if (m_styles) {
        bytes += sizeof(std::vector<CellStyle>) + m_styles->capacity() * sizeof(CellStyle);
    }
    return bytes;
}

} // namespace tk
