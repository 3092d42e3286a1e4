#include "app/station.h"
#include "appearance/frmoptions.h"
#include "appearance/layoutdrag.h"
#include "platform/control.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "screen/form2.h"

// Layout editing of the playing-now screen: while the options dialog's "Play Now Screen" box is
// ticked, a click picks a cover, a picture button or a label into the dialog, and the left button alone
// drags an element so that its centre follows the pointer. The guide bars drag whenever they show.

void Form2::connectLayoutEditing() {
    using Move = void (Form2::*)(int, int, int, float, float);
    const auto each = [this](auto& family, Move handler) {
        family.connect(&tk::Control::mouseMove, [this, handler](int i, int b, int s, float x, float y) {
            (this->*handler)(i, b, s, x, y);
        });
    };
    each(F2_Image1, &Form2::F2_Image1_MouseMove);
    each(F2_Label1, &Form2::F2_Label1_MouseMove);
    each(F2_Picture1, &Form2::F2_Picture1_MouseMove);
    each(Picture2, &Form2::Picture2_MouseMove);
    F2_Image1.connect(&tk::Control::click, [this](int i) { F2_Image1_Click(i); });
    F2_Label1.connect(&tk::Control::click, [this](int i) { F2_Label1_Click(i); });
}

void Form2::F2_Image1_Click(int index) {
    if (FrmOptions* options = editingOptions()) {
        options->showCoverPick(index, F2_Image1[index]);
    }
}

void Form2::F2_Label1_Click(int index) {
    if (FrmOptions* options = editingOptions()) {
        options->showLabelPick(index, F2_Label1[index]);
    }
    // Outside editing this only touches the dialog's justify boxes.
    m_station.frmOptions().showAlignmentOfPreview();
}

void Form2::F2_Image1_MouseMove(int index, int button, int, float x, float y) {
    if (button != tk::kLeftButton) {
        return;
    }
    if (FrmOptions* options = editingOptions()) {
        tk::Image& cover = F2_Image1[index];
        centreOnPointer(cover, x, y);
        options->Text11->setText(twipsText(cover.top()));
        options->Text12->setText(twipsText(cover.left()));
    }
}

void Form2::F2_Label1_MouseMove(int index, int button, int, float x, float y) {
    if (button != tk::kLeftButton) {
        return;
    }
    if (editingOptions()) {
        centreOnPointer(F2_Label1[index], x, y);
        F2_Label1[index].setBorderStyle(1);
    }
}

void Form2::F2_Picture1_MouseMove(int index, int button, int, float x, float y) {
    if (button == tk::kLeftButton && editingOptions()) {
        centreOnPointer(F2_Picture1[index], x, y);
    }
}

void Form2::Picture2_MouseMove(int index, int button, int, float x, float y) {
    if (button == tk::kLeftButton) {
        centreOnPointer(Picture2[index], x, y);
    }
}
