// Filling the playlist through the shown window: double-clicks and Enter in the three song lists,
// whole albums from their covers, files of the add-songs page, and drops onto the now-playing cover.
#include "stationrig.h"

#include "fixtures/mp3file.h"
#include "gui.h"
#include "library/songlist.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listbox.h"
#include "platform/listmodel.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "player/playerwire.h"
#include "player/playrules.h"
#include "screen/form2.h"

#include <QListView>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

using namespace playbacktest;
using namespace testing_support;
using Cells = std::vector<std::string>;

namespace {

// Row `row` of the playlist, its position first.
Cells playRow(Form1& f, int row) {
    Cells cells{f.play->text(row)};
    for (int c = 1; c <= 6; ++c) {
        cells.push_back(f.play->subItem(row, c));
    }
    return cells;
}

// True when cells `first` to `last` of the row of `list` whose `column` holds record `record` show the
// queued look, and the cells outside them do not.
bool markedOnly(tk::ListView& list, int column, int record, int first, int last) {
    const int row = list.findSubItem(column, library::formatRecordNumber(record));
    bool ok = row != 0;
    for (int c = 0; ok && c < list.columnCount(); ++c) {
        const bool in = c >= first && c <= last;
        ok = list.bold(row, c) == in && list.foreColor(row, c) == (in ? 255u : 0u);
    }
    return ok;
}

std::unique_ptr<QMimeData> filesData(const std::vector<std::string>& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& p : paths) {
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(p)));
    }
    data->setUrls(urls);
    return data;
}

} // namespace

TEST(PlaylistAdds, EachSongListQueuesASongOnceAndMarksItByRecordInEveryList) {
    // Records 2 and 6 are two songs of one title.
    StationRig s(2, 4, 3000, {}, [](TestDatabase& db) { db.songs[5].title = db.songs[1].title; });
    Form1& f = s.f();
    s.show();
    s.bar(10); // album 1's songs
    doubleClickRow(*f.SingleView, 2);
    EXPECT_EQ(playRow(f, 1), (Cells{"1", "02", s.title(2), "Artist 01", "Album 01", s.path(2), "000002"}));
    EXPECT_EQ(f.playback.StartAtFirst, 1);
    EXPECT_EQ(f.Label1[11].caption(), "1/1");
    EXPECT_EQ(s.screen().F2_Label1[11].caption(), "1/1");
    EXPECT_EQ(f.Text1->toolTipText(), "Maximum Songs To Select As Randomize Is : 6  "); // 7 of 8, less 1
    EXPECT_TRUE(markedOnly(*f.SingleView, 6, 2, 1, 6));
    EXPECT_TRUE(markedOnly(*f.ListView, 10, 2, 0, 10));

    // The search finds the title on both albums: only record 2 shows queued, in the results and in
    // album 2's songs opened from them; record 2 is refused, record 6 queued by Enter.
    s.bar(14);
    f.Text2->setText("Song 02");
    f.SearchSongs();
    ASSERT_EQ(f.SSonglist->count(), 2);
    EXPECT_TRUE(markedOnly(*f.SSonglist, 6, 2, 1, 5));
    const int other = f.SSonglist->findSubItem(6, "000006");
    EXPECT_FALSE(f.SSonglist->bold(other, 1));
    click(f.SSonglist->view().viewport(), 1, rowPoint(*f.SSonglist, other));
    EXPECT_FALSE(f.SingleView->bold(f.SingleView->findSubItem(6, "000006"), 1));
    pressKeyOnRow(*f.SSonglist, f.SSonglist->findSubItem(6, "000002"), Qt::Key_Return);
    pressKeyOnRow(*f.SSonglist, other, Qt::Key_Return);
    EXPECT_EQ(playRow(f, 2), (Cells{"2", "02", s.title(6), "Artist 02", "Album 02", s.path(6), "000006"}));
    EXPECT_TRUE(markedOnly(*f.SSonglist, 6, 6, 1, 5));
    EXPECT_TRUE(markedOnly(*f.ListView, 10, 6, 0, 10));
    EXPECT_TRUE(markedOnly(*f.SingleView, 6, 6, 1, 6));

    // The song list: record 6 refused by a double-click, record 5 queued by Enter and marked in album
    // 2's songs.
    s.bar(12);
    doubleClickRow(*f.ListView, f.ListView->findSubItem(10, "000006"));
    pressKeyOnRow(*f.ListView, f.ListView->findSubItem(10, "000005"), Qt::Key_Return);
    EXPECT_EQ(playRow(f, 3), (Cells{"3", "01", s.title(5), "Artist 02", "Album 02", s.path(5), "000005"}));
    EXPECT_TRUE(markedOnly(*f.SingleView, 6, 5, 1, 6));
    // Enter in album 2's songs: record 6 refused, record 7 queued.
    pressKeyOnRow(*f.SingleView, f.SingleView->findSubItem(6, "000006"), Qt::Key_Return);
    pressKeyOnRow(*f.SingleView, f.SingleView->findSubItem(6, "000007"), Qt::Key_Return);
    EXPECT_EQ(s.queued(), (std::vector<int>{2, 6, 5, 7}));
    EXPECT_EQ(f.playback.ChosenCount, 4);
    EXPECT_EQ(f.Label1[11].caption(), "1/4");
    EXPECT_EQ(f.lstFilenames->listCount(), 4);
    EXPECT_TRUE(s.player().adds().empty()); // nothing starts playing
}

TEST(PlaylistAdds, AWholeAlbumIsQueuedOnceFromEachCoverAndItsQueuedSongsAreSkipped) {
    // Album 3 is another artist's album of album 1's title, in a folder of its own.
    StationRig s(3, 3, 3000, {}, [](TestDatabase& db) {
        for (int song = 6; song < 9; ++song) {
            db.songs[song].album = "Album 01";
        }
        db.albums[2].album = db.artists[2].album = "Album 01";
    });
    Form1& f = s.f();
    s.show();
    s.bar(10);
    f.playback.StartAtFirst = 0;
    doubleClick(f.Image11); // album 1 into the empty playlist
    doubleClick(f.Image11);
    EXPECT_EQ(s.queued(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(f.playback.StartAtFirst, 0);
    EXPECT_TRUE(markedOnly(*f.ListView, 10, 3, 0, 10));
    EXPECT_EQ(f.playback.ChosenCount, 3);

    // Song 2 of album 3 queued by hand; then album 3 from the album page's cover by the right button:
    // its title alone does not make it the album queued before.
    pressKeyOnRow(*f.ListView, f.ListView->findSubItem(10, "000008"), Qt::Key_Return);
    s.bar(11);
    press(&f.SImage[3], tk::kRightButton);
    release(&f.SImage[3], tk::kRightButton);
    EXPECT_EQ(s.queued(), (std::vector<int>{1, 2, 3, 8, 7, 9}));
    EXPECT_EQ(f.playback.ChosenCount, 7);
    // Album 1 from a top-10 cover: all its songs are queued, yet they count as chosen again.
    s.bar(13);
    press(&f.Image6[0], tk::kRightButton);
    release(&f.Image6[0], tk::kRightButton);
    EXPECT_EQ(f.play->count(), 6);
    EXPECT_EQ(f.playback.ChosenCount, 10);
    EXPECT_EQ(f.playback.LastAlbumAdded, "Album 01");
    EXPECT_EQ(f.Text1->toolTipText(), "Maximum Songs To Select As Randomize Is : -2  ");
    // A left-button release queues nothing.
    s.bar(11);
    press(&f.SImage[2]);
    release(&f.SImage[2]);
    EXPECT_EQ(f.play->count(), 6);
}

TEST(PlaylistAdds, FilesOfTheAddSongsPageShowOnlyTheirOwnTags) {
    StationRig s;
    Form1& f = s.f();
    const std::filesystem::path folder = s.rt.programFolder() / "Adds";
    std::filesystem::create_directories(folder);
    fixtures::SongTags tags{.title = "Alpha", .artist = "Ann", .album = "Air", .track = "7"};
    ASSERT_TRUE(fixtures::writeMp3(folder / "a.mp3", {.id3v2 = tags}));
    for (const char* name : {"Track05.cda", "b.mid", "c.mp2"}) {
        s.rt.write("Adds/" + std::string(name), "x");
    }
    s.show();
    s.bar(6);
    click(&f.Picture6[0]);
    ASSERT_EQ(f.pages.AddSongsOpen, 1);
    f.Dir1->setPath(folder.string());
    const auto doubleClickFile = [&](const std::string& name) {
        int entry = 0;
        while (f.File1->list(entry) != name) {
            ASSERT_LT(++entry, f.File1->listCount()) << name;
        }
        doubleClick(f.File1->view().viewport(), 1,
                    f.File1->view().visualRect(f.File1->model().index(entry, 0)).center());
    };
    for (const char* name : {"a.mp3", "b.mid", "a.mp3", "Track05.cda", "c.mp2"}) {
        doubleClickFile(name);
    }
    const std::string a = (folder / "a.mp3").string();
    EXPECT_EQ(playRow(f, 1), (Cells{"1", "007", "Alpha", "Ann", "Air", a, "None"}));
    EXPECT_EQ(playRow(f, 2), (Cells{"2", "", "b.mid", "", "", (folder / "b.mid").string(), "None"}));
    EXPECT_EQ(playRow(f, 3), (Cells{"3", "007", "Alpha", "Ann", "Air", a, "None"}));
    EXPECT_EQ(playRow(f, 4),
              (Cells{"4", "05", "Track05", "", "", (folder / "Track05.cda").string(), "None"}));
    EXPECT_EQ(f.play->subItem(5, 3), "");
    EXPECT_EQ(f.playback.ChosenCount, 0);
    EXPECT_EQ(f.Label1[11].caption(), "1/5");
    EXPECT_EQ(player::pathInFolder("/", "x.mp3"), "/x.mp3");
    EXPECT_EQ(player::pathInFolder("/m", "x.mp3"), "/m/x.mp3");

    // The load-directory button queues every music file of the folder, MP2 files no more.
    click(&f.Switches[8]);
    EXPECT_EQ(f.play->count(), 8);
    std::filesystem::create_directory(folder / "Empty");
    f.Dir1->setPath((folder / "Empty").string());
    click(&f.Switches[8]);
    EXPECT_EQ(f.play->count(), 8);
    ASSERT_EQ(s.rt.messages().shown.size(), 1u);
    EXPECT_EQ(s.rt.messages().shown[0].text, "Sorry, But No MP3 Files Were Found In This Folder");
}

TEST(PlaylistAdds, ADropPlaysWhatItCarriesAtOnceWithoutQueuing) {
    StationRig s(2, 3);
    Form1& f = s.f();
    s.show();
    const std::filesystem::path folder = s.rt.programFolder() / "Dropped";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(fixtures::writeMp3(folder / "one.mp3",
                                   {.id3v2 = fixtures::SongTags{.title = "One", .artist = "Uno"}}));
    ASSERT_TRUE(fixtures::writeMp3(folder / "two.mp3", {.id3v2 = fixtures::SongTags{.title = "Two"}}));
    s.rt.write("Dropped/tune.mid", "x");
    tk::Control& cover = f.Image1[1];
    // Two drops of desktop files in a row play two different files, the last of several.
    for (const auto& [files, title] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{(folder / "two.mp3").string(), (folder / "one.mp3").string()}, "One"},
             {{(folder / "two.mp3").string()}, "Two"},
             {{(folder / "tune.mid").string()}, "tune.mid"}}) {
        drop(&cover, *filesData(files));
        EXPECT_EQ(s.player().adds().back(), files.back());
        EXPECT_EQ(f.Label1[4].caption(), title);
        EXPECT_EQ(s.screen().F2_Label1[4].caption(), title);
        EXPECT_EQ(f.browse.DragSource, -1);
    }
    EXPECT_EQ(f.Label1[5].caption(), ""); // not the artist of the song before

    // Rows of the three song lists: their selected song; rows of any other list are not taken.
    s.bar(14);
    f.Text2->setText("Song 03");
    f.SearchSongs();
    f.ListView->select(f.ListView->findSubItem(10, "000004"));
    f.SingleView->select(2);
    f.SSonglist->select(f.SSonglist->findSubItem(6, "000006"));
    for (const auto& [list, record] : std::vector<std::pair<tk::ListView*, int>>{
             {f.ListView, 4}, {f.SingleView, 2}, {f.SSonglist, 6}, {f.SAlbumlist, 6}}) {
        drop(&cover, *list->dragData());
        EXPECT_EQ(s.handed().back(), record) << list->name();
        EXPECT_EQ(f.Label1[4].caption(), s.title(record)) << list->name();
        EXPECT_EQ(f.Label1[7].caption(), "0" + std::to_string(1 + (record - 1) % 3)) << list->name();
    }
    EXPECT_EQ(f.play->count(), 0);
    EXPECT_EQ(f.Label1[11].caption(), "");
    // The song ends: neither counted nor listed.
    s.run(4000);
    EXPECT_EQ(s.storedCount(6), "    ");
    EXPECT_TRUE(s.lastSongs().empty());
}

TEST(PlaylistAdds, ADropThePlayerCannotTakeLeavesThePlayingSongPlayingAndCounted) {
    StationRig s;
    Form1& f = s.f();
    s.show();
    s.queue({1, 2});
    f.PlayCurrentSong();
    s.run(1000);
    // A folder from the desktop, and a song-list row whose file is gone.
    std::filesystem::remove(s.path(3));
    f.ListView->select(f.ListView->findSubItem(10, "000003"));
    drop(&f.Image1[1], *filesData({s.rt.programFolder().string()}));
    drop(&f.Image1[1], *f.ListView->dragData());
    EXPECT_EQ(s.player().list(), std::vector<std::string>{s.path(1)});
    EXPECT_EQ(s.player().rawPlayState(), playerwire::kStatePlaying);
    EXPECT_EQ(f.Label1[4].caption(), s.title(1));
    s.run(2500);
    EXPECT_EQ(s.lastSongs(), std::vector<int>{1});
    EXPECT_EQ(s.storedCount(1), "1   ");
}
