#include "controls/placedcontrols.h"
#include "controls/wheel.h"
#include "errorcheck.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/propertybag.h"
#include "platform/raster.h"
#include "testruntime.h"
#include "wheelskin.h"

#include <gtest/gtest.h>

#include <vector>

using controls::Wheel;
using Arrow = controls::Wheel::Arrow;
using namespace testing_support;
namespace raster = tk::raster;

namespace {

// A wheel on a window, with the test skin written, recording every Change with the value it saw.
struct WheelRig {
    TestRuntime rt;
    tk::Form form{tk::Form::Kind::FullScreen, "Form1"};
    Wheel* wheel = nullptr;
    std::vector<int> changes;
    int more = 0;
    int less = 0;

    explicit WheelRig(tk::PropertyBag bag = {}) {
        writeWheelSkin(rt.programFolder());
        wheel = Wheel::create(&form, "Wheel1");
        wheel->readProperties(bag);
        wheel->change.connect([this] { changes.push_back(wheel->value()); });
        wheel->spinMore.connect([this] { ++more; });
        wheel->spinLess.connect([this] { ++less; });
    }
    tk::UserControlLogic& input() { return *wheel; }
    QRgb faceCentre() const {
        const QRect f = wheel->faceRect();
        return wheel->control().face().pixel(f.center());
    }
    void key(int code) {
        int k = code;
        input().onKeyDown(k, 0);
        k = code;
        input().onKeyUp(k, 0);
    }
    void pressArrow(Arrow arrow) {
        const QPoint at = wheel->arrowRect(arrow).center();
        input().onMouseDown(tk::kLeftButton, 0, float(at.x()), float(at.y()));
    }
    void releaseMouse() { input().onMouseUp(tk::kLeftButton, 0, 0, 0); }
    const std::vector<ShownMessage>& shown() { return rt.messages().shown; }
};

tk::PropertyBag range(int min, int max, int value, bool spinOver = true) {
    tk::PropertyBag bag;
    bag.writeInt("Min", min, 1);
    bag.writeInt("Max", max, 100);
    bag.writeInt("Value", value, 1);
    bag.writeBool("SpinOver", spinOver, true);
    return bag;
}

} // namespace

TEST(Wheel, WritingValueTurnsThreeFramesPerStepAndRaisesChangeAtEachValue) {
    WheelRig r(range(1, 10, 3));
    EXPECT_EQ(r.faceCentre(), stripColour(0));
    r.wheel->setValue(5);
    EXPECT_EQ(r.changes, (std::vector<int>{4, 5}));
    EXPECT_EQ(r.more, 2);
    EXPECT_EQ(r.less, 0);
    EXPECT_EQ(r.wheel->frame(), 6);
    EXPECT_EQ(r.faceCentre(), stripColour(6));

    r.wheel->setValue(5); // the value it has: nothing turns
    EXPECT_EQ(r.changes.size(), 2u);
    EXPECT_EQ(r.wheel->frame(), 6);

    r.wheel->setValue(2);
    EXPECT_EQ(r.changes, (std::vector<int>{4, 5, 4, 3, 2}));
    EXPECT_EQ(r.less, 3);
    EXPECT_EQ(r.wheel->frame(), 6); // nine frames down: a whole turn
}

TEST(Wheel, AStepWrapsAtTheEndsWithSpinOverAndNothingTurnsWithout) {
    WheelRig over(range(1, 5, 5));
    over.key(tk::kKeyRight);
    EXPECT_EQ(over.changes, std::vector<int>{1});
    over.key(tk::kKeyLeft);
    EXPECT_EQ(over.changes, (std::vector<int>{1, 5}));

    WheelRig stop(range(1, 5, 5, false));
    stop.key(tk::kKeyRight);
    stop.pressArrow(Arrow::Right);
    stop.releaseMouse();
    EXPECT_TRUE(stop.changes.empty());
    EXPECT_EQ(stop.wheel->frame(), 0); // not a single frame drawn
    EXPECT_EQ(stop.faceCentre(), stripColour(0));

    // Going down without wrapping stops at Min in the middle of a turn.
    WheelRig low(range(1, 5, 3, false));
    low.pressArrow(Arrow::Left);
    low.releaseMouse();
    EXPECT_EQ(low.changes, (std::vector<int>{2, 1}));
    EXPECT_EQ(low.wheel->value(), 1);
}

TEST(Wheel, DraggingTheFaceTurnsOneFramePerPixel) {
    WheelRig r(range(1, 100, 10));
    const QRect face = r.wheel->faceRect();
    const float y = float(face.center().y());
    float x = float(face.left() + 5);
    r.input().onMouseDown(tk::kLeftButton, 0, x, y);
    r.input().onMouseMove(tk::kLeftButton, 0, x += 2, y); // frames 1, 2
    EXPECT_TRUE(r.changes.empty());
    r.input().onMouseMove(tk::kLeftButton, 0, x += 1, y); // into frame 3: a step up
    EXPECT_EQ(r.changes, std::vector<int>{11});
    r.input().onMouseMove(tk::kLeftButton, 0, x -= 1, y); // back to 2: nothing
    EXPECT_EQ(r.changes, std::vector<int>{11});
    r.input().onMouseMove(tk::kLeftButton, 0, x += 1, y); // into 3 again: another step up
    EXPECT_EQ(r.changes, (std::vector<int>{11, 12}));
    r.input().onMouseMove(tk::kLeftButton, 0, x += 2.5f, y); // 2.5 frames round to 2: frame 5
    EXPECT_EQ(r.wheel->frame(), 5);
    r.input().onMouseMove(tk::kLeftButton, 0, x -= 6, y); // six frames down: steps into 3 and 0
    EXPECT_EQ(r.changes, (std::vector<int>{11, 12, 11, 10}));
    r.input().onMouseUp(tk::kLeftButton, 0, x, y);
    r.input().onMouseMove(0, 0, x + 30, y);
    EXPECT_EQ(r.changes.size(), 4u);

    // A vertical wheel follows the mouse's y only.
    tk::PropertyBag bag = range(1, 100, 10);
    bag.writeString("Orientation", "V", "H");
    WheelRig v(bag);
    const QRect vface = v.wheel->faceRect();
    EXPECT_EQ(vface, QRect(8, 29, 12, 43));
    v.input().onMouseDown(tk::kLeftButton, 0, 12, 40);
    v.input().onMouseMove(tk::kLeftButton, 0, 40, 40);
    EXPECT_EQ(v.wheel->frame(), 0);
    v.input().onMouseMove(tk::kLeftButton, 0, 40, 43);
    EXPECT_EQ(v.changes, std::vector<int>{11});
}

TEST(Wheel, AHeldArrowRepeatsEveryHundredMillisecondsUntilReleased) {
    WheelRig r(range(1, 100, 50));
    r.pressArrow(Arrow::Left);
    EXPECT_TRUE(r.wheel->arrowPressed(Arrow::Left));
    EXPECT_EQ(r.wheel->arrowRect(Arrow::Left).topLeft(), QPoint(2, 2));
    EXPECT_EQ(r.wheel->value(), 43); // 23 frames from frame 0: seven steps
    r.rt.advance(99);
    EXPECT_EQ(r.wheel->value(), 43);
    r.rt.advance(1);
    EXPECT_EQ(r.wheel->value(), 35); // 23 more frames from frame 4: eight steps
    r.rt.advance(200);
    EXPECT_EQ(r.changes.size(), 7u + 8u + 8u + 7u);
    r.releaseMouse();
    EXPECT_FALSE(r.wheel->arrowPressed(Arrow::Left));
    EXPECT_EQ(r.wheel->arrowRect(Arrow::Left).topLeft(), QPoint(0, 0));
    const auto after = r.changes.size();
    r.rt.advance(1000);
    EXPECT_EQ(r.changes.size(), after);
    EXPECT_EQ(r.rt.timers().runningCount(), 0);

    // The right arrow rests at x 80; a Change handler that writes Value does not change what the
    // held arrow turns.
    WheelRig h(range(1, 100, 50));
    EXPECT_EQ(h.wheel->arrowRect(Arrow::Right), QRect(80, 0, 21, 28));
    h.wheel->change.connect([&] {
        if (h.wheel->value() == 53) {
            h.wheel->setValue(60);
        }
    });
    h.pressArrow(Arrow::Right);
    h.rt.advance(100);
    h.releaseMouse();
    // The press: three steps to 53, the handler's turn to 60, four more steps; the tick: eight steps
    // of the arrow's 23 frames (not of the handler's 21).
    EXPECT_EQ(h.wheel->value(), 72);
}

TEST(Wheel, ArrowKeysOfTheWheelsOrientationTurnOneStep) {
    WheelRig h(range(1, 100, 50));
    int key = tk::kKeyRight;
    h.input().onKeyDown(key, 0);
    EXPECT_TRUE(h.wheel->arrowPressed(Arrow::Right));
    EXPECT_EQ(h.wheel->value(), 51);
    key = tk::kKeyRight;
    h.input().onKeyUp(key, 0);
    EXPECT_FALSE(h.wheel->arrowPressed(Arrow::Right));
    h.key(tk::kKeyUp);
    EXPECT_EQ(h.changes, std::vector<int>{51});

    tk::PropertyBag bag = range(1, 100, 50);
    bag.writeString("Orientation", "V", "H");
    bag.writeBool("ShowButtons", false, true);
    WheelRig v(bag);
    v.key(tk::kKeyDown);
    v.key(tk::kKeyDown);
    v.key(tk::kKeyUp);
    v.key(tk::kKeyLeft);
    v.key(tk::kKeyRight);
    EXPECT_EQ(v.changes, (std::vector<int>{51, 52, 51}));
    EXPECT_FALSE(v.wheel->arrowPressed(Arrow::Down)); // no buttons, nothing shown pressed
}

TEST(Wheel, OutOfOrderLimitsAndValuesShowCriticalMessagesAndChangeNothing) {
    WheelRig r(range(1, 10, 5));
    r.wheel->setMax(0);
    r.wheel->setMin(6);
    r.wheel->setValue(0);
    r.wheel->setValue(11);
    ASSERT_EQ(r.shown().size(), 4u);
    EXPECT_EQ(r.shown()[0].text, "Max must not be greater than Min");
    EXPECT_EQ(r.shown()[1].text, "Min must not be greater than Value");
    EXPECT_EQ(r.shown()[2].text, "Value must not be less than Min");
    EXPECT_EQ(r.shown()[3].text, "Value must not be greater than Max");
    for (const ShownMessage& m : r.shown()) {
        EXPECT_EQ(m.title, "DidaVovir");
        EXPECT_EQ(m.style, tk::kMsgCritical);
    }
    EXPECT_EQ(r.wheel->min(), 1);
    EXPECT_EQ(r.wheel->max(), 10);
    EXPECT_EQ(r.wheel->value(), 5);
    EXPECT_TRUE(r.changes.empty());

    // Max below Value is taken; Min above that Max is refused.
    r.wheel->setMax(3);
    EXPECT_EQ(r.wheel->max(), 3);
    EXPECT_EQ(r.wheel->value(), 5);
    r.wheel->setMin(4);
    EXPECT_EQ(r.shown().back().text, "Min must not be greater than Max");
    EXPECT_EQ(r.wheel->min(), 1);
}

TEST(Wheel, OrientationAndButtonsAreFixedWhileTheProgramRuns) {
    WheelRig r;
    EXPECT_EQ(runtimeErrorNumber([&] { r.wheel->setOrientation("V"); }), 393);
    EXPECT_EQ(runtimeErrorNumber([&] { r.wheel->setShowButtons(false); }), 393);
    EXPECT_EQ(r.wheel->orientation(), "H");
    EXPECT_TRUE(r.wheel->showButtons());

    r.wheel->control().setAmbientUserMode(false);
    r.wheel->setOrientation("diagonal");
    ASSERT_EQ(r.shown().size(), 1u);
    EXPECT_EQ(r.shown()[0].text, "Value must be \"V\" or \"H\"");
    EXPECT_EQ(r.wheel->orientation(), "H");
    r.wheel->setOrientation("vertical");
    EXPECT_EQ(r.wheel->orientation(), "V");
    EXPECT_EQ(r.wheel->control().width(), 420.0f);
    EXPECT_EQ(r.wheel->control().height(), 1515.0f);
    r.wheel->setShowButtons(false);
    EXPECT_EQ(r.wheel->control().height(), 885.0f);
    EXPECT_EQ(r.wheel->faceRect(), QRect(8, 8, 12, 43));
}

TEST(Wheel, AJumpOfTwelveThousandRowsStepsThroughEveryValue) {
    WheelRig r(range(1, 40000, 1));
    r.wheel->setValue(12001);
    ASSERT_EQ(r.changes.size(), 12000u);
    EXPECT_EQ(r.changes.front(), 2);
    EXPECT_EQ(r.changes.back(), 12001);
    EXPECT_EQ(r.wheel->frame(), 0); // 36,000 frames: a whole number of turns
    r.wheel->setValue(1);
    EXPECT_EQ(r.changes.size(), 24000u);
    EXPECT_EQ(r.wheel->value(), 1);
}

TEST(Wheel, ShadesTintTheSlotAndTheFaceAndTheDisabledLookHidesTheFace) {
    WheelRig r(range(1, 10, 5));
    tk::UserControl& c = r.wheel->control();
    EXPECT_EQ(c.width(), 1515.0f);
    EXPECT_EQ(c.height(), 420.0f);
    EXPECT_EQ(c.face().pixel(21 + 2, 1), kSlotColour); // white shades change nothing
    EXPECT_EQ(c.face().pixel(5, 5), kLeftArrowColour);
    EXPECT_EQ(c.face().pixel(90, 5), kRightArrowColour);

    // The control shade is and-ed into slot and arrows, the wheel shade into the face.
    r.wheel->setShadeControl(tk::rgb(0xFF, 0x0F, 0xF0));
    r.wheel->setShadeWheel(tk::rgb(0x0F, 0xFF, 0xFF));
    EXPECT_EQ(raster::pixel(c.face(), 23, 1), raster::fromPixel(kSlotColour) & tk::rgb(0xFF, 0x0F, 0xF0));
    EXPECT_EQ(raster::pixel(c.face(), r.wheel->faceRect().center().x(), r.wheel->faceRect().center().y()),
              raster::fromPixel(stripColour(0)) & tk::rgb(0x0F, 0xFF, 0xFF));

    r.wheel->setEnabled(false);
    EXPECT_FALSE(c.isEnabled());
    EXPECT_EQ(raster::pixel(c.face(), 23, 1), raster::fromPixel(kSlotColour) | 0x808080u);
    EXPECT_EQ(raster::pixel(c.face(), r.wheel->faceRect().center().x(), r.wheel->faceRect().center().y()),
              raster::fromPixel(kSlotColour) | 0x808080u);
    // No frame shows and the face takes no drag.
    const QPoint mid = r.wheel->faceRect().center();
    r.input().onMouseDown(tk::kLeftButton, 0, float(mid.x()), float(mid.y()));
    r.input().onMouseMove(tk::kLeftButton, 0, float(mid.x() + 9), float(mid.y()));
    EXPECT_TRUE(r.changes.empty());
}

TEST(Wheel, TheMainWindowsWheelIsStoredWithMaxOneAndNeedsItsSkinPictures) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    EXPECT_EQ(runtimeErrorNumber([&] { controls::createWheel1(&form); }), tk::err::kFileNotFound);

    writeWheelSkin(rt.programFolder());
    Wheel* wheel = controls::createWheel1(&form);
    EXPECT_EQ(wheel->max(), 1);
    EXPECT_EQ(wheel->min(), 1);
    EXPECT_EQ(wheel->value(), 1);
    EXPECT_EQ(wheel->control().toolTipText(), "Turn Wheel To Select");
    tk::PropertyBag bag;
    wheel->writeProperties(bag);
    EXPECT_EQ(bag.size(), 1u);
    EXPECT_EQ(bag.readInt("Max", 100), 1);
}
