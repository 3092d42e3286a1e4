#include "errorcheck.h"
#include "listfixture.h"
#include "platform/errors.h"
#include "platform/listmodel.h"
#include "platform/listview.h"
#include "testruntime.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using testing_support::runtimeErrorNumber;
using testing_support::TestRuntime;

using listtest::ListFixture;
using listtest::Texts;

TEST(ListViewSelection, FollowsItsRowThroughSorts) {
    ListFixture f;
    f.columns({"Name", "Key"});
    f.list->addRow({"x", "3"});
    f.list->addRow({"y", "1"});
    f.list->addRow({"z", "2"});
    f.list->select(1);
    f.list->setSortKey(1);
    f.list->setSorted(true);
    EXPECT_EQ(f.list->text(f.list->selectedRow()), "x");
    EXPECT_EQ(f.list->selectedRow(), 3);
    f.list->setSortOrder(1);
    EXPECT_EQ(f.list->selectedRow(), 1);
    // The view's current row moves with it too, so the arrow keys go on from there.
    EXPECT_EQ(f.list->view().currentIndex().row(), 0);
}

TEST(ListViewSelection, TheFirstRowIsSelectedUnlessTheProgramClearedItAndARemovedRowsPlaceIsTaken) {
    ListFixture f;
    f.columns({"Name"});
    EXPECT_EQ(f.list->selectedRow(), 0);
    f.list->add("b");
    f.list->add("c");
    EXPECT_EQ(f.list->selectedRow(), 1);
    f.list->select(0);
    f.list->add("d");
    EXPECT_EQ(f.list->selectedRow(), 0);
    EXPECT_EQ(runtimeErrorNumber([&] { f.list->select(4); }), tk::err::kIndexOutOfBounds);
    f.list->clear();
    f.list->add("e");
    EXPECT_EQ(f.list->selectedRow(), 1);

    // Removing the selected row selects the one taking its place, or the new last one.
    f.list->add("1");
    f.list->add("2");
    f.list->select(2);
    f.list->remove(2);
    EXPECT_EQ(f.list->text(f.list->selectedRow()), "2");
    f.list->remove(2);
    EXPECT_EQ(f.list->text(f.list->selectedRow()), "e");
    f.list->remove(1);
    EXPECT_EQ(f.list->count(), 0);
    EXPECT_EQ(f.list->selectedRow(), 0);
}

TEST(ListViewStyle, BoldAndColourStayWithTheirCellsThroughSorts) {
    ListFixture f;
    f.columns({"Name", "Artist", "Title"});
    f.list->addRow({"b", "B-artist", "B-title"});
    f.list->addRow({"a", "A-artist", "A-title"});
    f.list->setBold(1, 2, true);
    f.list->setForeColor(1, 2, 255);
    f.list->setForeColor(1, 0, tk::rgb(0, 128, 0));
    f.list->setSorted(true);
    ASSERT_EQ(f.list->text(2), "b");
    EXPECT_TRUE(f.list->bold(2, 2));
    EXPECT_FALSE(f.list->bold(2, 0)); // the row text is styled apart from the sub-items
    EXPECT_FALSE(f.list->bold(2, 1));
    EXPECT_EQ(f.list->foreColor(2, 2), 255u);
    EXPECT_EQ(f.list->foreColor(2, 0), tk::rgb(0, 128, 0));
    EXPECT_FALSE(f.list->bold(1, 2));
    EXPECT_EQ(f.list->foreColor(1, 2), 0u);

    // What the view draws: the list's font made bold, and the colour with red in the low byte.
    QCoreApplication::sendPostedEvents();
    tk::ListModel& m = f.list->model();
    const QFont bold = m.data(m.index(1, 2), Qt::FontRole).value<QFont>();
    EXPECT_TRUE(bold.bold());
    EXPECT_EQ(bold.family(), f.list->view().font().family());
    EXPECT_FALSE(m.data(m.index(1, 1), Qt::FontRole).isValid());
    EXPECT_EQ(m.data(m.index(1, 2), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_FALSE(m.data(m.index(0, 2), Qt::ForegroundRole).isValid());
}

TEST(ListViewFind, FindsTheFirstRowWithExactlyTheWholeText) {
    ListFixture f;
    f.columns({"#", "Value"});
    for (const char* t : {"10", "1", "2", "1", "Ab"}) {
        f.list->add(t);
    }
    f.list->setSubItem(4, 1, "second one");
    EXPECT_EQ(f.list->findItem("1"), 2);
    EXPECT_EQ(f.list->findItem("2"), 3);
    EXPECT_EQ(f.list->findItem("ab"), 0); // exact, letter case counts
    EXPECT_EQ(f.list->findItem("3"), 0);
    EXPECT_EQ(f.list->findItem(""), 0);
}

TEST(ListViewRows, MissingRowsAndSubItemsAreRuntimeErrors) {
    ListFixture f;
    f.columns({"Name", "Sub"});
    EXPECT_EQ(runtimeErrorNumber([&] { (void)f.list->subItem(f.list->selectedRow(), 1); }),
              tk::err::kIndexOutOfBounds);
    f.list->add("a");
    EXPECT_EQ(runtimeErrorNumber([&] { (void)f.list->subItem(1, 2); }), tk::err::kIndexOutOfBounds);
    EXPECT_EQ(runtimeErrorNumber([&] { f.list->setSubItem(1, 0, "x"); }), tk::err::kIndexOutOfBounds);
    EXPECT_EQ(runtimeErrorNumber([&] { f.list->remove(2); }), tk::err::kIndexOutOfBounds);
    EXPECT_EQ(runtimeErrorNumber([&] { f.list->setBold(1, 2, true); }), tk::err::kIndexOutOfBounds);
    EXPECT_EQ(runtimeErrorNumber([&] { f.list->setSortOrder(2); }), tk::err::kInvalidPropertyValue);
    EXPECT_EQ(f.list->subItem(1, 1), "");
    EXPECT_EQ(f.list->count(), 1);
}

TEST(ListViewRows, ABulkFillIsAnnouncedToTheViewsOnce) {
    ListFixture f;
    f.columns({"#", "Artist", "Title"});
    QSignalSpy inserted(&f.list->model(), &QAbstractItemModel::rowsInserted);
    for (int i = 1; i <= 5000; ++i) {
        const int row = f.list->add(std::to_string(i));
        f.list->setSubItem(row, 1, "Artist " + std::to_string(i % 7));
        f.list->setSubItem(row, 2, "Title " + std::to_string(i));
    }
    for (int i = 5001; i <= 10000; ++i) {
        f.list->addRow({std::to_string(i), "Artist", "Title " + std::to_string(i)});
    }
    EXPECT_EQ(f.list->count(), 10000);
    EXPECT_EQ(f.list->subItem(4321, 2), "Title 4321");
    QCoreApplication::sendPostedEvents();
    // The first row went in alone to be selected; the rest arrived together.
    EXPECT_EQ(inserted.count(), 2);
    tk::ListModel& m = f.list->model();
    EXPECT_EQ(m.rowCount(), 10000);
    EXPECT_EQ(m.data(m.index(9999, 2)).toString(), QStringLiteral("Title 10000"));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QStringLiteral("Artist 1"));
}

TEST(ListViewRows, RemovingAndClearingKeepModelAndCountInStep) {
    ListFixture f;
    f.columns({"#"});
    for (int i = 1; i <= 5; ++i) {
        f.list->add(std::to_string(i));
    }
    f.list->remove(5); // a row the views were not told about yet
    QCoreApplication::sendPostedEvents();
    f.list->remove(1);
    EXPECT_EQ(f.column(0), (Texts{"2", "3", "4"}));
    QCoreApplication::sendPostedEvents(); // the views learn of the removal
    EXPECT_EQ(f.list->model().rowCount(), 3);
    f.list->clear();
    EXPECT_EQ(f.list->count(), 0);
    EXPECT_EQ(f.list->model().rowCount(), 0);
}

TEST(ListViewColumns, WidthsReadBackAsAssignedAndShowScaled) {
    ListFixture f;
    f.list->addColumn("#", 500);
    f.list->addColumn("Title", 3500.5f);
    f.list->addColumn("Song Location", 0);
    EXPECT_EQ(f.list->columnCount(), 3);
    EXPECT_EQ(f.list->columnHeader(1), "Title");
    EXPECT_EQ(f.list->columnWidth(1), 3500.5f);
    EXPECT_EQ(f.list->view().header()->sectionSize(0), 33); // 500 twips on the design screen
    EXPECT_TRUE(f.list->view().isColumnHidden(2));
    f.list->setColumnWidth(2, 1500);
    EXPECT_FALSE(f.list->view().isColumnHidden(2));
    EXPECT_EQ(f.list->view().header()->sectionSize(2), 100);
    f.list->setColumnHeader(2, "Path");
    EXPECT_EQ(f.list->model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("Path"));
    // A hidden column still carries its data.
    f.list->setColumnWidth(2, 0);
    f.list->addRow({"1", "Song", "/music/song.mp3"});
    EXPECT_EQ(f.list->subItem(1, 2), "/music/song.mp3");
}

TEST(ListViewColumns, HeaderWidthsFollowTheScreenScale) {
    tk::Services s;
    s.screen.emplace(2048, 1536); // twice the design size
    TestRuntime rt(std::move(s));
    QWidget host;
    tk::ListView list(&host, "ListView");
    list.addColumn("#", 1500);
    EXPECT_EQ(list.view().header()->sectionSize(0), 200);
    EXPECT_EQ(list.columnWidth(0), 1500.0f);
}
