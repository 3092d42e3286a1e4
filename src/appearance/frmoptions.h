#pragma once

#include "app/formbuilder.h"
#include "platform/controlarray.h"
#include "platform/form.h"

#include <string>

class Station;
namespace controls {
class SliderPic;
}
namespace tk {
class CheckBox;
class CommandButton;
class Control;
class Image;
class Label;
class PictureBox;
class TabStrip;
class TextBox;
} // namespace tk

// The options dialog of the layout-edit mode: the picked element's index, look and geometry, page by
// page ("Labels", "Text Boxes", "Images", "Sliders"). Its controls are built from the design layout.
class FrmOptions : public tk::Form {
    Q_OBJECT
public:
    explicit FrmOptions(Station& station);
    ~FrmOptions() override;

    // Centres the dialog on the screen and shows the "Labels" page.
    void formLoad();
    void formUnload() {}
    // OK closes the dialog, as closing it from its title bar does.
    void cmdOK_Click();

    // Writes the Top and Left of the volume slider into Text3 and Text4 and of the song-position slider
    // into Text5 and Text6.
    void showSliderPlaces(const tk::Control& volume, const tk::Control& position);

    tk::TabStrip* tbsOptions = nullptr;
    tk::ControlArray<tk::PictureBox> picOptions{"picOptions"};
    tk::TextBox* Text1 = nullptr; // sample box of the "Text Boxes" page
    tk::TextBox* Text2 = nullptr; // index of the element being edited
    tk::TextBox* Text3 = nullptr; // volume slider Top, Left
    tk::TextBox* Text4 = nullptr;
    tk::TextBox* Text5 = nullptr; // song-position slider Top, Left
    tk::TextBox* Text6 = nullptr;
    tk::TextBox* Text7 = nullptr; // label Top, Left
    tk::TextBox* Text8 = nullptr;
    tk::TextBox* Text9 = nullptr; // picture Width, Height, Top, Left
    tk::TextBox* Text10 = nullptr;
    tk::TextBox* Text11 = nullptr;
    tk::TextBox* Text12 = nullptr;
    tk::CheckBox* Check1 = nullptr; // "Left Justify", "Center Justify", "Right Justify"
    tk::CheckBox* Check2 = nullptr;
    tk::CheckBox* Check3 = nullptr;
    tk::CheckBox* Check4 = nullptr; // "Play Now Screen": the options edit the playing-now screen
    tk::Label* Label2 = nullptr;    // previews of the picked label
    tk::Label* Label3 = nullptr;
    tk::Label* Label4 = nullptr;
    tk::Label* Label13 = nullptr;          // shown with the picture-button preview
    tk::CommandButton* Command1 = nullptr; // font
    tk::CommandButton* Command2 = nullptr; // font colour
    tk::CommandButton* Command7 = nullptr; // back colour of the boxes
    tk::CommandButton* cmdOK = nullptr;
    tk::CommandButton* cmdApply = nullptr;
    tk::Image* Image1 = nullptr;                                    // preview of a picked cover picture
    tk::PictureBox* Picture1 = nullptr;                             // preview of a picked bar element
    tk::ControlArray<controls::SliderPic> SliderPic1{"SliderPic1"}; // sample sliders, shown only

    const ControlRegistry& controls() const { return m_controls; }

private:
    Station& m_station;
    ControlRegistry m_controls;
};

// A position or size as the dialog's boxes show it: the shortest decimal text of the single-precision
// value, without a leading blank ("1234", "1234.5", "-6500").
[[nodiscard]] std::string twipsText(float twips);
