#include "controls/sliderpic.h"
#include "editing.h"
#include "platform/checkbox.h"
#include "platform/commandbutton.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/tabstrip.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWindow>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
// What the owner was told last, or nothing.
std::string lastMessage(ReadyStation& s) {
    const auto& shown = s.rt.messages().shown;
    return shown.empty() ? std::string() : shown.back().text;
}
} // namespace

// Apply checks every box the page uses before it writes anything; a wrong box is named and nothing
// of the element changes, not even what the boxes before it would have set.
TEST(OptionsDialog, ApplyChecksEveryBoxFirstAndNamesTheWrongOne) {
    EditingStation s;
    Form1& f = *s.f;
    FrmOptions& o = s.options();

    // Images page before anything was picked in this dialog: its boxes hold no element's values.
    o.tbsOptions->selectTab(3);
    click(o.cmdApply);
    EXPECT_EQ(f.Image1[0].top(), 2040.0f);
    EXPECT_EQ(f.switch_[0].top(), 4605.0f);
    EXPECT_EQ(lastMessage(s), "");

    click(&f.Image1[2]);
    retype(o.Text11, "100");
    retype(o.Text9, "0");
    click(o.cmdApply);
    EXPECT_EQ(lastMessage(s),
              "Nothing was applied: the box \"Width\" holds \"0\", which is not a size from 1 to "
              "99999 twips.");
    EXPECT_EQ(f.Image1[2].top(), 2040.0f);
    retype(o.Text9, "2000");
    retype(o.Text12, "-10000");
    click(o.cmdApply);
    EXPECT_NE(lastMessage(s).find("\"Left\" holds \"-10000\", which is not a place from -9999"),
              std::string::npos);
    retype(o.Text12, "-9999");
    click(o.cmdApply);
    EXPECT_EQ(f.Image1[2].left(), -9999.0f);
    EXPECT_EQ(f.Image1[2].width(), 2000.0f);

    // A bar element picked: the number names any of the main window's 21, the playing-now screen has
    // picture buttons 0 and 1 only.
    click(&f.switch_[5]);
    o.tbsOptions->selectTab(3);
    retype(o.Text2, "16");
    retype(o.Text11, "300");
    retype(o.Text12, "400");
    click(o.cmdApply);
    EXPECT_EQ(f.switch_[16].top(), 300.0f);
    EXPECT_EQ(f.switch_[16].left(), 400.0f);
    click(o.Check4);
    retype(o.Text2, "2");
    click(o.cmdApply);
    EXPECT_EQ(lastMessage(s),
              "Nothing was applied: the box \"Element Number\" holds \"2\", but the playing-now screen has "
              "no picture button 2 (they are numbered 0 to 1).");
    click(o.Check4);

    // Labels page: the element number is rounded half to even and must name a label.
    o.tbsOptions->selectTab(1);
    click(&f.Label1[14]);
    retype(o.Text2, "23");
    click(o.cmdApply);
    EXPECT_EQ(lastMessage(s),
              "Nothing was applied: the box \"Element Number\" holds \"23\", but the main window has "
              "no label 23 (they are numbered 0 to 22).");
    retype(o.Text2, "2.5");
    retype(o.Text7, "12abc");
    click(o.cmdApply);
    EXPECT_NE(lastMessage(s).find("\"Top Position\" holds \"12abc\""), std::string::npos);
    EXPECT_EQ(f.Label1[2].top(), 4035.0f);
    retype(o.Text7, "100");
    click(o.cmdApply);
    EXPECT_EQ(f.Label1[2].top(), 100.0f);
    EXPECT_EQ(o.EditIndex, 2);
    retype(o.Text2, "3.5");
    click(o.cmdApply);
    EXPECT_EQ(f.Label1[4].top(), 100.0f);

    // The playing-now screen has labels 0 to 13; its "Text Boxes" and "Sliders" pages do nothing.
    click(o.Check4);
    retype(o.Text2, "14");
    click(o.cmdApply);
    EXPECT_NE(lastMessage(s).find("the playing-now screen has no label 14"), std::string::npos);
    o.tbsOptions->selectTab(4);
    retype(o.Text3, "1");
    const std::size_t told = s.rt.messages().shown.size();
    click(o.cmdApply);
    EXPECT_EQ(f.SliderPic1[0].control().top(), 210.0f);
    click(o.Check4);
    retype(o.Text5, "x");
    click(o.cmdApply);
    EXPECT_EQ(s.rt.messages().shown.size(), told + 1);
    EXPECT_NE(lastMessage(s).find("\"Song Slider Top\" holds \"x\""), std::string::npos);
    EXPECT_EQ(f.SliderPic1[0].control().top(), 210.0f);
    retype(o.Text5, "4000");
    click(o.cmdApply);
    EXPECT_EQ(f.SliderPic1[0].control().top(), 1.0f);
    EXPECT_EQ(f.SliderPic1[1].control().top(), 4000.0f);

    // "Text Boxes": the sample box's colour goes to every list and text box but the tag editor's last.
    o.tbsOptions->selectTab(2);
    s.rt.dialogs().colors = {tk::OleColor{0x123456}};
    click(o.Command7);
    EXPECT_EQ(f.ListView->backColor(), layout::kBoxBackColor);
    click(o.cmdApply);
    EXPECT_EQ(f.ListView->backColor() & f.Text1->backColor() & f.txtMP3[12].backColor(), 0x123456u);
    EXPECT_NE(f.txtMP3[13].backColor(), 0x123456u);
}

TEST(OptionsDialog, JustifyBoxesPagesFontsAndClosing) {
    ReadyStation s(0);
    Form1& f = *s.f;
    FrmOptions& o = f.station().frmOptions();
    EXPECT_EQ(o.caption(), "Options");
    EXPECT_EQ(o.tbsOptions->tabCaption(3), "Images");
    EXPECT_EQ(o.tbsOptions->tabToolTip(1), "Set Options for Labels");
    EXPECT_EQ(o.tbsOptions->tabToolTip(4), "Set Options for Sliders");
    for (tk::CheckBox* box : {o.Check1, o.Check2, o.Check3, o.Check4}) {
        const QCheckBox* shown = box->findChild<QCheckBox*>();
        QStyleOptionButton look;
        look.initFrom(shown);
        const QRect room = shown->style()->subElementRect(QStyle::SE_CheckBoxContents, &look, shown);
        EXPECT_LE(shown->fontMetrics().horizontalAdvance(shown->text()), room.width()) << box->caption();
    }
    EXPECT_EQ(o.Label13->caption(), "****  This Picture Is AutoSized  ****");
    o.showForm();
    showAndExpose(&o);

    // Unticking the ticked box leaves all three clear and the preview as it was; ticking one clears
    // the others and the preview takes its alignment.
    click(o.Check2);
    EXPECT_EQ(o.Check1->value() + o.Check2->value() + o.Check3->value(), 0);
    EXPECT_EQ(o.Label2->alignment(), 2);
    click(o.Check1);
    EXPECT_EQ(o.Label2->alignment(), 0);
    click(o.Check3);
    EXPECT_EQ(o.Check1->value() * 10 + o.Check3->value(), 1);
    EXPECT_EQ(o.Label2->alignment(), 1);

    // Ctrl+Tab goes round the pages; Ctrl+Shift+Tab and Tab alone change none.
    o.tbsOptions->selectTab(4);
    EXPECT_EQ(o.picOptions[3].left(), 120.0f);
    EXPECT_FALSE(o.picOptions[0].isEnabled());
    keyInDialog(o);
    EXPECT_EQ(o.tbsOptions->selectedTab(), 1);
    EXPECT_EQ(o.picOptions[3].left(), -20000.0f);
    EXPECT_TRUE(o.picOptions[0].isEnabled());
    keyInDialog(o, Qt::ControlModifier | Qt::ShiftModifier);
    keyInDialog(o, Qt::NoModifier);
    EXPECT_EQ(o.tbsOptions->selectedTab(), 1);

    // A cancelled font changes nothing; a font the layout file cannot keep is refused.
    const tk::FontSpec before = o.Label2->font();
    s.rt.dialogs().fonts = {std::nullopt, tk::FontSpec{std::string(49, 'A'), 10, 400, false},
                            tk::FontSpec{"Arial", 100, 400, false},
                            tk::FontSpec{"Arial \xe4\xb8\x80", 10, 400, false},
                            tk::FontSpec{std::string(48, 'A'), 99, 400, false}};
    for (int k = 0; k < 4; ++k) {
        click(o.Command1);
    }
    EXPECT_EQ(o.Label2->font(), before);
    EXPECT_EQ(o.Command1->caption(), "Font");
    ASSERT_EQ(s.rt.messages().shown.size(), 3u);
    EXPECT_NE(s.rt.messages().shown[0].text.find("longer than 48 characters"), std::string::npos);
    EXPECT_NE(s.rt.messages().shown[1].text.find("size is not from 1 to 99 points"), std::string::npos);
    EXPECT_NE(s.rt.messages().shown[2].text.find("characters the screen layout cannot store"),
              std::string::npos);
    click(o.Command1);
    EXPECT_EQ(o.Label3->fontSize(), 99.0f);
    EXPECT_EQ(s.rt.dialogs().fontsShown.back(), before); // the dialog opens on the preview's font

    // Shown again while open (as every pick does), the dialog stays where the owner moved it.
    o.move(40, 30);
    o.showForm();
    EXPECT_EQ(o.pos(), QPoint(40, 30));

    // Closing from the title bar with the playing-now screen edited does what OK does.
    click(o.Check4);
    EXPECT_TRUE(f.station().form2().visible());
    o.close();
    EXPECT_FALSE(f.station().form2().visible());
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.windowStateValue(), 2);
    EXPECT_FALSE(f.station().frmOptionsSlot().loaded());
    FrmOptions& again = f.station().frmOptions();
    EXPECT_EQ(again.Check4->value(), 0);
    EXPECT_EQ(again.Check2->value(), 1);
    EXPECT_EQ(again.Text2->text(), "Text2");
}

// The dialog is a window of whichever window of the station shows, so that a window manager keeps it
// above that one: through "Play Now Screen" and, with the dialog still open after the mode was left,
// through the main bar's element 7 and the playing-now screen's return button.
TEST(OptionsDialog, StandsOverWhicheverWindowOfTheStationShows) {
    EditingStation s;
    Form1& f = *s.f;
    FrmOptions& o = s.options();
    Form2& screen = s.screen();
    const auto owner = [&o] { return o.windowHandle()->transientParent(); };
    EXPECT_EQ(owner(), f.windowHandle());
    click(o.Check4);
    EXPECT_EQ(owner(), screen.windowHandle());
    click(o.Check4);
    EXPECT_EQ(owner(), f.windowHandle());

    showAndExpose(&f);
    click(&f.switch_[17], 2);
    ASSERT_EQ(f.layout.LayoutEditMode, 0.0f);
    ASSERT_TRUE(o.visible());
    click(&f.switch_[7]); // swallowed: the first click after leaving the mode
    click(&f.switch_[7]);
    ASSERT_TRUE(screen.visible());
    EXPECT_EQ(owner(), screen.windowHandle());
    showAndExpose(&screen);
    click(&screen.F2_Picture1[1]);
    ASSERT_TRUE(f.visible());
    EXPECT_EQ(owner(), f.windowHandle());
}
