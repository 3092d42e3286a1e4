// The stand-in player's logical play state, driven by a scripted engine.

#include "player/playerwire.h"
#include "playerrig.h"
#include "standinplayer.h"

#include <gtest/gtest.h>

#include <fstream>

namespace playertest {
namespace {

namespace wire = playerwire;

struct ScriptedEngine final : standin::PlaybackEngine {
    void load(std::uint64_t ticket, const std::string& path) override { loads.emplace_back(ticket, path); }
    void stop() override { ++stops; }
    void setPaused(bool value) override { paused = value; }
    void seek(double seconds) override { seeks.push_back(seconds); }
    void setVolume(double value) override { percent = value; }
    std::optional<double> position() override { return positionSeconds; }
    std::optional<double> duration() override { return durationSeconds; }

    std::vector<std::pair<std::uint64_t, std::string>> loads;
    int stops = 0;
    bool paused = false;
    std::vector<double> seeks;
    double percent = 100;
    std::optional<double> positionSeconds;
    std::optional<double> durationSeconds;
};

class StandInState : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedEngine engine;
    standin::StandInPlayer player{engine};

    std::string song(const std::string& name) {
        const auto path = folder.path() / name;
        std::ofstream(path) << "x";
        return path.string();
    }
    std::int32_t ask(std::int32_t lParam, std::int32_t wParam = 0) {
        return player.handle({wire::kMsgUser, wParam, lParam});
    }
    void command(std::int32_t which) { player.handle({wire::kMsgCommand, which, 0}); }
};

TEST_F(StandInState, EndOfAFileAlreadyReplacedAndALateAnswerToAReplacedLoadAreIgnored) {
    ASSERT_TRUE(player.take(song("a.mp3")));
    command(wire::kCommandPlay);
    const auto first = engine.loads.back().first;
    player.loadAnswered(first, 7);
    command(wire::kCommandPlay); // starts over: the engine replaces file 7
    player.fileEnded(7, standin::FileEnd::Finished);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStatePlaying);
    command(wire::kCommandPlay);
    player.loadAnswered(first, 5);
    player.fileEnded(5, standin::FileEnd::Finished);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStatePlaying);
    player.loadAnswered(engine.loads.back().first, 8);
    player.fileEnded(8, standin::FileEnd::Finished);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStateStopped);
}

TEST_F(StandInState, OpeningSongReadsPlayingAtPositionZeroWithNoLength) {
    ASSERT_TRUE(player.take(song("a.mp3")));
    EXPECT_EQ(ask(wire::kAskTime, 0), -1);
    command(wire::kCommandPlay);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStatePlaying);
    engine.positionSeconds = 1.9999;
    engine.durationSeconds = 200.99;
    player.loadAnswered(engine.loads.back().first, 4);
    EXPECT_EQ(ask(wire::kAskTime, 0), 0);
    EXPECT_EQ(ask(wire::kAskTime, 1), -1);
    player.fileLoaded(4);
    EXPECT_EQ(ask(wire::kAskTime, 0), 1999);
    EXPECT_EQ(ask(wire::kAskTime, 1), 200);
}

TEST_F(StandInState, JumpIntoASongStillOpeningWaitsUntilItIsOpen) {
    ASSERT_TRUE(player.take(song("a.mp3")));
    command(wire::kCommandPlay);
    player.fileLoaded(9); // the engine may report the file open before it answers the load
    ask(wire::kJumpToTime, 1500);
    EXPECT_TRUE(engine.seeks.empty());
    player.loadAnswered(engine.loads.back().first, 9);
    EXPECT_EQ(engine.seeks, std::vector<double>{1.5});
}

TEST_F(StandInState, RefusedLoadAndAFileThatTurnsOutToBeAListReadStoppedAndTheListIsNotFollowed) {
    ASSERT_TRUE(player.take(song("a.mp3")));
    command(wire::kCommandPlay);
    player.loadAnswered(engine.loads.back().first, std::nullopt);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStateStopped);

    ask(wire::kClearList);
    ASSERT_TRUE(player.take(song("list.m3u")));
    command(wire::kCommandPlay);
    player.loadAnswered(engine.loads.back().first, 3);
    player.fileEnded(3, standin::FileEnd::ReplacedByList);
    EXPECT_EQ(engine.stops, 1);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStateStopped);
}

TEST_F(StandInState, AFileCountsAsPlayedOnlyOnceItOpenedAndUntilTheNextPlayOrClear) {
    const auto played = [&] { return player.handle({wire::kMsgAskFilePlayed, 0, 0}); };
    const auto start = [&](std::optional<std::int64_t> entry) {
        command(wire::kCommandPlay);
        player.loadAnswered(engine.loads.back().first, entry);
    };
    EXPECT_EQ(played(), 0);
    command(wire::kCommandPlay); // nothing in the list
    EXPECT_EQ(played(), 0);
    ASSERT_TRUE(player.take(song("a.mp3")));

    start(1);
    EXPECT_EQ(played(), 0); // still opening
    player.fileLoaded(1);
    player.fileEnded(1, standin::FileEnd::Finished);
    EXPECT_EQ(played(), 1);

    start(2);
    player.fileLoaded(2);
    command(wire::kCommandStop); // stopped partway: it played
    EXPECT_EQ(played(), 1);

    start(std::nullopt); // the engine refused the file
    EXPECT_EQ(played(), 0);
    start(3);
    player.fileEnded(3, standin::FileEnd::Failed); // never opened
    EXPECT_EQ(played(), 0);
    start(4);
    player.fileLoaded(4);
    player.fileEnded(4, standin::FileEnd::Failed); // broke off after opening
    EXPECT_EQ(played(), 0);

    start(5);
    player.fileLoaded(5);
    ask(wire::kClearList);
    EXPECT_EQ(played(), 0);
}

TEST_F(StandInState, PlayAlwaysStartsTheFirstFileOfTheList) {
    const auto a = song("a.mp3");
    ASSERT_TRUE(player.take(a));
    ASSERT_TRUE(player.take(song("b.mp3")));
    command(wire::kCommandPlay);
    command(wire::kCommandPause);
    command(wire::kCommandPlay);
    ASSERT_EQ(engine.loads.size(), 2u);
    EXPECT_EQ(engine.loads[1].second, a);
    EXPECT_FALSE(engine.paused);
}

TEST_F(StandInState, VolumeMapsZeroTo255OntoZeroTo100) {
    ask(wire::kSetVolume, 255);
    EXPECT_DOUBLE_EQ(engine.percent, 100.0);
    ask(wire::kSetVolume, 51);
    EXPECT_DOUBLE_EQ(engine.percent, 20.0);
    ask(wire::kSetVolume, 256);
    ask(wire::kSetVolume, -1);
    EXPECT_DOUBLE_EQ(engine.percent, 20.0);
    EXPECT_EQ(player.handle({wire::kMsgAskVolume, 0, 0}), 51);
}

TEST_F(StandInState, CloseIsAnsweredBeforeTheEnd) {
    EXPECT_EQ(player.handle({wire::kMsgCommand, wire::kCommandClose, 0}), 0);
    EXPECT_TRUE(player.closeRequested());
}

TEST_F(StandInState, ClearEmptiesTheListAndStopsAndThenPlayAndPauseDoNothing) {
    ASSERT_TRUE(player.take(song("a.mp3")));
    command(wire::kCommandPlay);
    ask(wire::kClearList);
    EXPECT_TRUE(player.list().empty());
    EXPECT_EQ(engine.stops, 1);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStateStopped);
    ask(wire::kJumpToTime, 1000);
    EXPECT_TRUE(engine.seeks.empty());
    command(wire::kCommandPlay);
    command(wire::kCommandPause);
    EXPECT_EQ(engine.loads.size(), 1u);
    EXPECT_FALSE(engine.paused);
    EXPECT_EQ(ask(wire::kAskPlayState), wire::kStateStopped);
}

} // namespace
} // namespace playertest
