#include "browsestation.h"
#include "controls/wheel.h"
#include "gui.h"
#include "platform/label.h"
#include "platform/picturebox.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct AlbumPage : BrowseStation {
    AlbumPage() {
        const TestDatabase db = twentyAlbums(rt.programFolder() / "Music");
        writeCover(db.songs[0].fileLocation, 64); // Artist 01 - Album 19
        writeCover(db.songs[1].fileLocation, 80); // Artist 02 - Album 18
        start(db);
    }
    explicit AlbumPage(const TestDatabase& db)
        : BrowseStation(db) {}
    void show(int mode, int first) {
        Form1& f = form();
        f.pages.BrowseByAlbum = mode == 2 ? 1 : 0;
        f.SwitchBrowseMode();
        f.browse.AlbumPageFirst = first;
        f.browse.AlbumPageLast = first + 7;
        f.ShowAlbumPage();
    }
    // Shows the main window and opens the album page with its bar button, for the mouse to work it.
    void openPage() {
        showAndExpose(&form());
        click(&form().switch_[11]);
    }
    bool shows(int cell, const char* skinPicture) {
        return form().SImage[cell].picture().image() ==
               QImage(QString::fromStdString((rt.programFolder() / "Skin" / skinPicture).string()));
    }
};

constexpr const char* kHint = "   ***** Right Mouse Click To Sent This Album to PlayList  *****   ";

} // namespace

TEST(AlbumPage, ShowsEightRowsOfEitherTableAndEmptyCellsPastItsEnd) {
    AlbumPage p;
    Form1& f = p.form();
    ASSERT_EQ(f.TempArtist->count(), 21);
    ASSERT_EQ(f.TempAlbum->count(), 20);

    // By artist: rows 1 to 8 of the artist table, the artist first in the tool tip, covers of their own.
    p.show(1, 1);
    EXPECT_EQ(f.browse.AlbumPageMode, 1);
    EXPECT_EQ(f.SLArtist[1].caption(), "Artist 01");
    EXPECT_EQ(f.SLAlbum[1].caption(), "Album 19");
    EXPECT_EQ(f.SLFile[1].caption(), f.TempArtist->subItem(1, 3));
    EXPECT_EQ(f.SImage[1].toolTipText(), " ( 1 ) -  Artist 01 - Album 19" + std::string(kHint));
    EXPECT_EQ(f.SImage[1].picture().widthPx(), 64);
    EXPECT_EQ(f.SImage[2].picture().widthPx(), 80);
    EXPECT_TRUE(p.shows(3, "Cover.jpg"));
    EXPECT_TRUE(f.SLArtist[5].fontBold());
    EXPECT_EQ(f.SLArtist[5].foreColor(), 192u);
    EXPECT_FALSE(f.SLAlbum[5].fontBold());
    EXPECT_EQ(f.SLAlbum[5].foreColor(), 0u);

    // Paged to rows 17 to 24 of 21: four rows, four empty cells that keep their old tool tips.
    p.show(1, 17);
    EXPECT_EQ(f.SLArtist[4].caption(), "Guest A");
    EXPECT_EQ(f.SLArtist[5].caption(), "Guest B");
    for (int cell = 6; cell <= 8; ++cell) {
        EXPECT_EQ(f.SLAlbum[cell].caption(), "");
        EXPECT_EQ(f.SLArtist[cell].caption(), "");
        EXPECT_EQ(f.SLFile[cell].caption(), "");
        EXPECT_TRUE(p.shows(cell, "Empty.jpg"));
        EXPECT_EQ(f.browse.AlbumCellRow[static_cast<std::size_t>(cell)], 0);
    }
    EXPECT_EQ(f.SImage[8].toolTipText(), " ( 8 ) -  Artist 08 - Album 12" + std::string(kHint));
    EXPECT_EQ(f.browse.AlbumCellRow[1], 17);
    EXPECT_EQ(f.browse.AlbumCellRow[5], 21);
    EXPECT_EQ(f.Label1[19].caption(), "17");
    EXPECT_EQ(f.Label1[20].caption(), "24");
    EXPECT_EQ(f.Label1[19].backColor(), 0xFF8080u);

    // By album: the album table, album first in the tool tip; the labels keep their places and only
    // the emphasis moves.
    p.show(2, 1);
    EXPECT_EQ(f.browse.AlbumPageMode, 2);
    EXPECT_EQ(f.SLAlbum[1].caption(), "Album 01");
    EXPECT_EQ(f.SLArtist[1].caption(), "Artist 19");
    EXPECT_EQ(f.SImage[1].toolTipText(), " ( 1 ) -  Album 01 - Artist 19" + std::string(kHint));
    EXPECT_TRUE(f.SLAlbum[2].fontBold());
    EXPECT_EQ(f.SLAlbum[2].foreColor(), 192u);
    EXPECT_FALSE(f.SLArtist[2].fontBold());
    EXPECT_EQ(f.SLArtist[2].foreColor(), 0u);

    // A range asked from below row 1 shows rows 1 to 8; an unknown mode shows nothing new.
    p.show(2, -7);
    EXPECT_EQ(f.browse.AlbumPageFirst, 1);
    EXPECT_EQ(f.SLAlbum[8].caption(), "Album 08");
    EXPECT_EQ(f.Label1[19].caption(), "1");
    EXPECT_EQ(f.Label1[20].caption(), "8");
    f.browse.AlbumPageMode = 3;
    f.browse.AlbumPageFirst = 13;
    f.ShowAlbumPage();
    EXPECT_EQ(f.SLAlbum[1].caption(), "Album 01");
}

TEST(AlbumPage, WithoutTheSkinsPicturesCellsAreBlankNotStale) {
    AlbumPage p;
    Form1& f = p.form();
    p.show(1, 1);
    std::filesystem::remove(p.rt.programFolder() / "Skin" / "Empty.jpg");
    std::filesystem::remove(p.rt.programFolder() / "Skin" / "Cover.jpg");
    p.show(1, 17);
    EXPECT_EQ(f.SLArtist[1].caption(), "Artist 17");
    for (int cell = 1; cell <= 8; ++cell) {
        EXPECT_TRUE(f.SImage[cell].picture().isNull()) << cell;
    }
    // An album's own cover needs no skin picture.
    p.show(1, 1);
    EXPECT_EQ(f.SImage[1].picture().widthPx(), 64);
}

TEST(AlbumPage, ADoubleClickOnAnyOfTheEightCoversOpensItsAlbum) {
    AlbumPage p;
    Form1& f = p.form();
    p.openPage();
    p.show(1, 1);
    for (int cell = 1; cell <= 8; ++cell) {
        const std::string album = f.SLAlbum[cell].caption();
        doubleClick(&f.SImage[cell]);
        EXPECT_EQ(f.pages.SinglePageOpen, 1) << cell;
        EXPECT_EQ(f.SingleAlbum->caption(), album) << cell;
        EXPECT_EQ(f.browse.CurArtist, f.SLArtist[cell].caption()) << cell;
        click(&f.switch_[11]);
        ASSERT_EQ(f.pages.AlbumPageOpen, 1);
    }
    EXPECT_EQ(f.SLAlbum[8].caption(), "Album 12");
}

TEST(AlbumPage, ACompilationsCoverBrowsedByAlbumQueuesAndOpensTheCompilation) {
    AlbumPage p;
    Form1& f = p.form();
    p.openPage();
    p.show(2, 13); // Album 13 to Album 20, the compilation of Guest A and Guest B
    ASSERT_EQ(f.SLArtist[8].caption(), "Various Artists");
    click(&f.SImage[1]);
    ASSERT_EQ(f.browse.CurAlbum, "Album 13");

    // The right button on the compilation's cover queues its songs, and no other album's.
    press(&f.SImage[8], tk::kRightButton);
    release(&f.SImage[8], tk::kRightButton);
    EXPECT_EQ(f.browse.CurAlbum, "Album 20");
    EXPECT_EQ(column(*f.play, 2), (std::vector<std::string>{"By Guest A", "By Guest B"}));
    EXPECT_EQ(f.playback.LastAlbumAdded, "Album 20");

    // A double-click opens the compilation's songs on the single-album page.
    doubleClick(&f.SImage[8]);
    EXPECT_EQ(f.pages.SinglePageOpen, 1);
    EXPECT_EQ(f.SingleAlbum->caption(), "Album 20");
    EXPECT_EQ(column(*f.SingleView, 2), (std::vector<std::string>{"By Guest A", "By Guest B"}));
    EXPECT_EQ(column(*f.SingleView, 3), (std::vector<std::string>{"Guest A", "Guest B"}));
}

TEST(AlbumPage, EachOfTwoSameNamedAlbumsOfOneArtistQueuesAndOpensTheSongsOfItsOwnFolder) {
    // "Greatest Hits" twice by one band, each in a folder of its own with songs of its own.
    const std::vector<std::string> early{"Early One", "Early Two"};
    const std::vector<std::string> late{"Late One", "Late Two"};
    const TestDatabase db = databaseOf({song("/m/band/1998", "Band", "Greatest Hits", early[0], "01"),
                                        song("/m/band/1998", "Band", "Greatest Hits", early[1], "02"),
                                        song("/m/band/2008", "Band", "Greatest Hits", late[0], "01"),
                                        song("/m/band/2008", "Band", "Greatest Hits", late[1], "02")});
    // Browsed by artist and by album: the order of the two rows in either table must not decide which
    // copy a cover stands for, so both cells are pressed.
    for (const int mode : {1, 2}) {
        AlbumPage p(db);
        Form1& f = p.form();
        p.openPage();
        p.show(mode, 1);
        const auto songsOf = [&](int cell) {
            return f.SLFile[cell].caption().starts_with("/m/band/1998/") ? early : late;
        };
        ASSERT_EQ(f.SLAlbum[2].caption(), "Greatest Hits") << mode;
        ASSERT_NE(songsOf(1), songsOf(2)) << mode;

        // A double-click on either cover opens the songs of that cover's folder.
        for (const int cell : {1, 2}) {
            doubleClick(&f.SImage[cell]);
            EXPECT_EQ(f.pages.SinglePageOpen, 1) << mode << " " << cell;
            EXPECT_EQ(column(*f.SingleView, 2), songsOf(cell)) << mode << " " << cell;
            click(&f.switch_[11]);
            ASSERT_EQ(f.pages.AlbumPageOpen, 1);
        }

        // The right button on each cover in turn queues both copies, each with its own songs.
        std::vector<std::string> queued;
        for (const int cell : {1, 2}) {
            press(&f.SImage[cell], tk::kRightButton);
            release(&f.SImage[cell], tk::kRightButton);
            const std::vector<std::string> songs = songsOf(cell);
            queued.insert(queued.end(), songs.begin(), songs.end());
            EXPECT_EQ(column(*f.play, 2), queued) << mode << " " << cell;
        }
    }
}
