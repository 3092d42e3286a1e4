#include "platform/listmodel.h"

#include "platform/textcompare.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

namespace tk {

namespace {

// One row's sort key with its first bytes folded into a number, so that most comparisons of a sort
// are one integer comparison on a compact array. The prefix holds the leading ASCII bytes, folded and
// big-endian, zero-padded; `decisive` is how many of its bytes stand for the text itself (padding
// after the end of the text is decisive too, since an ended text sorts first; padding after a byte
// that is not ASCII is not). Where the prefixes cannot decide, the full comparison does.
struct SortEntry {
    std::uint64_t prefix = 0;
    std::string_view key;
    std::uint32_t from = 0;
    std::uint32_t decisive = 0;

    SortEntry() = default;
    SortEntry(std::string_view k, std::uint32_t i)
        : key(k)
        , from(i)
        , decisive(8) {
        for (std::size_t j = 0; j < 8; ++j) {
            std::uint64_t byte = 0;
            if (j < k.size()) {
                byte = static_cast<unsigned char>(k[j]);
                if (byte >= 0x80) {
                    // Left-align the bytes taken so far (none at all leaves the prefix 0).
                    decisive = static_cast<std::uint32_t>(j);
                    prefix = j == 0 ? 0 : prefix << (8 * (8 - j));
                    return;
                }
                if (byte >= 'A' && byte <= 'Z') {
                    byte |= 0x20;
                }
            }
            prefix = (prefix << 8) | byte;
        }
    }

    // The whole key is in the prefix: at most 8 bytes, all ASCII. (A key with a NUL byte still needs
    // its length beside the prefix, since the prefix is padded with NULs.)
    bool whole() const { return decisive == 8 && key.size() <= 8; }

    static int compare(const SortEntry& a, const SortEntry& b) {
        if (a.prefix != b.prefix) {
            const auto firstDiff = static_cast<std::uint32_t>(std::countl_zero(a.prefix ^ b.prefix) / 8);
            if (firstDiff < a.decisive && firstDiff < b.decisive) {
                return a.prefix < b.prefix ? -1 : 1;
            }
        } else if (a.key.size() == b.key.size() && a.whole() && b.whole()) {
            // Two short ASCII keys held whole by equal prefixes are equal: the common case of ties
            // among play counts, tracks and record numbers.
            return 0;
        }
        return compareIgnoringCase(a.key, b.key);
    }
};

// Sorts `rows` stably by the whole keys of `entries` (one per row, see SortEntry::whole) with a radix
// sort over the prefix's bytes and the key's length, least significant first; a byte that is the same
// in every key takes no pass. Descending sorts by the complemented bytes, so ties keep their order.
void radixSort(std::vector<std::uint32_t>& rows, const std::vector<SortEntry>& entries, bool descending) {
    const auto byteOf = [&](std::uint32_t row, int position) -> std::uint8_t {
        const SortEntry& e = entries[row];
        const auto b = static_cast<std::uint8_t>(position == 8 ? e.key.size() : e.prefix >> (8 * (7 - position)));
        return descending ? static_cast<std::uint8_t>(255 - b) : b;
    };
    std::vector<std::uint32_t> scratch(rows.size());
    for (int position = 8; position >= 0; --position) {
        std::array<std::size_t, 257> start{};
        for (const std::uint32_t row : rows) {
            ++start[byteOf(row, position) + 1u];
        }
        if (std::find(start.begin(), start.end(), rows.size()) != start.end()) {
            continue;
        }
        for (std::size_t b = 1; b < start.size(); ++b) {
            start[b] += start[b - 1];
        }
        for (const std::uint32_t row : rows) {
            scratch[start[byteOf(row, position)]++] = row;
        }
        rows.swap(scratch);
    }
}

} // namespace

ListModel::ListModel(QObject* parent)
    : QAbstractTableModel(parent) {
    m_boldFont.setBold(true);
}

int ListModel::addColumn(std::string header) {
    const int column = columns();
    beginInsertColumns(QModelIndex(), column, column);
    m_headers.push_back(std::move(header));
    endInsertColumns();
    return column;
}

void ListModel::setHeader(int column, std::string header) {
    m_headers.at(static_cast<std::size_t>(column)) = std::move(header);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ListModel::reserve(int rows) {
    m_rows.reserve(static_cast<std::size_t>(std::max(0, rows)));
}

int ListModel::append(ListRow row) {
    // The row before was filled while it was the last one; its spare room is no longer needed.
    if (!m_rows.empty()) {
        m_rows.back().shrinkToFit();
    }
    m_rows.push_back(std::move(row));
    ++m_generation;
    if (!m_announceQueued) {
        m_announceQueued = true;
        QMetaObject::invokeMethod(this, &ListModel::announcePending, Qt::QueuedConnection);
    }
    return rows() - 1;
}

void ListModel::announcePending() {
    m_announceQueued = false;
    if (!m_rows.empty()) {
        m_rows.back().shrinkToFit();
    }
    if (m_announced < rows()) {
        beginInsertRows(QModelIndex(), m_announced, rows() - 1);
        m_announced = rows();
        endInsertRows();
    }
}

void ListModel::insert(int at, ListRow row) {
    announcePending();
    at = std::clamp(at, 0, rows());
    beginInsertRows(QModelIndex(), at, at);
    m_rows.insert(m_rows.begin() + at, std::move(row));
    m_announced = rows();
    ++m_generation;
    endInsertRows();
}

void ListModel::remove(int row) {
    if (row < 0 || row >= rows()) {
        return;
    }
    ++m_generation;
    if (row >= m_announced) {
        // The views never saw this row.
        m_rows.erase(m_rows.begin() + row);
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    --m_announced;
    endRemoveRows();
}

void ListModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_announced = 0;
    ++m_generation;
    endResetModel();
}

std::string_view ListModel::cell(int row, int column) const {
    return m_rows.at(static_cast<std::size_t>(row)).cell(column);
}

void ListModel::cellChanged(int row, int column, const QList<int>& roles) {
    if (row < m_announced && column < columns()) {
        const QModelIndex i = index(row, column);
        emit dataChanged(i, i, roles);
    }
}

void ListModel::setCell(int row, int column, std::string_view text) {
    if (m_rows.at(static_cast<std::size_t>(row)).setCell(column, text)) {
        ++m_generation;
        cellChanged(row, column, {Qt::DisplayRole});
    }
}

CellStyle ListModel::style(int row, int column) const {
    return m_rows.at(static_cast<std::size_t>(row)).style(column);
}

void ListModel::setBold(int row, int column, bool on) {
    if (m_rows.at(static_cast<std::size_t>(row)).setBold(column, on)) {
        cellChanged(row, column, {Qt::FontRole});
    }
}

void ListModel::setColor(int row, int column, OleColor color) {
    if (m_rows.at(static_cast<std::size_t>(row)).setColor(column, color)) {
        cellChanged(row, column, {Qt::ForegroundRole});
    }
}

int ListModel::sortedPosition(std::string_view key, int column, Qt::SortOrder order) const {
    const bool descending = order == Qt::DescendingOrder;
    const auto it =
        std::upper_bound(m_rows.begin(), m_rows.end(), key, [&](std::string_view k, const ListRow& r) {
            const int c = compareIgnoringCase(k, r.cell(column));
            return descending ? c > 0 : c < 0;
        });
    return static_cast<int>(it - m_rows.begin());
}

void ListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0) {
        return;
    }
    const int columns[] = {column};
    sortByColumns(columns, order);
}

void ListModel::sortByColumns(std::span<const int> columns, Qt::SortOrder order) {
    if (columns.empty() || columns.size() > kMaxSortColumns) {
        return;
    }
    announcePending();
    const auto n = static_cast<std::uint32_t>(m_rows.size());
    const std::size_t keys = columns.size();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    // One entry per row and column, row by row; the rows are sorted by their index.
    std::vector<SortEntry> entries(static_cast<std::size_t>(n) * keys);
    std::vector<std::uint32_t> rows(n);
    constexpr std::uint32_t kAhead = 8;
    for (std::uint32_t i = 0; i < n; ++i) {
        rows[i] = i;
        if (i + kAhead < n) {
            m_rows[i + kAhead].prefetch();
        }
        for (std::size_t k = 0; k < keys; ++k) {
            entries[i * keys + k] = SortEntry(m_rows[i].cell(columns[k]), i);
        }
    }
    const auto compareRows = [&](std::uint32_t a, std::uint32_t b) {
        for (std::size_t k = 0; k < keys; ++k) {
            const int c = SortEntry::compare(entries[a * keys + k], entries[b * keys + k]);
            if (c != 0) {
                return c;
            }
        }
        return 0;
    };
    if (keys == 1 && std::all_of(entries.begin(), entries.end(), [](const SortEntry& e) { return e.whole(); })) {
        radixSort(rows, entries, order == Qt::DescendingOrder);
    } else if (order == Qt::DescendingOrder) {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return compareRows(b, a) < 0; });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return compareRows(a, b) < 0; });
    }

    std::vector<ListRow> sorted;
    sorted.reserve(n);
    std::vector<int> newRow(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        sorted.push_back(std::move(m_rows[rows[i]]));
        newRow[rows[i]] = static_cast<int>(i);
    }
    m_rows.swap(sorted);
    ++m_generation;

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from) {
        to.push_back(index(newRow[static_cast<std::size_t>(i.row())], i.column()));
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ListModel::find(int column, std::string_view text) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].cell(column) == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ListModel::setBoldFont(const QFont& font) {
    m_boldFont = font;
    m_boldFont.setBold(true);
    if (m_announced > 0 && columns() > 0) {
        emit dataChanged(index(0, 0), index(m_announced - 1, columns() - 1), {Qt::FontRole});
    }
}

std::size_t ListModel::heapBytes() const {
    std::size_t bytes = m_rows.capacity() * sizeof(ListRow);
    for (const ListRow& r : m_rows) {
        bytes += r.heapBytes();
    }
    return bytes;
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_announced;
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns();
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_announced || index.column() >= columns()) {
        return {};
    }
    const ListRow& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        const std::string_view text = row.cell(index.column());
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::FontRole:
        if (row.style(index.column()).bold) {
            return m_boldFont;
        }
        return {};
    case Qt::ForegroundRole: {
        const OleColor color = row.style(index.column()).color;
        if (color != 0) {
            return toQColor(color);
        }
        return {};
    }
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns()) {
        return {};
    }
    return QString::fromStdString(m_headers[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_dragEnabled) {
        f |= Qt::ItemIsDragEnabled;
    }
    return f;
}

} // namespace tk
