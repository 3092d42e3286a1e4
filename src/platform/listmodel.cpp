#include "platform/listmodel.h"

#include "platform/textcompare.h"

#include <QColor>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace tk {

namespace {

using KeyPrefix = ListModel::KeyPrefix;

// A sort key with its first bytes folded into a number, so that most comparisons of a sort or a search
// are one integer comparison on a compact array. The prefix holds the leading ASCII bytes, folded and
// big-endian, zero-padded; `decisive` is how many of its bytes stand for the text itself (padding
// after the end of the text is decisive too, since an ended text sorts first; padding after a byte
// that is not ASCII is not). Where the prefixes cannot decide, the full comparison does.
KeyPrefix foldKey(std::string_view k) {
    KeyPrefix p;
    p.decisive = 8;
    for (std::size_t j = 0; j < 8; ++j) {
        std::uint64_t byte = 0;
        if (j < k.size()) {
            byte = static_cast<unsigned char>(k[j]);
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
int decide(const KeyPrefix& a, const KeyPrefix& b) {
    if (a.bytes != b.bytes) {
        const auto firstDiff = static_cast<std::uint32_t>(std::countl_zero(a.bytes ^ b.bytes) / 8);
        if (firstDiff < a.decisive && firstDiff < b.decisive) {
            return a.bytes < b.bytes ? -1 : 1;
        }
    }
    return 0;
}

// Inserts and removals wait until about this many have gathered: each announcement moves every row
// once, each waiting insert moves the waiting ones, so the two costs balance near the root of the
// row count.
std::size_t waitingLimit(std::size_t rows) {
    return std::max<std::size_t>(64, static_cast<std::size_t>(4.0 * std::sqrt(static_cast<double>(rows))));
}

struct SortEntry {
    KeyPrefix head;
    std::string_view key;

    static int compare(const SortEntry& a, const SortEntry& b) {
        const int d = decide(a.head, b.head);
        return d != 0 ? d : compareIgnoringCase(a.key, b.key);
    }
};

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
    announceMoves();
    // The row before was filled while it was the last one; its spare room is no longer needed.
    if (!m_rows.empty()) {
        m_rows.back().shrinkToFit();
    }
    m_rows.push_back(std::move(row));
    ++m_generation;
    queueAnnouncement();
    return rows() - 1;
}

void ListModel::queueAnnouncement() {
    if (!m_announceQueued) {
        m_announceQueued = true;
        QMetaObject::invokeMethod(this, &ListModel::announcePending, Qt::QueuedConnection);
    }
}

void ListModel::announcePending() {
    m_announceQueued = false;
    announceAppended();
    announceMoves();
}

void ListModel::announceAppended() {
    if (!m_rows.empty()) {
        m_rows.back().shrinkToFit();
    }
    if (m_announced < static_cast<int>(m_rows.size())) {
        beginInsertRows(QModelIndex(), m_announced, static_cast<int>(m_rows.size()) - 1);
        m_announced = static_cast<int>(m_rows.size());
        endInsertRows();
    }
}

void ListModel::announceMoves() {
    if (!movesPending()) {
        return;
    }
    if (m_keyColumn >= 0) {
        cacheKeys(m_keyColumn);
    }
    if (m_added.size() + m_removed.size() == 1) {
        // One change is told as it is.
        if (m_added.empty()) {
            const int gone = m_removed.front();
            m_removed.clear();
            beginRemoveRows(QModelIndex(), gone, gone);
            m_rows.erase(m_rows.begin() + gone);
            if (m_keyColumn >= 0) {
                m_keys.erase(m_keys.begin() + gone);
            }
            --m_announced;
            endRemoveRows();
        } else {
            const int at = m_added.front().before;
            ListRow row = std::move(m_added.front().row);
            if (m_keyColumn >= 0) {
                m_keys.insert(m_keys.begin() + at, m_added.front().key);
            }
            m_added.clear();
            beginInsertRows(QModelIndex(), at, at);
            m_rows.insert(m_rows.begin() + at, std::move(row));
            ++m_announced;
            endInsertRows();
        }
        return;
    }
    // Many changes are told in three steps whatever their number: the new rows arrive at the end, all
    // rows move to their places with the removed ones last, and the removed ones leave from the end.
    const auto known = static_cast<std::uint32_t>(m_rows.size());
    std::vector<int> before;
    before.reserve(m_added.size());
    if (!m_added.empty()) {
        beginInsertRows(QModelIndex(), static_cast<int>(known), static_cast<int>(known + m_added.size()) - 1);
        for (AddedRow& added : m_added) {
            before.push_back(added.before);
            m_rows.push_back(std::move(added.row));
            if (m_keyColumn >= 0) {
                m_keys.push_back(added.key);
            }
        }
        m_added.clear();
        m_announced = static_cast<int>(m_rows.size());
        endInsertRows();
    }
    std::vector<std::uint32_t> order;
    order.reserve(m_rows.size());
    std::size_t next = 0;
    std::size_t removed = 0;
    for (std::uint32_t i = 0; i <= known; ++i) {
        for (; next < before.size() && before[next] == static_cast<int>(i); ++next) {
            order.push_back(known + static_cast<std::uint32_t>(next));
        }
        if (i == known) {
            break;
        }
        if (removed < m_removed.size() && m_removed[removed] == static_cast<int>(i)) {
            ++removed;
        } else {
            order.push_back(i);
        }
    }
    for (int gone : m_removed) {
        order.push_back(static_cast<std::uint32_t>(gone));
    }
    const int goneCount = static_cast<int>(m_removed.size());
    m_removed.clear();
    reorder(order);
    if (goneCount > 0) {
        beginRemoveRows(QModelIndex(), m_announced - goneCount, m_announced - 1);
        m_rows.erase(m_rows.end() - goneCount, m_rows.end());
        if (m_keyColumn >= 0) {
            m_keys.erase(m_keys.end() - goneCount, m_keys.end());
        }
        m_announced -= goneCount;
        endRemoveRows();
    }
}

void ListModel::reorder(const std::vector<std::uint32_t>& order) {
    if (m_keyColumn >= 0) {
        cacheKeys(m_keyColumn);
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<ListRow> moved;
    moved.reserve(m_rows.size());
    std::vector<int> newRow(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        moved.push_back(std::move(m_rows[order[i]]));
        newRow[order[i]] = static_cast<int>(i);
    }
    m_rows.swap(moved);
    if (m_keyColumn >= 0) {
        std::vector<KeyPrefix> keys(m_keys.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            keys[i] = m_keys[order[i]];
        }
        m_keys.swap(keys);
    }
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from) {
        to.push_back(index(newRow[static_cast<std::size_t>(i.row())], i.column()));
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ListModel::keptBefore(int index) const {
    return index -
           static_cast<int>(std::lower_bound(m_removed.begin(), m_removed.end(), index) - m_removed.begin());
}

ListModel::Place ListModel::locate(int row) const {
    if (!movesPending()) {
        return {false, row};
    }
    // The inserted rows before `row`: their places in the list rise with their order.
    const auto placeOf = [&](std::size_t j) {
        const int before = m_added[j].before;
        return (m_removed.empty() ? before : keptBefore(before)) + static_cast<int>(j);
    };
    std::size_t lo = 0;
    std::size_t hi = m_added.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (placeOf(mid) < row) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    const auto added = static_cast<int>(lo);
    if (lo < m_added.size() && placeOf(lo) == row) {
        return {true, added};
    }
    // Otherwise the kept row of that rank: every removed row before it adds one to its index.
    const int rank = row - added;
    lo = 0;
    hi = m_removed.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (m_removed[mid] - static_cast<int>(mid) <= rank) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return {false, rank + static_cast<int>(lo)};
}

const ListRow& ListModel::rowIn(Place place) const {
    return place.added ? m_added[static_cast<std::size_t>(place.index)].row
                       : m_rows[static_cast<std::size_t>(place.index)];
}

const ListRow& ListModel::rowAt(int row) const {
    if (row < 0 || row >= rows()) {
        throw std::out_of_range("list row");
    }
    return rowIn(locate(row));
}

ListRow& ListModel::rowAt(int row) {
    return const_cast<ListRow&>(std::as_const(*this).rowAt(row));
}

int ListModel::rowOfViewRow(int viewRow) const {
    if (viewRow < 0 || viewRow >= m_announced ||
        std::binary_search(m_removed.begin(), m_removed.end(), viewRow)) {
        return -1;
    }
    const auto addedBefore = std::partition_point(m_added.begin(), m_added.end(),
                                                  [&](const AddedRow& a) { return a.before <= viewRow; });
    return keptBefore(viewRow) + static_cast<int>(addedBefore - m_added.begin());
}

int ListModel::viewRowOf(int row) const {
    const Place place = locate(row);
    return place.added || place.index >= m_announced ? -1 : place.index;
}

void ListModel::insert(int at, ListRow row) {
    announceAppended();
    at = std::clamp(at, 0, rows());
    AddedRow added{std::move(row), static_cast<int>(m_rows.size()), {}};
    if (m_keyColumn >= 0) {
        added.key = foldKey(added.row.cell(m_keyColumn));
    }
    std::size_t slot = m_added.size();
    if (at < rows()) {
        // The new row goes right before the one now at `at`.
        const Place place = locate(at);
        if (place.added) {
            slot = static_cast<std::size_t>(place.index);
            added.before = m_added[slot].before;
        } else {
            added.before = place.index;
            slot = static_cast<std::size_t>(
                std::partition_point(m_added.begin(), m_added.end(),
                                     [&](const AddedRow& a) { return a.before <= place.index; }) -
                m_added.begin());
        }
    }
    m_added.insert(m_added.begin() + static_cast<std::ptrdiff_t>(slot), std::move(added));
    ++m_generation;
    if (m_added.size() + m_removed.size() >= waitingLimit(m_rows.size())) {
        announceMoves();
    } else {
        queueAnnouncement();
    }
}

void ListModel::remove(int row) {
    if (row < 0 || row >= rows()) {
        return;
    }
    announceAppended();
    ++m_generation;
    const Place place = locate(row);
    if (place.added) {
        // The views never saw this row.
        m_added.erase(m_added.begin() + place.index);
        return;
    }
    m_removed.insert(std::lower_bound(m_removed.begin(), m_removed.end(), place.index), place.index);
    if (m_added.size() + m_removed.size() >= waitingLimit(m_rows.size())) {
        announceMoves();
    } else {
        queueAnnouncement();
    }
}

void ListModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_added.clear();
    m_removed.clear();
    m_keys.clear();
    m_keys.shrink_to_fit();
    m_keyColumn = -1;
    m_announced = 0;
    ++m_generation;
    endResetModel();
}

std::string_view ListModel::cell(int row, int column) const {
    return rowAt(row).cell(column);
}

void ListModel::cellChanged(int row, int column, const QList<int>& roles) {
    const int viewRow = viewRowOf(row);
    if (viewRow >= 0 && column < columns()) {
        const QModelIndex i = index(viewRow, column);
        emit dataChanged(i, i, roles);
    }
}

void ListModel::setCell(int row, int column, std::string_view text) {
    if (rowAt(row).setCell(column, text)) {
        ++m_generation;
        if (column == m_keyColumn) {
            const Place place = locate(row);
            if (place.added) {
                m_added[static_cast<std::size_t>(place.index)].key = foldKey(text);
            } else if (static_cast<std::size_t>(place.index) < m_keys.size()) {
                m_keys[static_cast<std::size_t>(place.index)] = foldKey(text);
            }
        }
        cellChanged(row, column, {Qt::DisplayRole});
    }
}

CellStyle ListModel::style(int row, int column) const {
    return rowAt(row).style(column);
}

void ListModel::setBold(int row, int column, bool on) {
    if (rowAt(row).setBold(column, on)) {
        cellChanged(row, column, {Qt::FontRole});
    }
}

void ListModel::setColor(int row, int column, OleColor color) {
    if (rowAt(row).setColor(column, color)) {
        cellChanged(row, column, {Qt::ForegroundRole});
    }
}

void ListModel::cacheKeys(int column) {
    if (column != m_keyColumn) {
        m_keys.clear();
        m_keyColumn = column;
        for (AddedRow& added : m_added) {
            added.key = foldKey(added.row.cell(column));
        }
    }
    m_keys.reserve(m_rows.size());
    for (std::size_t i = m_keys.size(); i < m_rows.size(); ++i) {
        m_keys.push_back(foldKey(m_rows[i].cell(column)));
    }
}

int ListModel::sortedPosition(std::string_view key, int column, Qt::SortOrder order) {
    cacheKeys(column);
    const KeyPrefix head = foldKey(key);
    const bool descending = order == Qt::DescendingOrder;
    // After every row that does not sort after the key.
    int lo = 0;
    int hi = rows();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const Place place = locate(mid);
        const auto at = static_cast<std::size_t>(place.index);
        int c = decide(head, place.added ? m_added[at].key : m_keys[at]);
        if (c == 0) {
            c = compareIgnoringCase(key, rowIn(place).cell(column));
        }
        if (descending ? c > 0 : c < 0) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
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

    // One entry per row and column, row by row; the rows are sorted by their index.
    std::vector<SortEntry> entries(static_cast<std::size_t>(n) * keys);
    std::vector<std::uint32_t> rows(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        rows[i] = i;
        for (std::size_t k = 0; k < keys; ++k) {
            const std::string_view key = m_rows[i].cell(columns[k]);
            entries[i * keys + k] = SortEntry{foldKey(key), key};
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
    if (order == Qt::DescendingOrder) {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return compareRows(b, a) < 0; });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return compareRows(a, b) < 0; });
    }
    ++m_generation;
    reorder(rows);
}

int ListModel::find(int column, std::string_view text) const {
    const int n = rows();
    for (int i = 0; i < n; ++i) {
        if (rowAt(i).cell(column) == text) {
            return i;
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
    bytes += m_added.capacity() * sizeof(AddedRow) + m_removed.capacity() * sizeof(int) +
             m_keys.capacity() * sizeof(KeyPrefix);
    for (const AddedRow& a : m_added) {
        bytes += a.row.heapBytes();
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
