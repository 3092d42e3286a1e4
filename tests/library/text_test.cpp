#include "library/textfield.h"
#include "library/utf8.h"
#include "library/windows1252.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

TEST(Windows1252, EveryByteDecodesAndEncodesBackToItself) {
    for (int b = 0; b < 256; ++b) {
        const std::string one = bytes({b});
        const std::string utf8 = text::decodeWindows1252(one);
        EXPECT_TRUE(text::isValidUtf8(utf8)) << b;
        EXPECT_TRUE(text::fitsWindows1252(utf8)) << b;
        EXPECT_EQ(text::encodeWindows1252(utf8), one) << b;
    }
}

TEST(Windows1252, MapsTheHighControlRangeToItsPrintableCharacters) {
    EXPECT_EQ(text::decodeWindows1252(bytes({0x80, 0x92, 0x9F})), "\u20AC\u2019\u0178");
    EXPECT_EQ(text::decodeWindows1252(bytes({0xE9})), "\u00E9");
    EXPECT_EQ(text::encodeWindows1252("caf\u00E9 \u20AC5"), bytes({'c', 'a', 'f', 0xE9, ' ', 0x80, '5'}));
}

TEST(Windows1252, ReplacesWhatTheCodePageLacksWithAQuestionMark) {
    EXPECT_EQ(text::encodeWindows1252("\u65E5\u672C x \U0001F600"), "?? x ?");
    EXPECT_FALSE(text::fitsWindows1252("\u65E5"));
    EXPECT_FALSE(text::fitsWindows1252(bytes({0xE9}))); // not UTF-8 at all
    EXPECT_TRUE(text::fitsWindows1252("Motorhead \u2013 \u00C6"));
}

TEST(Utf8, RejectsOverlongSurrogateAndTruncatedSequences) {
    EXPECT_FALSE(text::isValidUtf8(bytes({0xC0, 0xAF})));
    EXPECT_FALSE(text::isValidUtf8(bytes({0xED, 0xA0, 0x80})));
    EXPECT_FALSE(text::isValidUtf8(bytes({0xE2, 0x82})));
    EXPECT_FALSE(text::isValidUtf8(bytes({0xF4, 0x90, 0x80, 0x80})));
    EXPECT_TRUE(text::isValidUtf8("\u00E9\u20AC\U0001F600"));
}

TEST(Utf8, RepairKeepsUtf8AndReadsOtherBytesAsWindows1252) {
    EXPECT_EQ(text::repairUtf8("Beyonc\u00E9"), "Beyonc\u00E9");
    EXPECT_EQ(text::repairUtf8(bytes({'B', 'e', 'y', 'o', 'n', 'c', 0xE9})), "Beyonc\u00E9");
    EXPECT_EQ(text::repairUtf8(bytes({0x93, 'h', 'i', 0x94, ' ', 0xC3, 0xA9})), "\u201Chi\u201D \u00E9");
}

TEST(TextField, CutsANonAsciiValueAtAWholeCharacter) {
    std::array<std::uint8_t, 6> field{};
    text::writeTextField(field,
                         "abcd\u00E9\u00E9"); // the first é would need bytes 4 and 5, the second 6 and 7
    EXPECT_EQ(std::string(field.begin(), field.end()), "abcd\u00E9");
    text::writeTextField(field, "abcde\u00E9");
    EXPECT_EQ(std::string(field.begin(), field.end()), "abcde ");
    EXPECT_EQ(text::readTextField(field), "abcde");
}

TEST(TextField, ReadingStopsAtNulTrimsAndFallsBackToWindows1252) {
    const std::string raw = bytes({' ', 'A', 'C', '/', 'D', 'C', ' ', 0, 'x', 'y'});
    const std::vector<std::uint8_t> field(raw.begin(), raw.end());
    EXPECT_EQ(text::readTextField(field), "AC/DC");
    const std::string windows = bytes({'M', 0xF6, 't', 'l', 'e', 'y', ' ', ' '});
    EXPECT_EQ(text::readTextField(std::vector<std::uint8_t>(windows.begin(), windows.end())), "M\u00F6tley");
}

TEST(TextField, PathsKeepTheirOwnBytesAndAreNeverCut) {
    std::array<std::uint8_t, 12> field{};
    const std::string latin1Name = bytes({'/', 'm', '/', 0xE9, '.', 'm', 'p', '3'}); // not UTF-8
    ASSERT_TRUE(text::writePathField(field, latin1Name));
    EXPECT_EQ(text::readPathField(field), latin1Name);
    field.fill('#');
    EXPECT_FALSE(text::writePathField(field, "/music/long.mp3")); // 15 bytes into 12
    EXPECT_FALSE(text::writePathField(field, "/music/x.mp3 "));
    EXPECT_EQ(std::string(field.begin(), field.end()), std::string(12, '#'));
    EXPECT_TRUE(text::pathFits("/music/x.mp3", 12));
    EXPECT_FALSE(text::pathFits(" x", 12));
}

TEST(TextField, TrimmingRemovesOnlyOuterBlanksWhateverTheirCount) {
    // Runs of blanks shorter than, equal to and longer than the eight and 32 bytes trimmed at a time.
    for (std::size_t lead = 0; lead <= 40; ++lead) {
        for (std::size_t trail = 0; trail <= 40; ++trail) {
            for (const std::string core : {"", "a", "a b", "  x        y  z", "123456789"}) {
                const std::string core2 = core.empty() ? "" : "[" + core + "]";
                const std::string padded = std::string(lead, ' ') + core2 + std::string(trail, ' ');
                ASSERT_EQ(text::trimBlanks(padded), core2) << lead << " " << trail;
            }
        }
    }
    EXPECT_EQ(text::trimBlanks("\t x \t"), "\t x \t"); // only blanks are padding
}

} // namespace
