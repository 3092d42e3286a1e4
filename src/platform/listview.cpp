#include "platform/listview.h"

#include "platform/errors.h"
#include "platform/listmodel.h"
#include "platform/rowview.h"
#include "platform/runtime.h"

#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <cmath>

namespace tk {

class ListView::View final : public RowView<QTreeView> {
public:
    using RowView::RowView;
};

namespace {
[[noreturn]] void indexOutOfBounds() {
    throw RuntimeError(err::kIndexOutOfBounds, "Index out of bounds");
}

int twipsToPixels(float twips) {
    return static_cast<int>(std::lround(twips / Screen::kTwipsPerPixel * screenScale()));
}
} // namespace

ListView::ListView(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index)
    , m_model(new ListModel(this))
    , m_view(new View) {
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSortingEnabled(false);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* header = m_view->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setMinimumSectionSize(1);
    QObject::connect(header, &QHeaderView::sectionClicked, this,
                     [this](int section) { raiseEvent([&] { columnClick(section + 1); }); });
    QObject::connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        // A column the user resized reads back its new width.
        if (!m_applyingWidths && section >= 0 && static_cast<std::size_t>(section) < m_widths.size()) {
            m_widths[static_cast<std::size_t>(section)] =
                static_cast<float>(size) / static_cast<float>(screenScale()) * Screen::kTwipsPerPixel;
        }
    });
    m_view->dragData = [this] { return dragData(); };
    setFocusProxy(m_view);
    hostInner(m_view);
    setBackColor(m_backColor);
    applyFont();
}

ListView::~ListView() = default;

QTreeView& ListView::view() {
    return *m_view;
}

// Columns.

int ListView::addColumn(const std::string& header, float widthTwips) {
    const int column = m_model->addColumn(header);
    m_widths.push_back(std::max(0.0f, widthTwips));
    applyColumnWidth(column);
    return column;
}

int ListView::columnCount() const {
    return m_model->columns();
}

void ListView::checkColumn(int column, bool allowRowText) const {
    // Column 0 (the row text) exists even in a list without column headers.
    const int limit = std::max(1, columnCount());
    if (column < (allowRowText ? 0 : 1) || column >= limit) {
        indexOutOfBounds();
    }
}

std::string ListView::columnHeader(int column) const {
    if (column < 0 || column >= columnCount()) {
        indexOutOfBounds();
    }
    return m_model->header(column);
}

void ListView::setColumnHeader(int column, const std::string& header) {
    if (column < 0 || column >= columnCount()) {
        indexOutOfBounds();
    }
    m_model->setHeader(column, header);
}

float ListView::columnWidth(int column) const {
    if (column < 0 || column >= columnCount()) {
        indexOutOfBounds();
    }
    return m_widths[static_cast<std::size_t>(column)];
}

void ListView::setColumnWidth(int column, float twips) {
    if (column < 0 || column >= columnCount()) {
        indexOutOfBounds();
    }
    m_widths[static_cast<std::size_t>(column)] = std::max(0.0f, twips);
    applyColumnWidth(column);
}

void ListView::applyColumnWidth(int column) {
    const float twips = m_widths[static_cast<std::size_t>(column)];
    m_applyingWidths = true;
    const int px = twipsToPixels(twips);
    m_view->setColumnHidden(column, px <= 0);
    if (px > 0) {
        m_view->header()->resizeSection(column, px);
    }
    m_applyingWidths = false;
}

// Rows.

int ListView::count() const {
    return m_model->rows();
}

int ListView::checkedRow(int row) const {
    if (row < 1 || row > count()) {
        indexOutOfBounds();
    }
    return row - 1;
}

int ListView::add(std::string_view text) {
    // An appended row gets a cell per column and room for typical sub-items, which the caller sets
    // next; the room goes when the next row is appended (a row put at its sorted place gets none).
    constexpr std::size_t kSpareBytes = 256;
    constexpr std::size_t kUsualColumns = 16;
    const std::size_t spare = m_sorted ? 0 : kSpareBytes;
    const auto n = static_cast<std::size_t>(std::max(1, columnCount()));
    if (n <= kUsualColumns) {
        std::array<std::string_view, kUsualColumns> cells{};
        cells[0] = text;
        return insertRow(ListRow(std::span(cells.data(), n), spare));
    }
    std::vector<std::string_view> cells(n);
    cells[0] = text;
    return insertRow(ListRow(cells, spare));
}

int ListView::addRow(std::initializer_list<std::string_view> cells) {
    return addRow(std::span<const std::string_view>(cells.begin(), cells.size()));
}

int ListView::addRow(std::span<const std::string_view> cells) {
    return insertRow(ListRow(cells));
}

int ListView::insertRow(ListRow row) {
    int at;
    if (m_sorted) {
        const auto order = m_sortOrder == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
        const bool inOrder = sortedAsSet();
        at = m_model->sortedPosition(row.cell(m_sortKey), m_sortKey, order);
        m_model->insert(at, std::move(row));
        // A row put at its place in rows that stand sorted leaves them sorted.
        if (inOrder) {
            m_lastSortGeneration = m_model->generation();
        }
    } else {
        at = m_model->append(std::move(row));
    }
    afterAdd();
    return at + 1;
}

void ListView::afterAdd() {
    if (m_selectionCleared) {
        return;
    }
    // A selection the views still show may be on a row removed since they were last told.
    if (m_view->selectionModel()->hasSelection() && (!m_model->movesPending() || selectedRow() != 0)) {
        return;
    }
    m_model->announcePending();
    m_view->selectRow(0);
}

void ListView::reserve(int rows) {
    m_model->reserve(rows);
}

void ListView::remove(int row) {
    const int r = checkedRow(row);
    const bool wasSelected = selectedRow() == row;
    const std::uint64_t before = m_model->generation();
    m_model->remove(r);
    noteRemoval(r, before);
    // The row that takes the removed row's place becomes the selected one.
    if (wasSelected && count() > 0) {
        select(std::min(row, count()));
    }
}

void ListView::clear() {
    m_model->clear();
    m_selectionCleared = false;
}

std::string ListView::text(int row) const {
    return std::string(m_model->cell(checkedRow(row), 0));
}

void ListView::setText(int row, std::string_view text) {
    const int r = checkedRow(row);
    const std::uint64_t before = m_model->generation();
    m_model->setCell(r, 0, text);
    noteWrite(r, before);
}

std::string ListView::subItem(int row, int column) const {
    const int r = checkedRow(row);
    checkColumn(column, false);
    return std::string(m_model->cell(r, column));
}

void ListView::setSubItem(int row, int column, std::string_view text) {
    const int r = checkedRow(row);
    checkColumn(column, false);
    const std::uint64_t before = m_model->generation();
    m_model->setCell(r, column, text);
    noteWrite(r, before);
}

bool ListView::bold(int row, int column) const {
    const int r = checkedRow(row);
    checkColumn(column, true);
    return m_model->style(r, column).bold;
}

void ListView::setBold(int row, int column, bool on) {
    const int r = checkedRow(row);
    checkColumn(column, true);
    m_model->setBold(r, column, on);
}

OleColor ListView::foreColor(int row, int column) const {
    const int r = checkedRow(row);
    checkColumn(column, true);
    return m_model->style(r, column).color;
}

void ListView::setForeColor(int row, int column, OleColor color) {
    const int r = checkedRow(row);
    checkColumn(column, true);
    m_model->setColor(r, column, color);
}

// Selection.

int ListView::selectedRow() const {
    const QItemSelection selection = m_view->selectionModel()->selection();
    if (selection.isEmpty()) {
        return 0;
    }
    // The view may not know yet of rows inserted or removed since control left the event loop.
    return m_model->rowOfViewRow(selection.first().top()) + 1;
}

void ListView::select(int row) {
    if (row == 0) {
        m_view->selectionModel()->clearSelection();
        m_selectionCleared = count() > 0;
        return;
    }
    const int r = checkedRow(row);
    int viewRow = m_model->viewRowOf(r);
    if (viewRow < 0) {
        m_model->announcePending();
        viewRow = r;
    }
    m_view->selectRow(viewRow);
    m_selectionCleared = false;
}

void ListView::ensureVisible(int row) {
    const int r = checkedRow(row);
    m_model->announcePending();
    m_view->scrollTo(m_model->index(r, 0));
}

int ListView::findItem(std::string_view text) const {
    return m_model->find(0, text) + 1;
}

int ListView::findSubItem(int column, std::string_view text) const {
    checkColumn(column, false);
    return m_model->find(column, text) + 1;
}

// Dragging.

void ListView::setDragSource(bool on) {
    m_dragSource = on;
    m_model->setDragEnabled(on);
    m_view->setDragEnabled(on);
    m_view->setDragDropMode(on ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
}

std::unique_ptr<QMimeData> ListView::dragData() const {
    auto data = std::make_unique<QMimeData>();
    data->setData(kRowsMimeType, QByteArray::fromStdString(name()));
    return data;
}

// Looks.

void ListView::setBackColor(OleColor color) {
    m_backColor = color;
    setViewBackColor(*m_view, color);
}

void ListView::setFont(const FontSpec& font) {
    m_font = font;
    applyFont();
}

void ListView::setFontName(const std::string& name) {
    m_font.name = name;
    applyFont();
}

void ListView::setFontSize(float points) {
    m_font.size = points;
    applyFont();
}

void ListView::setFontBold(bool on) {
    m_font.setBold(on);
    applyFont();
}

void ListView::applyFont() {
    const QFont f = toQFont(m_font, screenScale());
    m_view->setFont(f);
    m_model->setBoldFont(f);
}

// Input.

bool ListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonPress) {
        // The pressed row is selected before MouseDown is raised, so the handler reads the new
        // selection, as in the old control.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_model->announcePending();
        const QModelIndex index = m_view->indexAt(mouse->position().toPoint());
        m_pressRow = index.isValid() ? index.row() + 1 : 0;
        if (index.isValid()) {
            m_view->selectPressedRow(index.row());
            m_selectionCleared = false;
        }
    }
    return Control::eventFilter(watched, event);
}

void ListView::beforeClick() {
    if (m_pressRow > 0 && m_pressRow <= count()) {
        const int row = m_pressRow;
        raiseEvent([&] { itemClick(row); });
    }
}

} // namespace tk
