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

// Moves a label, a cover or a bar element by its centre and shows its new place in two of the dialog's
// boxes.
void dragShowingPlace(Form1& f, tk::Control& element, float x, float y, tk::TextBox* FrmOptions::*top,
                      tk::TextBox* FrmOptions::*left) {
    centreOnPointer(element, x, y);
    FrmOptions& options = f.station().frmOptions();
    (options.*top)->setText(twipsText(element.top()));
    (options.*left)->setText(twipsText(element.left()));
}
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
    dragShowingPlace(*this, Label1[Index], X, Y, &FrmOptions::Text7, &FrmOptions::Text8);
    Label1[Index].setBorderStyle(1);
}

void Form1::Image1_MouseMove(int Index, int Button, int, float X, float Y) {
    if (Button != kDragButtons || layout.LayoutEditMode != 1.0f) {
        return;
    }
    dragShowingPlace(*this, Image1[Index], X, Y, &FrmOptions::Text11, &FrmOptions::Text12);
}

void Form1::switch_MouseMove(int Index, int Button, int, float X, float Y) {
    if (Button != kDragButtons || layout.LayoutEditMode != 1.0f) {
        return;
    }
    dragShowingPlace(*this, switch_[Index], X, Y, &FrmOptions::Text11, &FrmOptions::Text12);
    switch_[Index].setBorderStyle(0);
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
