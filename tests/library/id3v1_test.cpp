#include "library/id3v1tag.h"
#include "library/id3v2rebuild.h"

#include "fixtures/tagbytes.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using id3::Id3v1Tag;

std::array<std::uint8_t, 128> block(const fixtures::Id3v1Fields& fields) {
    const fixtures::Bytes bytes = fixtures::id3v1Tag(fields);
    std::array<std::uint8_t, 128> out{};
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}

TEST(Id3v1, ReadsVersion11FieldsAsWindows1252UpToTheFirstZeroByteKeepingBlanks) {
    auto bytes = block({"Word" + std::string(26, ' '), "", "Album", "1999", "Nice", 7, 17, true});
    const std::array<std::uint8_t, 4> artist = {0xE9, 0x80, 0, 'B'};
    std::copy(artist.begin(), artist.end(), bytes.begin() + 33);
    const auto tag = Id3v1Tag::parse(bytes);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->title, "Word" + std::string(26, ' '));
    EXPECT_EQ(tag->artist, "\u00E9\u20AC");
    EXPECT_EQ(tag->album, "Album");
    EXPECT_EQ(tag->year, "1999");
    EXPECT_EQ(tag->comment, "Nice");
    EXPECT_EQ(tag->track, 7);
    EXPECT_EQ(tag->genre, 17);
    bytes[0] = 't'; // the marker must be exact
    EXPECT_FALSE(Id3v1Tag::parse(bytes));
}

TEST(Id3v1, AVersion10CommentRunsOverTheTrackByte) {
    const std::string comment = std::string(29, 'c') + "e"; // 30 characters, the last one at byte 126
    const auto tag = Id3v1Tag::parse(block({"T", "A", "B", "2000", comment, 0, 1, false}));
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->comment, comment);
    EXPECT_EQ(tag->track, 0);
}

TEST(Id3v1, RendersTheVersion11LayoutByteForByteInTheCodePageItIsReadIn) {
    Id3v1Tag tag;
    tag.title = "It\u2019s \u20AC5 \u0160\u0178";
    tag.artist = "Art\u00EFst \u65E5";
    tag.album = std::string(40, 'a');
    tag.year = "19999";
    tag.comment = std::string(40, 'c');
    tag.track = 12;
    tag.genre = 13;
    const auto rendered = tag.render();
    // The fixture writes every code point up to U+00FF as the byte of that value: these are the
    // Windows-1252 bytes of the title.
    EXPECT_EQ(rendered, block({"It\u0092s \u00805 \u008A\u009F", "Art\u00EFst ?", std::string(30, 'a'),
                               "1999", std::string(28, 'c'), 12, 13, true}));
    EXPECT_EQ(Id3v1Tag::parse(rendered)->title, tag.title);
}

TEST(Id3v1, TrackByteIsTheLeadingNumberBeforeTheLastSlash) {
    EXPECT_EQ(id3::id3v1TrackByte("12/15"), 12);
    EXPECT_EQ(id3::id3v1TrackByte("3/1/2"), 3);
    EXPECT_EQ(id3::id3v1TrackByte("12/"), 12);
    EXPECT_EQ(id3::id3v1TrackByte(" 7 "), 7);
    EXPECT_EQ(id3::id3v1TrackByte("7b"), 7);
    EXPECT_EQ(id3::id3v1TrackByte("255"), 255);
    EXPECT_EQ(id3::id3v1TrackByte("256"), 0);
    EXPECT_EQ(id3::id3v1TrackByte("300"), 0);
    EXPECT_EQ(id3::id3v1TrackByte("-5"), 0);
    EXPECT_EQ(id3::id3v1TrackByte("side A"), 0);
    EXPECT_EQ(id3::id3v1TrackByte(""), 0);
}

// An empty value keeps the old tag's value, as the tag writer's test checks byte for byte.
TEST(Id3v1, AGenreThatMatchesNothingIsNoGenreNeverTheOldNumber) {
    Id3v1Tag old;
    old.genre = 8;
    id3::TagValues values;
    values.genre = "Schlager";
    EXPECT_EQ(id3::updatedId3v1(old, values).genre, 255);
    values.genre = "jazz";
    EXPECT_EQ(id3::updatedId3v1(old, values).genre, 8);
    EXPECT_EQ(id3::updatedId3v1(std::nullopt, {}).genre, 255);
}

} // namespace
