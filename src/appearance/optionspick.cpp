#include "appearance/frmoptions.h"

#include "platform/checkbox.h"
#include "platform/commandbutton.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"

#include <string>

namespace {
// A preview takes the picked label's caption, font (with its own weight, so a semi-bold label stays
// semi-bold when the preview is applied), alignment and text colour.
void copyLook(tk::Label& preview, const tk::Label& label) {
    preview.setCaption(label.caption());
    preview.setFont(label.font());
    preview.setAlignment(label.alignment());
    preview.setForeColor(label.foreColor());
}
} // namespace

void FrmOptions::showLabelPick(int index, const tk::Label& label) {
    Text2->setText(std::to_string(index));
    copyLook(*Label2, label);
    Command1->setCaption(fontButtonCaption(label.fontName(), twipsText(label.fontSize())));
    Text7->setText(twipsText(label.top()));
    Text8->setText(twipsText(label.left()));
    copyLook(*Label3, label);
    copyLook(*Label4, label);
}

void FrmOptions::showAlignmentOfPreview() {
    switch (Label3->alignment()) {
    case 0:
        Check1->setValue(1);
        Check2->setValue(0);
        Check3->setValue(0);
        break;
    case 1:
        Check3->setValue(1);
        Check2->setValue(0);
        Check1->setValue(0);
        break;
    case 2:
        Check2->setValue(1);
        Check1->setValue(0);
        Check3->setValue(0);
        break;
    default:
        break;
    }
}

void FrmOptions::showCoverPick(int index, const tk::Image& cover) {
    showPicturePick(index, cover, cover.picture(), true);
}

void FrmOptions::showButtonPick(int index, const tk::PictureBox& button) {
    showPicturePick(index, button, button.picture(), false);
}

// A cover shows in the stretching preview and its size can be edited; a picture button shows in the
// preview that takes its picture's size, with the note that it does, and its size boxes are locked.
void FrmOptions::showPicturePick(int index, const tk::Control& element, const tk::Picture& picture,
                                 bool cover) {
    m_picked = cover ? Picked::Cover : Picked::Button;
    Text2->setText(std::to_string(index));
    Image1->setVisible(cover);
    Picture1->setVisible(!cover);
    Label13->setVisible(!cover);
    if (cover) {
        Image1->setPicture(picture);
        Image1->move(Image1->left(), Image1->top(), element.width(), element.height());
    } else {
        Picture1->setPicture(picture);
        Picture1->move(Picture1->left(), Picture1->top(), element.width(), element.height());
    }
    Text9->setText(twipsText(element.width()));
    Text10->setText(twipsText(element.height()));
    Text11->setText(twipsText(element.top()));
    Text12->setText(twipsText(element.left()));
    Text9->setEnabled(cover);
    Text10->setEnabled(cover);
}
