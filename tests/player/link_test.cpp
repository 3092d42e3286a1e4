// The link's own rules, checked on the fake player: reply formatting, bounds, the not-found message,
// the file probe, the add command and the two bounded waits.

#include "platform/errors.h"
#include "player/playerwire.h"
#include "playerrig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

namespace playertest {
namespace {

namespace wire = playerwire;
using Message = fakes::FakePlayer::Message;

class LinkOnFake : public ::testing::Test {
protected:
    FakeRig rig;
    WinAMP_Control& link = rig.link;
    fakes::FakePlayer& player = rig.player;

    void SetUp() override {
        link.InitWinAMP(rig.host);
        player.clearLog();
    }
};

TEST(LinkFormatting, PlayStatesOtherThanOneAndThreeReadStoppedAndVersionsShowAPointAfterTheFirstDigit) {
    EXPECT_EQ(playStateWord(1), "PLAYING");
    EXPECT_EQ(playStateWord(3), "PAUSED");
    for (const int reply : {0, 2, 4, -1, 40045}) {
        EXPECT_EQ(playStateWord(reply), "STOPPED") << reply;
    }
    // The version: its first hex digit, a point and the rest.
    EXPECT_EQ(formatPlayerVersion(0x0FFF), "UNKNOWN");
    EXPECT_EQ(formatPlayerVersion(0), "UNKNOWN");
    EXPECT_EQ(formatPlayerVersion(0x1000), "1.000");
    EXPECT_EQ(formatPlayerVersion(0x2091), "2.091");
    EXPECT_EQ(formatPlayerVersion(0xABCDE), "A.BCDE");
    EXPECT_EQ(formatPlayerVersion(-1), "F.FFFFFFF");
}

TEST_F(LinkOnFake, PositionsReachTheCallerInWholeSeconds) {
    for (const auto& [reply, seconds] : {std::pair{999, 0}, {1999, 1}, {-1, -1}}) {
        player.setPositionReply(reply);
        EXPECT_EQ(link.WinAMP_GetPosition(), seconds) << reply;
    }
}

TEST_F(LinkOnFake, JumpsInThousandthsAndVolumesAreSentOnlyWithinTheirBounds) {
    link.WinAMP_AddFile(rig.makeSong("jump.mp3", 10).string());
    link.WinAMP_SendCommand(wire::kCommandPlay);
    for (const int seconds : {-1, 11, 10}) {
        link.WinAMP_JumpToTime(seconds);
    }
    for (const int volume : {-1, 256, 0, 255}) {
        link.WinAMP_SetVolume(volume);
    }
    const auto sent = [&](std::int32_t request) {
        std::vector<std::int32_t> values;
        for (const Message& m : player.messages()) {
            if (m.message == wire::kMsgUser && m.lParam == request) {
                values.push_back(m.wParam);
            }
        }
        return values;
    };
    EXPECT_EQ(sent(wire::kJumpToTime), std::vector<std::int32_t>{10000});
    EXPECT_EQ(sent(wire::kSetVolume), (std::vector<std::int32_t>{0, 255}));
}

TEST_F(LinkOnFake, WithoutAWindowEveryRequestShowsNotFoundAndSendsNothing) {
    player.setMode(fakes::FakePlayer::Mode::NoWindow);
    EXPECT_FALSE(link.FindWinAMP());
    EXPECT_EQ(link.WinAMP_GetStatus(), "");
    EXPECT_EQ(link.WinAMP_GetPosition(), 0);
    EXPECT_EQ(link.WinAMP_GetLength(), 0);
    EXPECT_EQ(link.WinAMP_GetVersion(), "");
    link.WinAMP_ClearPlaylist();
    link.WinAMP_JumpToTime(1);
    link.WinAMP_SetVolume(10);
    link.WinAMP_SendCommand(wire::kCommandPlay);
    EXPECT_TRUE(player.messages().empty());
    ASSERT_EQ(rig.shown().size(), 8u); // one per operation: the jump shows it once, before asking the length
    for (const auto& box : rig.shown()) {
        EXPECT_EQ(box.text, "WinAMP window not found yet...");
        EXPECT_EQ(box.style, tk::kMsgCritical);
        EXPECT_EQ(box.title, "WinAMP Not Found");
    }
}

TEST_F(LinkOnFake, AddPassesTheSwitchAndThePathAsTwoArgumentsAndStartPassesNone) {
    const auto song = rig.makeSong("a b \"quoted\" -x.mp3", 10);
    EXPECT_TRUE(link.WinAMP_AddFile(song.string()));
    EXPECT_TRUE(link.StartWinAMP());
    ASSERT_EQ(player.launches().size(), 2u);
    EXPECT_EQ(player.launches()[0].program, (programFolder() / "tunnora-player").string());
    EXPECT_EQ(player.launches()[0].args, (std::vector<std::string>{"/ADD", song.string()}));
    EXPECT_EQ(player.adds(), std::vector<std::string>{song.string()});
    EXPECT_TRUE(player.launches()[1].args.empty());
}

TEST_F(LinkOnFake, UnexpectedProbeErrorIsShownByTheFileTestButPassedOverSilentlyWhenASongIsHandedOver) {
    rig.probe->failWith = EACCES;
    EXPECT_FALSE(link.FileExists("/music/song.mp3"));
    ASSERT_EQ(rig.shown().size(), 1u);
    EXPECT_EQ(rig.shown()[0].text, "Error Number: 70\n\r Permission denied");
    EXPECT_EQ(rig.shown()[0].style, tk::kMsgOkOnly);
    EXPECT_EQ(rig.shown()[0].title, "Error");
    EXPECT_FALSE(rig.ended());

    // Playback goes on unattended: a box would hold up the playlist.
    rig.shown().clear();
    for (const int error : {EACCES, ELOOP, EIO}) {
        rig.probe->failWith = error;
        EXPECT_FALSE(link.WinAMP_AddFile("/music/song.mp3")) << error;
        EXPECT_EQ(link.playSong("/music/song.mp3"), WinAMP_Control::SongStart::Refused) << error;
    }
    EXPECT_TRUE(rig.shown().empty());
    EXPECT_TRUE(player.launches().empty());

    rig.shown().clear();
    rig.probe->failWith = ENOENT;
    EXPECT_FALSE(link.FileExists("/music/song.mp3"));
    EXPECT_TRUE(rig.shown().empty());
}

TEST_F(LinkOnFake, FailedStartOfTheAddRaisesFileNotFound) {
    const auto song = rig.makeSong("song.mp3", 10);
    player.setLaunchFails(true);
    try {
        link.WinAMP_AddFile(song.string());
        FAIL() << "no error raised";
    } catch (const tk::RuntimeError& e) {
        EXPECT_EQ(e.number(), tk::err::kFileNotFound);
    }
    EXPECT_FALSE(link.StartWinAMP());
}

TEST_F(LinkOnFake, AddGivesUpWaitingForASlowPlayerAfterItsBoundAndWaitsNotAtAllOnADeadOrMissingHandle) {
    player.setHandOverDelay(60s);
    const auto song = rig.makeSong("song.mp3", 10);
    auto before = rig.clock.elapsed();
    EXPECT_TRUE(link.WinAMP_AddFile(song.string()));
    const auto waited = rig.clock.elapsed() - before;
    EXPECT_GE(waited, WinAMP_Control::kTakeWait);
    EXPECT_LT(waited, WinAMP_Control::kTakeWait + 100ms);

    player.setMode(fakes::FakePlayer::Mode::DeadHandle);
    before = rig.clock.elapsed();
    EXPECT_TRUE(link.WinAMP_AddFile(song.string()));
    link.hWinAMP = 0;
    EXPECT_TRUE(link.WinAMP_AddFile(song.string()));
    EXPECT_EQ(rig.clock.elapsed(), before);
    EXPECT_TRUE(rig.shown().empty());
}

TEST(LinkInit, WaitsForAPlayerThatIsSlowToShowItsWindow) {
    FakeRig rig;
    rig.player.setStartDelay(3s);
    rig.link.InitWinAMP(rig.host);
    EXPECT_NE(rig.link.hWinAMP, 0);
    EXPECT_GE(rig.clock.elapsed(), 3s);
    EXPECT_LT(rig.clock.elapsed(), 4s);
    EXPECT_EQ(rig.host.caption, "WinAMP Version# 1.010");
}

TEST(LinkInit, EndsTheProgramWhenThePlayerCannotBeStartedOrShowsNoWindowWithinTenSeconds) {
    for (const bool launchFails : {true, false}) {
        FakeRig rig;
        rig.player.setLaunchFails(launchFails);
        if (!launchFails) {
            rig.player.setMode(fakes::FakePlayer::Mode::NoWindow);
        }
        EXPECT_THROW(rig.link.InitWinAMP(rig.host), tk::ProgramEnded);
        ASSERT_EQ(rig.shown().size(), 1u);
        EXPECT_EQ(rig.shown()[0].text,
                  launchFails ? "Couldn't start WinAMP" : "Couldn't find WinAMP's Window");
        EXPECT_EQ(rig.shown()[0].style, tk::kMsgOkOnly);
        EXPECT_EQ(rig.shown()[0].title, "Tunnora");
        EXPECT_TRUE(rig.ended());
        EXPECT_TRUE(rig.host.caption.empty());
        if (!launchFails) {
            EXPECT_GE(rig.clock.elapsed(), WinAMP_Control::kWindowWait);
            EXPECT_LT(rig.clock.elapsed(), WinAMP_Control::kWindowWait + 1s);
        }
    }
}

} // namespace
} // namespace playertest
