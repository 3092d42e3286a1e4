#include "app/animation.h"
#include "app/form1.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/textbox.h"

namespace {
constexpr float kParkedTop = -6500;
constexpr float kStep = 25;
} // namespace

// The password page slides down to the middle of the station's design area and back up. Closing after
// OK (state 1) leaves element 17 pressed, for it now stands for leaving layout-edit mode.
void Form1::ToggleEditScreenPassPage() {
    const float centre = tk::Screen::kDesignHeightTwips / 2 - Page_EditScreenPass->height() / 2;
    if (layout.PassPageState == 0) {
        Page_EditScreenPass->setVisible(true);
        showSkinPicture(switch_[17], "\\EditScreenPass-On.jpg");
        slideTop(*Page_EditScreenPass, *Shape1, kParkedTop, centre, kStep);
        layout.PassPageState = 1;
        Text_Pass->setFocus();
        return;
    }
    slideTop(*Page_EditScreenPass, *Shape1, centre, kParkedTop, -kStep);
    Page_EditScreenPass->setVisible(false);
    if (layout.PassPageState != 1) {
        showSkinPicture(switch_[17], "\\EditScreenPass-Off.jpg");
    }
    layout.PassPageState = 0;
}

// The new-password box is there exactly while the current password is typed right: exact, case and
// blanks counting.
void Form1::Text_Pass_Change() {
    const bool right = Text_Pass->text() == layout.ScreenPassword;
    Text_NewPass->setEnabled(right);
    Text_NewPass->setVisible(right);
}

// Enter confirms the password as OK does; the box takes no line break.
void Form1::Text_Pass_KeyPress(int& KeyAscii) {
    if (KeyAscii == tk::kKeyReturn) {
        KeyAscii = 0;
        Image5_Click();
    }
}

void Form1::Image5_Click() {
    if (Text_Pass->text() == layout.ScreenPassword) {
        ToggleEditScreenPassPage();
        StartLayoutEdit();
    } else {
        Text_Pass->setText("");
    }
}

void Form1::Image8_Click() {
    Text_Pass->setText("");
    Text_NewPass->setText("");
    layout.PassPageState = 2;
    ToggleEditScreenPassPage();
}
