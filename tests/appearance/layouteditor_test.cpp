#include "controls/wheel.h"
#include "editing.h"
#include "platform/checkbox.h"
#include "platform/commandbutton.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/tabstrip.h"

#include <QWindow>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <span>

using namespace testing_support;

namespace {

std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Puts `text` blank-padded into its field of a settings record.
void put(std::string& record, std::size_t at, std::size_t width, const std::string& text) {
    std::string v = text;
    v.resize(width, ' ');
    record.replace(at, width, v);
}

} // namespace

// The owner's whole round: drag and pick elements of both windows, change a font, a colour, a place and
// a size through the dialog, and leave the mode; "Conf.mld" then holds exactly those changes.
TEST(LayoutEditor, ARoundOnBothWindowsEndsWithTheExpectedSettingsRecord) {
    EditingStation s;
    Form1& f = *s.f;
    const auto conf = s.rt.programFolder() / "Conf.mld";
    std::string expected = readAll(conf);
    ASSERT_EQ(f.layout.LayoutEditMode, 1.0f);
    FrmOptions& o = s.options();
    ASSERT_TRUE(o.visible());

    // A song label: the drag shows its place in the dialog, the click after it picks it.
    drag(f.Label1[4], QPoint(300, 250));
    EXPECT_EQ(f.Label1[4].left() + 1000, 4500.0f);
    EXPECT_EQ(o.Text7->text(), twipsText(f.Label1[4].top()));
    EXPECT_EQ(o.Text2->text(), "4");
    EXPECT_EQ(o.Command1->caption(), "Font -      Arial - 14");
    s.rt.dialogs().fonts = {tk::FontSpec{"Bookman Old Style", 16, 700, false}};
    s.rt.dialogs().colors = {tk::OleColor{255}};
    click(o.Check1);
    click(o.Command1);
    click(o.Command2);
    EXPECT_EQ(o.Command1->caption(), "Font -      Bookman Old Style -  16");
    EXPECT_EQ(f.Label1[4].fontName(), "Arial"); // nothing changes before Apply
    retype(o.Text7, "6000");
    retype(o.Text8, "3000");
    click(o.cmdApply);
    EXPECT_EQ(f.Label1[4].width(), 2000.0f);

    // A cover: picked with its size editable, then placed and sized on the "Images" page.
    drag(f.Image1[1], QPoint(500, 150));
    EXPECT_TRUE(o.Text9->isEnabled());
    EXPECT_EQ(o.Text11->text(), twipsText(f.Image1[1].top()));
    keyInDialog(o);
    keyInDialog(o);
    EXPECT_EQ(o.tbsOptions->selectedTab(), 3);
    retype(o.Text11, "600");
    retype(o.Text12, "6000");
    retype(o.Text9, "3000");
    retype(o.Text10, "2500");
    EXPECT_EQ(o.Image1->width(), 3000.0f); // the preview follows the size boxes
    click(o.cmdApply);

    // A bar element: dragged and picked; its size boxes are not editable. The wheel stays above 16.
    drag(f.switch_[3], QPoint(400, 500));
    EXPECT_EQ(o.Text2->text(), "3");
    EXPECT_FALSE(o.Text9->isEnabled());
    EXPECT_EQ(f.Wheel1->control().top(), f.switch_[16].top() - 420);

    // The playing-now screen, with the dialog above it.
    click(o.Check4);
    Form2& screen = s.screen();
    EXPECT_TRUE(screen.visible());
    EXPECT_FALSE(f.visible());
    EXPECT_EQ(o.windowHandle()->transientParent(), screen.windowHandle());
    showAndExpose(&screen);
    drag(screen.F2_Label1[5], QPoint(600, 600));
    EXPECT_EQ(screen.F2_Label1[5].borderStyle(), 1);
    EXPECT_EQ(o.Text2->text(), "5");
    EXPECT_EQ(o.Label2->font().weight, 300); // the light face is kept, not made normal
    keyInDialog(o);                          // a pick leaves the page as it was: back to "Labels"
    keyInDialog(o);
    EXPECT_EQ(o.tbsOptions->selectedTab(), 1);
    s.rt.dialogs().fonts = {tk::FontSpec{"Arial", 20, 400, true}};
    s.rt.dialogs().colors = {tk::OleColor{0x00FF00}};
    click(o.Command1);
    click(o.Command2);
    retype(o.Text7, "7000");
    retype(o.Text8, "7500");
    click(o.cmdApply);
    EXPECT_EQ(f.Label1[5].fontName(), "Arial"); // the main window's label keeps its look

    drag(screen.F2_Image1[0], QPoint(200, 450));
    EXPECT_EQ(o.Text12->text(), twipsText(screen.F2_Image1[0].left()));
    keyInDialog(o);
    keyInDialog(o);
    retype(o.Text11, "8000");
    retype(o.Text12, "1000");
    click(o.cmdApply);

    // OK brings the main window back; the right button on element 17 leaves the mode and saves.
    click(o.cmdOK);
    EXPECT_FALSE(screen.visible());
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.windowStateValue(), 2);
    EXPECT_FALSE(f.station().frmOptionsSlot().loaded());
    showAndExpose(&f);
    click(&f.switch_[17], 2);
    EXPECT_EQ(f.layout.LayoutEditMode, 0.0f);

    expected[0] = 1; // every save after the first counts one record
    // A size stored as "9." was read back as 9 points and is written so.
    for (std::size_t block = 0; block < 40; ++block) {
        std::size_t size = 30 + 92 * block + 60;
        if (block >= 23 && block < 26) {
            continue; // the spare blocks
        }
        if (expected[size] == '.') {
            expected[size] = ' ';
        }
    }
    put(expected, 30 + 92 * 4, 1, "0");
    put(expected, 30 + 92 * 4 + 1, 48, "Bookman Old Style");
    put(expected, 30 + 92 * 4 + 54, 5, "False");
    put(expected, 30 + 92 * 4 + 59, 2, "16");
    put(expected, 30 + 92 * 4 + 61, 16, "255");
    put(expected, 30 + 92 * 4 + 77, 10, "6000 3000");
    put(expected, 2422 + 92 * 5 + 1, 48, "Arial");
    put(expected, 2422 + 92 * 5 + 59, 2, "20");
    put(expected, 2422 + 92 * 5 + 61, 16, "65280");
    put(expected, 2422 + 92 * 5 + 77, 10, "7000 7500");
    // Element 3 (420 x 375 twips) centred on the pointer at (6000, 7500): 7312.5 cut to five characters.
    put(expected, 3710 + 10 * 3, 10, "7312.5790");
    put(expected, 3950, 5, "10365");
    put(expected, 3960 + 20 * 1, 20, "600  6000 2500 3000");
    put(expected, 4040, 10, "8000 1000");
    const std::string written = readAll(conf);
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(written[i], expected[i]) << "first difference at offset " << i;
    }
}

// A right-button release on a bar element runs its action and puts back the layout "Conf.mld" holds;
// the mode stays on. Guide bars are not stored and stay where they were dragged.
TEST(LayoutEditor, TheRightButtonOnTheBarPutsBackTheStoredLayoutAndTheScreenPicksOnlyWhileEdited) {
    EditingStation s;
    Form1& f = *s.f;
    const auto places = [](std::span<tk::Control* const> elements) {
        std::vector<std::pair<float, float>> v;
        for (const tk::Control* c : elements) {
            v.emplace_back(c->left(), c->top());
        }
        return v;
    };
    tk::Control* const stored[] = {&f.Label1[0], &f.switch_[5], &f.Image1[2], f.BackPage};
    tk::Control* const notStored[] = {&f.Picture2[2], &f.Switches[9], f.Text1};
    const auto before = places(stored);
    // With no button, the right button or both, nothing moves.
    for (const int buttons : {0, 2, 3}) {
        f.Label1_MouseMove(0, buttons, 0, 3000, 3000);
        f.switch_MouseMove(5, buttons, 0, 3000, 3000);
        f.BackPage_MouseMove(buttons, 0, 3000, 3000);
    }
    EXPECT_EQ(places(stored), before);
    drag(f.Picture2[2], QPoint(500, 400));
    drag(f.Label1[0], QPoint(700, 700));
    drag(f.switch_[5], QPoint(800, 300));
    // The wheel rides above element 16 wherever it is dragged.
    drag(f.switch_[16], QPoint(300, 600));
    EXPECT_EQ(f.switch_[16].left() + f.switch_[16].width() / 2, 4500.0f);
    EXPECT_EQ(f.Wheel1->control().left(), f.switch_[16].left());
    EXPECT_EQ(f.Wheel1->control().top(), f.switch_[16].top() - 420);
    drag(f.Image1[2], QPoint(600, 650));
    f.Switches_MouseMove(9, 1, 0, 3000, 3000);
    f.Text1_MouseMove(1, 0, 3000, 3000);
    f.BackPage_MouseMove(1, 0, 3000, 3000);
    const auto dragged = places(notStored);
    EXPECT_EQ(f.Picture2[2].left() + f.Picture2[2].width() / 2, 7500.0f);
    EXPECT_EQ(f.Label1[0].borderStyle(), 1);

    click(&f.switch_[18], 2);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    EXPECT_EQ(f.layout.LayoutEditMode, 1.0f);
    EXPECT_EQ(places(stored), before);
    EXPECT_EQ(places(notStored), dragged);
    EXPECT_TRUE(f.Label1[0].autoSize());

    // The playing-now screen's elements are picked and dragged only while the dialog edits that screen;
    // its guide bars drag whenever they show.
    Form2& screen = s.screen();
    FrmOptions& o = s.options();
    showAndExpose(&screen);
    const float coverLeft = screen.F2_Image1[2].left();
    drag(screen.F2_Image1[2], QPoint(300, 300));
    EXPECT_EQ(screen.F2_Image1[2].left(), coverLeft);
    drag(screen.Picture2[1], QPoint(500, 300));
    EXPECT_EQ(screen.Picture2[1].top() + screen.Picture2[1].height() / 2, 4500.0f);
    o.Label3->setAlignment(0);
    const std::string picked = o.Text2->text();
    click(&screen.F2_Label1[11]);
    EXPECT_EQ(o.Check1->value() * 10 + o.Check2->value(), 10);
    EXPECT_EQ(o.Text2->text(), picked);

    // Ticked, the return button is picked rather than pressed or obeyed; a right-button drag moves
    // nothing; a picture button drags by its centre.
    click(o.Check4);
    showAndExpose(&screen);
    click(&screen.F2_Picture1[1]);
    EXPECT_TRUE(screen.visible());
    EXPECT_EQ(o.Text2->text(), "1");
    EXPECT_TRUE(o.Label13->isVisibleTo(&o));
    EXPECT_FALSE(o.Text10->isEnabled());
    EXPECT_EQ(o.Text11->text(), "120");
    screen.F2_Image1_MouseMove(2, 2, 0, 100, 100);
    EXPECT_EQ(screen.F2_Image1[2].left(), coverLeft);
    drag(screen.F2_Picture1[0], QPoint(700, 100));
    EXPECT_EQ(screen.F2_Picture1[0].left() + screen.F2_Picture1[0].width() / 2, 10500.0f);
    EXPECT_EQ(screen.SlideShowOn, 0.0f);
}

// Outside the mode nothing drags and no pick opens the dialog; a label's click still sets the hidden
// dialog's justify boxes from its preview. Every picture button of the pressed-look families, pressed
// and released with the left, the right and the middle button in turn, shows its look.
TEST(PressedLook, OutsideTheModeNothingDragsAndEveryPictureButtonShowsItWhileAnyMouseButtonIsHeld) {
    ReadyStation s;
    Form1& f = *s.f;
    showAndExpose(&f);
    const float left = f.Label1[14].left();
    drag(f.Label1[14], QPoint(100, 100));
    drag(f.switch_[10], QPoint(100, 100));
    EXPECT_EQ(f.Label1[14].left(), left);
    EXPECT_EQ(f.switch_[10].left(), 13005.0f);
    click(&f.Image1[3]);
    EXPECT_FALSE(f.station().frmOptionsSlot().loaded());
    FrmOptions& o = f.station().frmOptions();
    o.Label3->setAlignment(1);
    click(&f.Label1[14]);
    EXPECT_FALSE(o.visible());
    EXPECT_EQ(o.Check3->value() * 100 + o.Check2->value() * 10 + o.Check1->value(), 100);
    EXPECT_EQ(o.Text2->text(), "Text2");

    f.switch_Click(17); // the password page, whose OK and Cancel show their look
    const auto shown = [&](const tk::Control& c) {
        const auto* box = dynamic_cast<const tk::PictureBox*>(&c);
        return s.rt.pictureName(box ? box->picture() : dynamic_cast<const tk::Image&>(c).picture());
    };
    const auto border = [](const tk::Control& c) {
        const auto* box = dynamic_cast<const tk::PictureBox*>(&c);
        return box ? box->borderStyle() : dynamic_cast<const tk::Image&>(c).borderStyle();
    };
    struct Case {
        tk::Control* element;
        std::string held;
        int heldBorder;
        std::string rest; // empty: the release, which also acts, is another subsystem's
    };
    const Case cases[] = {
        {&f.Picture1[0], "ClearPlayList-On.jpg", 1, "ClearPlayList-Off.jpg"},
        {&f.Picture1[1], "Close-On.jpg", 1, "Close-Off.jpg"},
        {&f.Image2[0], "AddMoreSongs-On.jpg", 1, "AddMoreSongs-Off.jpg"},
        {&f.Image2[1], "ClearSelected-On.jpg", 1, "ClearSelected-Off.jpg"},
        {&f.Image2[2], "EditID3v2-off.jpg", 1, "EditID3v2-off.jpg"},
        {&f.Image3[0], "GetFiles-On.jpg", 1, "GetFiles-Off.jpg"},
        {&f.Image3[1], "Cancel-On.jpg", 1, "Cancel-Off.jpg"},
        {&f.Image3[2], "DeleteDataBase-On.jpg", 0, "DeleteDataBase-Off.jpg"},
        {&f.Image3[3], "OK-On.jpg", 1, "OK-Off.jpg"},
        {&f.Image3[4], "Cancel-On.jpg", 1, "Cancel-Off.jpg"},
        {&f.Image4[0], "CopyToID3v2-On.jpg", 1, ""},
        {&f.Image4[1], "OK-On.jpg", 1, ""},
        {&f.Image4[2], "Apply-On.jpg", 1, ""},
        {f.Image5, "OK-On.jpg", 1, "OK-Off.jpg"},
        {f.Image8, "Cancel-On.jpg", 1, "Cancel-Off.jpg"},
        {&f.switch_[0], "Prev.jpg", 1, "Prev.jpg"},
        {&f.switch_[17], "EditScreenPass-On.jpg", 1, "EditScreenPass-On.jpg"},
        {&f.switch_[15], "Switch-On.jpg", 0, "Switch-Off.jpg"},
        {&f.switch_[20], "PlayStop.jpg", 0, "PlayStop.jpg"},
        {&f.switch_[13], "Switch-off.jpg", 0, "Switch-off.jpg"},
    };
    // Each release is beside the button, so that no button acts: only the look is looked at.
    int button = 1;
    for (const Case& c : cases) {
        pressOn(c.element, button);
        EXPECT_EQ(shown(*c.element), c.held) << c.element->objectName().toStdString();
        EXPECT_EQ(border(*c.element), c.heldBorder) << c.element->objectName().toStdString();
        if (!c.rest.empty()) {
            releaseOn(c.element, button, true);
            EXPECT_EQ(shown(*c.element), c.rest) << c.element->objectName().toStdString();
            EXPECT_EQ(border(*c.element), 0) << c.element->objectName().toStdString();
        }
        button = button == 4 ? 1 : button * 2;
    }
    // In layout-edit mode the bar shows no pressed look; the other families still do.
    f.layout.LayoutEditMode = 1.0f;
    f.switch_MouseDown(18, 1, 0, 0, 0);
    EXPECT_EQ(f.switch_[18].borderStyle(), 0);
    pressOn(&f.Image3[0]);
    EXPECT_EQ(f.Image3[0].borderStyle(), 1);
}
