#include "errorcheck.h"
#include "gui.h"
#include "platform/errors.h"
#include "platform/listbox.h"
#include "testruntime.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QListView>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

using Log = std::vector<std::string>;

TEST(ListBox, KeepsItsEntriesInOrderCountingFromZeroAndRaisesClickWhenListIndexChanges) {
    TestRuntime rt;
    QWidget host;
    tk::ListBox box(&host, "lstFilenames");
    QAbstractItemModelTester tester(&box.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    box.addItem("/music/a.mp3");
    box.addItem("/music/c.mp3");
    box.addItem("/music/b.mp3", 1);
    EXPECT_EQ(box.listCount(), 3);
    EXPECT_EQ(box.list(1), "/music/b.mp3");
    EXPECT_EQ(box.list(3), ""); // reading past the end gives an empty text
    EXPECT_EQ(box.list(-1), "");
    box.removeItem(0);
    EXPECT_EQ(box.list(0), "/music/b.mp3");
    box.setList(1, "/music/d.mp3");
    EXPECT_EQ(box.list(1), "/music/d.mp3");
    EXPECT_EQ(runtimeErrorNumber([&] { box.removeItem(2); }), tk::err::kInvalidProcedureCall);
    EXPECT_EQ(runtimeErrorNumber([&] { box.addItem("x", 5); }), tk::err::kInvalidProcedureCall);
    box.setBackColor(0x80FFFF);
    EXPECT_EQ(box.backColor(), 0x80FFFFu);
    EXPECT_EQ(box.view().palette().color(QPalette::Base), QColor(255, 255, 128));

    int clicks = 0;
    box.click.connect([&] { ++clicks; });
    EXPECT_EQ(box.listIndex(), -1);
    box.setListIndex(1);
    EXPECT_EQ(box.listIndex(), 1);
    box.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    box.setListIndex(-1);
    EXPECT_EQ(box.listIndex(), -1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(runtimeErrorNumber([&] { box.setListIndex(2); }), tk::err::kInvalidPropertyValue);
    box.setListIndex(0);
    box.clear();
    EXPECT_EQ(box.listCount(), 0);
    EXPECT_EQ(box.listIndex(), -1);
}

TEST(ListBox, ClicksOnEntriesSelectThemBeforeMouseDown) {
    TestRuntime rt;
    QWidget window;
    window.resize(400, 300);
    auto* box = new tk::ListBox(&window, "Box");
    box->move(150, 150, 3000, 2000);
    for (const char* e : {"one", "two", "three"}) {
        box->addItem(e);
    }
    Log log;
    auto at = [&] { return " at " + std::to_string(box->listIndex()); };
    box->mouseDown.connect(
        [&](int b, int, float, float) { log.push_back("down " + std::to_string(b) + at()); });
    box->mouseUp.connect([&](int b, int, float, float) { log.push_back("up " + std::to_string(b) + at()); });
    box->click.connect([&] { log.push_back("click" + at()); });
    box->dblClick.connect([&] { log.push_back("dblclick" + at()); });
    showAndExpose(&window);
    QListView& view = box->view();
    const QPoint third = view.visualRect(box->model().index(2, 0)).center();
    click(view.viewport(), 1, third);
    EXPECT_EQ(log, (Log{"down 1 at 2", "up 1 at 2", "click at 2"}));
    log.clear();
    doubleClick(view.viewport(), 1, view.visualRect(box->model().index(0, 0)).center());
    EXPECT_EQ(log, (Log{"down 1 at 0", "up 1 at 0", "click at 0", "dblclick at 0", "up 1 at 0"}));
}

TEST(ListBox, SelectingAnEntryScrollsUpAndDownOnlyAndAPressSelectsTheEntryUnderIt) {
    TestRuntime rt;
    QWidget window;
    window.resize(600, 400);
    auto* box = new tk::ListBox(&window, "Box");
    box->move(150, 150, 3000, 2100);
    for (int i = 0; i < 30; ++i) {
        box->addItem("/music/a folder with a long name/and another one below it/song " + std::to_string(i));
    }
    showAndExpose(&window);
    QApplication::processEvents();
    QListView& view = box->view();
    QScrollBar& across = *view.horizontalScrollBar();
    QScrollBar& down = *view.verticalScrollBar();
    ASSERT_GT(across.maximum(), 0);
    across.triggerAction(QAbstractSlider::SliderPageStepAdd);
    const int scrolled = across.value();
    ASSERT_GT(scrolled, 0);

    // A press on the entry cut off at the bottom selects that entry, not the one that scrolls under
    // the mouse.
    const QPoint at(5, view.viewport()->height() - 2);
    const QModelIndex partly = view.indexAt(at);
    ASSERT_TRUE(partly.isValid());
    ASSERT_GT(view.visualRect(partly).bottom(), view.viewport()->height());
    click(view.viewport(), 1, at);
    EXPECT_EQ(box->listIndex(), partly.row());
    for (int i = 0; i < 4; ++i) {
        pressKey(box, Qt::Key_Down);
    }
    EXPECT_EQ(box->listIndex(), partly.row() + 4);
    EXPECT_GT(down.value(), 0);
    EXPECT_EQ(across.value(), scrolled);
    box->setListIndex(0);
    EXPECT_EQ(down.value(), 0);
    EXPECT_EQ(across.value(), scrolled);
}
