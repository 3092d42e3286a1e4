#include "platform/listmodel.h"

#include "platform/textcompare.h"

#include <algorithm>
#include <numeric>
#include <vector>

// Quick turns of a list's order after a few rows changed: moving rewritten rows to their sorted
// places among rows that stand sorted, and reading the first rows of an order without sorting.

namespace tk {

namespace {

// Compares two rows by the texts of `columns`, the first deciding: <0, 0 or >0.
int compareCells(const ListRow& a, const ListRow& b, std::span<const int> columns) {
    for (const int column : columns) {
        if (const int c = compareIgnoringCase(a.cell(column), b.cell(column)); c != 0) {
            return c;
        }
    }
    return 0;
}

} // namespace

void ListModel::moveRow(int from, int to) {
    if (from == to) {
        return;
    }
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    const auto turn = [&](auto first) {
        if (to > from) {
            std::rotate(first + from, first + from + 1, first + to + 1);
        } else {
            std::rotate(first + to, first + from, first + from + 1);
        }
    };
    turn(m_rows.begin());
    // The cached key prefixes move with their rows (resortRows caches all of them first).
    if (m_keyColumn >= 0) {
        turn(m_keys.begin());
    }
    ++m_generation;
    endMoveRows();
}

bool ListModel::resortRows(std::span<const int> changed, std::span<const int> columns, Qt::SortOrder order,
                           bool othersInOrder) {
    // Each check of the other rows visits every row once per changed row: beyond a few, a sort is cheaper.
    constexpr std::size_t kMaxChanged = 16;
    const int n = rows();
    if (changed.empty() || changed.size() > kMaxChanged || !std::is_sorted(changed.begin(), changed.end()) ||
        std::adjacent_find(changed.begin(), changed.end()) != changed.end() || changed.front() < 0 ||
        changed.back() >= n) {
        return false;
    }
    // The rows waiting to be told take their places first, so that m_rows holds the list's rows in
    // its order and the moves below are told about rows the views know.
    announcePending();
    if (m_keyColumn >= 0) {
        cacheKeys(m_keyColumn);
    }
    const int sign = order == Qt::DescendingOrder ? -1 : 1;
    const auto compareRows = [&](int a, int b) {
        return sign * compareCells(m_rows[static_cast<std::size_t>(a)], m_rows[static_cast<std::size_t>(b)],
                                   columns);
    };
    // The unchanged rows by their place among themselves: the changed rows skipped.
    const auto unchangedRow = [&](int j) {
        for (const int c : changed) {
            j += c <= j ? 1 : 0;
        }
        return j;
    };
    const int others = n - static_cast<int>(changed.size());
    for (int j = 1; j < others && !othersInOrder; ++j) {
        if (j + ListRow::kPrefetchAhead < n) {
            m_rows[static_cast<std::size_t>(j + ListRow::kPrefetchAhead)].prefetch();
        }
        if (compareRows(unchangedRow(j - 1), unchangedRow(j)) > 0) {
            return false;
        }
    }
    // How many unchanged rows go before each changed row: those that sort before it, and those it ties
    // with that stood before it (their place among the unchanged rows is below its row less the
    // changed rows before it).
    std::vector<int> among(changed.size());
    for (std::size_t k = 0; k < changed.size(); ++k) {
        const int tiedBefore = changed[k] - static_cast<int>(k);
        int low = 0;
        int high = others;
        while (low < high) {
            const int mid = low + (high - low) / 2;
            const int c = compareRows(unchangedRow(mid), changed[k]);
            if (c < 0 || (c == 0 && mid < tiedBefore)) {
                low = mid + 1;
            } else {
                high = mid;
            }
        }
        among[k] = low;
    }
    // The changed rows among themselves: by that count, then as the sort orders them, then as they stood.
    std::vector<std::size_t> byPlace(changed.size());
    std::iota(byPlace.begin(), byPlace.end(), std::size_t{0});
    std::stable_sort(byPlace.begin(), byPlace.end(), [&](std::size_t a, std::size_t b) {
        return among[a] != among[b] ? among[a] < among[b] : compareRows(changed[a], changed[b]) < 0;
    });

    // One changed row moves straight to its place; several go to the end first and then each to its
    // place, so that each lands among rows that already stand where they will stay.
    std::vector<int> at(changed.begin(), changed.end());
    const auto moveChanged = [&](std::size_t k, int to) {
        const int from = at[k];
        moveRow(from, to);
        for (int& row : at) {
            row += (to < from && row >= to && row < from)   ? 1
                   : (to > from && row > from && row <= to) ? -1
                                                            : 0;
        }
        at[k] = to;
    };
    if (changed.size() == 1) {
        moveChanged(0, among[0]);
        return true;
    }
    for (std::size_t k = changed.size(); k-- > 0;) {
        moveChanged(k, n - 1);
    }
    for (std::size_t placed = 0; placed < byPlace.size(); ++placed) {
        moveChanged(byPlace[placed], among[byPlace[placed]] + static_cast<int>(placed));
    }
    return true;
}

std::vector<int> ListModel::firstSortedRows(std::span<const int> columns, Qt::SortOrder order,
                                            int count) const {
    const int sign = order == Qt::DescendingOrder ? -1 : 1;
    // Rows inserted or removed may wait beside the rows the views know: rows are read by their place
    // in the list, which costs nothing more while none waits.
    const auto row = [&](int r) -> const ListRow& {
        return movesPending() ? rowAt(r) : m_rows[static_cast<std::size_t>(r)];
    };
    // Whether row `a` goes before row `b`: by the columns, then as they stand.
    const auto before = [&](int a, int b) {
        const int c = sign * compareCells(row(a), row(b), columns);
        return c != 0 ? c < 0 : a < b;
    };
    const int n = rows();
    std::vector<int> best;
    for (int r = 0; r < n && count > 0; ++r) {
        if (r + ListRow::kPrefetchAhead < n) {
            row(r + ListRow::kPrefetchAhead).prefetch();
        }
        if (static_cast<int>(best.size()) == count && !before(r, best.back())) {
            continue;
        }
        best.insert(std::upper_bound(best.begin(), best.end(), r, before), r);
        if (static_cast<int>(best.size()) > count) {
            best.pop_back();
        }
    }
    return best;
}

} // namespace tk
