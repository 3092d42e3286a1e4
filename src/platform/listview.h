#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/font.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QMimeData;
class QTreeView;

namespace tk {

class ListModel;
class ListRow;

// A list view in report view: columns with headers and twips widths, rows of a text and sub-items,
// per-cell bold and colour, one selected row, and a sort state kept by the list.
//
// Numbering follows the old control. Rows count from 1 in the current order. Columns count from 0:
// column 0 is the row text, column k (k ≥ 1) holds sub-item k; the sort key uses the same numbers.
// Reading or writing a row or sub-item that does not exist raises runtime error 35600 ("Index out of
// bounds"), which is what the handlers that "end quietly when no row is selected" rely on.
//
// Sorting compares texts ignoring letter case (see compareIgnoringCase) and is stable. While sorting
// is on, switching it on and every assignment of the sort key or order re-sorts at once, and new rows
// go to their sorted place after the rows that compare equal; a row's sort place is taken when it is
// added, so sub-items set afterwards do not move it (as in the old control). Switching sorting off
// leaves the rows where they are.
class ListView : public Control {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent, std::string name = {}, int index = -1);
    ~ListView() override;

    // Columns. A column of width 0 is hidden and still carries its data.
    int addColumn(const std::string& header, float widthTwips);
    int columnCount() const;
    std::string columnHeader(int column) const;
    void setColumnHeader(int column, const std::string& header);
    float columnWidth(int column) const;
    void setColumnWidth(int column, float twips);

    // Rows.
    int count() const;
    // Appends a row (or puts it at its sorted place); returns its row number.
    int add(std::string_view text);
    // The same with the row text and sub-items 1, 2, ... at once: the quick way to fill a list.
    int addRow(std::span<const std::string_view> cells);
    int addRow(std::initializer_list<std::string_view> cells);
    // Makes room for `rows` rows in all (a hint before a large fill).
    void reserve(int rows);
    void remove(int row);
    void clear();
    std::string text(int row) const;
    void setText(int row, std::string_view text);
    std::string subItem(int row, int column) const;
    void setSubItem(int row, int column, std::string_view text);

    // Cell looks; column 0 is the row text. Colour 0 is the default black.
    bool bold(int row, int column) const;
    void setBold(int row, int column, bool on);
    OleColor foreColor(int row, int column) const;
    void setForeColor(int row, int column, OleColor color);

    // Selection: the selected row, or 0 when none. Adding rows to a list without a selected row
    // selects row 1, unless the program cleared the selection with select(0).
    int selectedRow() const;
    void select(int row);
    void ensureVisible(int row);

    // The first row whose row text is exactly `text`, or 0.
    int findItem(std::string_view text) const;
    // The first row whose sub-item `column` is exactly `text`, or 0.
    int findSubItem(int column, std::string_view text) const;

    bool sorted() const { return m_sorted; }
    void setSorted(bool on);
    int sortKey() const { return m_sortKey; }
    void setSortKey(int column);
    int sortOrder() const { return m_sortOrder; } // 0 ascending, 1 descending
    void setSortOrder(int order);

    // Sorts by several columns at once (0 ascending, 1 descending), the first deciding: the order that
    // stable sorts by the last column, then the one before, ..., then the first would leave. The sort
    // state (on/off, key, order) is not changed.
    void sortByColumns(std::span<const int> columns, int order);

    // Rows `rows` (ascending) had cells of `columns` rewritten while the other rows stood as
    // sortByColumns(columns, order) leaves them: moves those rows to where that sort would put them
    // and returns true, or returns false and changes nothing when the other rows are out of order.
    // The other rows are not even read when the list knows that only `rows` were written since it
    // was put in that order. The sort state is not changed.
    bool resortRows(std::span<const int> rows, std::span<const int> columns, int order);
    // The first `count` rows, best first, that sortByColumns(columns, order) would put first; no row
    // moves.
    std::vector<int> firstSortedRows(std::span<const int> columns, int order, int count) const;

    // The old "automatic drag": dragging the selected row out carries this list's name.
    bool dragSource() const { return m_dragSource; }
    void setDragSource(bool on);
    // What a drag out of this list carries.
    std::unique_ptr<QMimeData> dragData() const;

    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    const FontSpec& font() const { return m_font; }
    void setFont(const FontSpec& font);
    const std::string& fontName() const { return m_font.name; }
    void setFontName(const std::string& name);
    float fontSize() const { return m_font.size; }
    void setFontSize(float points);
    bool fontBold() const { return m_font.bold(); }
    void setFontBold(bool on);

    // The item model and view, for tests and the layer's own drivers.
    ListModel& model() { return *m_model; }
    QTreeView& view();

    Event<int> itemClick;   // the clicked row, raised between MouseUp and Click
    Event<int> columnClick; // the clicked header's 1-based position, as the old ColumnHeader.Index

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void beforeClick() override;

private:
    class View;
    int checkedRow(int row) const;
    void checkColumn(int column, bool allowRowText) const;
    int insertRow(ListRow row);
    void afterAdd();
    // True when the rows stand as the last sort left them, by the current key and order.
    bool sortedAsSet() const;
    // The rows stand as sortByColumns(columns, order) leaves them.
    void rememberSortedBy(std::span<const int> columns, int order);
    // Notes a write, or the removal, of row `row` (0-based) that found the rows at generation `before`.
    void noteWrite(int row, std::uint64_t before);
    void noteRemoval(int row, std::uint64_t before);
    void resort();
    void applyColumnWidth(int column);
    void applyFont();

    ListModel* m_model;
    View* m_view;
    std::vector<float> m_widths;
    bool m_sorted = false;
    int m_sortKey = 0;
    int m_sortOrder = 0;
    // The order the rows were last sorted in, and the row generation it was made at.
    int m_lastSortKey = -1;
    int m_lastSortOrder = 0;
    std::uint64_t m_lastSortGeneration = 0;
    // The columns and order of the last sortByColumns or resortRows, the rows (0-based) whose cells
    // were written since, and the generation after the last of those writes. A removal shifts those
    // rows; any other change of the rows leaves the generation behind, and with it the knowledge.
    std::vector<int> m_byColumns;
    int m_byColumnsOrder = 0;
    std::vector<int> m_writtenSince;
    std::uint64_t m_writtenGeneration = 0;
    bool m_selectionCleared = false;
    bool m_dragSource = false;
    bool m_applyingWidths = false;
    int m_pressRow = 0;
    OleColor m_backColor = kSysWindow;
    FontSpec m_font;
};

} // namespace tk
