#include "appearance/frmoptions.h"

#include "app/designlayout.h"
#include "app/form1.h"
#include "app/station.h"
#include "appearance/confrecord.h"
#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "library/windows1252.h"
#include "platform/checkbox.h"
#include "platform/commandbutton.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/tabstrip.h"
#include "platform/textbox.h"
#include "screen/form2.h"

#include <charconv>
#include <cmath>

FrmOptions::FrmOptions(Station& station)
    : tk::Form(tk::Form::Kind::Dialog, "frmOptions")
    , m_station(station) {
    setCaption("Options");
    setAlwaysOnTop(true);           // over the station's windows, whichever of them shows
    setControlFont(tk::FontSpec{}); // the dialog font its captions were laid out for
    const std::span<const layout::Element> groups[] = {layout::kOptionsElements};
    buildWindow(*this, groups, m_controls, [](const layout::Element& e, QWidget* parent) -> tk::Control* {
        return e.kind == layout::Kind::Slider ? &controls::createSampleSlider(parent, e.index)->control()
                                              : nullptr;
    });
    const ControlRegistry& r = m_controls;
    tbsOptions = r.get<tk::TabStrip>("tbsOptions");
    for (const layout::Tab& tab : layout::kOptionsTabs) {
        tbsOptions->addTab(std::string(tab.caption), std::string(tab.toolTip));
    }
    r.fill(picOptions);
    tk::TextBox** boxes[] = {&Text1, &Text2, &Text3, &Text4,  &Text5,  &Text6,
                             &Text7, &Text8, &Text9, &Text10, &Text11, &Text12};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        *boxes[i] = r.get<tk::TextBox>("Text" + std::to_string(i + 1));
    }
    Check1 = r.get<tk::CheckBox>("Check1");
    Check2 = r.get<tk::CheckBox>("Check2");
    Check3 = r.get<tk::CheckBox>("Check3");
    Check4 = r.get<tk::CheckBox>("Check4");
    Label2 = r.get<tk::Label>("Label2");
    Label3 = r.get<tk::Label>("Label3");
    Label4 = r.get<tk::Label>("Label4");
    Label13 = r.get<tk::Label>("Label13");
    Command1 = r.get<tk::CommandButton>("Command1");
    Command2 = r.get<tk::CommandButton>("Command2");
    Command7 = r.get<tk::CommandButton>("Command7");
    cmdOK = r.get<tk::CommandButton>("cmdOK");
    cmdApply = r.get<tk::CommandButton>("cmdApply");
    Image1 = r.get<tk::Image>("Image1");
    Picture1 = r.get<tk::PictureBox>("Picture1");
    for (int i = 0; i <= 1; ++i) {
        SliderPic1.add(i, controls::SliderPic::of(r.get<tk::Control>("SliderPic1", i)));
    }
    Check2->setValue(1); // labels are centred until a picked label says otherwise

    tbsOptions->click.connect([this] { tbsOptions_Click(); });
    setKeyPreview(true);
    keyDown.connect([this](int& key, int shift) { Form_KeyDown(key, shift); });
    Check1->click.connect([this] { Check1_Click(); });
    Check2->click.connect([this] { Check2_Click(); });
    Check3->click.connect([this] { Check3_Click(); });
    Check4->click.connect([this] { Check4_Click(); });
    Command1->click.connect([this] { Command1_Click(); });
    Command2->click.connect([this] { Command2_Click(); });
    Command7->click.connect([this] { Command7_Click(); });
    Text9->change.connect([this] { Text9_Change(); });
    Text10->change.connect([this] { Text9_Change(); });
    Text11->lostFocus.connect([this] { Text11_LostFocus(); });
    cmdApply->click.connect([this] { cmdApply_Click(); });
    cmdOK->click.connect([this] { cmdOK_Click(); });
    closeRequested.connect([this] { cmdOK_Click(); });
}

FrmOptions::~FrmOptions() = default;

void FrmOptions::formLoad() {
    const tk::Screen& screen = tk::Runtime::current().screen();
    const auto width = static_cast<float>(layout::kOptionsWindow.clientWidth);
    const auto height = static_cast<float>(layout::kOptionsWindow.clientHeight);
    setDialogGeometry((screen.widthTwips() - width) / 2, (screen.heightTwips() - height) / 2, width, height);
    tk::PictureBox& first = picOptions[0];
    first.move(static_cast<float>(layout::kOptionsPageLeft), static_cast<float>(layout::kOptionsPageTop));
    first.setEnabled(true);
}

void FrmOptions::tbsOptions_Click() {
    const int shown = tbsOptions->selectedTab() - 1;
    for (int i = 0; i < tbsOptions->tabCount(); ++i) {
        tk::PictureBox& page = picOptions[i];
        if (i == shown) {
            page.move(static_cast<float>(layout::kOptionsPageLeft),
                      static_cast<float>(layout::kOptionsPageTop));
        } else {
            page.setLeft(-20000);
        }
        page.setEnabled(i == shown);
    }
}

void FrmOptions::Form_KeyDown(int& KeyCode, int Shift) {
    // Ctrl+Tab (Ctrl alone) selects the next page, after the last the first.
    if (KeyCode == 9 && Shift == tk::kCtrlMask) {
        const int tab = tbsOptions->selectedTab();
        tbsOptions->selectTab(tab == tbsOptions->tabCount() ? 1 : tab + 1);
    }
}

// The justify boxes: ticking one clears the other two (whose handlers set their own alignment first),
// so the preview ends with the alignment of the box clicked; unticking leaves all three clear.
void FrmOptions::justify(tk::CheckBox* own, tk::CheckBox* other1, tk::CheckBox* other2, int alignment) {
    if (own->value() == 1) {
        other1->setValue(0);
        other2->setValue(0);
    }
    Label2->setAlignment(alignment);
}

void FrmOptions::Check1_Click() {
    justify(Check1, Check2, Check3, 0);
}

void FrmOptions::Check2_Click() {
    justify(Check2, Check1, Check3, 2);
}

void FrmOptions::Check3_Click() {
    justify(Check3, Check2, Check1, 1);
}

void FrmOptions::Command1_Click() {
    tk::Runtime& rt = tk::Runtime::current();
    const auto chosen = rt.dialogs().chooseFont(Label2->font());
    if (!chosen) {
        return; // cancelled: the previews stay as they are
    }
    // The layout file keeps the face name in 48 single-byte characters and the size in two digits; a
    // font it cannot hold would come back as another after the next start.
    std::string why;
    if (!text::fitsWindows1252(chosen->name)) {
        why = "its name has characters the screen layout cannot store";
    } else if (text::encodeWindows1252(chosen->name).size() > conf::kFontNameWidth) {
        why = "its name is longer than " + std::to_string(conf::kFontNameWidth) + " characters";
    } else if (!(chosen->size >= 1.0f && chosen->size <= conf::kMaxFontSize)) {
        why = "its size is not from 1 to " + twipsText(conf::kMaxFontSize) + " points";
    }
    if (!why.empty()) {
        rt.messageBox().show("The font \"" + chosen->name + "\" cannot be used for a label: " + why + ".",
                             tk::kMsgExclamation, rt.appTitle());
        return;
    }
    showPreviewFont(*chosen);
    // The size follows a blank, as a positive number's text does.
    std::string size(1, ' ');
    size += twipsText(chosen->size);
    Command1->setCaption(fontButtonCaption(chosen->name, size));
}

void FrmOptions::Command2_Click() {
    if (const auto color = tk::Runtime::current().dialogs().chooseColor(Label2->foreColor())) {
        showPreviewColor(*color);
    }
}

void FrmOptions::Command7_Click() {
    if (const auto color = tk::Runtime::current().dialogs().chooseColor(Text1->backColor())) {
        Text1->setBackColor(*color);
    }
}

void FrmOptions::showPreviewFont(const tk::FontSpec& font) {
    for (tk::Label* preview : {Label2, Label3, Label4}) {
        preview->setFont(font);
    }
}

void FrmOptions::showPreviewColor(std::uint32_t color) {
    for (tk::Label* preview : {Label2, Label3, Label4}) {
        preview->setForeColor(color);
    }
}

void FrmOptions::Text9_Change() {
    // Each size on its own: a box that holds no size the layout can keep leaves that one alone.
    const auto size = [](const tk::TextBox& box) {
        const auto v = conf::parseNumber(box.text());
        return v && *v >= 0 && *v <= conf::kMaxPosition ? v : std::nullopt;
    };
    if (const auto width = size(*Text9)) {
        Image1->setWidth(*width);
    }
    if (const auto height = size(*Text10)) {
        Image1->setHeight(*height);
    }
}

void FrmOptions::Text11_LostFocus() {
    if (const auto index = conf::parseNumber(Text2->text()); index && std::abs(*index) < 32768.0f) {
        EditIndex = static_cast<std::int32_t>(std::nearbyint(*index));
    }
}

void FrmOptions::Check4_Click() {
    Form1& main = m_station.form1();
    Form2& screen = m_station.form2();
    if (Check4->value() == 1) {
        screen.showForm();
        screen.setWindowStateValue(2);
        main.hideForm();
    } else {
        screen.hideForm();
        main.showForm();
    }
}

void FrmOptions::cmdOK_Click() {
    if (Check4->value() == 1) {
        m_station.form2().hideForm();
        m_station.form1().setWindowStateValue(2);
        Check4->setValue(0);
    }
    m_station.frmOptionsSlot().unload();
}

void FrmOptions::showSliderPlaces(const tk::Control& volume, const tk::Control& position) {
    Text3->setText(twipsText(volume.top()));
    Text4->setText(twipsText(volume.left()));
    Text5->setText(twipsText(position.top()));
    Text6->setText(twipsText(position.left()));
}

std::string twipsText(float twips) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, twips);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

std::string fontButtonCaption(const std::string& fontName, const std::string& sizeText) {
    return "Font -      " + fontName + " - " + sizeText;
}
