#include "app/form1.h"
#include "app/station.h"
#include "appearance/conffile.h"
#include "appearance/confrecord.h"
#include "appearance/firstrun.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "library/utf8.h"
#include "library/windows1252.h"
#include "platform/checkbox.h"
#include "platform/combobox.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/textbox.h"
#include "platform/usercontrol.h"
#include "screen/form2.h"

#include <filesystem>
#include <system_error>

namespace {

conf::LabelStyle styleOf(const tk::Label& l) {
    conf::LabelStyle s;
    s.alignment = l.alignment();
    s.fontName = l.fontName();
    s.bold = l.fontBold();
    s.italic = l.fontItalic();
    s.fontSize = l.fontSize();
    s.foreColor = l.foreColor();
    s.top = l.top();
    s.left = l.left();
    return s;
}

void applyStyle(tk::Label& l, const conf::LabelStyle& s, float width) {
    l.setAlignment(s.alignment);
    tk::FontSpec f = l.font();
    f.name = s.fontName;
    // Keep a light or semi-bold design weight when the stored flag agrees with it.
    if (s.bold && f.weight < 600) {
        f.weight = 700;
    } else if (!s.bold && f.weight >= 600) {
        f.weight = 400;
    }
    f.italic = s.italic;
    f.size = s.fontSize;
    l.setFont(f);
    l.setForeColor(s.foreColor);
    l.setTop(s.top);
    l.setLeft(s.left);
    l.setWidth(width);
}

conf::Position positionOf(const tk::Control& c) {
    return {c.top(), c.left()};
}

void applyPosition(tk::Control& c, const conf::Position& p) {
    c.setTop(p.top);
    c.setLeft(p.left);
}

// The whole records the file holds. Record counts of the settings routines are their own: the record
// number the database writers share is never touched here. A file shorter than one record counts as
// none, as the start-up treats it as missing.
int recordCount(std::uintmax_t length) {
    return static_cast<int>(length / conf::kRecordSize);
}

} // namespace

void Form1::SaveConfig() {
    Form2& screen = station().form2();
    for (int k = 0; k <= 22; ++k) {
        Label1[k].setAutoSize(false);
    }
    for (int j = 0; j <= 13; ++j) {
        screen.F2_Label1[j].setAutoSize(false);
    }

    std::error_code noFile;
    const auto length = std::filesystem::file_size(files.ConfPath, noFile);
    const int count = noFile ? 0 : recordCount(length);

    conf::Settings s;
    if (files.FirstRun == 1) {
        s.password = kDefaultScreenPassword;
        files.FirstRun = 0;
    } else {
        // A password is stored without surrounding blanks: the loader trims it, so blanks kept here
        // would lock the owner out.
        s.password = std::string(text::firstCharacters(text::trimBlanks(Text_NewPass->text()), 8));
        if (s.password.empty()) {
            s.password = std::string(text::firstCharacters(text::trimBlanks(Text_Pass->text()), 8));
        }
    }
    // The password as the record holds it, so that this run and the next compare against the same.
    s.password = text::decodeWindows1252(text::encodeWindows1252(s.password));
    Text_NewPass->setText("");
    Text_Pass->setText("");
    layout.ScreenPassword = s.password;

    for (int i = 0; i < 2; ++i) {
        s.sliders[i] = positionOf(SliderPic1[i].control());
    }
    for (int k = 0; k < conf::kMainLabels; ++k) {
        s.mainLabels[k] = styleOf(Label1[k]);
    }
    for (int j = 0; j < conf::kScreenLabels; ++j) {
        s.screenLabels[j] = styleOf(screen.F2_Label1[j]);
    }
    for (int k = 0; k < conf::kButtons; ++k) {
        s.buttons[k] = positionOf(switch_[k]);
    }
    s.wheel = Wheel1 ? positionOf(Wheel1->control()) : firstRunSettings().wheel;
    for (int k = 0; k < conf::kMainImages; ++k) {
        const tk::Image& i = Image1[k];
        s.mainImages[k] = {i.top(), i.left(), i.height(), i.width()};
    }
    for (int k = 0; k < conf::kScreenImages; ++k) {
        const tk::Image& i = screen.F2_Image1[k];
        s.screenImages[k] = {i.top(), i.left(), i.height(), i.width()};
    }
    for (int k = 0; k < conf::kScreenButtons; ++k) {
        s.screenButtons[k] = positionOf(screen.F2_Picture1[k]);
    }
    s.backPage = positionOf(*BackPage);
    s.backColor = Text1->backColor();

    files.ConfRec = conf::encode(s, static_cast<std::int16_t>(count), files.ConfRec);
    const std::vector<std::uint8_t> bytes(files.ConfRec.begin(), files.ConfRec.end());
    if (const auto error = conf::replaceFile(files.ConfPath, bytes)) {
        // The layout stays in effect for this run; the owner learns that it was not kept.
        tk::Runtime& rt = tk::Runtime::current();
        rt.messageBox().show("The screen layout could not be saved to \"Conf.mld\" (" + *error +
                                 "). The station keeps the layout until it ends.",
                             tk::kMsgExclamation, rt.appTitle());
    }

    for (int k = 0; k <= 22; ++k) {
        Label1[k].setAutoSize(true);
    }
    for (int j = 0; j <= 13; ++j) {
        screen.F2_Label1[j].setAutoSize(true);
    }
    screen.hideForm();
    screen.setWindowStateValue(2);
}

void Form1::LoadConf(bool atStart) {
    // The samples make empty labels visible at start and while the owner places them; a settings load
    // at any other time must not leave them in the counts and the wheel line.
    if (tags.CurrentPath.empty() && (atStart || layout.LayoutEditMode == 1.0f)) {
        ShowSampleCaptions();
    }
    const auto contents = conf::readFile(files.ConfPath, conf::kRecordSize);
    for (int k = 1; k <= 22; ++k) {
        Label1[k].setAutoSize(false);
    }
    // A missing, short or damaged record falls back field by field to the default layout.
    const conf::Settings s = conf::decode(contents.bytes.data(), contents.bytes.size(), firstRunSettings());
    std::copy(contents.bytes.begin(), contents.bytes.end(), files.ConfRec.begin());
    layout.ScreenPassword = s.password;

    for (int i = 0; i < 2; ++i) {
        applyPosition(SliderPic1[i].control(), s.sliders[i]);
    }
    for (int k = 0; k < conf::kMainLabels; ++k) {
        applyStyle(Label1[k], s.mainLabels[k], k == 19 ? 1900.0f : 2000.0f);
    }
    Form2& screen = station().form2();
    for (int j = 0; j < conf::kScreenLabels; ++j) {
        applyStyle(screen.F2_Label1[j], s.screenLabels[j], 2000.0f);
    }
    for (int k = 0; k < conf::kButtons; ++k) {
        applyPosition(switch_[k], s.buttons[k]);
    }
    if (Wheel1) {
        applyPosition(Wheel1->control(), s.wheel);
    }
    const auto applyBox = [](tk::Image& i, const conf::ImageBox& b) {
        i.setTop(b.top);
        i.setLeft(b.left);
        i.setHeight(b.height);
        i.setWidth(b.width);
    };
    for (int k = 0; k < conf::kMainImages; ++k) {
        applyBox(Image1[k], s.mainImages[k]);
    }
    for (int k = 0; k < conf::kScreenImages; ++k) {
        applyBox(screen.F2_Image1[k], s.screenImages[k]);
    }
    for (int k = 0; k < conf::kScreenButtons; ++k) {
        applyPosition(screen.F2_Picture1[k], s.screenButtons[k]);
    }
    applyPosition(*BackPage, s.backPage);

    // One back colour for every list and text box of the main window.
    Text1->setBackColor(s.backColor);
    setBoxesBackColor(Text1->backColor());
    Check4->setBackColor(Text1->backColor());
    Text4->setBackColor(Text1->backColor());

    if (atStart) {
        SliderPic1[0].setCurPosition(50);
    }
    showSkinPicture(switch_[17],
                    layout.LayoutEditMode == 1.0f ? "\\EditScreenPass-On.jpg" : "\\EditScreenPass-Off.jpg");
}

void Form1::setBoxesBackColor(tk::OleColor color) {
    for (tk::ListView* list : {ListView, play, PrevView}) {
        list->setBackColor(color);
    }
    Dir1->setBackColor(color);
    Dir2->setBackColor(color);
    Drive1->setBackColor(color);
    Drive2->setBackColor(color);
    File1->setBackColor(color);
    for (tk::ListView* list : {SSonglist, SAlbumlist, SArtistlist, SingleView}) {
        list->setBackColor(color);
    }
    for (tk::TextBox* box : {Text1, Text2, Text3, Text_Pass, Text_NewPass}) {
        box->setBackColor(color);
    }
    for (int i = 0; i <= 12; ++i) {
        txtMP3[i].setBackColor(color);
    }
    cboGenre1->setBackColor(color);
}
