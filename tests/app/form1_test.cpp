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

TEST(Form1, HasEveryIndexedControlAtItsDesignPlace) {
    TestRuntime rt;
    Station station(rt.runtime());
    Form1 f(station);
    EXPECT_EQ(f.Label1.count(), 23);
    EXPECT_EQ(f.Label1.lbound(), 0);
    EXPECT_EQ(f.Label1.ubound(), 22);
    EXPECT_EQ(f.switch_.count(), 21);
    EXPECT_EQ(f.Image1.count(), 4);
    EXPECT_EQ(f.SImage.lbound(), 1);
    EXPECT_EQ(f.SImage.ubound(), 8);
    EXPECT_EQ(f.txtMP3.count(), 14);
    EXPECT_EQ(f.Switches.indexes(), (std::vector<int>{8, 9}));
    EXPECT_EQ(f.Picture2.indexes(), (std::vector<int>{1, 2, 3, 4}));

    EXPECT_EQ(f.Label1[4].left(), 7290.0f);
    EXPECT_EQ(f.Label1[4].top(), 3510.0f);
    EXPECT_EQ(f.Label1[4].fontSize(), 14.25f);
    EXPECT_TRUE(f.Label1[4].fontBold());
    EXPECT_TRUE(f.Label1[4].fontItalic());
    EXPECT_EQ(f.Label1[4].alignment(), 2);
    EXPECT_EQ(f.Label1[22].foreColor(), 0xFFFFFFu);
    EXPECT_FALSE(f.Label1[18].visible());
    EXPECT_FALSE(f.switch_[19].visible());
    EXPECT_EQ(f.switch_[16].top(), 10785.0f);
    EXPECT_EQ(f.BackPage->left(), 2325.0f);
    EXPECT_EQ(f.BackPage->top(), 5055.0f);
    EXPECT_EQ(f.LeftDoor->width(), 5400.0f);
    EXPECT_EQ(f.RightDoor->left(), 5400.0f);
    EXPECT_EQ(f.Text_Pass->maxLength(), 8);
    EXPECT_FALSE(f.Text_NewPass->visible());
    EXPECT_EQ(f.Text1->text(), "000");
    EXPECT_EQ(f.Timer1->interval(), 500);
    EXPECT_FALSE(f.Timer2->enabled());
    EXPECT_THROW(f.Label1[23], tk::RuntimeError); // no element 23
}

TEST(Form1, FieldsNobodyAssignedAreZero) {
    TestRuntime rt;
    Station station(rt.runtime());
    Form1 f(station);
    EXPECT_EQ(f.layout.LayoutEditMode, 0.0f);
    EXPECT_EQ(f.pages.BrowseByAlbum, 0);
    EXPECT_EQ(f.pages.SinglePageOpen, 0);
    EXPECT_EQ(f.browse.DragSource, 0);
    EXPECT_EQ(f.playback.NextIndex, 0);
    EXPECT_TRUE(f.tags.CurrentPath.empty());
    EXPECT_EQ(f.browse.AlbumCellRow[8], 0);
}

TEST(Form1, PagesDoorsAndThePasswordPageStackAsTheyMust) {
    TestRuntime rt;
    Station station(rt.runtime());
    Form1 f(station);
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
