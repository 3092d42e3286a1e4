#include "platform/listmodel.h"
#include "platform/listview.h"
#include "platform/textcompare.h"
#include "testruntime.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

tk::ListView* songList(QWidget& host) {
    auto* list = new tk::ListView(&host, "List");
    for (const char* header : {"Name", "Plays", "#"}) {
        list->addColumn(header, 1000);
    }
    return list;
}

std::vector<Row> rowsOf(tk::ListView& list) {
    std::vector<Row> out;
    for (int r = 1; r <= list.count(); ++r) {
        out.push_back({list.text(r), list.subItem(r, 1), list.subItem(r, 2)});
    }
    return out;
}

// What the views show once told.
std::vector<Row> shownRows(tk::ListModel& model) {
    QCoreApplication::sendPostedEvents();
    std::vector<Row> out;
    for (int r = 0; r < model.rowCount(); ++r) {
        Row row;
        for (int c = 0; c < 3; ++c) {
            row.push_back(model.data(model.index(r, c)).toString().toStdString());
        }
        out.push_back(row);
    }
    return out;
}

std::vector<Row> sortedFromScratch(const std::vector<Row>& rows, std::span<const int> columns, int order) {
    QWidget host;
    tk::ListView* list = songList(host);
    for (const Row& r : rows) {
        list->addRow({r[0], r[1], r[2]});
    }
    list->sortByColumns(columns, order);
    return rowsOf(*list);
}

void raisePlays(tk::ListView& list, int row, int by) {
    list.setSubItem(row, 1, std::to_string(std::stoi(list.subItem(row, 1)) + by));
}

} // namespace

// Rows added to a sorted list and rows removed wait beside the rows the views know. The first rows of
// an order, a sort by columns and moving the rows whose plays were counted must all see the list's
// rows in its own order meanwhile, and the rows written since the sort must follow the removals.
TEST(ListViewResort, WaitingAddsAndRemovalsLeaveWhatASortFromScratchLeaves) {
    const int columns[] = {1, 0, 2}; // plays, then name, then the row's own number
    for (int order : {0, 1}) {
        testing_support::TestRuntime rt;
        QWidget host;
        tk::ListView* list = songList(host);
        QAbstractItemModelTester tester{&list->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal};
        list->setSortOrder(order);
        list->setSorted(true);
        std::mt19937 random(11 + order);
        for (int i = 0; i < 403; ++i) {
            const std::string name{static_cast<char>((random() % 2 ? 'a' : 'A') + random() % 4),
                                   static_cast<char>('a' + random() % 3)};
            list->addRow({name, std::to_string(random() % 5), std::to_string(i)});
            if (i % 9 == 4 || i == 402) {
                list->remove(1 + static_cast<int>(random() % static_cast<unsigned>(list->count())));
            }
        }
        ASSERT_TRUE(list->model().movesPending());
        const std::vector<Row> scratch = sortedFromScratch(rowsOf(*list), columns, order);
        const std::vector<Row> before = rowsOf(*list);
        std::vector<Row> first;
        for (int r : list->firstSortedRows(columns, order, 5)) {
            first.push_back(before[static_cast<std::size_t>(r - 1)]);
        }
        EXPECT_EQ(first, std::vector<Row>(scratch.begin(), scratch.begin() + 5)) << order;
        list->setSorted(false);
        list->sortByColumns(columns, order);
        ASSERT_EQ(rowsOf(*list), scratch) << order;

        // Plays counted on three rows; then removals wait before, between and after them, one of
        // them taking a counted row: the other two move to their places.
        for (int row : {100, 200, 250}) {
            raisePlays(*list, row, 3);
        }
        for (int row : {50, 249, 300}) {
            list->remove(row);
        }
        ASSERT_TRUE(list->model().movesPending());
        const std::vector<int> counted{99, 199};
        EXPECT_TRUE(list->resortRows(counted, columns, order)) << order;
        EXPECT_EQ(rowsOf(*list), sortedFromScratch(rowsOf(*list), columns, order)) << order;
        EXPECT_EQ(shownRows(list->model()), rowsOf(*list)) << order;

        // A row written before a removal and not named stays out of place: the quick way is refused
        // and nothing moves.
        raisePlays(*list, 10, 1000);
        raisePlays(*list, 20, 1);
        list->remove(5);
        const std::vector<Row> unmoved = rowsOf(*list);
        const int named[] = {19};
        EXPECT_FALSE(list->resortRows(named, columns, order)) << order;
        EXPECT_EQ(rowsOf(*list), unmoved) << order;

        // Sorted by name again, rows added go where the search over the moved rows puts them.
        list->setSortKey(0);
        list->setSorted(true);
        for (int i = 0; i < 40; ++i) {
            list->addRow({std::string{static_cast<char>('A' + i % 4), 'b'}, "0", "late"});
        }
        for (int r = 2; r <= list->count(); ++r) {
            const int c = tk::compareIgnoringCase(list->text(r - 1), list->text(r));
            ASSERT_TRUE(order == 0 ? c <= 0 : c >= 0) << order << " row " << r;
        }
    }
}
