#include "platform/listmodel.h"

#include "platform/textcompare.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <numeric>

namespace tk {

namespace {

// How many rows ahead a scan over all rows asks for the next rows' bytes: the rows' blocks lie
// apart on the heap, and a scan that waits for each in turn spends most of its time waiting.
constexpr std::uint32_t kPrefetchAhead = 8;

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

    static int compare(const SortEntry& a, const SortEntry& b) {
        if (a.prefix != b.prefix) {
            const auto firstDiff = static_cast<std::uint32_t>(std::countl_zero(a.prefix ^ b.prefix) / 8);
            if (firstDiff < a.decisive && firstDiff < b.decisive) {
                return a.prefix < b.prefix ? -1 : 1;
            }
        }
        return compareIgnoringCase(a.key, b.key);
    }
};

// Numbers the texts of one sort column as the rows come, then turns the numbers into ranks in the
// lists' order: texts equal ignoring case share a rank, and a smaller rank sorts first. A row with
// the text of the row before it (the rows of one album) costs one comparison; any other finds its
// text through a table of the distinct texts; each distinct text takes part in the final sort once.
// So a column of few distinct texts (artists, albums, tracks, play counts) ranks at little more than
// the cost of reading it, and each row's text is read while the row is at hand. A column whose texts
// nearly all differ (titles, file paths) soon stops using the table.
class ColumnRanker {
public:
    explicit ColumnRanker(std::size_t rows)
        : m_ids(rows) {}

    void add(std::size_t row, std::string_view text) {
        if (row > 0 && text == m_last) {
            m_ids[row] = m_ids[row - 1];
            return;
        }
        m_last = text;
        ++m_runs;
        if (m_runs == kTrialRuns && m_distinct.size() > kTrialRuns / 16 * 15) {
            // Nearly every text differs (titles, file paths): the table would find nothing to share.
            m_table = {};
            m_hashes = {};
            m_hashing = false;
        }
        if (!m_hashing) {
            m_ids[row] = static_cast<std::uint32_t>(m_distinct.size());
            m_distinct.emplace_back(text, m_ids[row]);
            return;
        }
        if (2 * (m_distinct.size() + 1) > m_table.size()) {
            grow();
        }
        const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
        std::size_t slot = find(hash, text);
        if (m_table[slot].id == 0) {
            m_distinct.emplace_back(text, static_cast<std::uint32_t>(m_distinct.size()));
            m_hashes.push_back(hash);
            m_table[slot] = {hash, static_cast<std::uint32_t>(m_distinct.size())};
        }
        m_ids[row] = m_table[slot].id - 1;
    }

    // Writes the rank of every row to `ranks`, one every `stride` entries; returns the highest rank.
    std::uint32_t finish(std::uint32_t* ranks, std::size_t stride) {
        m_table = {};
        m_hashes = {};
        std::sort(m_distinct.begin(), m_distinct.end(),
                  [](const SortEntry& a, const SortEntry& b) { return SortEntry::compare(a, b) < 0; });
        std::vector<std::uint32_t> rankOf(m_distinct.size());
        std::uint32_t rank = 0;
        for (std::size_t k = 0; k < m_distinct.size(); ++k) {
            if (k > 0 && SortEntry::compare(m_distinct[k - 1], m_distinct[k]) != 0) {
                ++rank;
            }
            rankOf[m_distinct[k].from] = rank;
        }
        for (std::size_t row = 0; row < m_ids.size(); ++row) {
            ranks[row * stride] = rankOf[m_ids[row]];
        }
        return rank;
    }

private:
    // A slot of the table: a distinct text's number plus one (0: free) and its hash.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t id = 0;
    };

    std::size_t find(std::uint32_t hash, std::string_view text) const {
        const std::size_t mask = m_table.size() - 1;
        std::size_t slot = hash & mask;
        while (m_table[slot].id != 0 &&
               (m_table[slot].hash != hash || m_distinct[m_table[slot].id - 1].key != text)) {
            slot = (slot + 1) & mask;
        }
        return slot;
    }

    void grow() {
        m_table.assign(std::max<std::size_t>(64, 2 * m_table.size()), Slot{});
        const std::size_t mask = m_table.size() - 1;
        for (std::uint32_t id = 0; id < m_distinct.size(); ++id) {
            std::size_t slot = m_hashes[id] & mask;
            while (m_table[slot].id != 0) {
                slot = (slot + 1) & mask;
            }
            m_table[slot] = {m_hashes[id], id + 1};
        }
    }

    // Texts that differ from the row before them, after which the table is kept only if it shares.
    static constexpr std::size_t kTrialRuns = 4096;

    std::vector<std::uint32_t> m_ids;
    // The texts found, each once while the table is kept; equal texts found after it went are ranked
    // equal by the final sort all the same.
    std::vector<SortEntry> m_distinct;
    std::vector<std::uint32_t> m_hashes;
    std::vector<Slot> m_table;
    std::string_view m_last;
    std::size_t m_runs = 0;
    bool m_hashing = true;
};

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

    // Each column's texts as ranks, so that the sort compares numbers: ranking each distinct text once
    // is far cheaper than comparing texts at every step of the sort. Row by row: the ranks of row i
    // start at i * keys.
    std::vector<std::uint32_t> ranks(static_cast<std::size_t>(n) * keys);
    std::array<std::uint32_t, kMaxSortColumns> tops{}; // each column's highest rank
    {
        std::vector<ColumnRanker> rankers(keys, ColumnRanker(n));
        for (std::uint32_t i = 0; i < n; ++i) {
            if (i + kPrefetchAhead < n) {
                m_rows[i + kPrefetchAhead].prefetch();
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
    // Rows that stand in order already stay as they are, and the views hear of nothing.
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

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

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
        if (j + kPrefetchAhead < static_cast<std::uint32_t>(n)) {
            m_rows[j + kPrefetchAhead].prefetch();
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
    announcePending();
    std::vector<int> at(changed.begin(), changed.end());
    const auto moveRow = [&](std::size_t k, int to) {
        const int from = at[k];
        if (from == to) {
            return;
        }
        beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
        const auto first = m_rows.begin();
        if (to > from) {
            std::rotate(first + from, first + from + 1, first + to + 1);
        } else {
            std::rotate(first + to, first + from, first + from + 1);
        }
        ++m_generation;
        endMoveRows();
        for (int& row : at) {
            row += (to < from && row >= to && row < from)   ? 1
                   : (to > from && row > from && row <= to) ? -1
                                                            : 0;
        }
        at[k] = to;
    };
    if (changed.size() == 1) {
        moveRow(0, among[0]);
        return true;
    }
    for (std::size_t k = changed.size(); k-- > 0;) {
        moveRow(k, n - 1);
    }
    for (std::size_t placed = 0; placed < byPlace.size(); ++placed) {
        moveRow(byPlace[placed], among[byPlace[placed]] + static_cast<int>(placed));
    }
    return true;
}

std::vector<int> ListModel::firstSortedRows(std::span<const int> columns, Qt::SortOrder order,
                                            int count) const {
    const int sign = order == Qt::DescendingOrder ? -1 : 1;
    // Whether row `a` goes before row `b`: by the columns, then as they stand.
    const auto before = [&](int a, int b) {
        const int c = sign * compareCells(m_rows[static_cast<std::size_t>(a)],
                                          m_rows[static_cast<std::size_t>(b)], columns);
        return c != 0 ? c < 0 : a < b;
    };
    std::vector<int> best;
    for (int row = 0; row < rows() && count > 0; ++row) {
        if (row + kPrefetchAhead < static_cast<std::uint32_t>(rows())) {
            m_rows[row + kPrefetchAhead].prefetch();
        }
        if (static_cast<int>(best.size()) == count && !before(row, best.back())) {
            continue;
        }
        best.insert(std::upper_bound(best.begin(), best.end(), row, before), row);
        if (static_cast<int>(best.size()) > count) {
            best.pop_back();
        }
    }
    return best;
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
