#include "app/form1.h"
#include "app/station.h"
#include "controls/wheel.h"
#include "database.h"
#include "fakeplayer.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

library::SongRecord song(const std::string& folder, const std::string& artist, const std::string& album,
                         const std::string& title, const std::string& track) {
    library::SongRecord r;
    r.artist = artist;
    r.album = album;
    r.title = title;
    r.track = track;
    r.fileLocation = folder + "/" + track + " " + title + ".mp3";
    return r;
}

// A started station whose database is `db`, with the album of `db.artists[0]` current.
struct Album {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    std::unique_ptr<Station> station;

    explicit Album(const TestDatabase& db) {
        writeDatabase(rt.programFolder(), db);
        rt.random().values = {0.0f};
        station = std::make_unique<Station>(rt.runtime());
        if (!station->start()) {
            throw std::runtime_error("the start failed");
        }
    }
    Form1& form() { return station->form1(); }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (int i = 1; i <= form().SingleView->count(); ++i) {
            out.push_back(form().SingleView->subItem(i, 2));
        }
        return out;
    }
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

TEST(AlbumSongs, AnAlbumOfManyArtistsIsByVariousArtists) {
    std::vector<library::SongRecord> songs;
    const char* const artists[] = {"Lead", "Lead", "Lead", "Guest 4", "Guest 5", "Guest 6", "Guest 7"};
    const char* const tracks[] = {"01", "02", "03", "04", "05", "06", "07"};
    for (int i = 0; i < 7; ++i) {
        songs.push_back(song("/music/mix", artists[i], "Mix", tracks[i], tracks[i]));
    }
    Album three(oneAlbum(songs)); // 3 of 7 songs carry the album's artist: 3 is at least 7/3
    EXPECT_EQ(three.form().SingleArtist->caption(), "Lead");
    songs[2].artist = "Guest 3";
    Album two(oneAlbum(songs));
    EXPECT_EQ(two.form().SingleArtist->caption(), "Various Artists");
}

TEST(AlbumSongs, QueuedSongsAreMarkedByRecordNotByTitle) {
    Album a(oneAlbum({
        song("/music/x", "X", "Live", "Intro", "01"),
        song("/music/x", "X", "Live", "Intro", "02"),
    }));
    Form1& f = a.form();
    // The second song (record 2) is in the playlist: its row in the song list is bold.
    for (int i = 1; i <= f.ListView->count(); ++i) {
        if (f.ListView->subItem(i, 10) == "000002") {
            f.ListView->setBold(i, 0, true);
        }
    }
    f.FillAlbumView();
    ASSERT_EQ(f.SingleView->count(), 2);
    EXPECT_FALSE(f.SingleView->bold(1, 1));
    EXPECT_TRUE(f.SingleView->bold(2, 1));
    EXPECT_EQ(f.SingleView->foreColor(2, 6), 255u);
    EXPECT_FALSE(f.SingleView->bold(2, 0)); // the running number keeps its normal look
}

TEST(AlbumSongs, TheCoverIsFoundWhateverItsLetterCase) {
    TestDatabase db = oneAlbum({song("", "X", "Live", "Intro", "01")});
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    const auto folder = rt.programFolder() / "Music" / "Live";
    std::filesystem::create_directories(folder);
    QImage cover(64, 48, QImage::Format_RGB32);
    cover.fill(Qt::green);
    ASSERT_TRUE(cover.save(QString::fromStdString((folder / "COVER.JPG").string())));
    db.songs[0].fileLocation = (folder / "01 Intro.mp3").string();
    db.albums[0].location = db.artists[0].location = db.songs[0].fileLocation;
    writeDatabase(rt.programFolder(), db);
    Station station(rt.runtime());
    ASSERT_TRUE(station.start());
    Form1& f = station.form1();
    EXPECT_EQ(f.Image11->picture().widthPx(), 64);
    EXPECT_EQ(f.Image1[3].picture().heightPx(), 48);
}

TEST(AlbumSongs, ABackslashInALinuxFileNameIsPartOfTheName) {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    const auto folder = rt.programFolder() / "Music";
    std::filesystem::create_directories(folder);
    QImage cover(64, 48, QImage::Format_RGB32);
    cover.fill(Qt::green);
    ASSERT_TRUE(cover.save(QString::fromStdString((folder / "cover.jpg").string())));
    // The album's entry names the song whose file name holds the "\".
    TestDatabase db = oneAlbum({song(folder.string(), "AC\\DC", "Live", "AC\\DC - Thunder", "01"),
                                song(folder.string(), "AC\\DC", "Live", "Dirt", "02")});
    writeDatabase(rt.programFolder(), db);
    Station station(rt.runtime());
    ASSERT_TRUE(station.start());
    Form1& f = station.form1();
    EXPECT_EQ(f.SingleView->count(), 2);
    EXPECT_EQ(f.Image11->picture().widthPx(), 64);
}
