#include "errorcheck.h"
#include "platform/errors.h"
#include "platform/listmodel.h"
#include "platform/listview.h"
#include "platform/textcompare.h"
#include "testruntime.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using testing_support::runtimeErrorNumber;
using testing_support::TestRuntime;

namespace {

// A list view on a plain host, its model watched by Qt's model tester throughout.
struct ListFixture {
    TestRuntime rt;
    QWidget host;
    tk::ListView* list = new tk::ListView(&host, "ListView");
    QAbstractItemModelTester tester{&list->model(), QAbstractItemModelTester::FailureReportingMode::Fatal};

    // Columns as the song tables have them: row text, then sub-items 1 to n-1.
    void columns(std::initializer_list<const char*> headers) {
        for (const char* h : headers) {
            list->addColumn(h, 1000);
        }
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> out;
        for (int r = 1; r <= list->count(); ++r) {
            out.push_back(c == 0 ? list->text(r) : list->subItem(r, c));
        }
        return out;
    }
};

using Texts = std::vector<std::string>;

} // namespace

TEST(ListViewSort, ThreeStablePassesGiveArtistAlbumTrackOrder) {
    ListFixture f;
    f.columns({"Album By", "Artist", "Album", "Trk", "Title"});
    // Record order, scrambled; two rows share artist, album and track and differ only by title.
    f.list->addRow({"", "Beta", "Zulu", "02", "b-z-2"});
    f.list->addRow({"", "alpha", "Yankee", "010", "a-y-10"});
    f.list->addRow({"", "Beta", "Able", "01", "b-a-1 first"});
    f.list->addRow({"", "Alpha", "Yankee", "002", "a-y-2"});
    f.list->addRow({"", "beta", "Able", "01", "b-a-1 second"});
    f.list->addRow({"", "alpha", "X-ray", "01", "a-x-1"});
    // As the song page's restore does: on, ascending, then track, album and artist.
    f.list->setSorted(true);
    f.list->setSortOrder(0);
    f.list->setSortKey(3);
    f.list->setSortKey(2);
    f.list->setSortKey(1);
    f.list->setSorted(false);
    EXPECT_EQ(f.column(4), (Texts{"a-x-1", "a-y-2", "a-y-10", "b-a-1 first", "b-a-1 second", "b-z-2"}));
    // Running the whole restore again keeps the order.
    for (int key : {3, 2, 1}) {
        f.list->setSorted(true);
        f.list->setSortKey(key);
    }
    EXPECT_EQ(f.column(4), (Texts{"a-x-1", "a-y-2", "a-y-10", "b-a-1 first", "b-a-1 second", "b-z-2"}));
}

TEST(ListViewSort, DescendingKeepsEqualRowsInTheirPreviousOrder) {
    ListFixture f;
    f.columns({"Title", "Played"});
    f.list->addRow({"a", "0003"});
    f.list->addRow({"b", "0012"});
    f.list->addRow({"c", "0003"});
    f.list->addRow({"d", "0012"});
    f.list->addRow({"e", "0000"});
    f.list->setSortOrder(1);
    f.list->setSortKey(1);
    f.list->setSorted(true);
    EXPECT_EQ(f.column(0), (Texts{"b", "d", "a", "c", "e"}));
    // Changing the order while sorting is on re-sorts at once.
    f.list->setSortOrder(0);
    EXPECT_EQ(f.column(0), (Texts{"e", "a", "c", "b", "d"}));
    // Switching sorting off leaves the rows where they are; new rows go to the end.
    f.list->setSorted(false);
    f.list->addRow({"f", "0001"});
    EXPECT_EQ(f.column(0), (Texts{"e", "a", "c", "b", "d", "f"}));
}

TEST(ListViewSort, ManyRowsWithFewKeysKeepTheirOrderWithinEachKey) {
    ListFixture f;
    f.columns({"#", "Genre"});
    static const char* const kGenres[] = {"Rock", "pop", "Jazz", "ROCK", "Pop"};
    for (int i = 0; i < 2000; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        f.list->addRow({number, kGenres[(i * 7919) % 5]});
    }
    for (int order : {0, 1}) {
        f.list->setSorted(false);
        f.list->setSortKey(0);
        f.list->setSortOrder(0);
        f.list->setSorted(true); // back to number order
        f.list->setSorted(false);
        f.list->setSortOrder(order);
        f.list->setSortKey(1);
        f.list->setSorted(true);
        const Texts numbers = f.column(0);
        const Texts genres = f.column(1);
        for (std::size_t i = 1; i < numbers.size(); ++i) {
            if (tk::compareIgnoringCase(genres[i - 1], genres[i]) == 0) {
                ASSERT_LT(numbers[i - 1], numbers[i]) << "order " << order << " at " << i;
            }
        }
    }
}

TEST(ListViewSort, ComparesTextIgnoringLetterCase) {
    ListFixture f;
    f.columns({"Name"});
    for (const char* t : {"beta", "Alpha", "alpha2", "ALPHA", "Émile", "emil"}) {
        f.list->add(t);
    }
    f.list->setSorted(true);
    EXPECT_EQ(f.column(0), (Texts{"Alpha", "ALPHA", "alpha2", "beta", "emil", "Émile"}));
}

TEST(ListViewSort, ShortAndLongKeysOrderAsTheTextComparisonInBothDirections) {
    // Short plain keys (numbers, tracks, NUL bytes, blanks) and keys past 8 bytes or beyond ASCII
    // mixed in one column, many of them equal: the stable order of compareIgnoringCase either way.
    static const std::string kKeys[] = {"0003",      "0012", "0003", "ab",  std::string("ab\0", 3),
                                        "AB",        "a",    "",     "  1", "12345678",
                                        "123456789", "Ab c", "é",    "É",   "0012"};
    std::vector<std::pair<std::string, std::string>> rows; // number, key
    for (int i = 0; i < 600; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        rows.emplace_back(number, kKeys[(i * 7919) % std::size(kKeys)]);
    }
    for (const bool onlyShort : {true, false}) {
        for (const int order : {0, 1}) {
            ListFixture f;
            f.columns({"#", "Key"});
            std::vector<std::pair<std::string, std::string>> expected;
            for (const auto& [number, key] : rows) {
                if (!onlyShort || (key.size() <= 8 && key != "é" && key != "É")) {
                    f.list->addRow({number, key});
                    expected.emplace_back(number, key);
                }
            }
            std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
                const int c = tk::compareIgnoringCase(a.second, b.second);
                return order == 1 ? c > 0 : c < 0;
            });
            f.list->setSortOrder(order);
            f.list->setSortKey(1);
            f.list->setSorted(true);
            Texts numbers;
            for (const auto& e : expected) {
                numbers.push_back(e.first);
            }
            EXPECT_EQ(f.column(0), numbers) << "short " << onlyShort << " order " << order;
        }
    }
}

TEST(ListViewSort, EveryAssignmentWhileOnSortsAgainWithChangedRows) {
    ListFixture f;
    f.columns({"Name"});
    f.list->add("b");
    f.list->add("c");
    f.list->setSorted(true);
    f.list->setText(1, "z"); // a changed row stays put until the next sort
    EXPECT_EQ(f.column(0), (Texts{"z", "c"}));
    f.list->setSortKey(0); // the same key again
    EXPECT_EQ(f.column(0), (Texts{"c", "z"}));
    // A row added at its place does not hide an earlier change from the next sort.
    f.list->setText(1, "zz");
    f.list->add("d");
    EXPECT_EQ(f.column(0), (Texts{"d", "zz", "z"}));
    f.list->setSorted(true);
    EXPECT_EQ(f.column(0), (Texts{"d", "z", "zz"}));
}

TEST(ListViewSort, NewRowsGoToTheirSortedPlaceAfterEqualOnes) {
    ListFixture f;
    f.columns({"Name", "Tag"});
    f.list->addRow({"b", "old"});
    f.list->addRow({"d", ""});
    f.list->setSorted(true);
    EXPECT_EQ(f.list->add("c"), 2);
    EXPECT_EQ(f.list->add("B"), 2); // after the "b" already there
    f.list->setSubItem(2, 1, "new");
    EXPECT_EQ(f.list->add("a"), 1);
    EXPECT_EQ(f.list->add("e"), 6);
    EXPECT_EQ(f.column(0), (Texts{"a", "b", "B", "c", "d", "e"}));
    EXPECT_EQ(f.column(1), (Texts{"", "old", "new", "", "", ""}));
    f.list->setSortOrder(1);
    EXPECT_EQ(f.list->add("bb"), 4);
    EXPECT_EQ(f.column(0), (Texts{"e", "d", "c", "bb", "b", "B", "a"}));
}

TEST(ListViewSort, RowsAddedOneByOneStandAsOneSortOfThemAllWouldPutThem) {
    // Keys with ties in letter case, shared beginnings longer than eight bytes and non-ASCII letters.
    static const char* const kKeys[] = {"Rock",           "rock",           "ROCK", "Émile", "émile", "emile",
                                        "A long title 1", "a long title 2", "a",    "",      "zz",    "Øre"};
    for (int order : {0, 1}) {
        ListFixture f;
        f.columns({"Title", "#"});
        QSignalSpy inserted(&f.list->model(), &QAbstractItemModel::rowsInserted);
        f.list->setSortOrder(order);
        f.list->setSorted(true);
        std::vector<int> kept;
        int chosen = -1;
        unsigned pick = 12345;
        for (int i = 0; i < 3000; ++i) {
            f.list->addRow({kKeys[(i * 7919) % 12], std::to_string(i)});
            kept.push_back(i);
            pick = pick * 1103515245u + 12345u;
            if (i % 7 == 3) { // now and then a row goes again, from anywhere
                const int row = 1 + static_cast<int>((pick >> 8) % static_cast<unsigned>(f.list->count()));
                kept.erase(std::find(kept.begin(), kept.end(), std::stoi(f.list->subItem(row, 1))));
                f.list->remove(row);
            }
            if (i == 1500) {
                // The first row of its key, right after where rows of the key before it go.
                int row = f.list->count() / 2;
                while (tk::compareIgnoringCase(f.list->text(row - 1), f.list->text(row)) == 0) {
                    ++row;
                }
                f.list->select(row);
                chosen = std::stoi(f.list->subItem(row, 1));
            }
            // The selection stays on its row (which no removal takes).
            if (chosen >= 0) {
                ASSERT_EQ(f.list->subItem(f.list->selectedRow(), 1), std::to_string(chosen)) << i;
            }
        }
        // The same rows appended in the order they came, then sorted once.
        QWidget host;
        auto* once = new tk::ListView(&host, "Once");
        once->addColumn("Title", 1000);
        once->addColumn("#", 1000);
        for (int i : kept) {
            once->addRow({kKeys[(i * 7919) % 12], std::to_string(i)});
        }
        once->setSortOrder(order);
        once->setSorted(true);
        ASSERT_EQ(f.list->count(), once->count());
        for (int r = 1; r <= once->count(); ++r) {
            ASSERT_EQ(f.list->subItem(r, 1), once->subItem(r, 1)) << "order " << order << " row " << r;
        }
        // The views were told in a few steps, and show what the list holds.
        QCoreApplication::sendPostedEvents();
        EXPECT_LT(inserted.count(), 100);
        tk::ListModel& m = f.list->model();
        ASSERT_EQ(m.rowCount(), once->count());
        for (int r = 0; r < m.rowCount(); ++r) {
            ASSERT_EQ(m.data(m.index(r, 1)).toString().toStdString(), once->subItem(r + 1, 1));
        }
        EXPECT_EQ(f.list->subItem(f.list->selectedRow(), 1), std::to_string(chosen));

        // Keys changed in place leave the rows out of order; rows added then land where the same
        // search over the changed rows puts them, as in a list that never searched before.
        for (tk::ListView* list : {f.list, once}) {
            for (int r = list->count() / 2 - 100; r < list->count() / 2 + 100; ++r) {
                list->setText(r, "Bee");
            }
            for (int i = 0; i < 200; ++i) {
                list->addRow({kKeys[(i * 31) % 12], "late " + std::to_string(i)});
            }
        }
        for (int r = 1; r <= once->count(); ++r) {
            ASSERT_EQ(f.list->subItem(r, 1), once->subItem(r, 1)) << "order " << order << " row " << r;
        }
    }
}

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

TEST(ListViewSelection, TheFirstRowIsSelectedUnlessTheProgramClearedIt) {
    ListFixture f;
    f.columns({"Name"});
    EXPECT_EQ(f.list->selectedRow(), 0);
    f.list->add("b");
    f.list->add("c");
    EXPECT_EQ(f.list->selectedRow(), 1);
    f.list->select(0);
    f.list->add("d");
    EXPECT_EQ(f.list->selectedRow(), 0);
    f.list->clear();
    f.list->add("e");
    EXPECT_EQ(f.list->selectedRow(), 1);
    EXPECT_EQ(runtimeErrorNumber([&] { f.list->select(2); }), tk::err::kIndexOutOfBounds);
}

TEST(ListViewSelection, RemovingTheSelectedRowSelectsTheOneTakingItsPlace) {
    ListFixture f;
    f.columns({"Name"});
    for (const char* t : {"1", "2", "3"}) {
        f.list->add(t);
    }
    f.list->select(2);
    f.list->remove(2);
    EXPECT_EQ(f.list->text(f.list->selectedRow()), "3");
    f.list->remove(2);
    EXPECT_EQ(f.list->text(f.list->selectedRow()), "1");
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
