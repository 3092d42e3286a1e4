#pragma once

#include "platform/keyprefix.h"
#include "platform/listrow.h"

#include <QAbstractTableModel>
#include <QFont>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

// The rows and columns of a report-view list. Rows count from 0 here. Changes made in a burst are
// announced to the views together, once control returns to the event loop or before anything that
// needs the views to know them (a sort, a selection of a row they do not know), so filling a list
// costs no per-row view work. Rows appended wait at the end; rows inserted at a place and rows removed
// wait beside the rows the views know, which stay where they are until the announcement moves them
// all at once, so a burst of inserts into a sorted list or of removals costs no per-row moves either.
class ListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);

    int columns() const { return static_cast<int>(m_headers.size()); }
    int addColumn(std::string header);
    const std::string& header(int column) const { return m_headers.at(static_cast<std::size_t>(column)); }
    void setHeader(int column, std::string header);

    int rows() const { return static_cast<int>(m_rows.size() + m_added.size() - m_removed.size()); }
    void reserve(int rows);
    // Appends at the end; returns the new row's index.
    int append(ListRow row);
    // Puts a row before row `at` (at the end when `at` is rows()).
    void insert(int at, ListRow row);
    void remove(int row);
    void clear();

    std::string_view cell(int row, int column) const;
    void setCell(int row, int column, std::string_view text);
    CellStyle style(int row, int column) const;
    void setBold(int row, int column, bool on);
    void setColor(int row, int column, OleColor color);

    // Where a row whose sort cell holds `key` goes in a list sorted by `column`: after every row that
    // does not sort after it, so equal rows keep the order they came in.
    int sortedPosition(std::string_view key, int column, Qt::SortOrder order);
    // Stable sort by the text of one column, letter case ignored. Views keep their selection and
    // current row on the same row objects.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Stable sort by several columns, the first deciding and each next one breaking its ties: the
    // order that stable sorts by the last column, then the one before, ..., then the first leave.
    // Rows that stand in that order already stay where they are, and the views hear of nothing.
    static constexpr std::size_t kMaxSortColumns = 8;
    void sortByColumns(std::span<const int> columns, Qt::SortOrder order);
    // Rows `changed` (ascending, distinct) had sort cells rewritten; every other row still stands as
    // sortByColumns(columns, order) leaves rows. Moves the changed rows to where that sort would put
    // them, each after the rows it ties with that stood before it, and returns true; returns false and
    // changes nothing when the other rows are out of that order. `othersInOrder` spares the check of
    // the other rows when the caller knows they were not touched since such a sort. Rows inserted or
    // removed that wait to be told are told first, so the moves reach the views in the list's order.
    bool resortRows(std::span<const int> changed, std::span<const int> columns, Qt::SortOrder order,
                    bool othersInOrder = false);
    // The first `count` rows, best first, that sortByColumns(columns, order) would put first; rows
    // are read once and none moves.
    std::vector<int> firstSortedRows(std::span<const int> columns, Qt::SortOrder order, int count) const;
    // The first row whose cell in `column` is exactly `text`, or -1.
    int find(int column, std::string_view text) const;

    // Counts changes to the rows; equal values mean the rows did not change in between.
    std::uint64_t generation() const { return m_generation; }

    // Tells the views about the rows appended, inserted and removed since the last announcement.
    void announcePending();
    int announcedRows() const { return m_announced; }
    // The row the views show as `viewRow`, or -1 when it was removed; and the other way round, -1 for a
    // row the views do not know yet.
    int rowOfViewRow(int viewRow) const;
    int viewRowOf(int row) const;
    // True while rows inserted or removed wait to be told, so rows and view rows may differ.
    bool movesPending() const { return !m_added.empty() || !m_removed.empty(); }

    void setBoldFont(const QFont& font);
    void setDragEnabled(bool on) { m_dragEnabled = on; }

    std::size_t heapBytes() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A row inserted since the last announcement, and the row of m_rows it stands before.
    struct AddedRow {
        ListRow row;
        int before = 0;
        KeyPrefix key; // of its cell in m_keyColumn
    };
    // Where row `row` is kept: in m_added (`added`) or in m_rows.
    struct Place {
        bool added = false;
        int index = 0;
    };
    Place locate(int row) const;
    const ListRow& rowIn(Place place) const;
    // Throws std::out_of_range for a row that does not exist.
    const ListRow& rowAt(int row) const;
    ListRow& rowAt(int row);
    // Makes m_keys hold the key prefixes of `column` for every row of m_rows.
    void cacheKeys(int column);
    // Rows of m_rows before `index` that are not removed.
    int keptBefore(int index) const;
    void queueAnnouncement();
    // Tells the views at once when many inserts and removals wait, else once control is back.
    void announceWhenMany();
    void announceAppended();
    void announceMoves();
    // Puts the rows the views know in the order `order` gives (old index of every new place).
    void reorder(const std::vector<std::uint32_t>& order);
    // Moves row `from` of the rows the views know to place `to`, telling the views.
    void moveRow(int from, int to);
    // The role's list is made only for a cell the views know: a fill writes cells of none.
    void cellChanged(int row, int column, int role);

    std::vector<std::string> m_headers;
    // The rows the views know, in their order, then the rows appended since (from m_announced on).
    // While rows were inserted or removed since the last announcement, nothing was appended.
    std::vector<ListRow> m_rows;
    std::vector<AddedRow> m_added; // in list order; `before` never falls
    std::vector<int> m_removed;    // indexes into m_rows, ascending
    // The key prefixes of the cells in column m_keyColumn (-1: none) of the first rows of m_rows, kept
    // in step with them, so a search for a row's sorted place reads a compact array, not the rows.
    std::vector<KeyPrefix> m_keys;
    int m_keyColumn = -1;
    int m_announced = 0;
    bool m_announceQueued = false;
    std::uint64_t m_generation = 0;
    QFont m_boldFont;
    bool m_dragEnabled = false;
};

} // namespace tk
