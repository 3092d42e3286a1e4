#include "appearance/layoutdrag.h"

#include "app/form1.h"
#include "app/station.h"
#include "appearance/frmoptions.h"
#include "controls/sliderpic.h"
#include "platform/control.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"

void centreOnPointer(tk::Control& element, float x, float y) {
    element.setLeft(element.left() + x - element.width() / 2);
    element.setTop(element.top() + y - element.height() / 2);
}

namespace {
// Only the left button alone drags.
constexpr int kDragButtons = tk::kLeftButton;
} // namespace

void Form1::connectLayoutEditor() {
    using Move = void (Form1::*)(int, int, int, float, float);
    const auto each = [this](auto& family, auto event, Move handler) {
        family.connect(event, [this, handler](int i, int b, int s, float x, float y) {
            (this->*handler)(i, b, s, x, y);
        });
    };
    each(Picture1, &tk::Control::mouseDown, &Form1::Picture1_MouseDown);
    each(Picture1, &tk::Control::mouseUp, &Form1::Picture1_MouseUp);
    each(Image2, &tk::Control::mouseDown, &Form1::Image2_MouseDown);
    each(Image2, &tk::Control::mouseUp, &Form1::Image2_MouseUp);
    each(Image3, &tk::Control::mouseDown, &Form1::Image3_MouseDown);
    each(Image3, &tk::Control::mouseUp, &Form1::Image3_MouseUp);
    each(Image4, &tk::Control::mouseDown, &Form1::Image4_MouseDown);
    Image5->mouseDown.connect([this](int b, int s, float x, float y) { Image5_MouseDown(b, s, x, y); });
    Image5->mouseUp.connect([this](int b, int s, float x, float y) { Image5_MouseUp(b, s, x, y); });
    Image8->mouseDown.connect([this](int b, int s, float x, float y) { Image8_MouseDown(b, s, x, y); });
    Image8->mouseUp.connect([this](int b, int s, float x, float y) { Image8_MouseUp(b, s, x, y); });

    each(Label1, &tk::Control::mouseMove, &Form1::Label1_MouseMove);
    each(Image1, &tk::Control::mouseMove, &Form1::Image1_MouseMove);
    each(switch_, &tk::Control::mouseMove, &Form1::switch_MouseMove);
    each(Switches, &tk::Control::mouseMove, &Form1::Switches_MouseMove);
    each(Picture2, &tk::Control::mouseMove, &Form1::Picture2_MouseMove);
    Text1->mouseMove.connect([this](int b, int s, float x, float y) { Text1_MouseMove(b, s, x, y); });
    BackPage->mouseMove.connect([this](int b, int s, float x, float y) { BackPage_MouseMove(b, s, x, y); });
    Label1.connect(&tk::Control::click, [this](int i) { Label1_Click(i); });
    Image1.connect(&tk::Control::click, [this](int i) { Image1_Click(i); });
}

void Form1::Label1_MouseMove(int Index, int Button, int, float X, float Y) {
    if (Button != kDragButtons || layout.LayoutEditMode != 1.0f) {
        return;
    }
    tk::Label& label = Label1[Index];
    centreOnPointer(label, X, Y);
    FrmOptions& options = station().frmOptions();
    options.Text7->setText(twipsText(label.top()));
    options.Text8->setText(twipsText(label.left()));
    label.setBorderStyle(1);
}

void Form1::Image1_MouseMove(int Index, int Button, int, float X, float Y) {
    if (Button != kDragButtons || layout.LayoutEditMode != 1.0f) {
        return;
    }
    tk::Image& cover = Image1[Index];
    centreOnPointer(cover, X, Y);
    FrmOptions& options = station().frmOptions();
    options.Text11->setText(twipsText(cover.top()));
    options.Text12->setText(twipsText(cover.left()));
}

void Form1::switch_MouseMove(int Index, int Button, int, float X, float Y) {
    if (Button != kDragButtons || layout.LayoutEditMode != 1.0f) {
        return;
    }
    tk::PictureBox& element = switch_[Index];
    centreOnPointer(element, X, Y);
    FrmOptions& options = station().frmOptions();
    options.Text11->setText(twipsText(element.top()));
    options.Text12->setText(twipsText(element.left()));
    element.setBorderStyle(0);
    switch_Change(Index); // the wheel stays above element 16, whichever element moved
}

void Form1::Switches_MouseMove(int Index, int Button, int, float X, float Y) {
    if (Button == kDragButtons && layout.LayoutEditMode == 1.0f) {
        centreOnPointer(Switches[Index], X, Y);
    }
}

void Form1::Text1_MouseMove(int Button, int, float X, float Y) {
    if (Button == kDragButtons && layout.LayoutEditMode == 1.0f) {
        centreOnPointer(*Text1, X, Y);
    }
}

void Form1::BackPage_MouseMove(int Button, int, float X, float Y) {
    if (Button == kDragButtons && layout.LayoutEditMode == 1.0f) {
        centreOnPointer(*BackPage, X, Y);
    }
}

// The guide bars show only in layout-edit mode, so they need no test of it.
void Form1::Picture2_MouseMove(int Index, int Button, int, float X, float Y) {
    if (Button == kDragButtons) {
        centreOnPointer(Picture2[Index], X, Y);
    }
}

// A click on a label picks it in layout-edit mode; at every click the dialog's justify boxes follow
// its preview and its slider boxes are refreshed (outside the mode in the hidden dialog).
void Form1::Label1_Click(int Index) {
    FrmOptions& options = station().frmOptions();
    if (layout.LayoutEditMode == 1.0f) {
        options.showForm();
        options.showLabelPick(Index, Label1[Index]);
    }
    options.showAlignmentOfPreview();
    options.showSliderPlaces(SliderPic1[0].control(), SliderPic1[1].control());
}

void Form1::Image1_Click(int Index) {
    if (layout.LayoutEditMode != 1.0f) {
        return;
    }
    FrmOptions& options = station().frmOptions();
    options.showForm();
    options.showCoverPick(Index, Image1[Index]);
    options.showSliderPlaces(SliderPic1[0].control(), SliderPic1[1].control());
}
