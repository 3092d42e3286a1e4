#include "platform/listmodel.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace tk {

namespace {

// Inserts and removals wait until about this many have gathered: each announcement moves every row
// once, each waiting insert moves the waiting ones, so the two costs balance near the root of the
// row count.
std::size_t waitingLimit(std::size_t rows) {
    return std::max<std::size_t>(64, static_cast<std::size_t>(4.0 * std::sqrt(static_cast<double>(rows))));
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

void ListModel::announceWhenMany() {
    if (m_added.size() + m_removed.size() >= waitingLimit(m_rows.size())) {
        announceMoves();
    } else {
        queueAnnouncement();
    }
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
    announceWhenMany();
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
    announceWhenMany();
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

void ListModel::cellChanged(int row, int column, int role) {
    const int viewRow = viewRowOf(row);
    if (viewRow >= 0 && column < columns()) {
        const QModelIndex i = index(viewRow, column);
        emit dataChanged(i, i, {role});
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
        cellChanged(row, column, Qt::DisplayRole);
    }
}

CellStyle ListModel::style(int row, int column) const {
    return rowAt(row).style(column);
}

void ListModel::setBold(int row, int column, bool on) {
    if (rowAt(row).setBold(column, on)) {
        cellChanged(row, column, Qt::FontRole);
    }
}

void ListModel::setColor(int row, int column, OleColor color) {
    if (rowAt(row).setColor(column, color)) {
        cellChanged(row, column, Qt::ForegroundRole);
    }
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
