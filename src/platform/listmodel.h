#pragma once

#include "platform/listrow.h"

#include <QAbstractTableModel>
#include <QFont>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

// The rows and columns of a report-view list. Rows count from 0 here. Rows appended in a burst are
// announced to the views together, once control returns to the event loop or before anything that
// needs the views to know them (a removal, a sort, a selection), so filling a list costs no per-row
// view work.
class ListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);

    int columns() const { return static_cast<int>(m_headers.size()); }
    int addColumn(std::string header);
    const std::string& header(int column) const { return m_headers.at(static_cast<std::size_t>(column)); }
    void setHeader(int column, std::string header);

    int rows() const { return static_cast<int>(m_rows.size()); }
    void reserve(int rows);
    // Appends at the end; returns the new row's index.
    int append(ListRow row);
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
    int sortedPosition(std::string_view key, int column, Qt::SortOrder order) const;
    // Stable sort by the text of one column, letter case ignored. Views keep their selection and
    // current row on the same row objects.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Stable sort by several columns, the first deciding and each next one breaking its ties: the
    // order that stable sorts by the last column, then the one before, ..., then the first leave.
    static constexpr std::size_t kMaxSortColumns = 8;
    void sortByColumns(std::span<const int> columns, Qt::SortOrder order);
    // Rows `changed` (ascending, distinct) had sort cells rewritten; every other row still stands as
    // sortByColumns(columns, order) leaves rows. Moves the changed rows to where that sort would put
    // them, each after the rows it ties with that stood before it, and returns true; returns false and
    // changes nothing when the other rows are out of that order. `othersInOrder` spares the check of
    // the other rows when the caller knows they were not touched since such a sort.
    bool resortRows(std::span<const int> changed, std::span<const int> columns, Qt::SortOrder order,
                    bool othersInOrder = false);
    // The first `count` rows, best first, that sortByColumns(columns, order) would put first; rows
    // are read once and none moves.
    std::vector<int> firstSortedRows(std::span<const int> columns, Qt::SortOrder order, int count) const;
    // The first row whose cell in `column` is exactly `text`, or -1.
    int find(int column, std::string_view text) const;

    // Counts changes to the rows; equal values mean the rows did not change in between.
    std::uint64_t generation() const { return m_generation; }

    // Tells the views about rows appended since the last announcement.
    void announcePending();
    int announcedRows() const { return m_announced; }

    void setBoldFont(const QFont& font);
    void setDragEnabled(bool on) { m_dragEnabled = on; }

    std::size_t heapBytes() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void cellChanged(int row, int column, const QList<int>& roles);

    std::vector<std::string> m_headers;
    std::vector<ListRow> m_rows;
    int m_announced = 0;
    bool m_announceQueued = false;
    std::uint64_t m_generation = 0;
    QFont m_boldFont;
    bool m_dragEnabled = false;
};

} // namespace tk
