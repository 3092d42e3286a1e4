// The playlist and last-songs pages worked through the shown window, the reset and the keeping of the
// queued marks, the random pick and the loop and random buttons.
#include "stationrig.h"

#include "gui.h"
#include "library/songlist.h"
#include "platform/label.h"
#include "platform/listbox.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "platform/timer.h"
#include "screen/form2.h"

#include <gtest/gtest.h>

#include <set>

using namespace playbacktest;
using namespace testing_support;
using Records = std::vector<int>;

namespace {

// The records whose rows of the song list are marked queued.
Records markedRecords(Form1& f) {
    Records out;
    for (int row = 1; row <= f.ListView->count(); ++row) {
        if (f.ListView->bold(row, 0)) {
            out.push_back(std::stoi(f.ListView->subItem(row, 10)));
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string limitText(int limit) {
    return "Maximum Songs To Select As Randomize Is : " + std::to_string(limit) + "  ";
}

} // namespace

TEST(PlaylistEdit, RowsAreRemovedRenumberedPlayedAndClearedWhileTheSongPlaysOn) {
    StationRig s(1, 5);
    Form1& f = s.f();
    s.queue({1, 2, 3, 4, 5});
    s.show();
    s.bar(6);
    f.PlayCurrentSong();
    s.run(3200); // row 1 played, row 2 plays
    pressKeyOnRow(*f.play, 1, Qt::Key_Delete);
    EXPECT_EQ(s.queued(), (Records{2, 3, 4, 5}));
    EXPECT_EQ(f.play->text(4), "4");
    ASSERT_EQ(f.lstFilenames->listCount(), 4);
    EXPECT_EQ(f.lstFilenames->list(3), s.path(5));
    EXPECT_EQ(f.playback.NextIndex, 2);
    EXPECT_EQ(f.Label1[11].caption(), "3/5"); // the counter is not rewritten by a removal
    // The playing row itself goes: the song after it still comes next.
    pressKeyOnRow(*f.play, 1, Qt::Key_Delete);
    s.run(3000);
    EXPECT_EQ(s.handed(), (Records{1, 2, 3}));

    // Enter plays a row at once; its key release opens the row's album.
    f.browse.CurAlbum.clear();
    pressKeyOnRow(*f.play, 2, Qt::Key_Return);
    EXPECT_EQ(s.handed().back(), 4);
    EXPECT_EQ(f.playback.CurrentIndex, 2);
    EXPECT_EQ(f.browse.CurAlbum, "Album 01");

    // Clearing the playlist leaves the song playing; it is counted when it ends, and nothing follows.
    const auto commands = s.player().messages().size();
    click(&f.Picture6[1]);
    EXPECT_EQ(f.lstFilenames->listCount(), 0);
    EXPECT_EQ(f.Label1[11].caption(), "0/0");
    EXPECT_EQ(s.screen().F2_Label1[11].caption(), "0/0");
    EXPECT_EQ(f.Label1[8].caption(), "");
    EXPECT_EQ(s.rt.pictureName(f.Image1[2].picture()), "Cover.jpg");
    EXPECT_EQ(s.player().messages().size(), commands);
    s.run(4000);
    EXPECT_EQ(s.lastSongs(), (Records{1, 2, 4}));
    EXPECT_FALSE(f.Timer1->enabled());
    click(&f.Picture6[4]);
    EXPECT_EQ(f.pages.PlayListOpen, 0);

    // The last-songs list: Delete renumbers, a double-click plays the row without queuing it, the
    // clear button empties it.
    s.bar(5);
    pressKeyOnRow(*f.PrevView, 1, Qt::Key_Delete);
    EXPECT_EQ(s.lastSongs(), (Records{2, 4}));
    EXPECT_EQ(f.PrevView->text(2), "2");
    s.queue(5); // the playlist's row 1 is another song than the last-songs row 1
    doubleClickRow(*f.PrevView, 1);
    EXPECT_EQ(s.handed().back(), 2);
    EXPECT_EQ(s.queued(), Records{5});
    click(&f.Picture1[0]);
    EXPECT_EQ(f.PrevView->count(), 0);
    EXPECT_EQ(s.screen().F2_Label1[3].caption(), "0");
    click(&f.Picture1[1]);
    EXPECT_EQ(f.pages.LastSongsOpen, 0);
}

TEST(PlaylistEdit, MarksAreResetByTheButtonAndKeptForQueuedSongsAcrossAReload) {
    StationRig s(2, 4);
    Form1& f = s.f();
    s.show();
    s.bar(10);
    doubleClick(f.Image11); // records 1 to 4
    f.playback.ListOwner = 1;
    f.RemoveListEntry(1);
    f.playback.ListOwner = 0;
    // A reload marks again the songs still in the playlist, only where record and file still agree.
    f.play->setSubItem(3, 5, "/elsewhere.mp3");
    f.LoadDataBase();
    EXPECT_EQ(markedRecords(f), (Records{2, 3}));

    s.bar(12);
    click(&f.Image2[1]); // clear marks
    EXPECT_TRUE(markedRecords(f).empty());
    EXPECT_FALSE(f.SingleView->bold(2, 1));
    EXPECT_EQ(f.SingleView->foreColor(2, 6), 0u);
    EXPECT_EQ(f.playback.ChosenCount, 0);
    EXPECT_EQ(f.playback.AlbumAddedWhole, 0);
    EXPECT_EQ(f.Text1->toolTipText(), limitText(7));
    EXPECT_EQ(f.play->count(), 3);
    // The album can be queued again.
    s.bar(10);
    doubleClick(f.Image11);
    EXPECT_EQ(f.play->count(), 7);
}

TEST(PlaylistEdit, ARandomPickQueuesDistinctUnqueuedSongsUpToItsLimit) {
    StationRig s(1, 10);
    Form1& f = s.f();
    s.show();
    const int seeds = s.rt.random().seeds;
    // A negative number queues nothing; letters ask for nothing and stay.
    for (const char* typed : {"-3", "abc"}) {
        f.Text1->setText(typed);
        s.bar(15);
    }
    EXPECT_EQ(f.Text1->text(), "abc");
    EXPECT_EQ(f.play->count(), 0);
    EXPECT_EQ(f.Label1[11].caption(), "1/0");

    // 2.7 queues two songs; the last row of the song list can be drawn.
    s.rt.random().values = {0.99f, 0.0f};
    f.Text1->setText("2.7");
    pressKey(f.Text1, Qt::Key_Return, "\r");
    EXPECT_EQ(s.queued(), (Records{10, 1}));
    EXPECT_EQ(f.playback.StartAtFirst, 1);
    EXPECT_EQ(f.Text1->text(), "000");
    EXPECT_EQ(f.Text1->toolTipText(), limitText(7));
    EXPECT_EQ(s.rt.random().seeds, seeds + 1);

    // 20 asked with 7 left: seven more, all distinct, each marked; the limit falls to 0.
    f.Text1->setText("20");
    s.bar(15);
    const Records queued = s.queued();
    EXPECT_EQ(queued.size(), 9u);
    EXPECT_EQ(std::set<int>(queued.begin(), queued.end()).size(), 9u);
    EXPECT_EQ(markedRecords(f).size(), 9u);
    EXPECT_EQ(f.Text1->toolTipText(), limitText(0));
    EXPECT_EQ(s.screen().F2_Label1[11].caption(), "1/9");
    EXPECT_EQ(s.rt.random().seeds, seeds + 2);
    // Nothing left to choose: the box shows the limit, 0, and stays.
    f.Text1->setText("4");
    s.bar(15);
    EXPECT_EQ(f.Text1->text(), "0");

    // Marks and the chosen count disagreeing: the pick ends when no unqueued song is left.
    f.playback.ChosenCount = 0;
    f.Text1->setText("5");
    s.bar(15);
    EXPECT_EQ(f.play->count(), 10);
    f.Text1->setText("5");
    s.bar(15);
    EXPECT_EQ(f.play->count(), 10);
    EXPECT_EQ(f.Text1->text(), "000");
}

TEST(PlaylistEdit, TheLoopAndRandomButtonsSwitchOnTheirReleaseByTheirTable) {
    StationRig s;
    Form1& f = s.f();
    s.show();
    s.bar(6);
    const auto shows = [&](int button) { return s.rt.pictureName(f.Picture6[button].picture()); };
    // Each release (button, mouse button), then loop and random mode.
    const int steps[][4] = {{2, 1, 1, 0}, {2, 2, 0, 0}, {3, 1, 1, 1}, {2, 1, 1, 1},
                            {3, 4, 0, 0}, {2, 1, 1, 0}, {3, 1, 1, 1}, {3, 1, 0, 0}};
    for (const auto& [button, mouse, loop, random] : steps) {
        press(&f.Picture6[button], mouse);
        EXPECT_EQ(f.Picture6[button].borderStyle(), 1);
        release(&f.Picture6[button], mouse);
        EXPECT_EQ(f.Picture6[button].borderStyle(), 0);
        EXPECT_EQ(f.playback.LoopMode, loop);
        EXPECT_EQ(f.playback.RandomMode, random);
        EXPECT_EQ(shows(2), loop ? "Loop-On.jpg" : "Loop-Off.jpg");
        EXPECT_EQ(shows(3), random ? "Random-On.jpg" : "Random-Off.jpg");
    }
    press(&f.Picture6[1]);
    EXPECT_EQ(shows(1), "ClearPlaylist-On.jpg");
    release(&f.Picture6[1]);
    EXPECT_EQ(shows(1), "ClearPlaylist-Off.jpg");
    press(&f.Picture6[4]);
    EXPECT_EQ(shows(4), "Close-On.jpg");
}
