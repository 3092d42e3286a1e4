#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "gui.h"
#include "platform/form.h"
#include "platform/picturebox.h"
#include "testruntime.h"
#include "wheelskin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using controls::SliderPic;
using controls::Wheel;
using namespace testing_support;

namespace {

// The main window's volume slider over a picture box of the same size, both recording their events.
struct SliderWindow {
    TestRuntime rt;
    tk::Form form{tk::Form::Kind::FullScreen, "Form1"};
    tk::PictureBox* behind = new tk::PictureBox(&form, "Behind");
    SliderPic* slider = nullptr;
    std::vector<std::string> log;
    std::vector<int> reported;

    SliderWindow() {
        behind->move(5880, 210, 3570, 510);
        slider = controls::createSliderPic1(&form, 0);
        behind->mouseDown.connect([this](int, int, float, float) { log.push_back("behind down"); });
        slider->mouseDown.connect(
            [this](int b, int, float, float) { log.push_back("down " + std::to_string(b)); });
        slider->mouseUp.connect(
            [this](int b, int, float, float) { log.push_back("up " + std::to_string(b)); });
        slider->positionChanged.connect([this](int& p, int&) { reported.push_back(p); });
        showAndExpose(&form);
    }
    QWidget* widget() { return &slider->control(); }
};

} // namespace

TEST(SliderWidget, ClicksOnTransparentPartsReachTheWindowBehind) {
    SliderWindow w;
    // Above the track and away from the pointer the slider is transparent.
    click(w.widget(), 1, QPoint(100, 2));
    EXPECT_EQ(w.log, std::vector<std::string>{"behind down"});
    EXPECT_TRUE(w.reported.empty());
    EXPECT_EQ(w.slider->curPosition(), 50);
}

TEST(SliderWidget, AClickBesideThePointerJumpsAndADragReportsEveryMove) {
    SliderWindow w;
    ASSERT_EQ(w.slider->trackLeft(), 9);
    click(w.widget(), 1, QPoint(30, 16)); // (30 - 9) × 99 / 220 + 1 = 10.45
    EXPECT_EQ(w.reported, std::vector<int>{10});
    EXPECT_EQ(w.slider->curPosition(), 10);
    EXPECT_EQ(w.slider->pointerX(), 21);
    EXPECT_EQ(w.log, (std::vector<std::string>{"down 1", "up 1"}));

    w.reported.clear();
    press(w.widget(), 1, QPoint(29, 16)); // on the pointer: a drag starts, nothing moves yet
    EXPECT_TRUE(w.reported.empty());
    moveMouse(w.widget(), QPoint(120, 16), 1);
    moveMouse(w.widget(), QPoint(200, 30), 1); // below the track: the drag goes on
    release(w.widget(), 1, QPoint(200, 30));
    EXPECT_EQ(w.reported, (std::vector<int>{51, 87}));
    EXPECT_EQ(w.slider->curPosition(), 87);
    moveMouse(w.widget(), QPoint(60, 16));
    EXPECT_EQ(w.slider->curPosition(), 87);
}

TEST(SliderWidget, ADisabledSliderTakesNoClicks) {
    SliderWindow w;
    w.slider->setEnabled(false);
    click(w.widget(), 1, QPoint(30, 16));
    EXPECT_TRUE(w.reported.empty());
    EXPECT_EQ(w.slider->curPosition(), 50);
}

namespace {

struct WheelWindow {
    TestRuntime rt;
    tk::Form form{tk::Form::Kind::FullScreen, "Form1"};
    Wheel* wheel = nullptr;
    std::vector<int> changes;

    WheelWindow() {
        writeWheelSkin(rt.programFolder());
        wheel = controls::createWheel1(&form);
        wheel->setMax(100);
        wheel->change.connect([this] { changes.push_back(wheel->value()); });
        showAndExpose(&form);
    }
    QWidget* widget() { return &wheel->control(); }
};

} // namespace

TEST(WheelWidget, HoldingAnArrowTurnsAtOnceAndEveryHundredMilliseconds) {
    WheelWindow w;
    press(w.widget(), 1, QPoint(90, 14));
    EXPECT_EQ(w.wheel->value(), 8); // 23 frames: seven steps
    w.rt.advance(100);
    EXPECT_EQ(w.wheel->value(), 16);
    release(w.widget(), 1, QPoint(90, 14));
    w.rt.advance(500);
    EXPECT_EQ(w.wheel->value(), 16);
    EXPECT_EQ(w.changes.size(), 15u);

    // Two quick clicks on an arrow are two presses: from frame 4, eight steps each.
    w.wheel->setValue(50);
    doubleClick(w.widget(), 1, QPoint(5, 14));
    EXPECT_EQ(w.wheel->value(), 34);
    w.rt.advance(500);
    EXPECT_EQ(w.wheel->value(), 34);
}

TEST(WheelWidget, ArrowKeysAndDraggingTheFaceTurnIt) {
    WheelWindow w;
    w.wheel->setValue(50);
    w.changes.clear();
    pressKey(w.widget(), Qt::Key_Right);
    pressKey(w.widget(), Qt::Key_Right);
    pressKey(w.widget(), Qt::Key_Left);
    pressKey(w.widget(), Qt::Key_Down); // not a key of a horizontal wheel
    EXPECT_EQ(w.changes, (std::vector<int>{51, 52, 51}));
    EXPECT_TRUE(w.widget()->hasFocus());

    press(w.widget(), 1, QPoint(35, 14)); // on the face
    moveMouse(w.widget(), QPoint(41, 14), 1);
    moveMouse(w.widget(), QPoint(41, 26), 1);
    release(w.widget(), 1, QPoint(41, 26));
    EXPECT_EQ(w.wheel->value(), 53);
}
