// What the end-of-song timer writes: the play count in "Data.mld", the song list and the last-songs
// list, each play once.
#include "stationrig.h"

#include "fixtures/mp3file.h"

#include "library/songrecord.h"
#include "platform/label.h"
#include "platform/listbox.h"
#include "platform/listview.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

using namespace playbacktest;
using Records = std::vector<int>;

namespace {
// The song list's play count cell of record `record`.
std::string shownCount(Form1& f, int record) {
    for (int row = 1; row <= f.ListView->count(); ++row) {
        if (std::stoi(f.ListView->subItem(row, 10)) == record) {
            return f.ListView->subItem(row, 5);
        }
    }
    return {};
}
} // namespace

TEST(EndOfSong, ACountedPlayChangesOnlyTheCountBytesOfItsRecord) {
    StationRig s;
    s.db.songs[1].playedTimes = "12";
    s.db.songs[2].playedTimes = "9999";
    testing_support::writeDatabase(s.rt.programFolder(), s.db);
    s.f().LoadDataBase();
    const auto data = s.rt.programFolder() / "Data.mld";
    std::string expected = fixtures::readText(data);
    const auto put = [&](int record, const char* count) {
        expected.replace(static_cast<std::size_t>(record) * library::SongRecord::kSize - 4, 4, count);
    };
    put(2, "13  ");
    put(3, "9999");
    put(4, "1   ");

    // Record 4 is the song list's last row.
    s.queue({2, 3, 4});
    s.f().PlayCurrentSong();
    s.run(10000);
    EXPECT_EQ(s.lastSongs(), (Records{2, 3, 4}));
    EXPECT_EQ(fixtures::readText(data), expected);
    EXPECT_EQ(shownCount(s.f(), 2), "0013");
    EXPECT_EQ(shownCount(s.f(), 3), "9999");
    EXPECT_EQ(shownCount(s.f(), 4), "0001");
    EXPECT_EQ(s.f().PrevView->subItem(1, 6), "2");
    EXPECT_EQ(s.f().PrevView->subItem(1, 2), s.title(2));
}

TEST(EndOfSong, ARecordThatNoLongerHoldsTheSongOrAMissingDatabaseIsNotWrittenButTheSongIsListed) {
    StationRig s;
    const auto data = s.rt.programFolder() / "Data.mld";
    const std::string title = s.title(4);
    const std::string path = s.path(4);
    s.queue({4, 1});
    s.f().PlayCurrentSong();
    // The database changes under the playing song: record 4 now holds another song.
    s.db.songs[3].fileLocation = s.path(1) + ".other.mp3";
    s.db.songs[3].title = "Another Song";
    testing_support::writeDatabase(s.rt.programFolder(), s.db);
    const std::string before = fixtures::readText(data);
    s.run(3500);
    EXPECT_EQ(fixtures::readText(data), before);
    EXPECT_EQ(shownCount(s.f(), 4), "0000");
    // Listed and shown as it was started.
    EXPECT_EQ(s.lastSongs(), Records{4});
    EXPECT_EQ(s.f().PrevView->subItem(1, 2), title);
    EXPECT_EQ(s.f().PrevView->subItem(1, 5), path);
    EXPECT_EQ(s.f().Label1[0].caption(), title);
    EXPECT_EQ(s.f().Label1[3].caption(), "1");

    std::filesystem::remove(data);
    s.run(3500);
    EXPECT_FALSE(std::filesystem::exists(data));
    EXPECT_EQ(s.lastSongs(), (Records{4, 1}));
    EXPECT_EQ(s.f().Label1[0].caption(), s.title(1));
    EXPECT_EQ(s.f().Label1[3].caption(), "2");
}

TEST(EndOfSong, WhileThePlayerGivesNoAnswerNothingIsCountedOrStartedAndThenTheEndedSongCountsOnce) {
    StationRig s;
    s.queue({1, 2});
    s.f().PlayCurrentSong();
    s.player().setMode(fakes::FakePlayer::Mode::DeadHandle);
    s.run(6000);
    EXPECT_EQ(s.handed(), Records{1});
    EXPECT_TRUE(s.lastSongs().empty());
    EXPECT_EQ(s.storedCount(1), "    ");
    s.player().setMode(fakes::FakePlayer::Mode::Normal);
    s.run(500);
    EXPECT_EQ(s.lastSongs(), Records{1});
    EXPECT_EQ(s.storedCount(1), "1   ");
    EXPECT_EQ(s.handed(), (Records{1, 2}));
}

TEST(EndOfSong, APlayerThatDiesMidSongIsStartedAgainAndThePlaylistGoesOnWithoutCountingTheSong) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    s.run(1000);
    const std::size_t launches = s.player().launches().size();
    s.player().kill();
    s.run(500);
    // One start of a new player, then the next row handed to it.
    ASSERT_GE(s.player().launches().size(), launches + 2);
    EXPECT_TRUE(s.player().launches()[launches].args.empty());
    EXPECT_EQ(s.handed(), (Records{1, 2}));
    s.run(7000);
    EXPECT_EQ(s.lastSongs(), (Records{2, 3}));
    EXPECT_EQ(s.storedCount(1), "    ");
    EXPECT_EQ(s.storedCount(2), "1   ");
    EXPECT_FALSE(s.f().Timer1->enabled());
}

TEST(EndOfSong, APlayerThatDiesWhilePausedIsStartedAgainButNothingPlaysUntilPlayWhichGoesOnWithTheNextRow) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().PlayCurrentSong();
    s.run(1000);
    s.f().PauseSong();
    s.player().kill();
    s.run(3000);
    EXPECT_TRUE(s.player().isWindow(s.f().winamp.hWinAMP));
    EXPECT_EQ(s.handed(), Records{1});
    EXPECT_FALSE(s.f().Timer1->enabled());
    EXPECT_EQ(s.f().playback.ShownPlayState, "STOPPED");

    s.f().PlayCurrentSong();
    s.run(500);
    EXPECT_EQ(s.handed(), (Records{1, 2}));
    s.run(7000);
    EXPECT_EQ(s.lastSongs(), (Records{2, 3}));
    EXPECT_EQ(s.storedCount(1), "    ");
}

TEST(EndOfSong, SongsThePlayerCannotPlayAreNeitherCountedNorListedAndWhenNoneCanBePlayedPlaybackStops) {
    StationRig s;
    s.queue({1, 2, 3});
    s.f().playback.LoopMode = 1;
    s.player().setUnplayable(s.path(2));
    s.f().PlayCurrentSong();
    s.run(7000);
    EXPECT_EQ(s.handed(), (Records{1, 2, 3, 1}));
    EXPECT_EQ(s.lastSongs(), (Records{1, 3}));
    EXPECT_EQ(s.storedCount(2), "    ");

    // Song 1 plays on to its end and counts; then no row can be played.
    s.player().setUnplayable(s.path(1));
    s.player().setUnplayable(s.path(3));
    s.run(5000);
    EXPECT_FALSE(s.f().Timer1->enabled());
    const std::size_t handed = s.handed().size();
    s.run(5000);
    EXPECT_EQ(s.handed().size(), handed);
    EXPECT_EQ(s.lastSongs(), (Records{1, 3, 1}));
}

TEST(EndOfSong, AnEmptiedLoopedPlaylistCountsItsLastSongOnceAndTheTimerStops) {
    StationRig s;
    s.queue({1});
    s.f().playback.LoopMode = 1;
    s.f().PlayCurrentSong();
    s.f().removePlaylistRow(1);
    s.run(3500);
    EXPECT_EQ(s.storedCount(1), "1   ");
    EXPECT_FALSE(s.f().Timer1->enabled());
    s.run(5000);
    EXPECT_EQ(s.storedCount(1), "1   ");
    EXPECT_EQ(s.lastSongs(), Records{1});
}

TEST(EndOfSong, SoakOfFiveHundredSongsInLoopAndRandomModeKeepsCountsAndListsInStep) {
    constexpr int kSongs = 500;
    StationRig s(50, 10, 1000);
    for (int r = 1; r <= kSongs; ++r) {
        s.queue(r);
    }
    Form1& f = s.f();
    f.playback.LoopMode = 1;
    f.playback.RandomMode = 1;
    std::mt19937 engine(11);
    std::uniform_real_distribution<float> uniform(0.0f, 0.999f);
    for (int i = 0; i < 4000; ++i) {
        s.rt.random().values.push_back(uniform(engine));
    }
    f.PlayCurrentSong();
    for (int round = 1; s.lastSongs().size() < kSongs; ++round) {
        s.run(5300);
        // The user at work meanwhile: rows removed, a pause, a stop, a skip.
        switch (round % 7) {
        case 1:
            f.removePlaylistRow(1 + round % f.play->count());
            break;
        case 2:
            f.PauseSong();
            s.run(700);
            f.PlayCurrentSong();
            break;
        case 3:
            f.StopSong();
            s.run(1200);
            f.PlayCurrentSong();
            break;
        case 4:
            f.NextSong();
            break;
        default:
            break;
        }
        ASSERT_LT(round, 2000) << "the soak stopped playing";
    }
    std::map<int, int> listed;
    for (int r : s.lastSongs()) {
        ++listed[r];
    }
    for (int r = 1; r <= kSongs; ++r) {
        const std::string stored = s.storedCount(r);
        EXPECT_EQ(stored == "    " ? 0 : std::stoi(stored), listed[r]) << "record " << r;
    }
    ASSERT_EQ(f.lstFilenames->listCount(), f.play->count());
    for (int row = 1; row <= f.play->count(); ++row) {
        EXPECT_EQ(f.play->text(row), std::to_string(row));
        EXPECT_EQ(f.lstFilenames->list(row - 1), f.play->subItem(row, 5));
    }
}
