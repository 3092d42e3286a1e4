#include "browsestation.h"
#include "controls/wheel.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "screen/form2.h"

#include <QImage>

#include <gtest/gtest.h>

#include <tuple>

using namespace testing_support;

namespace {

// A started station whose database is `db`, with the album of `db.artists[0]` current.
struct Album : BrowseStation {
    using BrowseStation::BrowseStation;
    std::vector<std::string> titles() { return column(*form().SingleView, 2); }
};

TestDatabase oneAlbum(const std::vector<library::SongRecord>& songs) {
    TestDatabase db;
    db.songs = songs;
    const library::AlbumRecord entry{0, songs[0].artist, songs[0].album, songs[0].fileLocation};
    db.albums = {entry};
    db.artists = {entry};
    return db;
}

} // namespace

TEST(AlbumSongs, FoldersCompareWithoutLetterCaseAndAlbumsWithIt) {
    Album a(oneAlbum({
        song("/music/abba/gold", "ABBA", "Gold", "Waterloo", "02"),
        song("/music/ABBA/Gold", "ABBA", "Gold", "Dancing Queen", "01"),
        song("/music/abba/gold", "ABBA", "Gold Deluxe", "Bonus", "03"), // a longer album name is taken
        song("/music/abba/gold", "ABBA", "gold", "Other Case", "04"),   // a different case is not
        song("/music/abba/silver", "ABBA", "Gold", "Elsewhere", "05"),  // another folder is not
    }));
    // Sorted by track; the "#" column keeps the order of the file.
    EXPECT_EQ(a.titles(), (std::vector<std::string>{"Dancing Queen", "Waterloo", "Bonus"}));
    EXPECT_EQ(a.form().SingleView->text(1), "2");
    EXPECT_EQ(a.form().SingleView->subItem(1, 6), "000002");
    EXPECT_EQ(a.form().SingleAlbum->caption(), "Gold");
    EXPECT_EQ(a.form().SingleArtist->caption(), "ABBA");
}

TEST(AlbumSongs, AnAlbumIsItsArtistsWhenAtLeastAThirdOfItsSongsAreTheirs) {
    // Songs of the album, songs of them by its artist, the album-artist label.
    const std::tuple<int, int, const char*> cases[] = {
        {7, 3, "Lead"}, {7, 2, "Various Artists"}, {9, 3, "Lead"}, {9, 2, "Various Artists"}, {1, 1, "Lead"}};
    for (const auto& [count, byLead, shown] : cases) {
        std::vector<library::SongRecord> songs;
        for (int i = 1; i <= count; ++i) {
            const std::string track(1, static_cast<char>('0' + i));
            songs.push_back(song("/music/mix", i <= byLead ? "Lead" : "Guest", "Mix", track, track));
        }
        Album a(oneAlbum(songs));
        EXPECT_EQ(a.form().SingleArtist->caption(), shown) << byLead << " of " << count;
    }
}

TEST(AlbumSongs, AnAlbumWithoutSongsStillNamesItselfButAnEmptySongFileChangesNothing) {
    TestDatabase db = oneAlbum({song("/music/full", "Full", "Songs", "Intro", "01")});
    db.artists.push_back({0, "Hollow", "Nothing Here", "/music/hollow/01 Gone.mp3"});
    Album a(db);
    Form1& f = a.form();
    ASSERT_EQ(f.SingleView->count(), 1);
    f.browse.CurrentArtistIndex = 2;
    f.SelectArtistAlbum();
    EXPECT_EQ(f.SingleView->count(), 0);
    EXPECT_EQ(f.SingleAlbum->caption(), "Nothing Here");
    EXPECT_EQ(f.SingleArtist->caption(), "Hollow");
    f.Label1[18].setCaption("");
    f.Label1[18].setVisible(false);
    f.FillAlbumView();
    EXPECT_EQ(f.Label1[18].caption(), "2 - Hollow - Nothing Here");
    EXPECT_TRUE(f.Label1[18].visible());

    // With no song records at all the page is emptied and its labels keep what they showed.
    a.rt.write("Data.mld", "");
    f.browse.CurAlbum = "Songs";
    f.browse.CurArtist = "Full";
    f.FillAlbumView();
    EXPECT_EQ(f.SingleView->count(), 0);
    EXPECT_EQ(f.SingleAlbum->caption(), "Nothing Here");
    EXPECT_EQ(f.SingleArtist->caption(), "Hollow");
}

TEST(AlbumSongs, EachCoverStepStandsAloneAndTheCoverIsFoundWhateverItsLetterCase) {
    BrowseStation b;
    const TestDatabase db = makeDatabase(b.rt.programFolder() / "Music", 3, 1);
    // Albums 1 and 2 have covers of their own (one named in capitals), album 3 has none.
    BrowseStation::writeCover(db.songs[0].fileLocation, 64, "COVER.JPG");
    BrowseStation::writeCover(db.songs[1].fileLocation, 80);
    b.start(db);
    Form1& f = b.form();
    EXPECT_EQ(f.Image11->picture().widthPx(), 64);
    EXPECT_EQ(f.Image1[3].picture().heightPx(), 48);

    // Without a readable skin cover the album's own cover still shows, and the panel follows it; an
    // album without a cover then keeps the picture shown before.
    const auto skinCover = b.rt.programFolder() / "Skin" / "Cover.jpg";
    for (const bool broken : {false, true}) {
        std::filesystem::remove(skinCover);
        if (broken) {
            b.rt.write("Skin/Cover.jpg", "not a picture");
        }
        const int other = broken ? 1 : 2;
        f.browse.CurrentArtistIndex = other;
        f.SelectArtistAlbum();
        EXPECT_EQ(f.Image11->picture().widthPx(), broken ? 64 : 80);
        EXPECT_TRUE(f.Image1[3].picture() == f.Image11->picture());
        f.browse.CurrentArtistIndex = 3;
        f.SelectArtistAlbum();
        EXPECT_EQ(f.Image11->picture().widthPx(), broken ? 64 : 80);
        EXPECT_TRUE(f.Image1[3].picture() == f.Image11->picture());
    }
}
