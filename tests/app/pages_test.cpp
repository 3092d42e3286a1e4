#include "appearance/frmoptions.h"
#include "controls/wheel.h"
#include "gui.h"
#include "navigation.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "screen/form2.h"

#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {
// The Top `page` had at every frame of the moves `move` runs.
std::vector<float> tops(ReadyStation& s, tk::Control& page, const std::function<void()>& move) {
    std::vector<float> seen;
    s.rt.frames().onStep = [&] {
        EXPECT_EQ(s.f->Shape1->top(), page.top()); // the shape follows every step
        seen.push_back(page.top());
    };
    move();
    s.rt.frames().onStep = nullptr;
    return seen;
}

// Checks that `seen` runs from `first` to `last` by `step`.
void expectRun(const std::vector<float>& seen, float first, float last, float step) {
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), first);
    EXPECT_EQ(seen.back(), last);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>((last - first) / step) + 1);
    for (std::size_t k = 1; k < seen.size(); ++k) {
        ASSERT_EQ(seen[k] - seen[k - 1], step) << k;
    }
}
} // namespace

TEST(SlidingPages, TakeEveryPositionInOrderAndKeepFlagsPicturesAndFocusAndTheDoorsMoveATickAStep) {
    ReadyStation s;
    Form1& f = *s.f;
    expectRun(tops(s, *f.Page_PlayList, [&] { f.TogglePlayListPage(); }), -6500, 1125, 25);
    EXPECT_EQ(s.rt.frames().lastSteps, 306);
    EXPECT_EQ(f.pages.PlayListOpen, 1);
    EXPECT_TRUE(f.Page_PlayList->visible());
    EXPECT_EQ(s.shows(f.switch_[6]), "NextSong-On.jpg");
    EXPECT_EQ(f.focusWidget(), f.play->focusProxy());
    expectRun(tops(s, *f.Page_PlayList, [&] { f.TogglePlayListPage(); }), 1140, -6485, -25);
    EXPECT_EQ(f.pages.PlayListOpen, 0);
    EXPECT_FALSE(f.Page_PlayList->visible());
    EXPECT_EQ(s.shows(f.switch_[6]), "NextSong-Off.jpg");

    // The last-songs page opens from its parked place, though closing left it 15 twips short.
    f.ToggleLastSongsPage();
    f.ToggleLastSongsPage();
    EXPECT_EQ(f.Page_LastSongPlaylist->top(), -4985.0f);
    expectRun(tops(s, *f.Page_LastSongPlaylist, [&] { f.ToggleLastSongsPage(); }), -5000, 1125, 25);
    EXPECT_EQ(f.focusWidget(), f.PrevView->focusProxy());

    // The delete page moves a twip at a time: all 5106 positions are assigned.
    expectRun(tops(s, *f.Page_DeleteDataBase, [&] { f.ToggleDeleteDataBasePage(); }), -5000, 105, 1);
    EXPECT_EQ(f.focusWidget(), f.Text3->focusProxy());
    EXPECT_EQ(s.shows(f.Image3[2]), "DeleteDataBase-On.jpg");
    expectRun(tops(s, *f.Page_EditID3v2, [&] { f.ToggleEditID3v2Page(); }), -7000, 3000, 25);
    expectRun(tops(s, *f.Page_AddMoreSongs, [&] { f.ToggleAddMoreSongsPage(); }), -6500, 4000, 25);
    EXPECT_EQ(s.shows(f.Image2[0]), "AddMoreSongs-On.jpg");

    // The doors open and close step by step, one clock tick a step.
    std::vector<std::pair<float, float>> seen;
    s.rt.frames().onStep = [&] { seen.emplace_back(f.LeftDoor->left(), f.RightDoor->left()); };
    s.rt.player().clearLog();
    f.Page_Top10->setVisible(true);
    f.OpenCloseDoors();
    ASSERT_EQ(seen.size(), 109u);
    EXPECT_EQ(seen.front(), std::make_pair(0.0f, 5450.0f));
    EXPECT_EQ(seen.back(), std::make_pair(-5400.0f, 10850.0f));
    EXPECT_EQ(s.stateRequests(), 109);
    EXPECT_EQ(f.layout.DoorState, 1);
    EXPECT_TRUE(f.Page_Top10->visible()); // opening shows no page and hides none

    seen.clear();
    f.OpenCloseDoors();
    ASSERT_EQ(seen.size(), 109u);
    EXPECT_EQ(seen.front(), std::make_pair(-5400.0f, 10750.0f));
    EXPECT_EQ(seen[107], std::make_pair(-50.0f, 5400.0f));
    EXPECT_EQ(seen.back(), std::make_pair(0.0f, 5400.0f)); // the last step moves the left door only
    EXPECT_EQ(s.stateRequests(), 218);
    EXPECT_EQ(f.layout.DoorState, 0);
    for (tk::PictureBox* page : {f.Page_Single, f.Page_Album, f.Page_DataBase, f.Page_Top10, f.Page_Search}) {
        EXPECT_FALSE(page->visible());
    }
}

TEST(BrowseToggles, OpenSwitchAndCloseWithOneDoorMoveEachWay) {
    ReadyStation s;
    Form1& f = *s.f;
    const auto doorMoves = [&](int element) {
        const int before = s.rt.frames().animations;
        f.switch_Click(element);
        return s.rt.frames().animations - before;
    };
    f.Page_DataBase->move(300, -6500);
    EXPECT_EQ(doorMoves(12), 1);
    EXPECT_EQ(f.pages.DataBasePageOpen, 1);
    EXPECT_TRUE(f.Page_DataBase->visible());
    EXPECT_EQ(f.Page_DataBase->left(), 0.0f);
    EXPECT_EQ(f.Page_DataBase->top(), 0.0f);
    EXPECT_EQ(f.focusWidget(), f.ListView->focusProxy());
    EXPECT_EQ(f.layout.DoorState, 1);

    // From one page to another: the doors close over the old page and open over the new one.
    EXPECT_EQ(doorMoves(10), 2);
    for (int e = 10; e <= 14; ++e) {
        EXPECT_EQ(s.shows(f.switch_[e]), e == 10 ? "Switch-On.jpg" : "Switch-Off.jpg") << e;
    }
    EXPECT_EQ(f.pages.DataBasePageOpen, 0);
    EXPECT_EQ(f.pages.SinglePageOpen, 1);
    EXPECT_FALSE(f.Page_DataBase->visible());
    EXPECT_TRUE(f.Page_Single->visible());
    EXPECT_EQ(f.layout.DoorState, 1);

    // The album page shows its lines and clears the top-10 notice; leaving it hides them again.
    f.Label1[18].setCaption(Form1::kTopTenWheelNotice);
    EXPECT_EQ(doorMoves(11), 2);
    EXPECT_TRUE(f.switch_[19].visible());
    EXPECT_TRUE(f.Label1[19].visible());
    EXPECT_EQ(f.Label1[18].caption(), "");
    f.switch_Click(14);
    EXPECT_FALSE(f.switch_[19].visible());
    EXPECT_FALSE(f.Label1[20].visible());
    EXPECT_EQ(f.focusWidget(), f.Text2->focusProxy());

    // Closing the top-10 page with its own element clears the wheel line.
    f.switch_Click(13);
    f.Label1[18].setCaption("x");
    EXPECT_EQ(doorMoves(13), 1);
    EXPECT_EQ(f.Label1[18].caption(), "");
    EXPECT_EQ(s.shows(f.switch_[13]), "Switch-Off.jpg");
    EXPECT_EQ(f.layout.DoorState, 0);
    EXPECT_FALSE(f.Page_Top10->visible());
}

TEST(PasswordPage, ChecksThePasswordExactlyAndClosesByCancelOrElement17) {
    ReadyStation s;
    Form1& f = *s.f;
    showAndExpose(&f);
    const auto run = tops(s, *f.Page_EditScreenPass, [&] { f.switch_Click(17); });
    expectRun(run, -6500, 3325, 25); // the last position not past the centre, 3345
    EXPECT_EQ(f.layout.PassPageState, 1);
    EXPECT_EQ(s.shows(f.switch_[17]), "EditScreenPass-On.jpg");
    EXPECT_EQ(f.focusWidget(), f.Text_Pass->focusProxy());
    EXPECT_EQ(s.shows(*f.Image5), "OK-Off.jpg");
    EXPECT_EQ(s.shows(*f.Image8), "Cancel-Off.jpg");

    // The new-password box is there exactly while the text matches; a ninth character is refused.
    type(f.Text_Pass, "Kestru");
    EXPECT_FALSE(f.Text_NewPass->visible());
    type(f.Text_Pass, "m");
    EXPECT_TRUE(f.Text_NewPass->visible());
    EXPECT_TRUE(f.Text_NewPass->isEnabled());
    type(f.Text_Pass, "12");
    EXPECT_EQ(f.Text_Pass->text(), "Kestrum1");
    EXPECT_FALSE(f.Text_NewPass->visible());
    f.Text_Pass->setText("kestrum");
    EXPECT_FALSE(f.Text_NewPass->visible());

    // A wrong password, by OK or by Enter in the box, empties the box and leaves the page open.
    f.Image5_Click();
    EXPECT_EQ(f.Text_Pass->text(), "");
    type(f.Text_Pass, "Kestrum ");
    pressKey(f.Text_Pass, Qt::Key_Return, "\r");
    EXPECT_EQ(f.Text_Pass->text(), "");
    EXPECT_EQ(f.layout.PassPageState, 1);
    EXPECT_EQ(f.layout.LayoutEditMode, 0.0f);

    // Element 17 closes the page and keeps the texts; Cancel empties both boxes.
    f.Text_Pass->setText("Kestrum");
    f.switch_Click(17);
    EXPECT_EQ(f.layout.PassPageState, 0);
    EXPECT_FALSE(f.Page_EditScreenPass->visible());
    EXPECT_EQ(s.shows(f.switch_[17]), "EditScreenPass-Off.jpg");
    EXPECT_EQ(f.Text_Pass->text(), "Kestrum");
    f.switch_Click(17);
    EXPECT_TRUE(f.Text_NewPass->visible());
    f.Text_NewPass->setText("new");
    f.Image8_Click();
    EXPECT_EQ(f.Text_Pass->text() + f.Text_NewPass->text(), "");
    EXPECT_EQ(f.layout.PassPageState, 0);
    EXPECT_FALSE(f.Page_EditScreenPass->visible());
    EXPECT_EQ(s.shows(f.switch_[17]), "EditScreenPass-Off.jpg");
    EXPECT_EQ(f.layout.LayoutEditMode, 0.0f);
}

TEST(LayoutEdit, EnteringActingAndLeavingByTheRightButtonKeepsTheCountsAndTheWheelLineAndSavesOnce) {
    ReadyStation s;
    Form1& f = *s.f;
    Form2& screen = f.station().form2();
    const auto conf = s.rt.programFolder() / "Conf.mld";
    showAndExpose(&f);
    std::vector<std::string> before;
    for (int k = 0; k <= 22; ++k) {
        before.push_back(f.Label1[k].caption());
    }
    f.switch_Click(17);
    f.Text_Pass->setText("Kestrum");
    f.Text_NewPass->setText("owner");
    pressKey(f.Text_Pass, Qt::Key_Return, "\r"); // Enter in the password box is OK
    EXPECT_EQ(f.layout.LayoutEditMode, 1.0f);
    EXPECT_EQ(f.layout.PassPageState, 0);
    EXPECT_EQ(s.shows(f.switch_[17]), "EditScreenPass-On.jpg");
    EXPECT_FALSE(f.LeftDoor->visible());
    EXPECT_FALSE(f.RightDoor->visible());
    EXPECT_TRUE(f.Picture2[2].visible());
    EXPECT_TRUE(screen.Picture2[3].visible());
    EXPECT_TRUE(f.switch_[19].visible());
    EXPECT_EQ(f.Label1[14].caption(), "S###");
    EXPECT_EQ(screen.F2_Label1[4].caption(), "Song");
    for (int k : {0, 19, 22}) {
        EXPECT_EQ(f.Label1[k].borderStyle(), 1) << k;
        EXPECT_FALSE(f.Label1[k].autoSize()) << k;
        EXPECT_EQ(f.Label1[k].width(), k == 19 ? 1900.0f : 2000.0f) << k;
    }
    EXPECT_EQ(screen.F2_Label1[13].borderStyle(), 1);
    EXPECT_TRUE(f.station().frmOptions().visible());

    // A right click on a bar element: the release runs the action once, the click after it does not run
    // it again; with the flag at 2 left clicks act as well.
    click(&f.switch_[18], 2);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    EXPECT_EQ(f.layout.IgnoreNextSwitchClick, 2);
    EXPECT_EQ(f.layout.LayoutEditMode, 1.0f);
    click(&f.switch_[18], 1);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 0);

    // The right button on element 17 leaves the mode and saves.
    std::filesystem::remove(conf);
    click(&f.switch_[17], 2);
    EXPECT_EQ(f.layout.LayoutEditMode, 0.0f);
    EXPECT_TRUE(f.LeftDoor->visible());
    EXPECT_TRUE(f.RightDoor->visible());
    EXPECT_FALSE(f.Picture2[1].visible());
    EXPECT_FALSE(screen.Picture2[4].visible());
    EXPECT_EQ(s.shows(f.switch_[17]), "EditScreenPass-Off.jpg");
    EXPECT_TRUE(f.Label1[3].autoSize());
    EXPECT_EQ(f.Label1[5].borderStyle(), 0);
    EXPECT_EQ(screen.F2_Label1[5].borderStyle(), 0);
    EXPECT_EQ(std::filesystem::file_size(conf), 4146u);
    EXPECT_EQ(f.layout.ScreenPassword, "owner");
    for (int k = 0; k <= 22; ++k) {
        if (k != 17) { // the clock
            EXPECT_EQ(f.Label1[k].caption(), before[k]) << k;
        }
    }
    EXPECT_EQ(screen.F2_Label1[4].caption(), "");
    // The click after leaving is swallowed; the one after that acts; nothing is saved again.
    EXPECT_EQ(f.layout.IgnoreNextSwitchClick, 1);
    std::filesystem::remove(conf);
    click(&f.switch_[18], 1);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 0);
    EXPECT_EQ(f.layout.IgnoreNextSwitchClick, 0);
    click(&f.switch_[18], 1);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    EXPECT_FALSE(std::filesystem::exists(conf));
}

TEST(WheelButton, StepsThroughAlbumsAndAlbumPagesWithWraps) {
    ReadyStation s(20);
    Form1& f = *s.f;
    const auto release = [&](int button) {
        f.switch_[16].setBorderStyle(1);
        f.switch_MouseUp(16, button, 0, 0, 0);
        EXPECT_EQ(f.switch_[16].borderStyle(), 0);
    };
    // Single-album page: next and previous album, the last one reached before wrapping; a turned wheel
    // opens its row as it is.
    f.pages.SinglePageOpen = 1;
    f.browse.CurrentArtistIndex = f.browse.WheelIndex = 19;
    release(tk::kLeftButton);
    EXPECT_EQ(f.browse.CurrentArtistIndex, 20);
    release(tk::kLeftButton);
    EXPECT_EQ(f.browse.CurrentArtistIndex, 1);
    EXPECT_EQ(f.Wheel1->value(), 1);
    EXPECT_EQ(f.browse.CurAlbum, "Album 01");
    release(tk::kRightButton);
    EXPECT_EQ(f.browse.CurrentArtistIndex, 20);
    release(tk::kMiddleButton);
    EXPECT_EQ(f.browse.CurrentArtistIndex, 20);
    f.Wheel1->setValue(7);
    release(tk::kRightButton);
    EXPECT_EQ(f.browse.CurrentArtistIndex, 7);
    EXPECT_EQ(f.Label1[18].caption(), "7 - Artist 07 - Album 07");

    // Album page by artist: eight rows on, back to row 1 past the end; back never below row 1.
    f.pages.SinglePageOpen = 0;
    f.pages.AlbumPageOpen = 1;
    f.browse.AlbumPageFirst = 1;
    f.Wheel1->setValue(1);
    std::vector<int> firsts;
    for (int button : {1, 1, 1, 2, 2}) {
        release(button);
        firsts.push_back(f.browse.AlbumPageFirst);
        EXPECT_EQ(f.browse.AlbumPageLast, f.browse.AlbumPageFirst + 7);
        EXPECT_EQ(f.Wheel1->value(), f.browse.AlbumPageFirst);
    }
    EXPECT_EQ(firsts, (std::vector<int>{9, 17, 1, 12, 4}));
    release(tk::kRightButton);
    EXPECT_EQ(f.browse.AlbumPageFirst, 1);
    // A wheel standing beyond the artists marks the page's lines and leaves the page.
    f.Wheel1->setMax(30);
    f.Wheel1->setValue(25);
    release(tk::kLeftButton);
    EXPECT_EQ(f.Label1[19].backColor(), 0xFF8080u);
    EXPECT_EQ(f.browse.AlbumPageFirst, 1);
    EXPECT_TRUE(s.rt.messages().shown.empty());
}
