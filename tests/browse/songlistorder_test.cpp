#include "app/form1.h"
#include "app/station.h"
#include "platform/listmodel.h"
#include "platform/listview.h"
#include "testruntime.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The main window and a list of the song list's columns to run the old steps on.
struct Lists : Window {
    tk::ListView& list = *f.ListView;
    tk::ListView literal{nullptr, "Literal"};
    Lists() {
        for (int c = 0; c < list.columnCount(); ++c)
            literal.addColumn(list.columnHeader(c), 1000.0f);
    }
};

TEST(RestoreListOrder, EqualsTheStepByStepSortsOnRandomRowsWithTies) {
    Lists w;
    tk::ListView& list = w.list;
    tk::ListView& literal = w.literal;

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

// Thousands of names that nearly all differ, each coming back later in another letter case: the
// sort handles such a column without its table of shared names, and the names must still tie.
TEST(RestoreListOrder, EqualsTheStepByStepSortsOnALongListOfMostlyDistinctNames) {
    Lists w;
    tk::ListView& list = w.list;
    tk::ListView& literal = w.literal;
    std::mt19937 random(7);
    std::vector<Row> data = randomSongs(random, 6000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::string name(1, i < 4500 ? 'n' : 'N');
        name += std::to_string(i % 4500);
        data[i][1] = name;
    }
    std::shuffle(data.begin() + 4300, data.end(), random);
    for (tk::ListView* l : {&list, &literal})
        fill(*l, data);
    w.f.RestoreListOrder();
    restoreStepByStep(literal);
    EXPECT_EQ(rows(list), rows(literal));
}

TEST(SortByPlays, PutsTheMostPlayedFirstAndKeepsTiesInListOrder) {
    Window w;
    tk::ListView& list = *w.f.ListView;
    w.f.SortByPlays(); // an empty list stays empty
    EXPECT_EQ(list.count(), 0);
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

// A counted play: the play count of every row of one record goes up by one, then the list is put in
// the order SortByPlays and RestoreListOrder leave. PlayCountsRaised must leave exactly what the old
// steps leave, and MostPlayedRows must name the rows SortByPlays puts first, on lists in every state:
// as loaded, after an earlier counted play, sorted by a column, with rows of one record twice, with
// a removal still waiting to be told.
TEST(PlayCountsRaised, EqualsTheStepByStepSortsAndMovesOnlyTheCountedRows) {
    Lists w;
    tk::ListView& list = w.list;
    tk::ListView& literal = w.literal;
    int wholeSorts = 0;
    QObject::connect(&list.model(), &QAbstractItemModel::layoutChanged, [&] { ++wholeSorts; });

    std::mt19937 random(20240917);
    int movedOnly = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<Row> data = randomSongs(random, 1 + static_cast<int>(random() % 50));
        for (std::size_t i = 0; i + 1 < data.size(); i += 1 + random() % 6)
            data.push_back(data[i]); // a record listed twice
        const int state = static_cast<int>(random() % 4);
        for (tk::ListView* l : {&list, &literal}) {
            l->setSorted(false);
            l->setSortKey(1);
            fill(*l, data);
        }
        // As the load leaves it; after an earlier counted play; sorted by a column; sorting off
        // after a column click.
        w.f.RestoreListOrder();
        restoreStepByStep(literal);
        if (state == 1) {
            w.f.SortByPlays();
            w.f.RestoreListOrder();
            literal.setSortOrder(1);
            literal.setSortKey(5);
            literal.setSorted(true);
            restoreStepByStep(literal);
        } else if (state >= 2) {
            const int key = static_cast<int>(random() % 11);
            for (tk::ListView* l : {&list, &literal}) {
                l->setSortKey(key);
                l->setSorted(true);
                l->setSorted(state == 2);
            }
        }
        // On some rounds another row changed since the list was put in order.
        const bool otherChanged = random() % 4 == 0;
        if (otherChanged) {
            const int other = 1 + static_cast<int>(random() % list.count());
            const std::string artist = word(random, 3);
            list.setSubItem(other, 1, artist);
            literal.setSubItem(other, 1, artist);
        }
        ASSERT_EQ(rows(list), rows(literal));

        const std::string record = list.subItem(1 + static_cast<int>(random() % list.count()), 10);
        std::vector<int> counted;
        for (int r = 1; r <= list.count(); ++r) {
            if (list.subItem(r, 10) != record)
                continue;
            counted.push_back(r);
            const std::string plays = "000" + std::to_string(std::stoi(list.subItem(r, 5)) + 1);
            list.setSubItem(r, 5, plays);
            literal.setSubItem(r, 5, plays);
        }
        // On some rounds another row goes after the counts were written: the counted rows after it
        // move up one, and the views are told of the removal later.
        const int gone = 1 + static_cast<int>(random() % list.count());
        if (random() % 3 == 0 && std::ranges::find(counted, gone) == counted.end()) {
            list.remove(gone);
            literal.remove(gone);
            for (int& r : counted)
                r -= r > gone ? 1 : 0;
        }
        const std::vector<int> top = w.f.MostPlayedRows(10);
        std::vector<Row> topRows;
        for (const int r : top)
            topRows.push_back(rows(list)[static_cast<std::size_t>(r - 1)]);
        const int sortsBefore = wholeSorts;
        w.f.PlayCountsRaised(counted);

        literal.setSortOrder(1);
        literal.setSortKey(5);
        literal.setSorted(true);
        const std::vector<Row> ranked = rows(literal);
        ASSERT_EQ(topRows,
                  std::vector<Row>(ranked.begin(), ranked.begin() + std::min<std::size_t>(10, ranked.size())))
            << "round " << round;
        restoreStepByStep(literal);
        ASSERT_EQ(rows(list), rows(literal)) << "round " << round << " state " << state;
        EXPECT_EQ(list.sorted(), literal.sorted());
        EXPECT_EQ(list.sortKey(), literal.sortKey());
        EXPECT_EQ(list.sortOrder(), literal.sortOrder());
        if (state == 1 && !otherChanged) {
            // The list stood in the order the count leaves: the counted rows moved, nothing was sorted.
            EXPECT_EQ(wholeSorts, sortsBefore) << "round " << round;
            ++movedOnly;
        }
    }
    EXPECT_GT(movedOnly, 50);
}

} // namespace
