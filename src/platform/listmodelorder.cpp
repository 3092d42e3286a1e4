#include "platform/listmodel.h"

#include "platform/columnranker.h"
#include "platform/textcompare.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

// The order of a list's rows: sorting them, finding the sorted place of a new row, and moving the
// rows inserted and removed meanwhile into place when the views are told.

namespace tk {

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
        int c = comparePrefixes(head, place.added ? m_added[at].key : m_keys[at]);
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

    // Each column's texts as ranks, so that the sort compares numbers: ranking each distinct text once
    // is far cheaper than comparing texts at every step of the sort. Row by row: the ranks of row i
    // start at i * keys.
    std::vector<std::uint32_t> ranks(static_cast<std::size_t>(n) * keys);
    std::array<std::uint32_t, kMaxSortColumns> tops{}; // each column's highest rank
    {
        std::vector<ColumnRanker> rankers(keys, ColumnRanker(n));
        for (std::uint32_t i = 0; i < n; ++i) {
            if (i + ListRow::kPrefetchAhead < n) {
                m_rows[i + ListRow::kPrefetchAhead].prefetch();
            }
            for (std::size_t k = 0; k < keys; ++k) {
                rankers[k].add(i, m_rows[i].cell(columns[k]));
            }
        }
        for (std::size_t k = 0; k < keys; ++k) {
            tops[k] = rankers[k].finish(ranks.data() + k, keys);
        }
    }
    const bool descending = order == Qt::DescendingOrder;
    const auto rowBefore = [&](std::uint32_t a, std::uint32_t b) {
        const std::uint32_t* ra = &ranks[static_cast<std::size_t>(a) * keys];
        const std::uint32_t* rb = &ranks[static_cast<std::size_t>(b) * keys];
        for (std::size_t k = 0; k < keys; ++k) {
            if (ra[k] != rb[k]) {
                return descending ? ra[k] > rb[k] : ra[k] < rb[k];
            }
        }
        return false;
    };
    bool inOrder = true;
    for (std::uint32_t i = 1; i < n && inOrder; ++i) {
        inOrder = !rowBefore(i, i - 1);
    }
    if (inOrder) {
        return;
    }

    // Ranks are small whole numbers: a counting sort per column, from the last column to the first,
    // each keeping the order the one before left, gives the stable sort by all of them.
    std::vector<std::uint32_t> rows(n);
    std::iota(rows.begin(), rows.end(), 0u);
    std::vector<std::uint32_t> next(n);
    for (std::size_t k = keys; k-- > 0;) {
        std::vector<std::uint32_t> starts(static_cast<std::size_t>(tops[k]) + 2);
        const auto bucket = [&](std::uint32_t row) {
            const std::uint32_t rank = ranks[row * keys + k];
            return descending ? tops[k] - rank : rank;
        };
        for (const std::uint32_t row : rows) {
            ++starts[bucket(row) + 1];
        }
        std::partial_sum(starts.begin(), starts.end(), starts.begin());
        for (const std::uint32_t row : rows) {
            next[starts[bucket(row)]++] = row;
        }
        rows.swap(next);
    }
    ranks = {};
    next = {};
    ++m_generation;
    reorder(rows);
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

} // namespace tk
