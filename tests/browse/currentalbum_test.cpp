#include "browsestation.h"
#include "controls/wheel.h"
#include "platform/label.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace testing_support;

namespace {

using Row = std::array<std::string, 3>; // artist, album, path of one song

// A started station (three albums of two songs, the first current) whose artist and album tables
// the test then fills with rows of its own, in the order given.
struct Browse : BrowseStation {
    Browse() { start(makeDatabase(rt.programFolder() / "Music", 3, 2)); }

    static void fill(tk::ListView& table, const std::vector<Row>& rows) {
        table.setSorted(false);
        table.clear();
        for (const Row& r : rows) {
            table.addRow({std::to_string(table.count()), r[0], r[1], r[2], "0"});
        }
    }
    void select(int row) {
        form().browse.CurrentArtistIndex = row;
        form().SelectArtistAlbum();
    }
    // One press of an arrow key on the wheel, as the user turns it.
    void turn(int key) {
        tk::UserControlLogic& wheel = *form().Wheel1;
        int code = key;
        wheel.onKeyDown(code, 0);
        code = key;
        wheel.onKeyUp(code, 0);
    }
    void find(const std::string& artist, const std::string& album) {
        form().browse.FindArtist = artist;
        form().browse.FindAlbum = album;
        form().FindArtistAlbum();
    }
};

} // namespace

TEST(CurrentAlbum, FindTakesTheFirstExactMatchUpToTheLastRowAndIgnoresNearMisses) {
    Browse b;
    Form1& f = b.form();
    Browse::fill(*f.TempArtist, {{"Alpha", "One", "/m/a/1.mp3"},
                                 {"Beta", "Two", "/m/b/1.mp3"},
                                 {"Beta", "Two", "/m/b2/1.mp3"},
                                 {"Gamma", "Three", "/m/c/1.mp3"}});
    b.select(1);

    // Letter case, trailing blanks and artist and album swapped find nothing and change nothing.
    for (const auto& [artist, album] : std::vector<std::pair<std::string, std::string>>{
             {"beta", "Two"}, {"Beta", "two"}, {"Beta ", "Two"}, {"Beta", "Two "}, {"Two", "Beta"}}) {
        b.find(artist, album);
        EXPECT_EQ(f.browse.CurrentArtistIndex, 1) << artist << "/" << album;
        EXPECT_EQ(f.browse.CurAlbum, "One");
        EXPECT_EQ(f.Wheel1->value(), 1);
        EXPECT_EQ(f.Label1[18].caption(), "1 - Alpha - One");
    }

    // Of two equal rows the first becomes current.
    b.find("Beta", "Two");
    EXPECT_EQ(f.browse.CurrentArtistIndex, 2);
    EXPECT_EQ(f.browse.CurAlbumPath, "/m/b/1.mp3");

    // The last row of the table is found too.
    b.find("Gamma", "Three");
    EXPECT_EQ(f.browse.CurrentArtistIndex, 4);
    EXPECT_EQ(f.browse.CurArtist, "Gamma");
    EXPECT_EQ(f.browse.WheelIndex, 4);
    EXPECT_EQ(f.Wheel1->value(), 4);
    EXPECT_EQ(f.Wheel1->max(), 4);
    EXPECT_EQ(f.Label1[18].caption(), "4 - Gamma - Three");
}

TEST(CurrentAlbum, AnAlbumInAFolderIsItsArtistsRowThereElseItsFirstRowThere) {
    Browse b;
    Form1& f = b.form();
    // "Hits" twice: Solo's album, and a compilation of two guests in another folder.
    Browse::fill(*f.TempArtist, {{"Solo", "Hits", "/m/solo/1.mp3"},
                                 {"Guest A", "Hits", "/m/mix/1.mp3"},
                                 {"Guest B", "Hits", "/m/mix/2.mp3"},
                                 {"Gamma", "Three", "/m/c/1.mp3"}});
    b.select(4);
    const auto find = [&](const std::string& artist, const std::string& album, const std::string& path) {
        f.browse.FindArtist = artist;
        f.browse.FindAlbum = album;
        return f.FindAlbumInFolder(path) ? f.browse.CurrentArtistIndex : 0;
    };

    // The compilation's cell names no artist of it: its first row, whatever the folder's letter case.
    EXPECT_EQ(find("Various Artists", "Hits", "/M/MIX/2.mp3"), 2);
    EXPECT_EQ(f.browse.CurAlbumPath, "/m/mix/1.mp3");
    EXPECT_EQ(f.Wheel1->value(), 2);
    EXPECT_EQ(find("Guest B", "Hits", "/m/mix/1.mp3"), 3);
    EXPECT_EQ(find("Solo", "Hits", "/m/mix/1.mp3"), 2);
    EXPECT_EQ(find("Various Artists", "Hits", "/m/solo/9.mp3"), 1);

    // Another folder, or another album name in the folder, finds nothing and changes nothing.
    b.select(4);
    for (const auto& [album, path] : std::vector<std::pair<std::string, std::string>>{
             {"Hits", "/m/other/1.mp3"}, {"Hit", "/m/mix/1.mp3"}, {"Hits ", "/m/mix/1.mp3"}}) {
        EXPECT_EQ(find("Guest A", album, path), 0) << album << " " << path;
        EXPECT_EQ(f.browse.CurrentArtistIndex, 4);
        EXPECT_EQ(f.browse.CurAlbum, "Three");
    }
}

TEST(CurrentAlbum, TheWheelLineNamesTheRowTheWheelPointsAtOnEachPage) {
    Browse b;
    Form1& f = b.form();
    Browse::fill(
        *f.TempArtist,
        {{"Alpha", "One", "/m/a/1.mp3"}, {"Beta", "Two", "/m/b/1.mp3"}, {"Gamma", "Three", "/m/c/1.mp3"}});
    Browse::fill(*f.TempAlbum, {{"Zeta", "Album Z", "/m/z/1.mp3"}, {"Eta", "Album E", "/m/e/1.mp3"}});
    b.select(1);

    // The single-album page: artist before album, and the row becomes the wheel's row.
    f.pages.SinglePageOpen = 1;
    f.Wheel1->setValue(3);
    EXPECT_EQ(f.Label1[18].caption(), "3 - Gamma  -  Three");
    EXPECT_EQ(f.browse.WheelIndex, 3);
    f.pages.SinglePageOpen = 0;

    // The album page with fewer than 8 rows: every turn puts the wheel back on row 1, and the wheel's
    // row for the single-album page stays.
    f.pages.AlbumPageOpen = 1;
    f.browse.AlbumPageMode = 1;
    b.turn(tk::kKeyLeft);
    EXPECT_EQ(f.Wheel1->value(), 1);
    EXPECT_EQ(f.Label1[18].caption(), "1 - Alpha  -  One");
    EXPECT_EQ(f.browse.WheelIndex, 3);
    // By album the album table is read, album before artist.
    f.browse.AlbumPageMode = 2;
    b.turn(tk::kKeyRight);
    EXPECT_EQ(f.Wheel1->value(), 1);
    EXPECT_EQ(f.Wheel1->max(), 2);
    EXPECT_EQ(f.Label1[18].caption(), "1 - Album Z  -  Zeta");
    f.pages.AlbumPageOpen = 0;

    // The top-10 page: the notice, whatever the value, also over a hidden line.
    f.pages.TopTenPageOpen = 1;
    f.Label1[18].setVisible(false);
    b.turn(tk::kKeyRight);
    EXPECT_EQ(f.Label1[18].caption(), " Sorry - Use Wheel Button to Move Forward ");
    EXPECT_TRUE(f.Label1[18].visible());
}

TEST(CurrentAlbum, SelectingOnTheAlbumPageByAlbumMovesTheWheelOverArtistRowsOnly) {
    Browse b;
    Form1& f = b.form();
    // The album table is short: read as the album page's table, any turn would put the wheel back on 1.
    Browse::fill(*f.TempAlbum, {{"Zeta", "Album Z", "/m/z/1.mp3"}});
    f.pages.AlbumPageOpen = 1;
    f.browse.AlbumPageMode = 2;
    b.select(3);
    EXPECT_EQ(f.browse.AlbumPageMode, 2);
    EXPECT_EQ(f.Wheel1->value(), 3);
    EXPECT_EQ(f.Wheel1->max(), 3);
    EXPECT_EQ(f.Label1[18].caption(), "3 - Artist 03 - Album 03");
    EXPECT_EQ(f.SingleView->count(), 2);
}

TEST(CurrentAlbum, AJumpAcrossTwentyThousandRowsShowsEveryRowOnTheWay) {
    Browse b;
    Form1& f = b.form();
    std::vector<Row> rows;
    for (int i = 1; i <= 20000; ++i) {
        rows.push_back({"Artist " + std::to_string(i), "Album " + std::to_string(i),
                        "/m/" + std::to_string(i) + "/1.mp3"});
    }
    Browse::fill(*f.TempArtist, rows);
    b.select(1);
    f.pages.SinglePageOpen = 1;
    int shown = 0;
    std::string last;
    f.Label1[18].change.connect([&] {
        ++shown;
        last = f.Label1[18].caption();
    });
    b.find("Artist 20000", "Album 20000");
    EXPECT_EQ(f.Wheel1->value(), 20000);
    EXPECT_EQ(f.browse.WheelIndex, 20000);
    EXPECT_GE(shown, 19999);
    EXPECT_EQ(last, "20000 - Artist 20000 - Album 20000");

    // The table shrinks under the wheel: turning it beyond the last row leaves the line as it is.
    Browse::fill(*f.TempArtist, {rows.begin(), rows.begin() + 100});
    b.turn(tk::kKeyLeft);
    EXPECT_EQ(f.Wheel1->value(), 19999);
    EXPECT_EQ(f.Label1[18].caption(), "20000 - Artist 20000 - Album 20000");
    EXPECT_EQ(f.browse.WheelIndex, 20000);
}
