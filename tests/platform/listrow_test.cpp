#include "platform/listrow.h"
#include "platform/textcompare.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using tk::compareIgnoringCase;

TEST(CompareIgnoringCase, IgnoresLetterCaseInAsciiText) {
    EXPECT_EQ(compareIgnoringCase("Abba", "aBBA"), 0);
    EXPECT_LT(compareIgnoringCase("apple", "Banana"), 0);
    EXPECT_GT(compareIgnoringCase("banana", "APPLE"), 0);
    EXPECT_LT(compareIgnoringCase("Ab", "abc"), 0); // a text sorts before its longer continuations
    EXPECT_EQ(compareIgnoringCase("", ""), 0);
    EXPECT_LT(compareIgnoringCase("", "a"), 0);
}

TEST(CompareIgnoringCase, OrdersZeroPaddedNumbersByValueAndPunctuationBeforeLetters) {
    EXPECT_LT(compareIgnoringCase("0012", "0100"), 0);
    EXPECT_LT(compareIgnoringCase("002", "010"), 0);
    // Letters compare as their lower-case forms, so "_" (between the cases in ASCII) sorts first.
    EXPECT_LT(compareIgnoringCase("_x", "Ax"), 0);
    EXPECT_LT(compareIgnoringCase("_x", "ax"), 0);
}

TEST(CompareIgnoringCase, FoldsLettersBeyondAscii) {
    EXPECT_EQ(compareIgnoringCase("Émile", "éMILE"), 0);
    EXPECT_EQ(compareIgnoringCase("ÄRGER", "ärger"), 0);
    EXPECT_EQ(compareIgnoringCase("ΣΟΦΙΑ", "σοφια"), 0);
    // The Kelvin sign folds to a plain k, so the fast path and the folded path agree on one order.
    EXPECT_EQ(compareIgnoringCase("\u212Aelvin", "kelvin"), 0);
    EXPECT_LT(compareIgnoringCase("\u212Aa", "kb"), 0);
    EXPECT_LT(compareIgnoringCase("zz", "éa"), 0);
}

TEST(CompareIgnoringCase, PutsStrayBytesAfterEveryCharacterConsistently) {
    const std::string stray = "a\xff";
    EXPECT_GT(compareIgnoringCase(stray, "a\U0010FFFF"), 0);
    EXPECT_LT(compareIgnoringCase("a\xfe", stray), 0);
    EXPECT_EQ(compareIgnoringCase(stray, stray), 0);
    EXPECT_GT(compareIgnoringCase("\xC3", "\xC3\xA9"), 0); // a cut sequence is a stray byte
}

namespace {
std::vector<std::string> cellsOf(const tk::ListRow& row) {
    std::vector<std::string> out;
    for (int c = 0; c < row.cellCount(); ++c) {
        out.emplace_back(row.cell(c));
    }
    return out;
}
} // namespace

TEST(ListRow, SetsCellsInAnyOrderAndReadsMissingOnesAsEmpty) {
    const std::string_view start[] = {"Abba"};
    tk::ListRow row(start);
    EXPECT_TRUE(row.setCell(3, "Waterloo"));
    EXPECT_EQ(cellsOf(row), (std::vector<std::string>{"Abba", "", "", "Waterloo"}));
    EXPECT_TRUE(row.setCell(1, "a much longer artist name than before"));
    EXPECT_TRUE(row.setCell(1, "B"));
    EXPECT_TRUE(row.setCell(0, ""));
    EXPECT_EQ(cellsOf(row), (std::vector<std::string>{"", "B", "", "Waterloo"}));
    EXPECT_EQ(row.cell(9), "");
    EXPECT_EQ(row.cell(-1), "");
    EXPECT_FALSE(row.setCell(3, "Waterloo"));
    EXPECT_FALSE(row.setCell(7, "")); // nothing to store
}

TEST(ListRow, TakesATextThatLivesInsideItself) {
    const std::string_view start[] = {"alpha", "beta", "gamma"};
    tk::ListRow row(start);
    row.setCell(2, row.cell(0));
    row.setCell(0, row.cell(1));
    EXPECT_EQ(cellsOf(row), (std::vector<std::string>{"beta", "beta", "alpha"}));
}

TEST(ListRow, FillsSubItemsInItsSpareRoomAndGivesItBack) {
    const std::string_view start[] = {"row", "", "", ""};
    tk::ListRow row(start, 64);
    const std::size_t withRoom = row.heapBytes();
    row.setCell(1, "one");
    row.setCell(2, "two");
    row.setCell(3, std::string(100, 'x')); // more than the room: repacked
    row.setCell(1, "uno");                 // a middle cell: repacked
    EXPECT_EQ(cellsOf(row), (std::vector<std::string>{"row", "uno", "two", std::string(100, 'x')}));
    tk::ListRow small(start, 64);
    small.setCell(1, "a");
    small.shrinkToFit();
    EXPECT_LT(small.heapBytes(), withRoom);
    EXPECT_EQ(cellsOf(small), (std::vector<std::string>{"row", "a", "", ""}));
}

TEST(ListRow, StylesCostNothingOnceEveryMarkIsTakenOff) {
    const std::string_view start[] = {"row", "sub"};
    tk::ListRow row(start);
    const std::size_t plain = row.heapBytes();
    EXPECT_FALSE(row.setBold(1, false)); // already the default
    EXPECT_TRUE(row.setBold(1, true));
    EXPECT_TRUE(row.setColor(0, 255));
    EXPECT_GT(row.heapBytes(), plain);
    EXPECT_EQ(row.style(1), (tk::CellStyle{true, 0}));
    EXPECT_EQ(row.style(0), (tk::CellStyle{false, 255}));
    EXPECT_EQ(row.style(5), tk::CellStyle{});
    row.setBold(1, false);
    row.setColor(0, 0);
    EXPECT_EQ(row.heapBytes(), plain);
}
