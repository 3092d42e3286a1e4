#include "appearance/frmoptions.h"

#include "app/form1.h"
#include "app/station.h"
#include "appearance/confrecord.h"
#include "controls/sliderpic.h"
#include "platform/checkbox.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/tabstrip.h"
#include "platform/textbox.h"
#include "screen/form2.h"

#include <cmath>

namespace {
// A box Apply reads, with the name the owner knows it by.
struct Box {
    const tk::TextBox* box;
    const char* name;
};
} // namespace

// Apply checks every box the shown page uses before it changes anything: a wrong box is named to the
// owner and nothing is applied, so an element is never left half changed.
void FrmOptions::cmdApply_Click() {
    const bool screen = Check4->value() == 1;
    switch (tbsOptions->selectedTab()) {
    case 1:
        applyLabelsPage(screen);
        break;
    case 2:
        if (!screen) {
            applyTextBoxesPage();
        }
        break;
    case 3:
        applyImagesPage(screen);
        break;
    case 4:
        if (!screen) {
            applySlidersPage();
        }
        break;
    default:
        break;
    }
}

void FrmOptions::refuse(const std::string& box, const std::string& text, const std::string& reason) {
    tk::Runtime& rt = tk::Runtime::current();
    rt.messageBox().show("Nothing was applied: the box \"" + box + "\" holds \"" + text + "\", " + reason +
                             ".",
                         tk::kMsgExclamation, rt.appTitle());
}

std::optional<int> FrmOptions::elementIndex(int count, const char* element, bool screen) {
    const char* window = screen ? "playing-now screen" : "main window";
    const std::string text = Text2->text();
    const auto number = conf::parseNumber(text);
    if (!number) {
        refuse("Element Number", text, "which is not a number");
        return std::nullopt;
    }
    // Halves go to the even neighbour: 2.5 is element 2, 3.5 element 4.
    const double index = std::nearbyint(static_cast<double>(*number));
    if (index < 0 || index >= count) {
        refuse("Element Number", text,
               std::string("but the ") + window + " has no " + element + " " +
                   twipsText(static_cast<float>(index)) + " (they are numbered 0 to " +
                   std::to_string(count - 1) + ")");
        return std::nullopt;
    }
    EditIndex = static_cast<std::int32_t>(index);
    return EditIndex;
}

std::optional<float> FrmOptions::twipsIn(const tk::TextBox& box, const char* name, bool size) {
    // As far as the layout file can keep it: what is applied is what the next start shows.
    const std::string text = box.text();
    const auto v = conf::parseNumber(text);
    const float least = size ? conf::kMinSize : conf::kMinPosition;
    if (!v) {
        refuse(name, text, "which is not a number");
    } else if (*v < least || *v > conf::kMaxPosition) {
        refuse(name, text,
               std::string("which is not a ") + (size ? "size" : "place") + " from " + twipsText(least) +
                   " to " + twipsText(conf::kMaxPosition) + " twips");
    } else {
        return v;
    }
    return std::nullopt;
}

std::optional<FrmOptions::Target> FrmOptions::checkedTarget(int count, const char* element, bool screen,
                                                            const tk::TextBox& top, const char* topName,
                                                            const tk::TextBox& left, const char* leftName) {
    const auto i = elementIndex(count, element, screen);
    const auto t = i ? twipsIn(top, topName, false) : std::nullopt;
    const auto l = t ? twipsIn(left, leftName, false) : std::nullopt;
    if (!l) {
        return std::nullopt;
    }
    return Target{*i, *t, *l};
}

void FrmOptions::applyLabelsPage(bool screen) {
    const auto to = checkedTarget(screen ? conf::kScreenLabels : conf::kMainLabels, "label", screen, *Text7,
                                  "Top Position", *Text8, "Left Position");
    if (!to) {
        return;
    }
    const int i = to->index;
    Form1& main = m_station.form1();
    Form2& other = m_station.form2();
    tk::Label& target = screen ? other.F2_Label1[i] : main.Label1[i];
    // Sized to the new font first, so the label takes its height; then fixed at 2000 twips wide so
    // that the alignment has room to show.
    target.setAutoSize(true);
    target.setFont(Label2->font());
    target.setForeColor(Label2->foreColor());
    target.setAlignment(Label2->alignment());
    target.setTop(to->top);
    target.setLeft(to->left);
    for (tk::Label* preview : {Label3, Label4}) {
        preview->setFont(Label2->font());
        preview->setForeColor(Label2->foreColor());
        preview->setAlignment(Label2->alignment());
    }
    main.Label1[i].setAutoSize(false);
    main.Label1[i].setWidth(2000);
    if (i < conf::kScreenLabels) {
        other.F2_Label1[i].setAutoSize(false);
        other.F2_Label1[i].setWidth(2000);
    }
}

void FrmOptions::applyTextBoxesPage() {
    m_station.form1().setBoxesBackColor(Text1->backColor());
}

void FrmOptions::applyImagesPage(bool screen) {
    if (m_picked == Picked::Nothing) {
        return; // nothing picked in this dialog yet: the boxes hold no element's values
    }
    const bool cover = m_picked == Picked::Cover;
    const int count = cover ? (screen ? conf::kScreenImages : conf::kMainImages)
                            : (screen ? conf::kScreenButtons : conf::kButtons);
    const auto to =
        checkedTarget(count, cover ? "cover" : "picture button", screen, *Text11, "Top", *Text12, "Left");
    if (!to) {
        return;
    }
    const int i = to->index;
    Form1& main = m_station.form1();
    Form2& other = m_station.form2();
    if (!cover) {
        // A picture button keeps the size of its picture.
        tk::PictureBox& button = screen ? other.F2_Picture1[i] : main.switch_[i];
        button.setTop(to->top);
        button.setLeft(to->left);
        return;
    }
    const auto width = twipsIn(*Text9, "Width", true);
    const auto height = width ? twipsIn(*Text10, "Height", true) : std::nullopt;
    if (!height) {
        return;
    }
    tk::Image& image = screen ? other.F2_Image1[i] : main.Image1[i];
    image.setTop(to->top);
    image.setLeft(to->left);
    image.setWidth(*width);
    image.setHeight(*height);
}

void FrmOptions::applySlidersPage() {
    const Box boxes[] = {{Text3, "Volume Slider Top"},
                         {Text4, "Volume Slider Left"},
                         {Text5, "Song Slider Top"},
                         {Text6, "Song Slider Left"}};
    float places[4];
    for (int k = 0; k < 4; ++k) {
        const auto v = twipsIn(*boxes[k].box, boxes[k].name, false);
        if (!v) {
            return;
        }
        places[k] = *v;
    }
    Form1& main = m_station.form1();
    for (int s = 0; s < 2; ++s) {
        main.SliderPic1[s].control().setTop(places[2 * s]);
        main.SliderPic1[s].control().setLeft(places[2 * s + 1]);
    }
}
