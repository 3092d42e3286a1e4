#include "gui.h"
#include "platform/listmodel.h"
#include "platform/listview.h"
#include "testruntime.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

// A shown list of five rows whose mouse, key and list events are written to a log as they arrive,
// each with the row selected at that moment.
struct ShownList {
    TestRuntime rt;
    QWidget window;
    tk::ListView* list = new tk::ListView(&window, "play");
    std::vector<std::string> log;

    ShownList() {
        window.resize(800, 600);
        list->move(300, 300, 9000, 4500);
        list->addColumn("#", 500);
        list->addColumn("Title", 3500);
        for (int i = 1; i <= 5; ++i) {
            list->addRow({std::to_string(i), "Song " + std::to_string(i)});
        }
        auto sel = [this] { return " sel " + std::to_string(list->selectedRow()); };
        list->mouseDown.connect(
            [this, sel](int b, int, float, float) { log.push_back("down " + std::to_string(b) + sel()); });
        list->mouseUp.connect(
            [this, sel](int b, int, float, float) { log.push_back("up " + std::to_string(b) + sel()); });
        list->click.connect([this, sel] { log.push_back("click" + sel()); });
        list->dblClick.connect([this, sel] { log.push_back("dblclick" + sel()); });
        list->itemClick.connect([this](int row) { log.push_back("item " + std::to_string(row)); });
        list->keyDown.connect(
            [this, sel](int& key, int) { log.push_back("keydown " + std::to_string(key) + sel()); });
        list->keyPress.connect(
            [this, sel](int& ch) { log.push_back("keypress " + std::to_string(ch) + sel()); });
        list->keyUp.connect(
            [this, sel](int& key, int) { log.push_back("keyup " + std::to_string(key) + sel()); });
        list->columnClick.connect([this](int header) { log.push_back("column " + std::to_string(header)); });
        showAndExpose(&window);
        list->ensureVisible(1);
        QApplication::processEvents();
    }

    QWidget* viewport() { return list->view().viewport(); }
    // The middle of the title cell of `row` (1-based), in viewport coordinates.
    QPoint rowPoint(int row) { return list->view().visualRect(list->model().index(row - 1, 1)).center(); }
};

using Log = std::vector<std::string>;

} // namespace

TEST(ListViewMouse, AClickSelectsItsRowBeforeMouseDownAndADoubleClickRaisesNoSecondClick) {
    ShownList s;
    click(s.viewport(), 1, s.rowPoint(3));
    EXPECT_EQ(s.log, (Log{"down 1 sel 3", "up 1 sel 3", "item 3", "click sel 3"}));
    s.log.clear();
    click(s.viewport(), 2, s.rowPoint(5));
    EXPECT_EQ(s.log, (Log{"down 2 sel 5", "up 2 sel 5", "item 5", "click sel 5"}));
    s.log.clear();
    doubleClick(s.viewport(), 1, s.rowPoint(2));
    EXPECT_EQ(s.log,
              (Log{"down 1 sel 2", "up 1 sel 2", "item 2", "click sel 2", "dblclick sel 2", "up 1 sel 2"}));

    // A press below the rows keeps the selection: still a click on the control, but on no row.
    s.log.clear();
    const QPoint below(20, s.viewport()->height() - 5);
    ASSERT_FALSE(s.list->view().indexAt(below).isValid());
    click(s.viewport(), 1, below);
    EXPECT_EQ(s.log, (Log{"down 1 sel 2", "up 1 sel 2", "click sel 2"}));
    // Nor does a Ctrl+click take it away; a header click raises ColumnClick with the header's position.
    QTest::mouseClick(s.viewport(), Qt::LeftButton, Qt::ControlModifier, s.rowPoint(2));
    EXPECT_EQ(s.list->selectedRow(), 2);
    s.log.clear();
    QHeaderView* header = s.list->view().header();
    click(header->viewport(), 1, QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
    EXPECT_EQ(s.log, (Log{"column 2"}));
}

TEST(ListViewKeys, EnterRaisesKeyPress13AndArrowsMoveTheSelectionAfterAKeyDownThatCanSwallowThem) {
    ShownList s;
    s.list->select(1);
    pressKey(s.list, Qt::Key_Return, "\r");
    EXPECT_EQ(s.log, (Log{"keydown 13 sel 1", "keypress 13 sel 1", "keyup 13 sel 1"}));
    s.log.clear();
    pressKey(s.list, Qt::Key_Down);
    EXPECT_EQ(s.log, (Log{"keydown 40 sel 1", "keyup 40 sel 2"}));
    s.list->keyDown.connect([](int& key, int) { key = 0; });
    pressKey(s.list, Qt::Key_Down);
    EXPECT_EQ(s.list->selectedRow(), 2);
}

TEST(ListViewScrolling, SelectingARowScrollsUpAndDownOnlyWhileTheScrollBarScrollsSideways) {
    // A list wider and taller than its view, scrolled to the top left, as the song lists are.
    TestRuntime rt;
    QWidget window;
    window.resize(800, 600);
    auto* list = new tk::ListView(&window, "songs");
    list->move(300, 300, 6000, 3000);
    for (const char* header : {"#", "Album By", "Title", "Artist", "Album", "Genre"}) {
        list->addColumn(header, 1500);
    }
    for (int i = 1; i <= 40; ++i) {
        const std::string n = std::to_string(i);
        list->addRow({n, "By " + n, "Title " + n, "Artist " + n, "Album " + n, "Genre " + n});
    }
    showAndExpose(&window);
    QApplication::processEvents(); // lays the rows out and shows the scroll bars
    QTreeView& view = list->view();
    QScrollBar& across = *view.horizontalScrollBar();
    QScrollBar& down = *view.verticalScrollBar();
    ASSERT_GT(across.maximum(), 0);
    ASSERT_EQ(across.value(), 0);
    ASSERT_EQ(down.value(), 0);

    // Click the cell at the bottom right, partly visible both ways: the press selects its row (not
    // the one that would scroll under the mouse). Then walk down past the last row in view.
    const QPoint at(view.viewport()->width() - 2, view.viewport()->height() - 2);
    const QModelIndex clicked = view.indexAt(at);
    ASSERT_TRUE(clicked.isValid());
    ASSERT_GT(clicked.column(), 0);
    ASSERT_GT(view.visualRect(clicked).right(), view.viewport()->width());
    ASSERT_GT(view.visualRect(clicked).bottom(), view.viewport()->height());
    click(view.viewport(), 1, at);
    EXPECT_EQ(list->selectedRow(), clicked.row() + 1);
    constexpr int kDowns = 8;
    for (int i = 0; i < kDowns; ++i) {
        pressKey(list, Qt::Key_Down);
    }
    pressKey(list, Qt::Key_Return, "\r");
    QApplication::processEvents();
    const int selected = clicked.row() + kDowns;
    EXPECT_EQ(list->selectedRow(), selected + 1);
    EXPECT_EQ(across.value(), 0);
    // The selected row was kept in view.
    const QRect row = view.visualRect(list->model().index(selected, 0));
    EXPECT_GT(down.value(), 0);
    EXPECT_GE(row.top(), 0);
    EXPECT_LE(row.bottom(), view.viewport()->height());

    // The scroll bar still moves the list sideways, and the selection then leaves it there.
    across.triggerAction(QAbstractSlider::SliderPageStepAdd);
    const int scrolled = across.value();
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(view.header()->offset(), scrolled);
    pressKey(list, Qt::Key_Up);
    list->select(1);
    list->ensureVisible(1);
    click(view.viewport(), 1, QPoint(5, view.visualRect(list->model().index(0, 0)).center().y()));
    EXPECT_EQ(list->selectedRow(), 1);
    EXPECT_EQ(down.value(), 0);
    EXPECT_EQ(across.value(), scrolled);
}

TEST(ListViewFocus, FocusOnTheControlGoesToItsView) {
    ShownList s;
    QLineEdit other(&s.window);
    other.show();
    other.setFocus();
    QApplication::processEvents();
    int got = 0;
    s.list->gotFocus.connect([&] { ++got; });
    s.list->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), &s.list->view());
    EXPECT_EQ(got, 1);
}

TEST(ListViewDrag, OnlyADragSourceStartsADragWhoseListNameADropTellsApartFromFiles) {
    ShownList s;
    auto dragRow = [&](int row) {
        startDragging(s.viewport(), s.rowPoint(row));
        release(s.viewport(), 1, s.rowPoint(row));
    };
    dragRow(2);
    EXPECT_EQ(s.list->view().findChild<QDrag*>(), nullptr);

    s.list->setDragSource(true);
    EXPECT_TRUE(s.list->model().flags(s.list->model().index(0, 0)) & Qt::ItemIsDragEnabled);
    dragRow(4);
    const QDrag* drag = s.list->view().findChild<QDrag*>();
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(s.list->selectedRow(), 4); // the row dragged is the selected one
    const QMimeData& data = *drag->mimeData();
    EXPECT_EQ(data.data(tk::kRowsMimeType), QByteArray("play"));
    EXPECT_FALSE(data.hasUrls());

    // Dropped on a control, the rows name their list.
    tk::Control target(&s.window, "Image1", 1);
    target.setDropTarget(true);
    tk::DropData got;
    target.dragDrop.connect([&](const tk::DropData& d) { got = d; });
    drop(&target, data);
    EXPECT_TRUE(got.fromOwnList());
    EXPECT_EQ(got.sourceList, "play");
    EXPECT_TRUE(got.files.empty());
}

TEST(ListViewLooks, BackColourAndFontApplyToTheView) {
    ShownList s;
    s.list->setBackColor(0xFF8080);
    EXPECT_EQ(s.list->backColor(), 0xFF8080u);
    EXPECT_EQ(s.list->view().palette().color(QPalette::Base), QColor(128, 128, 255));
    s.list->setBackColor(tk::kSysWindow);
    EXPECT_EQ(s.list->backColor(), tk::kSysWindow); // a system colour keeps its raw value
    s.list->setFontName("Arial");
    s.list->setFontSize(12);
    s.list->setFontBold(true);
    EXPECT_EQ(s.list->fontName(), "Arial");
    EXPECT_EQ(s.list->fontSize(), 12.0f);
    EXPECT_TRUE(s.list->view().font().bold());
    EXPECT_EQ(s.list->view().font().pixelSize(), 16); // 12 pt on the 96-dpi design screen
}
