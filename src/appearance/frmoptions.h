#pragma once

#include "app/formbuilder.h"
#include "platform/controlarray.h"
#include "platform/form.h"

#include <cstdint>
#include <optional>
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
class Picture;
class PictureBox;
class TabStrip;
class TextBox;
struct FontSpec;
} // namespace tk

// The options dialog of the layout-edit mode: the picked element's index, look and geometry, page by
// page ("Labels", "Text Boxes", "Images", "Sliders"); Apply writes the shown page into that element of
// the main window or, while "Play Now Screen" is ticked, of the playing-now screen. Its controls are
// built from the design layout.
class FrmOptions : public tk::Form {
    Q_OBJECT
public:
    explicit FrmOptions(Station& station);
    ~FrmOptions() override;

    // Centres the dialog on the screen and shows the "Labels" page.
    void formLoad();
    void formUnload() {}

    // The dialog's own handlers (src/appearance/frmoptions.cpp, optionsapply.cpp).
    void tbsOptions_Click();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Command1_Click(); // font
    void Command2_Click(); // font colour
    void Command7_Click(); // back colour of the boxes
    void Text9_Change();   // the size preview of a cover, also for Text10
    void Text11_LostFocus();
    void Check4_Click();
    void cmdApply_Click();
    // Brings the main window back when the playing-now screen was being edited, then closes the
    // dialog; closing it from its title bar does the same.
    void cmdOK_Click();

    // What the pick handlers of both windows write (src/appearance/optionspick.cpp).
    // A label: its index, its look into the three previews and the font button, its place.
    void showLabelPick(int index, const tk::Label& label);
    // The justify boxes follow the alignment of the preview Label3.
    void showAlignmentOfPreview();
    // A cover picture: its index, picture, size (editable) and place.
    void showCoverPick(int index, const tk::Image& cover);
    // A picture button: its index, picture, size (it takes its picture's size: not editable) and place.
    void showButtonPick(int index, const tk::PictureBox& button);
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

    // The index Apply last worked on.
    std::int32_t EditIndex = 0;

    const ControlRegistry& controls() const { return m_controls; }

private:
    // What the "Images" page edits: nothing until a cover or a picture button was picked in this dialog.
    enum class Picked { Nothing, Cover, Button };

    // Apply's pages (src/appearance/optionsapply.cpp); each checks every box it uses first.
    void applyLabelsPage(bool screen);
    void applyTextBoxesPage();
    void applyImagesPage(bool screen);
    void applySlidersPage();
    // The element number in Text2 when it names an element of an array of `count` on the main window
    // or, with `screen`, on the playing-now screen; otherwise tells the owner what is wrong.
    std::optional<int> elementIndex(int count, const char* element, bool screen);
    // A place (or, with `size`, a width or height) in twips from `box`; otherwise tells the owner why not.
    std::optional<float> twipsIn(const tk::TextBox& box, const char* name, bool size);
    // Tells the owner that nothing was applied because of `box`.
    void refuse(const std::string& box, const std::string& text, const std::string& reason);
    void showPicturePick(int index, const tk::Control& element, const tk::Picture& picture, bool cover);
    // The element number and the place the page's two place boxes give, when all three are right.
    struct Target {
        int index;
        float top;
        float left;
    };
    std::optional<Target> checkedTarget(int count, const char* element, bool screen, const tk::TextBox& top,
                                        const char* topName, const tk::TextBox& left, const char* leftName);
    // The justify boxes: ticking `own` clears the other two; the preview takes `alignment`.
    void justify(tk::CheckBox* own, tk::CheckBox* other1, tk::CheckBox* other2, int alignment);
    // The three previews take a font or a text colour.
    void showPreviewFont(const tk::FontSpec& font);
    void showPreviewColor(std::uint32_t color);

    Station& m_station;
    ControlRegistry m_controls;
    Picked m_picked = Picked::Nothing;
};

// A position or size as the dialog's boxes show it: the shortest decimal text of the single-precision
// value, without a leading blank ("1234", "1234.5", "-6500").
[[nodiscard]] std::string twipsText(float twips);

// The caption of the font button for a font: the word, a hyphen, six blanks, the face name, a hyphen
// and the size text.
[[nodiscard]] std::string fontButtonCaption(const std::string& fontName, const std::string& sizeText);
