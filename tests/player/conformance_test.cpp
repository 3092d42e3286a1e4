// The link's operations against both players: the fake of the playback tests and the real stand-in
// player. Both must behave alike, or the playback tests would test something that does not happen.

#include "player/playerwire.h"
#include "playerrig.h"

#include <gtest/gtest.h>

namespace playertest {
namespace {

namespace wire = playerwire;

class LinkConformance : public ::testing::TestWithParam<RigKind> {
protected:
    std::unique_ptr<PlayerRig> rig = makeRig(GetParam());
    WinAMP_Control& link = rig->link;

    bool statusBecomes(const std::string& word, std::chrono::milliseconds timeout = 10s) {
        return rig->waitFor([&] { return link.WinAMP_GetStatus() == word; }, timeout);
    }
    std::int32_t positionMs() { return rig->raw(wire::kMsgUser, 0, wire::kAskTime); }
};

TEST_P(LinkConformance, InitShowsTheVersionInTheCaptionAndSetsTheVolumeTo125) {
    link.InitWinAMP(rig->host);
    EXPECT_EQ(rig->host.caption, "WinAMP Version# 1.010");
    EXPECT_EQ(rig->host.slider, 50);
    EXPECT_EQ(rig->raw(wire::kMsgAskVolume), 125);
    EXPECT_TRUE(rig->shown().empty());
    EXPECT_FALSE(rig->ended());
}

TEST_P(LinkConformance, SongThatEndsAtOnceReadsStopped) {
    rig.reset(); // one runtime at a time
    rig = makeRig(GetParam(), "null:untimed");
    rig->startWithSong("quick.mp3", 3);
    rig->link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_TRUE(rig->waitFor([&] { return rig->link.WinAMP_GetStatus() == "STOPPED"; }, 10s));
}

TEST_P(LinkConformance, SongStillOpeningReadsPlayingWithNoLengthYet) {
    if (auto* fake = dynamic_cast<FakeRig*>(rig.get())) {
        fake->player.setOpenDelay(2s);
    }
    rig->startWithSong("slow.mp3", 30);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING");
    EXPECT_GE(link.WinAMP_GetPosition(), 0);
    if (dynamic_cast<FakeRig*>(rig.get()) != nullptr) {
        EXPECT_EQ(link.WinAMP_GetLength(), -1); // only the fake can hold a song open long enough to ask
    }
    ASSERT_TRUE(rig->waitFor([&] { return link.WinAMP_GetLength() == 30; }));
    EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING");
}

TEST_P(LinkConformance, AddFileWaitsUntilThePlayerHasTheFile) {
    if (auto* fake = dynamic_cast<FakeRig*>(rig.get())) {
        fake->player.setHandOverDelay(500ms);
    }
    link.InitWinAMP(rig->host);
    const auto song = rig->makeSong("taken.mp3", 10);
    link.WinAMP_ClearPlaylist();
    EXPECT_TRUE(link.WinAMP_AddFile(song.string()));
    link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING");
}

TEST_P(LinkConformance, PauseHoldsThePositionAndASecondPauseResumes) {
    rig->startWithSong("ten.mp3", 10);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    ASSERT_TRUE(rig->waitFor([&] { return positionMs() >= 300; }));
    link.WinAMP_SendCommand(wire::kCommandPause);
    EXPECT_EQ(link.WinAMP_GetStatus(), "PAUSED");
    rig->waitFor([] { return false; }, 100ms); // let a paused engine settle on its position
    const std::int32_t held = positionMs();
    rig->waitFor([] { return false; }, 400ms);
    EXPECT_EQ(positionMs(), held);
    link.WinAMP_SendCommand(wire::kCommandPause);
    EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING");
    EXPECT_TRUE(rig->waitFor([&] { return positionMs() > held + 200; }));
}

TEST_P(LinkConformance, StopReadsStoppedAndAPauseAfterItResumesNothing) {
    rig->startWithSong("stop.mp3", 10);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    link.WinAMP_SendCommand(wire::kCommandStop);
    EXPECT_EQ(link.WinAMP_GetStatus(), "STOPPED");
    EXPECT_EQ(link.WinAMP_GetPosition(), -1);
    EXPECT_EQ(link.WinAMP_GetLength(), -1);
    link.WinAMP_SendCommand(wire::kCommandPause);
    EXPECT_EQ(link.WinAMP_GetStatus(), "STOPPED");
}

TEST_P(LinkConformance, ClearStopsPlaybackAndLeavesNothingToPlay) {
    rig->startWithSong("clear.mp3", 10);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    link.WinAMP_ClearPlaylist();
    EXPECT_EQ(link.WinAMP_GetStatus(), "STOPPED");
    link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_EQ(link.WinAMP_GetStatus(), "STOPPED");
}

TEST_P(LinkConformance, PlayStartsTheSongOverFromItsStart) {
    rig->startWithSong("over.mp3", 20);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    ASSERT_TRUE(rig->waitFor([&] { return link.WinAMP_GetLength() == 20; }));
    link.WinAMP_JumpToTime(15);
    ASSERT_TRUE(rig->waitFor([&] { return link.WinAMP_GetPosition() >= 15; }));
    link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_EQ(link.WinAMP_GetStatus(), "PLAYING");
    EXPECT_TRUE(rig->waitFor([&] {
        const auto p = link.WinAMP_GetPosition();
        return p >= 0 && p < 10;
    }));
}

TEST_P(LinkConformance, JumpStaysWithinTheSongAndAJumpToItsLengthEndsIt) {
    rig->startWithSong("jump.mp3", 10);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    ASSERT_TRUE(rig->waitFor([&] { return link.WinAMP_GetLength() == 10; }));
    link.WinAMP_JumpToTime(-1);
    link.WinAMP_JumpToTime(11);
    rig->waitFor([] { return false; }, 300ms);
    EXPECT_LT(link.WinAMP_GetPosition(), 5);
    link.WinAMP_JumpToTime(5);
    ASSERT_TRUE(rig->waitFor([&] { return link.WinAMP_GetPosition() >= 5; }));
    link.WinAMP_JumpToTime(10);
    EXPECT_TRUE(statusBecomes("STOPPED"));
}

TEST_P(LinkConformance, AddingAMissingFileOrAFolderStartsNothingAndSaysNothing) {
    link.InitWinAMP(rig->host);
    const std::size_t started = rig->launchCount();
    EXPECT_FALSE(link.WinAMP_AddFile((rig->folder.path() / "missing.mp3").string()));
    EXPECT_FALSE(link.WinAMP_AddFile((rig->folder.path() / "no folder" / "x.mp3").string()));
    EXPECT_FALSE(link.WinAMP_AddFile(rig->folder.path().string()));
    EXPECT_EQ(rig->launchCount(), started);
    EXPECT_TRUE(rig->shown().empty());
}

TEST_P(LinkConformance, ClosedPlayerGivesNoStateUntilFoundAgainAndInitStartsAFreshOne) {
    rig->startWithSong("close.mp3", 10);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    link.WinAMP_SendCommand(wire::kCommandClose);
    EXPECT_EQ(link.WinAMP_GetStatus(), "");
    EXPECT_EQ(link.WinAMP_GetPosition(), 0);
    EXPECT_EQ(link.WinAMP_GetLength(), 0);
    EXPECT_EQ(link.WinAMP_GetVersion(), "UNKNOWN");
    ASSERT_TRUE(rig->waitFor([&] { return !link.FindWinAMP(); }));
    EXPECT_EQ(link.hWinAMP, 0);
    link.InitWinAMP(rig->host);
    EXPECT_NE(link.hWinAMP, 0);
    EXPECT_EQ(link.WinAMP_GetStatus(), "STOPPED");
    EXPECT_TRUE(rig->shown().empty());
}

// Every message number written out, not read from the constants the station and both players share:
// a slip in those shows here.
TEST_P(LinkConformance, MessagesCarryTheirWindowMessageNumbers) {
    rig->startWithSong("numbers.mp3", 30);
    auto* fake = dynamic_cast<FakeRig*>(rig.get());
    if (fake) {
        fake->player.clearLog();
    }
    // What the station's link sends.
    link.WinAMP_GetVersion();
    link.WinAMP_SetVolume(77);
    link.WinAMP_SendCommand(40045);
    link.WinAMP_GetStatus();
    ASSERT_TRUE(rig->waitFor([&] { return link.WinAMP_GetLength() == 30; }));
    link.WinAMP_JumpToTime(20);
    link.WinAMP_GetPosition();
    link.WinAMP_ClearPlaylist();
    if (fake) {
        using M = fakes::FakePlayer::Message;
        std::vector<M> sent;
        for (M m : fake->player.messages()) {
            m.window = 0;
            sent.push_back(m);
        }
        EXPECT_EQ(sent, (std::vector<M>{{0, 1024, 0, 0},
                                        {0, 1024, 77, 122},
                                        {0, 273, 40045, 0},
                                        {0, 1024, 0, 104},
                                        {0, 1024, 1, 105},
                                        {0, 1024, 1, 105}, // the jump asks the length first
                                        {0, 1024, 20000, 106},
                                        {0, 1024, 0, 105},
                                        {0, 1024, 0, 101}}));
    }
    // What the player makes of them.
    rig->raw(273, 40045, 0);
    EXPECT_EQ(rig->raw(1024, 0, 0), 0x1010);
    EXPECT_EQ(rig->raw(wire::kMsgAskVolume), 77);
    EXPECT_EQ(rig->raw(1024, 0, 104), 0) << "the cleared list has nothing to play";
    link.WinAMP_AddFile(rig->makeSong("again.mp3", 30).string());
    rig->raw(273, 40045, 0);
    EXPECT_EQ(rig->raw(1024, 0, 104), 1);
    ASSERT_TRUE(rig->waitFor([&] { return rig->raw(1024, 1, 105) == 30; }));
    rig->raw(1024, 20000, 106);
    EXPECT_TRUE(rig->waitFor([&] { return rig->raw(1024, 0, 105) >= 20000; }));
    rig->raw(273, 40046, 0);
    EXPECT_EQ(rig->raw(1024, 0, 104), 3);
    rig->raw(273, 40046, 0);
    EXPECT_EQ(rig->raw(1024, 0, 104), 1);
    rig->raw(273, 40047, 0);
    EXPECT_EQ(rig->raw(1024, 0, 104), 0);
    rig->raw(1024, 255, 122);
    EXPECT_EQ(rig->raw(wire::kMsgAskVolume), 255);
    rig->raw(273, 40001, 0);
    EXPECT_TRUE(rig->waitFor([&] { return !link.FindWinAMP(); }));
}

INSTANTIATE_TEST_SUITE_P(Players, LinkConformance, ::testing::Values(RigKind::Fake, RigKind::Real),
                         [](const auto& info) { return info.param == RigKind::Fake ? "Fake" : "Real"; });

} // namespace
} // namespace playertest
