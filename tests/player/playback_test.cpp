// The main bar's transport on the whole station, in virtual time with the fake player.
#include "stationrig.h"

#include "controls/sliderpic.h"
#include "platform/label.h"
#include "platform/listbox.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "player/playerwire.h"
#include "screen/form2.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace playbacktest;
namespace wire = playerwire;
using Records = std::vector<int>;

namespace {
// Commands (play, pause, stop) the player got since message `from`.
int commandsSince(fakes::FakePlayer& player, std::size_t from) {
    const auto& m = player.messages();
    return static_cast<int>(std::count_if(m.begin() + static_cast<std::ptrdiff_t>(from), m.end(),
                                          [](const auto& x) { return x.message == wire::kMsgCommand; }));
}

// Gives the folder of `songPath` a "cover.jpg".
bool writeCover(const std::string& songPath) {
    QImage cover(8, 8, QImage::Format_RGB32);
    cover.fill(Qt::green);
    const auto folder = std::filesystem::path(songPath).parent_path();
    return cover.save(QString::fromStdString((folder / "cover.jpg").string()));
}
} // namespace

TEST(Playback, APlaylistPlaysThroughOnceThenStopsAndPlayStartsItsFirstRowAgain) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    EXPECT_EQ(s.handed(), Records{1});
    EXPECT_EQ(s.f().Label1[4].caption(), s.title(1));
    EXPECT_EQ(s.f().Label1[5].caption(), "Artist 01");
    EXPECT_EQ(s.f().Label1[6].caption(), "Album 01");
    EXPECT_EQ(s.f().Label1[7].caption(), "01");
    EXPECT_EQ(s.screen().F2_Label1[4].caption(), s.title(1));
    EXPECT_EQ(s.screen().F2_Label1[6].caption(), "Album 01");
    EXPECT_EQ(s.f().Label1[8].caption(), s.title(2));
    EXPECT_EQ(s.f().Label1[11].caption(), "2/3");
    EXPECT_EQ(s.screen().F2_Label1[11].caption(), "2/3");
    EXPECT_TRUE(s.f().play->bold(1, 5));
    EXPECT_EQ(s.f().play->foreColor(1, 0), 255u);
    EXPECT_FALSE(s.f().play->bold(1, 6));

    s.run(3000);
    EXPECT_EQ(s.lastSongs(), Records{1});
    EXPECT_FALSE(s.f().play->bold(1, 0));
    EXPECT_TRUE(s.f().play->bold(2, 0));
    s.run(10000);
    EXPECT_EQ(s.handed(), (Records{1, 2, 3}));
    EXPECT_EQ(s.lastSongs(), (Records{1, 2, 3}));
    EXPECT_EQ(s.f().Label1[11].caption(), "1/3");
    EXPECT_EQ(s.f().Label1[3].caption(), "3");
    EXPECT_EQ(s.screen().F2_Label1[3].caption(), "3");
    EXPECT_EQ(s.f().Label1[0].caption(), s.title(3));
    EXPECT_EQ(s.screen().F2_Label1[0].caption(), s.title(3));
    EXPECT_EQ(s.f().PrevView->text(3), "3");
    EXPECT_FALSE(s.f().Timer1->enabled());
    EXPECT_EQ(s.f().playback.CurrentIndex, 0);

    s.f().PlayCurrentSong();
    EXPECT_EQ(s.handed(), (Records{1, 2, 3, 1}));
}

TEST(Playback, LoopModeWrapsToTheFirstRowAndCountsEveryPlay) {
    StationRig s;
    s.queue({1, 2});
    s.f().playback.LoopMode = 1;
    s.f().PlayCurrentSong();
    s.run(16000);
    EXPECT_EQ(s.handed(), (Records{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(s.lastSongs(), (Records{1, 2, 1, 2, 1}));
    EXPECT_EQ(s.storedCount(1), "3   ");
    EXPECT_EQ(s.storedCount(2), "2   ");
}

TEST(Playback, RandomModeReachesEveryRowOfOneTwoOrThreeRowsTheLastOneToo) {
    for (int rows : {1, 2, 3}) {
        StationRig s;
        for (int r = 1; r <= rows; ++r) {
            s.queue(r);
        }
        s.f().playback.RandomMode = 1;
        s.f().playback.LoopMode = 1;
        // The first draw takes the last of three rows.
        s.rt.random().values = {0.9f, 0.1f, 0.7f, 0.3f, 0.5f, 0.95f, 0.0f, 0.6f};
        s.f().PlayCurrentSong();
        s.run(3000 * 9);
        const Records played = s.handed();
        ASSERT_GE(played.size(), 9u) << rows;
        EXPECT_EQ(std::set<int>(played.begin(), played.end()).size(), static_cast<std::size_t>(rows));
        if (rows == 3) {
            EXPECT_EQ(played.front(), 3);
        }
        for (std::size_t i = 1; rows > 1 && i < played.size(); ++i) {
            EXPECT_NE(played[i], played[i - 1]) << rows << " rows, play " << i;
        }
    }
}

// Through the main bar's elements: 1 stop, 2 pause, 3 play.
TEST(Playback, PauseFollowsThePlayersStateAndAPlayAfterStopTakesTheStoppedSongAsEnded) {
    StationRig s;
    s.queue({1, 2});
    s.f().switch_Click(3);
    s.run(1000);
    s.f().switch_Click(2);
    EXPECT_EQ(s.player().rawPlayState(), wire::kStatePaused);
    EXPECT_EQ(s.f().playback.PauseState, 1);
    s.run(10000);
    EXPECT_TRUE(s.lastSongs().empty());
    // Pause, play: the song resumes.
    s.f().switch_Click(3);
    EXPECT_EQ(s.player().rawPlayState(), wire::kStatePlaying);
    EXPECT_EQ(s.f().playback.PauseState, 0);
    // Pause, pause resumes; a play after it leaves the song playing.
    s.f().switch_Click(2);
    s.f().switch_Click(2);
    s.f().switch_Click(3);
    EXPECT_EQ(s.player().rawPlayState(), wire::kStatePlaying);
    EXPECT_EQ(s.f().playback.PauseState, 0);
    // Pause, stop, play: the stop ends the pause and the timer; the play after it sends no command, but
    // takes the stopped song as ended and starts the next row.
    s.f().switch_Click(2);
    s.f().switch_Click(1);
    EXPECT_EQ(s.f().playback.PauseState, 0);
    EXPECT_EQ(s.player().rawPlayState(), wire::kStateStopped);
    EXPECT_FALSE(s.f().Timer1->enabled());
    s.run(5000);
    EXPECT_TRUE(s.lastSongs().empty());
    const std::size_t before = s.player().messages().size();
    s.f().switch_Click(3);
    EXPECT_EQ(commandsSince(s.player(), before), 0);
    s.run(500);
    EXPECT_EQ(s.lastSongs(), Records{1});
    EXPECT_EQ(s.handed(), (Records{1, 2}));
}

TEST(Playback, AStopBetweenTwoSongsStartsNoNextSongAndCountsOnlyTheSongThatEnded) {
    StationRig s(1, 4, 3200);
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    // The song ended at 3.2 s; the end-of-song timer's next tick comes at 3.5 s.
    s.run(3300);
    ASSERT_EQ(s.player().rawPlayState(), wire::kStateStopped);
    ASSERT_TRUE(s.lastSongs().empty());
    s.f().StopSong();
    s.run(5000);
    EXPECT_EQ(s.handed(), Records{1});
    EXPECT_EQ(s.lastSongs(), Records{1});
    EXPECT_EQ(s.storedCount(1), "1   ");
    EXPECT_FALSE(s.f().Timer1->enabled());
    // Play goes on with the next row; the ended song is not counted again.
    s.f().PlayCurrentSong();
    s.run(500);
    EXPECT_EQ(s.handed(), (Records{1, 2}));
    EXPECT_EQ(s.lastSongs(), Records{1});
    EXPECT_EQ(s.storedCount(1), "1   ");
}

TEST(Playback, NextAndPreviousWrapAroundAndPreviousAfterStopStartsTheRowAboveLeavingTheSongUncounted) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    s.f().PreviousSong();
    EXPECT_EQ(s.handed(), (Records{1, 3}));
    EXPECT_FALSE(s.f().play->bold(1, 0));
    EXPECT_TRUE(s.f().play->bold(3, 0));
    EXPECT_EQ(s.f().Label1[11].caption(), "1/3");
    s.f().NextSong();
    EXPECT_EQ(s.handed(), (Records{1, 3, 1}));
    EXPECT_FALSE(s.f().play->bold(3, 0));
    EXPECT_EQ(s.f().Label1[11].caption(), "2/3");

    s.f().NextSong();
    s.run(1000);
    s.f().StopSong();
    s.f().PreviousSong();
    EXPECT_EQ(s.handed(), (Records{1, 3, 1, 2, 1}));
    EXPECT_EQ(s.player().rawPlayState(), wire::kStatePlaying);
    s.run(3000);
    EXPECT_EQ(s.lastSongs(), Records{1});
    EXPECT_EQ(s.storedCount(2), "    ");
}

TEST(Playback, ADroppedFileIsNeverCountedAndNextGoesOnWithThePlaylist) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    s.run(1000);
    const std::string dropped = s.rt.write("Dropped/song.mp3", "x").string();
    s.f().tags.CurrentPath = dropped;
    s.f().PlayDroppedFile();
    EXPECT_EQ(s.player().list(), std::vector<std::string>{dropped});
    s.f().NextSong();
    EXPECT_EQ(s.handed(), (Records{1, 2}));
    s.run(3500);
    EXPECT_EQ(s.lastSongs(), Records{2});
    EXPECT_EQ(s.storedCount(1), "    ");

    // A dropped file that plays to its end is not recorded; the playlist goes on after it.
    s.f().tags.CurrentPath = dropped;
    s.f().PlayDroppedFile();
    s.run(3500);
    EXPECT_EQ(s.lastSongs(), Records{2});
    EXPECT_EQ(s.f().playback.SkipRecordPlayed, 0);
}

TEST(Playback, ThePlayingNextAndLastCoversComeFromTheSongsFolderWhatEverItsFileNameHolds) {
    // File names with "\", an ordinary character of a name in a path that is not a Windows one.
    StationRig s(1, 2, 3000, {}, [](testing_support::TestDatabase& db) {
        for (library::SongRecord& song : db.songs) {
            song.fileLocation.insert(song.fileLocation.rfind('/') + 1, "AC\\DC ");
        }
    });
    ASSERT_TRUE(writeCover(s.path(1)));
    const auto shown = [&](const tk::Image& picture) { return s.rt.pictureName(picture.picture()); };
    s.queue({1, 2});
    s.f().PlayCurrentSong();
    s.run(3500);
    EXPECT_EQ(s.lastSongs(), Records{1});
    for (int k : {0, 1, 2}) {
        EXPECT_EQ(shown(s.f().Image1[k]), "cover.jpg") << k;
        EXPECT_EQ(shown(s.screen().F2_Image1[k]), "cover.jpg") << k;
    }
}

TEST(Playback, TheNextSongPanelShowsTheNextSongsFolderCoverOrTheDefaultOneNotThePlayingSongs) {
    StationRig s(2, 1);
    ASSERT_TRUE(writeCover(s.path(1)));
    const auto shown = [&](const tk::Image& picture) { return s.rt.pictureName(picture.picture()); };
    s.queue({1, 2});

    // Song 1 plays with its folder's cover; song 2's folder has none: the skin's default cover.
    s.f().PlayCurrentSong();
    ASSERT_EQ(s.handed(), Records{1});
    EXPECT_EQ(shown(s.f().Image1[1]), "cover.jpg");
    EXPECT_EQ(shown(s.f().Image1[2]), "Cover.jpg");
    EXPECT_EQ(shown(s.screen().F2_Image1[2]), "Cover.jpg");

    // Song 2 plays; the next song is song 1 again, with its cover.
    s.run(3500);
    ASSERT_EQ(s.handed(), (Records{1, 2}));
    EXPECT_EQ(shown(s.f().Image1[1]), "Cover.jpg");
    EXPECT_EQ(shown(s.f().Image1[2]), "cover.jpg");
    EXPECT_EQ(shown(s.screen().F2_Image1[2]), "cover.jpg");
}

TEST(Playback, MissingSongFilesAreSkippedUncountedAndWhenAllAreMissingPlaybackStops) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().playback.LoopMode = 1;
    std::filesystem::remove(s.path(2));
    s.f().PlayCurrentSong();
    s.run(14000);
    EXPECT_EQ(s.handed(), (Records{1, 3, 1, 3, 1}));
    EXPECT_EQ(s.lastSongs(), (Records{1, 3, 1, 3}));
    EXPECT_EQ(s.storedCount(2), "    ");

    std::filesystem::remove(s.path(1));
    std::filesystem::remove(s.path(3));
    s.run(5000);
    EXPECT_FALSE(s.f().Timer1->enabled());
    const std::size_t launches = s.player().launches().size();
    s.run(10000);
    EXPECT_EQ(s.player().launches().size(), launches);
    EXPECT_EQ(s.lastSongs(), (Records{1, 3, 1, 3, 1}));
}

TEST(Playback, WhatTheUserAsksOfASilentPlayerReachesItInOrderOnceItAnswersAndNothingOvertakesIt) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    s.run(1000);
    s.player().setMode(fakes::FakePlayer::Mode::DeadHandle);
    const std::size_t from = s.player().messages().size();
    s.f().PauseSong();
    s.f().SliderPic1_PositionChanged(0, 20);
    s.f().SliderPic1_PositionChanged(0, 40);
    s.f().PauseSong(); // resumes what the first paused
    s.f().NextSong();
    s.f().Timer8_Timer();
    // Nothing reaches a hung player, and nothing is asked of it; the station shows what it was told.
    EXPECT_EQ(s.player().messages().size(), from);
    EXPECT_EQ(s.f().playback.ShownPlayState, "PLAYING");
    EXPECT_EQ(s.f().Label1[4].caption(), s.title(2));
    EXPECT_EQ(s.f().winamp.WinAMP_GetStatus(), "");
    EXPECT_EQ(s.handed(), Records{1});

    s.player().setMode(fakes::FakePlayer::Mode::Normal);
    s.run(500);
    std::vector<std::pair<std::uint32_t, std::int32_t>> told;
    for (std::size_t i = from; i < s.player().messages().size(); ++i) {
        const auto& m = s.player().messages()[i];
        if (m.message == wire::kMsgCommand) {
            told.emplace_back(m.message, m.wParam);
        } else if (m.message == wire::kMsgUser &&
                   (m.lParam == wire::kSetVolume || m.lParam == wire::kClearList)) {
            told.emplace_back(m.lParam, m.wParam);
        }
    }
    const std::vector<std::pair<std::uint32_t, std::int32_t>> inOrder = {
        {wire::kMsgCommand, wire::kCommandPause},
        {wire::kSetVolume, 100},
        {wire::kMsgCommand, wire::kCommandPause},
        {wire::kClearList, 0},
        {wire::kMsgCommand, wire::kCommandPlay}};
    EXPECT_EQ(told, inOrder);
    EXPECT_EQ(s.handed(), (Records{1, 2}));
    EXPECT_EQ(s.player().volume(), 100);
    EXPECT_EQ(s.f().winamp.WinAMP_GetStatus(), "PLAYING");
    s.run(3000);
    EXPECT_EQ(s.lastSongs(), Records{2});
    EXPECT_EQ(s.storedCount(1), "    ");
}

TEST(Playback, AStartFindsThePlayerAgainAfterItWentAway) {
    StationRig s;
    s.queue({1});
    s.f().SliderPic1[0].setCurPosition(80);
    s.player().kill();
    s.f().PlayCurrentSong();
    EXPECT_EQ(s.player().volume(), 125);
    EXPECT_EQ(s.f().SliderPic1[0].curPosition(), 50);
    EXPECT_EQ(s.f().caption(), "WinAMP Version# 1.010");
    EXPECT_EQ(s.handed(), Records{1});
}

TEST(Playback, APlayerThatDiesAsItIsHandedASongIsReplacedAndTheNewPlayerPlaysThatSong) {
    StationRig s;
    s.queue({1, 2, 3});
    s.player().setDiesWhenHanded(s.path(2));
    s.f().PlayCurrentSong();
    s.run(10000);
    EXPECT_EQ(s.lastSongs(), (Records{1, 2, 3}));
    EXPECT_EQ(s.storedCount(2), "1   ");
    EXPECT_FALSE(s.f().Timer1->enabled());
}

TEST(Playback, APlayerThatRunsOnOutOfReachIsEndedAndANewPlayerGoesOnWithTheNextRow) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    s.run(1000);
    s.player().loseReach();
    s.run(1000);
    EXPECT_EQ(s.player().tasksEnded(), 1);
    EXPECT_EQ(s.handed(), (Records{1, 2}));
    s.run(7000);
    EXPECT_EQ(s.lastSongs(), (Records{2, 3}));
    EXPECT_EQ(s.storedCount(1), "    ");
}
