#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "errorcheck.h"
#include "gui.h"
#include "platform/controlarray.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/picturebox.h"
#include "platform/propertybag.h"
#include "platform/raster.h"
#include "platform/usercontrol.h"
#include "testruntime.h"
#include "wheelskin.h"

#include <QCursor>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using controls::SliderPic;
using namespace testing_support;

TEST(PropertyBag, AValueEqualToItsDefaultIsNotStored) {
    tk::PropertyBag bag;
    bag.writeInt("Max", 100, 100);
    bag.writeBool("SpinOver", true, true);
    bag.writeString("Orientation", "H", "H");
    bag.writePicture("MouseIcon", tk::Picture());
    EXPECT_EQ(bag.size(), 0u);
    bag.writeInt("Max", 7, 100);
    bag.writeString("Orientation", "V", "H");
    EXPECT_EQ(bag.readInt("Max", 100), 7);
    EXPECT_EQ(bag.readString("Orientation", "H"), "V");
    // Writing the default again removes the stored value; a missing name reads as its default.
    bag.writeInt("Max", 100, 100);
    EXPECT_FALSE(bag.contains("Max"));
    EXPECT_EQ(bag.readInt("Max", 100), 100);
    EXPECT_TRUE(bag.readBool("Enabled", true));
    // A value stored with another type reads as the default.
    EXPECT_EQ(bag.readInt("Orientation", 3), 3);
}

TEST(UserControl, KeepsItsOwnSizeAndTakesNumberedMousePointers) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    auto* c = new tk::UserControl(&form, "Custom");
    c->resizeFace(20, 10, 0x00FF00);
    c->move(300, 450, 9000, 9000);
    EXPECT_EQ(c->left(), 300.0f);
    EXPECT_EQ(c->width(), 300.0f);
    EXPECT_EQ(c->height(), 150.0f);
    EXPECT_EQ(c->geometry(), QRect(20, 30, 20, 10));

    c->setMousePointer(11);
    EXPECT_EQ(c->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(runtimeErrorNumber([&] { c->setMousePointer(16); }), 380);
    EXPECT_EQ(c->mousePointer(), 11);
    c->setMousePointer(0);
    EXPECT_FALSE(c->testAttribute(Qt::WA_SetCursor));
}

TEST(UserControl, ClicksOnTheMaskColourReachTheControlBehindAtTheScreenScale) {
    tk::Services services;
    services.screen.emplace(2048, 1536);
    TestRuntime rt(std::move(services));
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    auto* behind = new tk::PictureBox(&form, "Behind");
    behind->move(0, 0, 9450, 1500);
    int behindDowns = 0;
    behind->mouseDown.connect([&](int, int, float, float) { ++behindDowns; });
    auto* c = new tk::UserControl(&form, "Custom");
    c->resizeFace(40, 40, 0xFFFFFF);
    c->setMaskColor(0xFFFFFF);
    c->setBackStyle(0);
    SliderPic* slider = controls::createSliderPic1(&form, 0);
    std::vector<int> reported;
    slider->positionChanged.connect([&](int& p, int&) { reported.push_back(p); });
    showAndExpose(&form);
    ASSERT_EQ(slider->control().size(), QSize(476, 68));

    click(c, 1, QPoint(40, 40)); // a face of only the mask colour lets every click through
    EXPECT_EQ(behindDowns, 1);
    c->face().fill(tk::raster::toPixel(0x000000)); // drawn pixels take the clicks again
    c->faceChanged();
    click(c, 1, QPoint(40, 40));
    EXPECT_EQ(behindDowns, 1);
    click(&slider->control(), 1, QPoint(200, 4)); // the slider's pixel (100, 2): transparent
    EXPECT_EQ(behindDowns, 2);
    click(&slider->control(), 1, QPoint(60, 32)); // its pixel (30, 16): on the track
    EXPECT_EQ(reported, std::vector<int>{10});
    EXPECT_EQ(behindDowns, 2);
}

TEST(UserControl, TheMainWindowWiresBothSlidersThroughOneArrayAndTheirWidgetsTakeClicksAndDrags) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    tk::ControlArray<SliderPic> SliderPic1("SliderPic1");
    SliderPic1.add(0, controls::createSliderPic1(&form, 0));
    SliderPic1.add(1, controls::createSliderPic1(&form, 1));
    std::vector<std::string> log;
    SliderPic1.connect(&SliderPic::positionChanged, [&](int index, int& chosen, int&) {
        log.push_back("changed " + std::to_string(index) + " " + std::to_string(chosen));
    });
    SliderPic1.connect(&SliderPic::mouseDown, [&](int index, int, int, float, float) {
        log.push_back("down " + std::to_string(index));
    });
    SliderPic1.connect(&SliderPic::mouseUp, [&](int index, int, int, float, float) {
        log.push_back("up " + std::to_string(index));
    });
    showAndExpose(&form);
    click(&SliderPic1[1].control(), 1, QPoint(20, 16)); // (20 - 8) × 99 / 218 + 1 = 6.45
    EXPECT_EQ(log, (std::vector<std::string>{"down 1", "changed 1 6", "up 1"}));
    EXPECT_EQ(findControl(&form, "SliderPic1", 0), &SliderPic1[0].control());
    EXPECT_EQ(SliderPic::of(findControl(&form, "SliderPic1", 1)), &SliderPic1[1]);

    // A click beside the pointer jumps; a press on the pointer starts a drag that reports every move,
    // below the track too; disabled the slider takes no click.
    SliderPic& volume = SliderPic1[0];
    QWidget* widget = &volume.control();
    ASSERT_EQ(volume.trackLeft(), 9);
    log.clear();
    click(widget, 1, QPoint(30, 16)); // (30 - 9) × 99 / 220 + 1 = 10.45
    EXPECT_EQ(volume.pointerX(), 21);
    press(widget, 1, QPoint(29, 16));
    moveMouse(widget, QPoint(120, 16), 1);
    moveMouse(widget, QPoint(200, 30), 1);
    release(widget, 1, QPoint(200, 30));
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", "changed 0 10", "up 0", "down 0", "changed 0 51",
                                             "changed 0 87", "up 0"}));
    moveMouse(widget, QPoint(60, 16));
    EXPECT_EQ(volume.curPosition(), 87);
    volume.setEnabled(false);
    click(widget, 1, QPoint(30, 16));
    EXPECT_EQ(volume.curPosition(), 87);
}

TEST(WheelWidget, QuickClicksOnAnArrowKeysAndDraggingTheFaceTurnIt) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    writeWheelSkin(rt.programFolder());
    controls::Wheel* wheel = controls::createWheel1(&form);
    wheel->setMax(100);
    showAndExpose(&form);
    QWidget* widget = &wheel->control();
    // Two quick clicks on an arrow are two presses, and the release stops the repeat: from frame 3
    // (49 steps up from 1), 23 frames down are seven steps, the next 23 eight.
    wheel->setValue(50);
    doubleClick(widget, 1, QPoint(5, 14));
    EXPECT_EQ(wheel->value(), 35);
    rt.advance(500);
    EXPECT_EQ(wheel->value(), 35);

    std::vector<int> changes;
    wheel->change.connect([&] { changes.push_back(wheel->value()); });
    pressKey(widget, Qt::Key_Right);
    pressKey(widget, Qt::Key_Left);
    pressKey(widget, Qt::Key_Down); // not a key of a horizontal wheel
    EXPECT_EQ(changes, (std::vector<int>{36, 35}));
    EXPECT_TRUE(widget->hasFocus());

    press(widget, 1, QPoint(35, 14)); // on the face: six pixels right are two steps
    moveMouse(widget, QPoint(41, 14), 1);
    moveMouse(widget, QPoint(41, 26), 1);
    release(widget, 1, QPoint(41, 26));
    EXPECT_EQ(wheel->value(), 37);
}
