#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "errorcheck.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/propertybag.h"
#include "platform/raster.h"
#include "testruntime.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using controls::SliderPic;
using namespace testing_support;
namespace raster = tk::raster;

namespace {

constexpr tk::OleColor kTrack = tk::rgb(100, 100, 100);
constexpr tk::OleColor kFill = tk::rgb(0, 0, 200);
constexpr tk::OleColor kPointer = tk::rgb(10, 10, 10);

tk::Picture solid(int w, int h, tk::OleColor colour) {
    return tk::Picture(std::make_shared<const QImage>(raster::surface(w, h, colour)));
}

// A slider with plain pictures: a track `trackPx` × 6, a pointer 10 × 16 (so TrackLeft is 5 and the
// track lies at y 5), Min 1, Max 100, position 50, transparent white.
struct Slider {
    TestRuntime rt;
    tk::Form form{tk::Form::Kind::FullScreen, "Form1"};
    SliderPic* slider = SliderPic::create(&form, "SliderPic1", 0);
    std::vector<int> reported;
    std::vector<std::string> changedNames;

    explicit Slider(int trackPx = 200) {
        tk::PropertyBag bag;
        bag.writeInt("Min", 1, 0);
        bag.writeInt("Max", 100, 10);
        bag.writeInt("CurPosition", 50, 0);
        bag.writePicture("ImageSlider", solid(trackPx, 6, kTrack));
        bag.writePicture("ImageLeft", solid(trackPx, 6, kFill));
        bag.writePicture("ImagePointer", solid(10, 16, kPointer));
        bag.writeInt("BackStyle", 0, 1);
        bag.writeInt("MaskColor", 0xFFFFFF, 0xC0C0C0);
        bag.writeBool("isSliderLeftPicSet", true, false);
        slider->readProperties(bag);
        slider->positionChanged.connect([this](int& chosen, int&) { reported.push_back(chosen); });
        slider->control().propertyChanged.connect(
            [this](const std::string& n) { changedNames.push_back(n); });
    }
    tk::UserControlLogic& input() { return *slider; }
    void leftPress(float x) {
        input().onMouseDown(tk::kLeftButton, 0, x, 8);
        input().onMouseUp(tk::kLeftButton, 0, x, 8);
    }
    tk::OleColor at(int x, int y) const { return raster::pixel(slider->control().face(), x, y); }
};

} // namespace

TEST(SliderPic, PositionsAndPixelsConvertRoundingHalvesToEvenOrTruncatingInStyleOne) {
    Slider s;
    EXPECT_EQ(s.slider->trackLeft(), 5);
    EXPECT_EQ(s.slider->pointerX(), 99); // 49 × 200 / 99 = 98.99
    s.slider->setCurPosition(1);
    s.leftPress(5 + 101); // 101 × 99 / 200 + 1 = 50.995
    EXPECT_EQ(s.reported, std::vector<int>{51});
    EXPECT_EQ(s.slider->curPosition(), 51);
    EXPECT_EQ(s.slider->pointerX(), 101);
    // Clicks beyond the track give Min and Max.
    s.leftPress(0);
    EXPECT_EQ(s.slider->pointerX(), 0);
    s.leftPress(400);
    EXPECT_EQ(s.slider->pointerX(), 200);
    EXPECT_EQ(s.reported, (std::vector<int>{51, 1, 100}));
    // Style 1 snaps the pointer to the position's pixel, truncated: 50 × 200 \ 99 = 101, 49 × 200 \ 99 = 98.
    s.slider->setStyle(1);
    s.slider->setCurPosition(51);
    EXPECT_EQ(s.slider->pointerX(), 101);
    s.slider->setCurPosition(50);
    EXPECT_EQ(s.slider->pointerX(), 98);

    Slider small(20);
    small.slider->setMin(0);
    small.slider->setMax(10);
    small.slider->setCurPosition(10);
    small.leftPress(5 + 5); // 2.5
    small.slider->setCurPosition(10);
    small.leftPress(5 + 7); // 3.5
    EXPECT_EQ(small.reported, (std::vector<int>{2, 4}));
}

TEST(SliderPic, APressOnThePointersLeftEdgeJumpsAndOnePixelInsideStartsADrag) {
    Slider s;
    ASSERT_EQ(s.slider->pointerX(), 99);
    s.input().onMouseDown(tk::kLeftButton, 0, 99, 8);
    EXPECT_EQ(s.reported.size(), 1u);
    // The jump ended any drag: moving with the button held reports nothing.
    s.input().onMouseMove(tk::kLeftButton, 0, 150, 8);
    s.input().onMouseUp(tk::kLeftButton, 0, 150, 8);
    EXPECT_EQ(s.reported.size(), 1u);

    s.slider->setCurPosition(50);
    s.reported.clear();
    s.input().onMouseDown(tk::kLeftButton, 0, 100, 8);
    EXPECT_TRUE(s.reported.empty());
    EXPECT_EQ(s.slider->pointerX(), 99);
    s.input().onMouseMove(tk::kLeftButton, 0, 125, 8);
    s.input().onMouseMove(tk::kLeftButton, 0, 5 + 200, 8);
    s.input().onMouseUp(tk::kLeftButton, 0, 5 + 200, 8);
    EXPECT_EQ(s.reported, (std::vector<int>{60, 100})); // 120 × 99 / 200 + 1 = 60.4
    // After the release moves report nothing, and the right button never moves the pointer.
    s.input().onMouseMove(tk::kLeftButton, 0, 20, 8);
    s.input().onMouseDown(tk::kRightButton, 0, 20, 8);
    EXPECT_EQ(s.reported.size(), 2u);
}

TEST(SliderPic, TheHandlersChoiceIsKeptWithinMinAndMax) {
    Slider s;
    int seenOwn = 0;
    s.slider->positionChanged.connect([&](int& chosen, int& own) {
        seenOwn = own;
        chosen = chosen == 11 ? 30 : 1000;
    });
    s.slider->setCurPosition(100);
    s.leftPress(5 + 20);    // 20 × 99 / 200 + 1 = 10.9 → 11
    EXPECT_EQ(seenOwn, 11); // the slider's position already holds the choice while the handler runs
    EXPECT_EQ(s.slider->curPosition(), 30);
    s.leftPress(5 + 150);
    EXPECT_EQ(s.slider->curPosition(), 100);
}

TEST(SliderPic, MinAndMaxOutOfOrderRaise513And514AndCurPositionIsClampedWithoutAnEvent) {
    Slider s;
    s.changedNames.clear();
    s.slider->setCurPosition(1000);
    EXPECT_EQ(s.slider->curPosition(), 100);
    EXPECT_EQ(s.slider->pointerX(), 200);
    s.slider->setCurPosition(-7);
    EXPECT_EQ(s.slider->curPosition(), 1);
    EXPECT_EQ(s.changedNames, (std::vector<std::string>{"CurPosition", "CurPosition"}));
    s.slider->setCurPosition(50);
    const auto minError = runtimeError([&] { s.slider->setMin(100); });
    ASSERT_TRUE(minError);
    EXPECT_EQ(minError->number(), 513);
    EXPECT_EQ(minError->source(), "VezuvoDazuri");
    EXPECT_EQ(minError->description(), "Minimum must be less than Maximum");
    const auto maxError = runtimeError([&] { s.slider->setMax(1); });
    ASSERT_TRUE(maxError);
    EXPECT_EQ(maxError->number(), 514);
    EXPECT_EQ(maxError->source(), "VezuvoDazuri");
    EXPECT_EQ(maxError->description(), "Maximum must be greater than Minimum");
    EXPECT_EQ(s.slider->min(), 1);
    EXPECT_EQ(s.slider->max(), 100);
    EXPECT_EQ(s.slider->curPosition(), 50);

    // Accepted limits pull the position along, without an event.
    s.slider->setMax(40);
    EXPECT_EQ(s.slider->curPosition(), 40);
    EXPECT_EQ(s.slider->pointerX(), 200);
    s.slider->setMin(-20);
    s.slider->setMin(39);
    EXPECT_EQ(s.slider->curPosition(), 40);
    s.slider->setMax(100);
    s.slider->setMin(60);
    EXPECT_EQ(s.slider->curPosition(), 60);
    EXPECT_TRUE(s.reported.empty());
}

TEST(SliderPic, TheDrawingShowsTrackFillAndPointerWithTheMaskTransparent) {
    Slider s;
    tk::UserControl& c = s.slider->control();
    EXPECT_EQ(c.width(), 210 * 15.0f);
    EXPECT_EQ(c.height(), 16 * 15.0f);
    c.setWidth(5000); // the host cannot resize it
    EXPECT_EQ(c.width(), 210 * 15.0f);
    EXPECT_EQ(s.at(5 + 50, 7), kFill);    // left of the pointer
    EXPECT_EQ(s.at(99 + 5, 3), kPointer); // the pointer
    EXPECT_EQ(s.at(5 + 150, 7), kTrack);  // right of the pointer
    EXPECT_EQ(s.at(50, 1), 0xFFFFFFu);    // beside the track: background in the mask colour
    EXPECT_FALSE(c.opaqueAt(50, 1));
    EXPECT_TRUE(c.opaqueAt(50, 7));
    // BackStyle 1 makes the background opaque; beyond sixteen bits it overflows.
    EXPECT_EQ(runtimeErrorNumber([&] { s.slider->setBackStyle(40000); }), tk::err::kOverflow);
    s.slider->setBackStyle(1);
    EXPECT_TRUE(c.opaqueAt(50, 1));
    s.slider->setBackStyle(0);

    // Without a left picture the fill is gone at the next repaint.
    s.slider->setImageLeft(tk::Picture());
    EXPECT_FALSE(s.slider->isSliderLeftPicSet());
    s.slider->setCurPosition(50);
    EXPECT_EQ(s.at(5 + 50, 7), kTrack);
}

TEST(SliderPic, TheDisabledLookLightensOrDarkensEveryChannelWithRedInTheLowByte) {
    Slider s;
    // A red mask colour: pure red parts stay transparent, everything else changes channel by channel.
    s.slider->setMaskColor(0x0000FF);
    s.slider->setImageSlider(solid(200, 6, tk::rgb(200, 100, 250)));
    s.slider->setImagePointer(solid(10, 16, 0x0000FF));
    s.slider->setIsSliderLeftPicSet(false);
    s.slider->setEnabled(false);
    EXPECT_FALSE(s.slider->control().isEnabled());
    EXPECT_EQ(s.at(5 + 150, 7), tk::rgb(220, 150, 255)); // +20, +2.5 × 20, 270 clamped
    EXPECT_EQ(s.at(0, 0), 0x0000FFu);                    // background stays the mask colour
    EXPECT_EQ(s.at(104, 2), 0x0000FFu);                  // so does the red pointer
    s.slider->setDisabledStyle(1);
    EXPECT_EQ(s.at(5 + 150, 7), tk::rgb(180, 50, 230));
    s.slider->setDisabledIntense(86);
    s.slider->setDisabledIntense(-1);
    EXPECT_EQ(s.slider->disabledIntense(), 20);

    // A dark channel is rounded after the step is added, halves to the even neighbour: 101 + 2.5 is
    // 104, 101 - 2.5 is 98, 100 ± 2.5 stays 102 and 98.
    s.slider->setImageSlider(solid(200, 6, tk::rgb(101, 100, 250)));
    s.slider->setDisabledIntense(1);
    EXPECT_EQ(s.at(5 + 150, 7), tk::rgb(98, 98, 249));
    s.slider->setDisabledStyle(0);
    EXPECT_EQ(s.at(5 + 150, 7), tk::rgb(104, 102, 251));

    // A colour that would become the mask colour is stored one higher; white steps down instead.
    s.slider->setDisabledIntense(20);
    s.slider->setImageSlider(solid(200, 6, tk::rgb(200, 100, 250)));
    s.slider->setMaskColor(tk::rgb(220, 150, 255));
    EXPECT_EQ(s.at(5 + 150, 7), tk::rgb(221, 150, 255));
    s.slider->setImageSlider(solid(200, 6, tk::rgb(250, 250, 250)));
    s.slider->setMaskColor(0xFFFFFF);
    EXPECT_EQ(s.at(5 + 150, 7), 0xFFFFFEu);
    EXPECT_TRUE(s.slider->control().opaqueAt(5 + 150, 7));
}

TEST(SliderPic, NoTrackOrNoRangeKeepsThePointerLeftAndThePositionAtMin) {
    Slider s;
    s.slider->setImageSlider(tk::Picture());
    s.leftPress(30);
    EXPECT_EQ(s.slider->pointerX(), 0);
    EXPECT_EQ(s.slider->curPosition(), 1);

    Slider stored;
    tk::PropertyBag bag;
    stored.slider->writeProperties(bag);
    bag.writeInt("Min", 7, 0);
    bag.writeInt("Max", 7, 10);
    stored.slider->readProperties(bag);
    stored.leftPress(120);
    EXPECT_EQ(stored.slider->curPosition(), 7);
    EXPECT_EQ(stored.slider->pointerX(), 0);
    stored.slider->setCurPosition(99);
    EXPECT_EQ(stored.slider->curPosition(), 7);
}

TEST(SliderPic, StoredPropertiesLeaveOutDefaultsAndReadBackUnchecked) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    SliderPic* fresh = SliderPic::create(&form);
    tk::PropertyBag bag;
    fresh->writeProperties(bag);
    // A new slider holds its three default pictures and nothing else that differs from a default.
    EXPECT_EQ(bag.size(), 3u);
    EXPECT_EQ(fresh->control().width(), (30 + 6) * 15.0f);
    EXPECT_EQ(fresh->control().height(), 17 * 15.0f);

    SliderPic* volume = controls::createSliderPic1(&form, 0);
    tk::PropertyBag stored;
    volume->writeProperties(stored);
    EXPECT_EQ(stored.readInt("CurPosition", 0), 50);
    EXPECT_EQ(stored.readInt("Min", 0), 1);
    EXPECT_EQ(stored.readInt("Max", 10), 100);
    EXPECT_EQ(stored.readInt("MaskColor", 0), 0xFFFFFF);
    EXPECT_EQ(stored.readInt("BackStyle", 1), 0);
    EXPECT_FALSE(stored.contains("Enabled"));
    EXPECT_FALSE(stored.contains("DisabledIntense"));

    // Stored values are taken as they are, without the range checks of the property writes.
    stored.writeInt("CurPosition", 500, 0);
    stored.writeInt("DisabledIntense", 99, 20);
    volume->readProperties(stored);
    EXPECT_EQ(volume->curPosition(), 500);
    EXPECT_EQ(volume->disabledIntense(), 99);

    SliderPic* position = controls::createSliderPic1(&form, 1);
    EXPECT_EQ(position->control().width(), 3510.0f);
    EXPECT_EQ(position->control().height(), 480.0f);
    EXPECT_EQ(position->control().name(), "SliderPic1");
    EXPECT_EQ(position->control().index(), 1);
}
