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
    m_picked = Picked::Cover;
    Text2->setText(std::to_string(index));
    Image1->setVisible(true);
    Picture1->setVisible(false);
    Label13->setVisible(false);
    Image1->setPicture(cover.picture());
    Image1->setHeight(cover.height());
    Image1->setWidth(cover.width());
    Text9->setText(twipsText(cover.width()));
    Text10->setText(twipsText(cover.height()));
    Text11->setText(twipsText(cover.top()));
    Text12->setText(twipsText(cover.left()));
    Text9->setEnabled(true);
    Text10->setEnabled(true);
}

void FrmOptions::showButtonPick(int index, const tk::PictureBox& button) {
    m_picked = Picked::Button;
    Text2->setText(std::to_string(index));
    Image1->setVisible(false);
    Picture1->setVisible(true);
    Label13->setVisible(true);
    Picture1->setPicture(button.picture());
    Picture1->setHeight(button.height());
    Picture1->setWidth(button.width());
    Text9->setText(twipsText(button.width()));
    Text10->setText(twipsText(button.height()));
    Text11->setText(twipsText(button.top()));
    Text12->setText(twipsText(button.left()));
    Text9->setEnabled(false);
    Text10->setEnabled(false);
}
