#include "gui.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "testruntime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

// A full-screen window with one picture box and one label, recording every mouse event of both.
struct Recorder {
    TestRuntime rt;
    tk::Form form{tk::Form::Kind::FullScreen, "Form1"};
    tk::PictureBox* box = new tk::PictureBox(&form, "Box");
    tk::Label* label = new tk::Label(&form, "Caption");
    std::vector<std::string> log;

    Recorder() {
        box->move(1500, 1500, 3000, 1500);
        label->move(6000, 1500, 1500, 300);
        for (tk::Control* c : {static_cast<tk::Control*>(box), static_cast<tk::Control*>(label)}) {
            const std::string n = c->name();
            c->mouseDown.connect(
                [this, n](int b, int, float, float) { log.push_back(n + " down " + std::to_string(b)); });
            c->mouseUp.connect(
                [this, n](int b, int, float, float) { log.push_back(n + " up " + std::to_string(b)); });
            c->click.connect([this, n] { log.push_back(n + " click"); });
            c->dblClick.connect([this, n] { log.push_back(n + " dblclick"); });
        }
        showAndExpose(&form);
    }
};

} // namespace

TEST(MouseEvents, ClicksOfEveryButtonDoubleClicksAndReleasesElsewhereGoToThePressedControl) {
    Recorder r;
    click(r.box, 1);
    click(r.box, 2);
    click(r.box, 4);
    EXPECT_EQ(r.log,
              (std::vector<std::string>{"Box down 1", "Box up 1", "Box click", "Box down 2", "Box up 2",
                                        "Box click", "Box down 4", "Box up 4", "Box click"}));
    r.log.clear();
    doubleClick(r.box, 1); // no second Click
    EXPECT_EQ(r.log,
              (std::vector<std::string>{"Box down 1", "Box up 1", "Box click", "Box dblclick", "Box up 1"}));
    r.log.clear();
    // Released outside the box: it still gets MouseUp, and no Click.
    press(r.box, 2);
    release(r.label, 2);
    EXPECT_EQ(r.log, (std::vector<std::string>{"Box down 2", "Box up 2"}));

    // Coordinates are in twips relative to the control (a new handler takes the place of the old).
    float gotX = -1, gotY = -1;
    r.box->mouseDown.connect([&](int, int, float x, float y) {
        gotX = x;
        gotY = y;
    });
    click(r.box, 1, QPoint(10, 4));
    EXPECT_FLOAT_EQ(gotX, 150.0f);
    EXPECT_FLOAT_EQ(gotY, 60.0f);
}

TEST(Label, AutoSizeFollowsTheCaptionShownAsPlainTextAndColoursKeepTheirStoredValue) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    tk::Label label(&form, "Label1", 4);
    label.setFont({"Arial", 14.25f, 700, true});
    label.move(7290, 3510, 2000, 300);
    label.setAutoSize(true);
    label.setCaption("A");
    const float narrow = label.width();
    label.setCaption("A much longer title of a song");
    EXPECT_GT(label.width(), narrow * 5);
    EXPECT_EQ(label.left(), 7290.0f); // grows to the right
    EXPECT_GT(label.height(), 200.0f);
    label.setCaption("");
    EXPECT_EQ(label.width(), 0.0f);
    label.setCaption("Rock & Roll <b>");
    EXPECT_EQ(label.caption(), "Rock & Roll <b>");
    // Without auto-size the width stays what the program set.
    label.setAutoSize(false);
    label.setWidth(2000);
    label.setCaption("A much longer title of a song and more");
    EXPECT_EQ(label.width(), 2000.0f);
    label.setForeColor(tk::kSysWindowText);
    EXPECT_EQ(label.foreColor(), 0x80000008u);
    label.setForeColor(0xFF8080);
    EXPECT_EQ(label.foreColor(), 0xFF8080u);
}

TEST(TextBox, ChangeFollowsTheProgramAndTypingAndKeyPressCanSwallowOrReplaceACharacter) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    auto* box = new tk::TextBox(&form, "Text_Pass");
    box->move(495, 1905, 3195, 300);
    box->setMaxLength(8);
    box->setPasswordChar("*");
    std::vector<std::string> seen;
    box->change.connect([&] { seen.push_back(box->text()); });
    int enters = 0;
    box->keyPress.connect([&](int& key) {
        if (key == tk::kKeyReturn) {
            ++enters;
        } else if (key == 'x') {
            key = 0;
        } else if (key == 'a') {
            key = 'b';
        }
    });
    box->setText("abc");
    box->setText("abc"); // the same text is no change
    showAndExpose(&form);
    type(box, "dxeafghijk");
    pressKey(box, Qt::Key_Return, "\r");
    EXPECT_EQ(box->text(), "abcdebfg"); // x swallowed, a typed as b, a ninth character refused
    EXPECT_EQ(enters, 1);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), "abc");
    EXPECT_EQ(seen.back(), "abcdebfg");
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "abc"), 1);
}
