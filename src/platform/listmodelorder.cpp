#include "platform/listmodel.h"

#include "platform/textcompare.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

// The order of a list's rows: sorting them, finding the sorted place of a new row, and moving the
// rows inserted and removed meanwhile into place when the views are told.

namespace tk {

namespace {

using KeyPrefix = ListModel::KeyPrefix;

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

struct SortEntry {
    KeyPrefix head;
    std::string_view key;

    // The whole key is in the prefix: at most 8 bytes, all ASCII. (A key with a NUL byte still needs
    // its length beside the prefix, which is padded with NULs.)
    bool whole() const { return head.decisive == 8 && key.size() <= 8; }

    static int compare(const SortEntry& a, const SortEntry& b) {
        const int d = decide(a.head, b.head);
        if (d != 0) {
            return d;
        }
        // Two short ASCII keys held whole by equal prefixes are equal: the common case of ties among
        // play counts, tracks and record numbers.
        if (a.head.bytes == b.head.bytes && a.key.size() == b.key.size() && a.whole() && b.whole()) {
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
        const auto b =
            static_cast<std::uint8_t>(position == 8 ? e.key.size() : e.head.bytes >> (8 * (7 - position)));
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

// A sort key with its first bytes folded into a number, so that most comparisons of a sort or a search
// are one integer comparison on a compact array. The prefix holds the leading ASCII bytes, folded and
// big-endian, zero-padded; `decisive` is how many of its bytes stand for the text itself (padding
// after the end of the text is decisive too, since an ended text sorts first; padding after a byte
// that is not ASCII is not). Where the prefixes cannot decide, the full comparison does.
KeyPrefix ListModel::foldKey(std::string_view k) {
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
    constexpr std::uint32_t kAhead = 8;
    for (std::uint32_t i = 0; i < n; ++i) {
        rows[i] = i;
        if (i + kAhead < n) {
            m_rows[i + kAhead].prefetch();
        }
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
    if (keys == 1 &&
        std::all_of(entries.begin(), entries.end(), [](const SortEntry& e) { return e.whole(); })) {
        radixSort(rows, entries, order == Qt::DescendingOrder);
    } else if (order == Qt::DescendingOrder) {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return compareRows(b, a) < 0; });
    } else {
        std::stable_sort(rows.begin(), rows.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return compareRows(a, b) < 0; });
    }
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
