#include "library/tagmerge.h"

#include <gtest/gtest.h>

namespace {

using id3::FileTags;
using id3::Id3v1Tag;
using id3::Id3v2Tag;
using id3::mergeTags;

FileTags withV1(Id3v1Tag v1) {
    FileTags tags;
    tags.opened = true;
    tags.id3v1 = std::move(v1);
    return tags;
}

TEST(TagMerge, PrefersTheTrimmedId3v2ValueAndFallsBackToId3v1) {
    Id3v1Tag v1;
    v1.artist = "V1 Artist   ";
    v1.album = "V1 Album";
    v1.year = "1990";
    v1.comment = "v1 comment";
    v1.genre = 13;
    v1.track = 5;
    FileTags tags = withV1(v1);
    Id3v2Tag v2;
    v2.artist = "  V2 Artist ";
    v2.album = "   "; // blank counts as empty
    v2.title = "Song";
    v2.genre = "Rock";
    tags.id3v2 = v2;
    const id3::TagValues values = mergeTags(tags, "/m/x.mp3");
    EXPECT_EQ(values.artist, "V2 Artist");
    EXPECT_EQ(values.album, "V1 Album");
    EXPECT_EQ(values.year, "1990");
    EXPECT_EQ(values.comment, "v1 comment");
    EXPECT_EQ(values.genre, "Rock");
    EXPECT_EQ(values.track, "005");
    EXPECT_EQ(values.title, "Song");
}

TEST(TagMerge, UnknownUntitledOrNoGenreOnlyWhenNeitherTagHasTheValue) {
    FileTags tags;
    tags.opened = true;
    tags.id3v2 = Id3v2Tag{};
    EXPECT_EQ(mergeTags(tags, "/m/Song.mp3").artist, "Unknown");
    EXPECT_EQ(mergeTags(tags, "/m/Song.mp3").title, "Untitled");

    Id3v1Tag v1;
    v1.artist = "From V1";
    v1.title = "Title V1";
    tags.id3v1 = v1;
    EXPECT_EQ(mergeTags(tags, "/m/Song.mp3").artist, "From V1");
    EXPECT_EQ(mergeTags(tags, "/m/Song.mp3").title, "Title V1");
    // An ID3v1 genre byte without a name gives no genre.
    v1.genre = 149;
    EXPECT_EQ(mergeTags(withV1(v1), "/m/x.mp3").genre, "");
    v1.genre = 27;
    EXPECT_EQ(mergeTags(withV1(v1), "/m/x.mp3").genre, "Trip Hop");
}

TEST(TagMerge, TakesTheTitleFromTheFileNameWhenNoTagHasOne) {
    FileTags none;
    none.opened = true;
    EXPECT_EQ(mergeTags(none, "/music/a.b/My Song.mp3").title, "My Song");
    EXPECT_EQ(mergeTags(none, "C:\\Music\\My Song.mp3").title, "My Song");
    EXPECT_EQ(mergeTags(none, "/music/AC\\DC - Thunder.mp3").title, "AC\\DC - Thunder");
    EXPECT_EQ(mergeTags(none, "/music/xmp3").title, "");
    EXPECT_EQ(mergeTags(none, "/music/Caf\xE9.mp3").title, "Caf\u00E9"); // a Latin-1 file name
    EXPECT_EQ(mergeTags(none, "/m/x.mp3").artist, "");

    FileTags emptyTitleFrame = none;
    emptyTitleFrame.id3v2 = Id3v2Tag{};
    emptyTitleFrame.id3v2->title = "";
    EXPECT_EQ(mergeTags(emptyTitleFrame, "/m/Intro.mp3").title, "Intro");
}

TEST(TagMerge, FormatsTheTrackBeforeTheLastSlash) {
    EXPECT_EQ(id3::formatTrack("3/12"), "003");
    EXPECT_EQ(id3::formatTrack("12"), "012");
    EXPECT_EQ(id3::formatTrack("0005"), "005");
    EXPECT_EQ(id3::formatTrack("1234"), "1234");
    EXPECT_EQ(id3::formatTrack(""), "");
    EXPECT_EQ(id3::formatTrack("/12"), "");
    EXPECT_EQ(id3::formatTrack("A1"), "A1");
    EXPECT_EQ(id3::formatTrack("1/2/3"), "1/2");
    EXPECT_EQ(id3::id3v1TrackText(201), "201");
}

TEST(TagMerge, WithoutAnId3v2TrackTheId3v1TrackByteGivesThreeDigitsAndZeroGivesZeros) {
    Id3v1Tag v1;
    v1.track = 0;
    FileTags tags = withV1(v1);
    EXPECT_EQ(mergeTags(tags, "/m/x.mp3").track, "000");
    tags.id3v2 = Id3v2Tag{};
    tags.id3v2->track = " ";
    EXPECT_EQ(mergeTags(tags, "/m/x.mp3").track, "000");
    tags.id3v1.reset();
    EXPECT_EQ(mergeTags(tags, "/m/x.mp3").track, ""); // no ID3v1 tag: no track
}

} // namespace
