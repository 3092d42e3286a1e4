#include "app/form1.h"
#include "app/station.h"
#include "appearance/frmoptions.h"
#include "gui.h"
#include "platform/checkbox.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
struct Screens {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    Station station{rt.runtime()};
    Screens() {
        if (!station.start()) {
            throw std::runtime_error("the start failed");
        }
    }
    Form1& main() { return station.form1(); }
    Form2& screen() { return station.form2(); }
};
} // namespace

TEST(PlayingNowScreen, IsLoadedHiddenAtStartWithItsPicturesAndPressingEitherButtonBordersBoth) {
    Screens s;
    EXPECT_TRUE(s.station.form2Slot().loaded());
    EXPECT_FALSE(s.screen().visible());
    EXPECT_FALSE(s.screen().picture().isNull());
    EXPECT_FALSE(s.screen().F2_Image1[1].picture().isNull());
    EXPECT_FALSE(s.screen().F2_Picture1[0].picture().isNull());
    EXPECT_EQ(s.screen().F2_Image1[1].width(), 3000.0f);
    // The semi-bold song and track labels are stored bold and read back bold at their own weight;
    // the light artist and album labels are not bold.
    for (int j : {4, 7}) {
        EXPECT_TRUE(s.screen().F2_Label1[j].fontBold()) << j;
        EXPECT_EQ(s.screen().F2_Label1[j].font().weight, 600) << j;
    }
    for (int j : {5, 6}) {
        EXPECT_FALSE(s.screen().F2_Label1[j].fontBold()) << j;
        EXPECT_EQ(s.screen().F2_Label1[j].font().weight, 300) << j;
    }
    EXPECT_EQ(s.screen().F2_Label1[12].font().weight, 700);

    // Pressing either button borders both; outside layout editing the mouse moved with the button
    // held leaves the button where it is.
    showAndExpose(&s.screen());
    const float left = s.screen().F2_Picture1[0].left();
    const float top = s.screen().F2_Picture1[0].top();
    press(&s.screen().F2_Picture1[0]);
    EXPECT_EQ(s.screen().F2_Picture1[0].borderStyle(), 1);
    EXPECT_EQ(s.screen().F2_Picture1[1].borderStyle(), 1);
    moveMouse(&s.screen(), QPoint(300, 300), 1);
    EXPECT_EQ(s.screen().F2_Picture1[0].left(), left);
    EXPECT_EQ(s.screen().F2_Picture1[0].top(), top);
    release(&s.screen().F2_Picture1[0]);
    EXPECT_EQ(s.screen().F2_Picture1[0].borderStyle(), 0);
    EXPECT_EQ(s.screen().F2_Picture1[1].borderStyle(), 0);
    // While the options dialog edits this screen the buttons neither border nor act.
    s.station.frmOptions().Check4->setValue(1);
    click(&s.screen().F2_Picture1[1]);
    EXPECT_EQ(s.screen().F2_Picture1[1].borderStyle(), 0);
    EXPECT_TRUE(s.screen().visible());
}

TEST(PlayingNowScreen, ComesUpEveryMinuteWhileItsTimerIsOnButNotInLayoutEditMode) {
    Screens s;
    s.main().Timer2->setEnabled(true);
    s.rt.advance(60000);
    EXPECT_TRUE(s.screen().visible());
    EXPECT_FALSE(s.main().visible());

    // The return button brings the main window back; the next minute shows the screen again.
    showAndExpose(&s.screen());
    click(&s.screen().F2_Picture1[1]);
    EXPECT_TRUE(s.main().visible());
    EXPECT_FALSE(s.screen().visible());
    s.rt.advance(60000);
    EXPECT_TRUE(s.screen().visible());

    s.screen().hideForm();
    s.main().showForm();
    s.main().layout.LayoutEditMode = 1.0f;
    s.rt.advance(60000);
    EXPECT_FALSE(s.screen().visible());
    EXPECT_TRUE(s.main().visible());
}
