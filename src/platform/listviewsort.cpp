#include "platform/listview.h"

#include "platform/errors.h"
#include "platform/listmodel.h"

#include <algorithm>
#include <vector>

// The sort state of a list view: sorting on and off, its key and order, sorts by several columns, and
// what the list knows of the order its rows stand in.

namespace tk {

bool ListView::sortedAsSet() const {
    return m_lastSortKey == m_sortKey && m_lastSortOrder == m_sortOrder &&
           m_lastSortGeneration == m_model->generation();
}

void ListView::resort() {
    if (!m_sorted) {
        return;
    }
    // Sorting again by the order the rows already stand in, with no row changed since, changes
    // nothing: a stable sort of sorted rows keeps them as they are.
    if (sortedAsSet()) {
        return;
    }
    m_model->sort(m_sortKey, m_sortOrder == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    m_lastSortKey = m_sortKey;
    m_lastSortOrder = m_sortOrder;
    m_lastSortGeneration = m_model->generation();
}

void ListView::sortByColumns(std::span<const int> columns, int order) {
    for (int c : columns) {
        checkColumn(c, true);
    }
    if (columns.empty()) {
        return;
    }
    const auto qtOrder = order == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_model->sortByColumns(columns, qtOrder);
    rememberSortedBy(columns, order);
}

void ListView::rememberSortedBy(std::span<const int> columns, int order) {
    m_lastSortKey = columns.front();
    m_lastSortOrder = order;
    m_lastSortGeneration = m_model->generation();
    m_byColumns.assign(columns.begin(), columns.end());
    m_byColumnsOrder = order;
    m_writtenSince.clear();
    m_writtenGeneration = m_model->generation();
}

bool ListView::resortRows(std::span<const int> rows, std::span<const int> columns, int order) {
    for (int c : columns) {
        checkColumn(c, true);
    }
    std::vector<int> changed;
    changed.reserve(rows.size());
    for (int row : rows) {
        changed.push_back(checkedRow(row));
    }
    const bool othersInOrder = !m_byColumns.empty() && std::ranges::equal(m_byColumns, columns) &&
                               m_byColumnsOrder == order && m_writtenGeneration == m_model->generation() &&
                               std::ranges::all_of(m_writtenSince, [&](int r) {
                                   return std::ranges::find(changed, r) != changed.end();
                               });
    const auto qtOrder = order == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (columns.empty() || !m_model->resortRows(changed, columns, qtOrder, othersInOrder)) {
        return false;
    }
    rememberSortedBy(columns, order);
    return true;
}

std::vector<int> ListView::firstSortedRows(std::span<const int> columns, int order, int count) const {
    for (int c : columns) {
        checkColumn(c, true);
    }
    std::vector<int> rows =
        m_model->firstSortedRows(columns, order == 1 ? Qt::DescendingOrder : Qt::AscendingOrder, count);
    for (int& r : rows) {
        ++r;
    }
    return rows;
}

void ListView::setSorted(bool on) {
    m_sorted = on;
    resort();
}

void ListView::setSortKey(int column) {
    if (column < 0) {
        throw RuntimeError(err::kInvalidPropertyValue, "Invalid property value");
    }
    m_sortKey = column;
    resort();
}

void ListView::setSortOrder(int order) {
    if (order != 0 && order != 1) {
        throw RuntimeError(err::kInvalidPropertyValue, "Invalid property value");
    }
    m_sortOrder = order;
    resort();
}

void ListView::noteWrite(int row, std::uint64_t before) {
    // A few written rows are remembered; past that, or after any other change, nothing is known.
    constexpr std::size_t kMaxWritten = 16;
    if (m_model->generation() == before) {
        return;
    }
    if (before == m_writtenGeneration && m_writtenSince.size() < kMaxWritten) {
        m_writtenSince.push_back(row);
        m_writtenGeneration = m_model->generation();
    } else {
        m_byColumns.clear();
    }
}

void ListView::noteRemoval(int row, std::uint64_t before) {
    // Rows that stood in an order still do with one of them gone, and the rows written since keep
    // their places less the one removed before them.
    const std::uint64_t now = m_model->generation();
    if (m_lastSortGeneration == before) {
        m_lastSortGeneration = now;
    }
    if (m_writtenGeneration == before) {
        std::erase(m_writtenSince, row);
        for (int& written : m_writtenSince) {
            written -= written > row ? 1 : 0;
        }
        m_writtenGeneration = now;
    }
}

} // namespace tk
