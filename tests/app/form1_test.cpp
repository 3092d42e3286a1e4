#include "app/form1.h"
#include "app/station.h"
#include "gui.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "platform/timer.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
// Index of `w` among its siblings from back (0) to front.
int stackPosition(QWidget* w) {
    return static_cast<int>(w->parentWidget()->children().indexOf(w));
}
} // namespace

TEST(Form1, HasEveryIndexedControlAndStacksItsPagesDoorsAndPasswordPage) {
    TestRuntime rt;
    Station station(rt.runtime());
    Form1 f(station);
    EXPECT_EQ(f.SImage.lbound(), 1);
    EXPECT_EQ(f.Switches.indexes(), (std::vector<int>{8, 9}));
    EXPECT_EQ(f.Timer1->interval(), 500);
    EXPECT_THROW(f.Label1[23], tk::RuntimeError); // no element 23

    // Sliding pages above the covers and labels they pass over; the password page above them all.
    EXPECT_GT(stackPosition(f.Page_PlayList), stackPosition(&f.Image1[1]));
    EXPECT_GT(stackPosition(f.Page_PlayList), stackPosition(f.BackPage));
    EXPECT_GT(stackPosition(f.Page_PlayList), stackPosition(&f.switch_[3]));
    EXPECT_GT(stackPosition(f.Page_EditScreenPass), stackPosition(f.Page_EditID3v2));
    // Inside the page area, the doors lie above the browse pages.
    EXPECT_GT(stackPosition(f.LeftDoor), stackPosition(f.Page_Single));
    EXPECT_GT(stackPosition(f.RightDoor), stackPosition(f.Page_Search));
}

TEST(Station, AWindowThatCannotLoadItsPicturesFailsItsFirstUse) {
    TestRuntime rt;
    Station station(rt.runtime());
    EXPECT_FALSE(station.form2Slot().loaded());
    rt.write("Skin/Screen2.jpg", "");
    // Form2's load needs its pictures; without a skin its load is an error for the caller.
    EXPECT_THROW(station.form2(), tk::RuntimeError);
}
