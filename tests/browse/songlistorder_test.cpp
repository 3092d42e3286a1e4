#include "app/form1.h"
#include "app/station.h"
#include "platform/listview.h"
#include "testruntime.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

using Row = std::vector<std::string>;

// The old steps of the artist, album and track order, one list operation each, run twice.
void restoreStepByStep(tk::ListView& list) {
    for (int run = 0; run < 2; ++run) {
        list.setSorted(true);
        list.setSortOrder(0);
        list.setSortKey(3);
        list.setSortKey(2);
        list.setSortKey(1);
        list.setSorted(false);
    }
}

std::vector<Row> rows(tk::ListView& list) {
    std::vector<Row> out;
    for (int r = 1; r <= list.count(); ++r) {
        Row row{list.text(r)};
        for (int c = 1; c < list.columnCount(); ++c)
            row.push_back(list.subItem(r, c));
        out.push_back(row);
    }
    return out;
}

void fill(tk::ListView& list, const std::vector<Row>& data) {
    list.clear();
    for (const Row& row : data) {
        std::vector<std::string_view> cells(row.begin(), row.end());
        list.addRow(cells);
    }
}

// A word from a tiny alphabet in random letter case, so that rows tie often, also ignoring case.
std::string word(std::mt19937& random, int letters) {
    std::string s;
    const int length = 1 + static_cast<int>(random() % 2);
    for (int i = 0; i < length; ++i) {
        const char c = static_cast<char>('a' + random() % static_cast<unsigned>(letters));
        s.push_back(random() % 2 ? c : static_cast<char>(c - 'a' + 'A'));
    }
    return s;
}

std::vector<Row> randomSongs(std::mt19937& random, int count) {
    std::vector<Row> data;
    for (int i = 0; i < count; ++i) {
        Row row{word(random, 2),           word(random, 3),
                word(random, 2),           std::to_string(random() % 3),
                word(random, 3),           "000" + std::to_string(random() % 4),
                word(random, 2),           word(random, 2),
                word(random, 2),           word(random, 2),
                std::to_string(100000 + i)};
        data.push_back(row);
    }
    return data;
}

struct Window {
    TestRuntime rt;
    Station station{rt.runtime()};
    Form1 f{station};
};

TEST(RestoreListOrder, EqualsTheStepByStepSortsOnRandomRowsWithTies) {
    Window w;
    tk::ListView& list = *w.f.ListView;
    tk::ListView literal(nullptr, "Literal");
    for (int c = 0; c < list.columnCount(); ++c)
        literal.addColumn(list.columnHeader(c), 1000.0f);

    std::mt19937 random(20240601);
    for (int round = 0; round < 300; ++round) {
        const std::vector<Row> data = randomSongs(random, static_cast<int>(random() % 60));
        // The same rows and the same sort state in both lists: sorting on or off, any key, any order,
        // and on some rounds rows changed after the last sort.
        const bool sortedBefore = random() % 2;
        const int key = static_cast<int>(random() % 12); // 11 is past the last column
        const int order = static_cast<int>(random() % 2);
        const bool touched = random() % 3 == 0;
        for (tk::ListView* l : {&list, &literal}) {
            l->setSorted(false);
            fill(*l, data);
            l->setSortKey(key);
            l->setSortOrder(order);
            l->setSorted(sortedBefore);
            if (touched && l->count() > 1)
                l->setSubItem(1, key == 0 || key > 10 ? 2 : key, "b");
        }
        w.f.RestoreListOrder();
        restoreStepByStep(literal);
        ASSERT_EQ(rows(list), rows(literal)) << "round " << round << " key " << key << " order " << order;
        EXPECT_FALSE(list.sorted());
        EXPECT_EQ(list.sortKey(), literal.sortKey());
        EXPECT_EQ(list.sortOrder(), literal.sortOrder());
    }
}

TEST(RestoreListOrder, OrdersTracksAsTextWithinAlbumsWithinArtists) {
    Window w;
    tk::ListView& list = *w.f.ListView;
    fill(list, {{"", "Abba", "Gold", "010", "t", "0000", "", "", "", "", "000001"},
                {"", "abba", "Arrival", "1", "t", "0000", "", "", "", "", "000002"},
                {"", "Abba", "Gold", "002", "t", "0000", "", "", "", "", "000003"},
                {"", "ABBA", "arrival", "1", "t", "0000", "", "", "", "", "000004"}});
    w.f.RestoreListOrder();
    std::vector<std::string> order;
    for (int r = 1; r <= list.count(); ++r)
        order.push_back(list.subItem(r, 10));
    // Equal artist, album and track ignoring case keep the order they had.
    EXPECT_EQ(order, (std::vector<std::string>{"000002", "000004", "000003", "000001"}));

    // Rows added afterwards stay at the end.
    list.addRow({"", "Aaa", "A", "1", "t", "0000", "", "", "", "", "000005"});
    EXPECT_EQ(list.subItem(5, 10), "000005");
}

TEST(SortByPlays, PutsTheMostPlayedFirstAndKeepsTiesInListOrder) {
    Window w;
    tk::ListView& list = *w.f.ListView;
    fill(list, {{"", "C", "x", "1", "t", "0003", "", "", "", "", "000001"},
                {"", "A", "x", "1", "t", "0000", "", "", "", "", "000002"},
                {"", "B", "x", "1", "t", "0012", "", "", "", "", "000003"},
                {"", "A", "y", "1", "t", "0003", "", "", "", "", "000004"},
                {"", "B", "y", "1", "t", "0000", "", "", "", "", "000005"}});
    w.f.RestoreListOrder();
    w.f.SortByPlays();
    std::vector<std::string> order;
    for (int r = 1; r <= list.count(); ++r)
        order.push_back(list.subItem(r, 10));
    EXPECT_EQ(order, (std::vector<std::string>{"000003", "000004", "000001", "000002", "000005"}));
    EXPECT_TRUE(list.sorted());
    EXPECT_EQ(list.sortKey(), 5);
    EXPECT_EQ(list.sortOrder(), 1);
    // With sorting left on, a new row goes to its place by play count.
    list.addRow({"", "Z", "z", "1", "t", "0005", "", "", "", "", "000006"});
    EXPECT_EQ(list.subItem(2, 10), "000006");
}

TEST(SongListOrder, BothSortsLeaveAnEmptyListEmpty) {
    Window w;
    w.f.SortByPlays();
    w.f.RestoreListOrder();
    EXPECT_EQ(w.f.ListView->count(), 0);
    EXPECT_FALSE(w.f.ListView->sorted());
}

} // namespace
