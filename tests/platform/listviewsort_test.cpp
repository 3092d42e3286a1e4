// Sorting a list view: by one column and by several, stable either way, letter case ignored, and
// rows added to a sorted list.
#include "listfixture.h"
#include "platform/listmodel.h"
#include "platform/listview.h"
#include "platform/textcompare.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using listtest::ListFixture;
using listtest::Texts;

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

TEST(ListViewSort, ShortAndLongKeysOrderAsTheTextComparisonInBothDirections) {
    // Short plain keys (numbers, tracks, NUL bytes, blanks) and keys past 8 bytes or beyond ASCII
    // mixed in one column, many of them equal; and 6,000 short keys nearly all different, in pairs
    // equal but for letter case: the stable order of compareIgnoringCase either way.
    static const std::string kKeys[] = {"0003",      "0012", "0003", "ab",  std::string("ab\0", 3),
                                        "AB",        "a",    "",     "  1", "12345678",
                                        "123456789", "Ab c", "é",    "É",   "0012"};
    const auto isShort = [](const std::string& key) { return key.size() <= 8 && key != "é" && key != "É"; };
    enum class Set { Short, Mixed, ManyShort };
    for (const Set set : {Set::Short, Set::Mixed, Set::ManyShort}) {
        std::vector<std::pair<std::string, std::string>> rows; // number, key
        for (int i = 0; i < (set == Set::ManyShort ? 6000 : 600); ++i) {
            char number[8];
            std::snprintf(number, sizeof number, "%04d", i);
            std::string key = kKeys[(i * 7919) % std::size(kKeys)];
            if (set == Set::ManyShort && i % 32 != 0) {
                char pair[8];
                std::snprintf(pair, sizeof pair, "%c%05d", i % 2 == 0 ? 'K' : 'k', (i / 2 * 7919) % 3000);
                key = pair;
            }
            if (set == Set::Mixed || isShort(key)) {
                rows.emplace_back(number, key);
            }
        }
        for (const int order : {0, 1}) {
            ListFixture f;
            f.columns({"#", "Key"});
            for (const auto& [number, key] : rows) {
                f.list->addRow({number, key});
            }
            auto expected = rows;
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
            EXPECT_EQ(f.column(0), numbers) << "set " << static_cast<int>(set) << " order " << order;
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
