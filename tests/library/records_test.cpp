#include "library/albumrecord.h"
#include "library/songlist.h"
#include "library/songrecord.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using library::AlbumRecord;
using library::SongRecord;

std::string padded(const std::string& value, std::size_t width) {
    std::string out = value.substr(0, width);
    out.resize(width, ' ');
    return out;
}

template <std::size_t N> std::string asString(const std::array<std::uint8_t, N>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

SongRecord sampleSong() {
    SongRecord r;
    r.albumBy = "Various Artists";
    r.artist = "Nina Simone";
    r.title = "Feeling Good";
    r.album = "I Put a Spell on You";
    r.track = "007";
    r.year = "1965";
    r.genre = "Jazz";
    r.comments = "remastered";
    r.fileLocation = "/music/Nina Simone/07 Feeling Good.mp3";
    r.playedTimes = "12";
    return r;
}

TEST(SongRecordLayout, WritesEveryFieldAtItsOffsetBlankPaddedAndDecodesItBack) {
    std::array<std::uint8_t, SongRecord::kSize> bytes{};
    ASSERT_TRUE(sampleSong().encode(42, bytes));
    const std::string expected = std::string("\x2A\x00", 2) + padded("Various Artists", 128) +
                                 padded("Nina Simone", 128) + padded("Feeling Good", 128) +
                                 padded("I Put a Spell on You", 125) + padded("007", 7) + "1965" +
                                 padded("Jazz", 30) + padded("remastered", 128) +
                                 padded("/music/Nina Simone/07 Feeling Good.mp3", 256) + "12  ";
    ASSERT_EQ(expected.size(), SongRecord::kSize);
    EXPECT_EQ(asString(bytes), expected);
    SongRecord decoded = sampleSong();
    decoded.storedNumber = 42;
    EXPECT_EQ(SongRecord::decode(bytes), decoded);
}

TEST(SongRecordLayout, FullWidthFieldsTouchWithoutOverlap) {
    // Each field full of its own letter: any wrong offset or width shows as a wrong byte.
    SongRecord r;
    std::string expected = std::string("\x01\x00", 2);
    const auto fill = [&](std::string& field, char letter, std::size_t width) {
        field.assign(width + 3, letter); // longer than the field: cut to it
        expected += std::string(width, letter);
    };
    fill(r.albumBy, 'A', 128);
    fill(r.artist, 'B', 128);
    fill(r.title, 'C', 128);
    fill(r.album, 'D', 125);
    fill(r.track, 'E', 7);
    fill(r.year, 'F', 4);
    fill(r.genre, 'G', 30);
    fill(r.comments, 'H', 128);
    r.fileLocation = std::string(256, 'I');
    expected += r.fileLocation;
    fill(r.playedTimes, 'J', 4);
    std::array<std::uint8_t, SongRecord::kSize> bytes{};
    ASSERT_TRUE(r.encode(1, bytes));
    EXPECT_EQ(asString(bytes), expected);
    const SongRecord back = SongRecord::decode(bytes);
    EXPECT_EQ(back.album, std::string(125, 'D'));
    EXPECT_EQ(back.year, "FFFF");
    EXPECT_EQ(back.fileLocation, r.fileLocation);
}

TEST(SongRecordLayout, StoresTheLow16BitsOfTheRecordNumber) {
    std::array<std::uint8_t, SongRecord::kSize> bytes{};
    ASSERT_TRUE(sampleSong().encode(40000, bytes));
    EXPECT_EQ(bytes[0], 0x40);
    EXPECT_EQ(bytes[1], 0x9C);
    EXPECT_EQ(SongRecord::decode(bytes).storedNumber, -25536);
    ASSERT_TRUE(sampleSong().encode(65537, bytes));
    EXPECT_EQ(SongRecord::decode(bytes).storedNumber, 1);
}

TEST(SongRecordLayout, ReadsAWindows1252RecordAsUtf8) {
    std::string raw = std::string("\x03\x00", 2) + padded("", 128) + padded("Mot\xF6rhead", 128) +
                      padded("\x93"
                             "Ace of Spades\x94",
                             128) +
                      padded("", 125) + padded("", 7) + "1980" + padded("", 30) + padded("\x80 5", 128) +
                      padded("/m/s.mp3", 256) + "3   ";
    std::array<std::uint8_t, SongRecord::kSize> bytes{};
    std::copy(raw.begin(), raw.end(), bytes.begin());
    const SongRecord r = SongRecord::decode(bytes);
    EXPECT_EQ(r.artist, "Mot\u00F6rhead");
    EXPECT_EQ(r.title, "\u201CAce of Spades\u201D");
    EXPECT_EQ(r.comments, "\u20AC 5");
    EXPECT_EQ(r.playedTimes, "3");
    EXPECT_EQ(r.storedNumber, 3);
}

TEST(SongRecordLayout, RefusesAPathLongerThanItsFieldAndWritesNothing) {
    SongRecord r = sampleSong();
    r.fileLocation = "/" + std::string(256, 'p');
    std::array<std::uint8_t, SongRecord::kSize> bytes{};
    bytes.fill('#');
    EXPECT_FALSE(r.encode(1, bytes));
    EXPECT_EQ(asString(bytes), std::string(SongRecord::kSize, '#'));
}

TEST(AlbumRecordLayout, WritesEveryFieldAtItsOffsetWithNumberZero) {
    AlbumRecord a;
    a.artist = "Various Artists";
    a.album = "Best of 1999";
    a.location = "/music/best/01.mp3";
    std::array<std::uint8_t, AlbumRecord::kSize> bytes{};
    ASSERT_TRUE(a.encode(5, bytes));
    const std::string expected = std::string("\0\0", 2) + padded("Various Artists", 128) +
                                 padded("Best of 1999", 125) + padded("/music/best/01.mp3", 256);
    ASSERT_EQ(expected.size(), AlbumRecord::kSize);
    EXPECT_EQ(asString(bytes), expected);
    AlbumRecord back = AlbumRecord::decode(bytes);
    EXPECT_EQ(back, a);
}

// The song list's cells are checked as the loader shows them; here the counts' own edge cases.
TEST(SongList, FormatsCountsAndRecordNumbersAndCountsPlaysUpTo9999) {
    // The count the station counts with: blank and unreadable counts are 0.
    EXPECT_EQ(library::formatPlayCount(""), "0000");
    EXPECT_EQ(library::formatPlayCount("    "), "0000");
    EXPECT_EQ(library::formatPlayCount("0"), "0000");
    EXPECT_EQ(library::formatPlayCount("7   "), "0007");
    EXPECT_EQ(library::formatPlayCount("x1"), "0000");
    EXPECT_EQ(library::formatRecordNumber(1234567), "1234567");
    // Plays are counted up to 9999.
    EXPECT_EQ(library::nextPlayCount(""), "1");
    EXPECT_EQ(library::nextPlayCount("  "), "1");
    EXPECT_EQ(library::nextPlayCount("41"), "42");
    EXPECT_EQ(library::nextPlayCount("abc"), "1");
    EXPECT_EQ(library::nextPlayCount("9999"), "9999");
    EXPECT_EQ(library::playCount("0012"), 12);
}

} // namespace
