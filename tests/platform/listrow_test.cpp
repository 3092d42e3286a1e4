#include "platform/listrow.h"
#include "platform/textcompare.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using tk::compareIgnoringCase;

TEST(CompareIgnoringCase, FoldsLettersOrdersNumbersByValueAndPutsStrayBytesLast) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const Pairs same = {{"Abba", "aBBA"},   {"", ""},           {"Émile", "éMILE"},       {"ÄRGER", "ärger"},
                        {"ΣΟΦΙΑ", "σοφια"}, {"a\xff", "a\xff"}, {"\u212Aelvin", "kelvin"}};
    // Each first before its second: a text before its longer continuations, zero-padded numbers by
    // value, "_" (between the cases in ASCII) before letters, which compare as their lower-case forms;
    // the Kelvin sign as a plain k on the fast path and the folded one; a stray byte (a cut sequence
    // too) after every character.
    const Pairs ordered = {
        {"apple", "Banana"},      {"APPLE", "banana"}, {"", "a"},           {"Ab", "abc"}, {"0012", "0100"},
        {"002", "010"},           {"_x", "Ax"},        {"_x", "ax"},        {"zz", "éa"},  {"\u212Aa", "kb"},
        {"a\U0010FFFF", "a\xff"}, {"a\xfe", "a\xff"},  {"\xC3\xA9", "\xC3"}};
    for (const auto& [a, b] : same)
        EXPECT_EQ(compareIgnoringCase(a, b), 0) << a << " | " << b;
    for (const auto& [a, b] : ordered) {
        EXPECT_LT(compareIgnoringCase(a, b), 0) << a << " | " << b;
        EXPECT_GT(compareIgnoringCase(b, a), 0) << a << " | " << b;
    }
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
