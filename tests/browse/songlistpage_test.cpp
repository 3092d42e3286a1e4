#include "browsestation.h"
#include "platform/textcompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace testing_support;

namespace {

using Row = std::vector<std::string>;

// The song list as the old control kept it, step by step: rows, sorting on or off, a key and an order.
// While sorting is on, switching it on and every assignment of the key or the order sorts all rows
// again, an order-keeping sort by the key column's text ignoring letter case; a row added while
// sorting is on goes after the rows that do not sort after it.
struct LiteralList {
    std::vector<Row> rows;
    bool sorted = false;
    int key = 0;
    int order = 0;

    std::string_view cell(const Row& r, int column) const {
        return static_cast<std::size_t>(column) < r.size()
                   ? std::string_view(r[static_cast<std::size_t>(column)])
                   : std::string_view();
    }
    bool before(const Row& a, const Row& b) const {
        const int c = tk::compareIgnoringCase(cell(a, key), cell(b, key));
        return order == 1 ? c > 0 : c < 0;
    }
    void sort() {
        if (sorted) {
            std::stable_sort(rows.begin(), rows.end(),
                             [&](const Row& a, const Row& b) { return before(a, b); });
        }
    }
    void setSorted(bool on) { sorted = on, sort(); }
    void setKey(int k) { key = k, sort(); }
    void setOrder(int o) { order = o, sort(); }
    void add(const Row& row) {
        auto at = rows.end();
        if (sorted) {
            at = std::upper_bound(rows.begin(), rows.end(), row,
                                  [&](const Row& a, const Row& b) { return before(a, b); });
        }
        rows.insert(at, row);
    }

    // The procedures of the song list page, as their steps are written.
    void columnClick(int header) {
        setOrder(0);
        setKey(header - 1);
        if (header - 1 == 5) {
            setOrder(1);
        }
        setSorted(true);
    }
    void sortByPlays() {
        setOrder(1);
        setKey(5);
        setSorted(true);
    }
    void restoreListOrder() {
        for (int run = 0; run < 2; ++run) {
            setSorted(true);
            setOrder(0);
            setKey(3);
            setKey(2);
            setKey(1);
            setSorted(false);
        }
    }
    void fillTopTen() {
        sortByPlays();
        setSorted(false);
    }
};

// A word of a tiny alphabet in random letter case, so that rows tie often, also ignoring case.
std::string word(std::mt19937& random) {
    std::string s;
    for (int i = 0, n = 1 + static_cast<int>(random() % 2); i < n; ++i) {
        const char c = static_cast<char>('a' + random() % 3);
        s.push_back(random() % 2 ? c : static_cast<char>(c - 'a' + 'A'));
    }
    return s;
}

Row randomSong(std::mt19937& random, int number) {
    Row row;
    for (int c = 0; c <= 10; ++c) {
        row.push_back(word(random));
    }
    row[3] = "0" + std::to_string(random() % 3);
    row[5] = "000" + std::to_string(random() % 4);
    row[10] = std::to_string(100000 + number);
    return row;
}

} // namespace

TEST(SongListPage, ColumnClicksAndBothOrdersSortAsTheirStepsOnRandomListsWithTies) {
    BrowseStation s(databaseOf({song("/m/a", "A", "B", "C", "1")}));
    Form1& f = s.form();
    tk::ListView& list = *f.ListView;
    std::mt19937 random(20240611);
    for (int round = 0; round < 150; ++round) {
        LiteralList literal;
        list.setSorted(false);
        list.clear();
        const int songs = static_cast<int>(random() % 40);
        for (int i = 0; i < songs; ++i) {
            literal.add(randomSong(random, i));
            list.addRow(
                std::vector<std::string_view>(literal.rows.back().begin(), literal.rows.back().end()));
        }
        list.setSortKey(0);
        list.setSortOrder(0);
        for (int step = 0; step < 12; ++step) {
            const int op = static_cast<int>(random() % 6);
            std::string what;
            if (op <= 1) {
                const int header = 1 + static_cast<int>(random() % 11);
                what = "column " + std::to_string(header);
                f.ListView_ColumnClick(header);
                literal.columnClick(header);
            } else if (op == 2) {
                what = "plays";
                f.SortByPlays();
                literal.sortByPlays();
            } else if (op == 3) {
                what = "restore";
                f.RestoreListOrder();
                literal.restoreListOrder();
            } else if (op == 4) {
                what = "top ten";
                f.FillTopTen();
                literal.fillTopTen();
            } else {
                // A new song, or a play counted on a song: neither moves the other rows.
                what = "change";
                if (random() % 2 == 0 || literal.rows.empty()) {
                    const Row row = randomSong(random, 1000 * round + step);
                    literal.add(row);
                    list.addRow(std::vector<std::string_view>(row.begin(), row.end()));
                } else {
                    const auto r = static_cast<std::size_t>(random() % literal.rows.size());
                    literal.rows[r][5] = "0009";
                    list.setSubItem(static_cast<int>(r) + 1, 5, "0009");
                }
            }
            ASSERT_EQ(column(list, 10),
                      [&] {
                          std::vector<std::string> numbers;
                          for (const Row& r : literal.rows) {
                              numbers.push_back(r[10]);
                          }
                          return numbers;
                      }())
                << "round " << round << " step " << step << " after " << what << " sorted " << literal.sorted
                << " key " << literal.key << " order " << literal.order;
            ASSERT_EQ(list.sorted(), literal.sorted);
            ASSERT_EQ(list.sortKey(), literal.key);
            ASSERT_EQ(list.sortOrder(), literal.order);
        }
    }
}
