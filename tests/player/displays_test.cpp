// The sliders, the time and clock displays and the play-state picture; no timer tick inside playback.
#include "stationrig.h"

#include "controls/sliderpic.h"
#include "gui.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "platform/usercontrol.h"
#include "player/playerwire.h"
#include "player/playrules.h"
#include "screen/form2.h"

#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

using namespace playbacktest;
namespace wire = playerwire;
using namespace std::chrono_literals;

namespace {
int requestsSince(fakes::FakePlayer& player, std::size_t from, std::int32_t lParam) {
    const auto& m = player.messages();
    return static_cast<int>(
        std::count_if(m.begin() + static_cast<std::ptrdiff_t>(from), m.end(),
                      [&](const auto& x) { return x.message == wire::kMsgUser && x.lParam == lParam; }));
}

// Records every message box, how deep they nest, and runs `whileShown` while one is up, as a
// message box's own event loop would run what comes meanwhile.
class NestingMessageBox final : public tk::MessageBoxService {
public:
    int show(const std::string&, int, const std::string&) override {
        ++shown;
        deepest = std::max(deepest, ++depth);
        if (whileShown) {
            whileShown();
        }
        --depth;
        return tk::kAnswerOk;
    }
    std::function<void()> whileShown;
    int shown = 0;
    int depth = 0;
    int deepest = 0;
};
} // namespace

TEST(Displays, TimeTextsHaveTwoDigitMinutesAtLeast) {
    EXPECT_EQ(player::timeText(-1), "00:00");
    EXPECT_EQ(player::timeText(0), "00:00");
    EXPECT_EQ(player::timeText(75), "01:15");
    EXPECT_EQ(player::timeText(3599), "59:59");
    EXPECT_EQ(player::timeText(6000), "100:00");
}

TEST(Displays, TheTimeTickShowsPositionAndLengthOnBothWindowsAndMovesThePositionSlider) {
    StationRig s(1, 2, 245000);
    s.queue({1, 2});
    s.f().PlayCurrentSong();
    s.run(125000);
    EXPECT_EQ(s.f().Label1[12].caption(), "02:05");
    EXPECT_EQ(s.f().Label1[13].caption(), "04:05");
    EXPECT_EQ(s.screen().F2_Label1[12].caption(), "02:05");
    EXPECT_EQ(s.screen().F2_Label1[13].caption(), "04:05");
    EXPECT_EQ(s.f().SliderPic1[1].max(), 245);
    EXPECT_EQ(s.f().SliderPic1[1].curPosition(), 125);

    s.f().StopSong();
    s.run(500);
    EXPECT_EQ(s.f().Label1[12].caption(), "00:00");
    EXPECT_EQ(s.f().Label1[13].caption(), "00:00");
    EXPECT_EQ(s.f().SliderPic1[1].max(), 2);
    EXPECT_EQ(s.f().SliderPic1[1].curPosition(), 1);

    // A song of one second is no range for the slider: it keeps its range, and nothing is shown.
    s.player().setSongLength(s.path(2), 1000ms);
    s.f().NextSong();
    s.run(500);
    EXPECT_EQ(s.f().SliderPic1[1].max(), 2);
    EXPECT_TRUE(s.rt.messages().shown.empty());
}

TEST(Displays, TheVolumeSliderSetsTwoAndAHalfTimesItsPosition) {
    StationRig s;
    for (auto [position, volume] : {std::pair{3, 8}, {50, 125}, {1, 2}, {100, 250}}) {
        s.f().SliderPic1_PositionChanged(0, position);
        EXPECT_EQ(s.player().volume(), volume) << position;
    }
}

TEST(Displays, AClickOnThePositionSliderJumpsAndTheNextTickShowsTheNewPosition) {
    StationRig s(1, 1, 180000);
    s.queue(1);
    s.f().PlayCurrentSong();
    s.run(30000);
    controls::SliderPic& slider = s.f().SliderPic1[1];
    ASSERT_EQ(slider.curPosition(), 30);
    testing_support::showAndExpose(&s.f());
    slider.setCurPosition(90);
    const int x = slider.trackLeft() + slider.pointerX();
    slider.setCurPosition(30);
    // Straight to the slider: what lies over it on the window is not this test's concern.
    QTest::mouseClick(&slider.control(), Qt::LeftButton, {}, QPoint(x, slider.control().height() / 2));
    const int chosen = slider.curPosition();
    EXPECT_NEAR(chosen, 90, 1);
    EXPECT_EQ(s.f().Label1[12].caption(), "00:30");
    EXPECT_EQ(s.player().messages().back().wParam, chosen * 1000);
    s.run(500);
    EXPECT_EQ(s.f().Label1[12].caption(), player::timeText(chosen));
}

TEST(Displays, TheClockTickShowsTheTimeAndLoadsAStatePictureOnlyWhenTheStateChanges) {
    StationRig s;
    std::tm local{};
    local.tm_year = 124;
    local.tm_mon = 5;
    local.tm_mday = 1;
    local.tm_hour = 23;
    local.tm_min = 59;
    local.tm_sec = 59;
    local.tm_isdst = -1;
    s.rt.clock().setWallTime(std::chrono::system_clock::from_time_t(std::mktime(&local)));
    const auto shows = [&](const char* name) {
        const tk::Picture expected = s.rt.runtime().pictures().load(s.rt.programFolder() / "Skin" / name);
        return s.f().switch_[20].picture().image() == expected.image();
    };
    std::size_t before = s.player().messages().size();
    s.f().Timer8_Timer();
    EXPECT_LE(requestsSince(s.player(), before, wire::kAskPlayState), 3);
    EXPECT_EQ(s.f().Label1[17].caption(), "23:59:59");
    EXPECT_TRUE(shows("PlayStop.jpg"));
    const tk::Picture stopped = s.f().switch_[20].picture();
    s.run(1000);
    EXPECT_EQ(s.f().Label1[17].caption(), "00:00:00");
    EXPECT_EQ(s.f().switch_[20].picture(), stopped);

    s.queue(1);
    s.f().PlayCurrentSong();
    before = s.player().messages().size();
    s.f().Timer8_Timer();
    EXPECT_LE(requestsSince(s.player(), before, wire::kAskPlayState), 3);
    EXPECT_TRUE(shows("PlayPLAY.jpg"));
    s.f().PauseSong();
    s.run(500);
    EXPECT_TRUE(shows("PlayPAUSE.jpg"));
}

TEST(Displays, NoTimerTickRunsInsideAPlaybackProcedureAndThePlayersMessagesComeOneAtATime) {
    auto box = std::make_unique<NestingMessageBox>();
    NestingMessageBox& messages = *box;
    StationRig s(1, 4, 3000, tk::Services{.messageBox = std::move(box)});
    s.queue({1, 2});
    s.f().PlayCurrentSong();
    s.run(1000);
    const std::string shownTime = s.f().Label1[12].caption();
    const int ticks = s.rt.timers().ticksFired;
    // The link has lost the player's window: each request shows its message, and while a message
    // waits, two seconds of ticks come due.
    s.f().winamp.hWinAMP = 0;
    messages.whileShown = [&] { s.rt.timers().advance(2000); };
    s.f().StopSong();
    EXPECT_GT(s.rt.timers().ticksFired, ticks);
    EXPECT_EQ(messages.shown, 2);
    EXPECT_EQ(messages.deepest, 1);
    EXPECT_EQ(s.f().Label1[12].caption(), shownTime);

    // A request made while the message waits answers empty without a second message.
    messages.whileShown = [&] { EXPECT_EQ(s.f().winamp.WinAMP_GetStatus(), ""); };
    s.f().Timer8_Timer();
    EXPECT_EQ(messages.shown, 3);
    EXPECT_EQ(messages.deepest, 1);
}
