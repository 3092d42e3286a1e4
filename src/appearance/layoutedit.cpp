#include "app/form1.h"
#include "app/station.h"
#include "appearance/frmoptions.h"
#include "controls/sliderpic.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "screen/form2.h"

// Layout-edit mode: guide bars on both windows, the doors out of the way, every label bordered at a
// fixed width so that empty ones can be seen and placed, the stored layout applied with sample captions
// where no song is current, and the options dialog open.
void Form1::StartLayoutEdit() {
    Form2& screen = station().form2();
    for (int i = 1; i <= 4; ++i) {
        Picture2[i].setVisible(true);
        screen.Picture2[i].setVisible(true);
    }
    LeftDoor->setVisible(false);
    RightDoor->setVisible(false);
    layout.LayoutEditMode = 1.0f;
    switch_[19].setVisible(true);
    for (int k = 18; k <= 20; ++k) {
        Label1[k].setVisible(true);
    }
    for (int i = 0; i <= 22; ++i) {
        const auto fix = [](tk::Label& label) {
            label.setBorderStyle(1);
            label.setWidth(2000);
            label.setAutoSize(false);
        };
        fix(Label1[i]);
        if (i <= 13) {
            fix(screen.F2_Label1[i]);
        }
    }
    if (tags.CurrentPath.empty()) {
        rememberCaptionsUnderSamples();
    }
    LoadConf();
    FrmOptions& options = station().frmOptions();
    options.showSliderPlaces(SliderPic1[0].control(), SliderPic1[1].control());
    options.showForm();
}

// Leaves layout-edit mode and saves the layout as the controls now stand; the captions the samples
// replaced come back, so counts and the wheel line never keep a sample.
void Form1::EndLayoutEdit() {
    Form2& screen = station().form2();
    for (int i = 0; i <= 22; ++i) {
        Label1[i].setBorderStyle(0);
    }
    for (int i = 0; i <= 13; ++i) {
        screen.F2_Label1[i].setBorderStyle(0);
    }
    layout.LayoutEditMode = 0;
    BackPage->setBorderStyle(0);
    LeftDoor->setVisible(true);
    RightDoor->setVisible(true);
    SaveConfig();
    putBackCaptionsUnderSamples();
}

// A bar click in layout-edit mode loads the element into the options dialog: its picture, size and
// place, and the sliders' places.
void Form1::PickSwitchElement(int Index) {
    FrmOptions& options = station().frmOptions();
    options.showForm();
    options.showButtonPick(Index, switch_[Index]);
    options.showSliderPlaces(SliderPic1[0].control(), SliderPic1[1].control());
}
