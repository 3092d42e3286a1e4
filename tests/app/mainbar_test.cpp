#include "appearance/frmoptions.h"
#include "controls/wheel.h"
#include "gui.h"
#include "navigation.h"
#include "platform/checkbox.h"
#include "platform/commandbutton.h"
#include "platform/errors.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/tabstrip.h"
#include "platform/textbox.h"
#include "platform/timer.h"
#include "screen/form2.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {
// Every file below the program folder with its contents.
std::map<fs::path, std::string> filesIn(const fs::path& folder) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path()] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        }
    }
    return files;
}
} // namespace

TEST(MainBar, TheClickFlagSwallowsOneClickPicksInLayoutEditModeOrActs) {
    ReadyStation s;
    Form1& f = *s.f;
    // 1: the click only resets the flag; not even the closing step runs.
    f.layout.IgnoreNextSwitchClick = 1;
    f.switch_[19].setVisible(true);
    f.switch_Click(18);
    EXPECT_EQ(f.layout.IgnoreNextSwitchClick, 0);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 0);
    EXPECT_TRUE(f.switch_[19].visible());
    // 0: the element acts and the closing step hides the album page's lines.
    f.switch_Click(18);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    EXPECT_TRUE(f.Timer2->enabled());
    EXPECT_EQ(s.shows(f.switch_[18]), "FullScreenTime-On.jpg");
    EXPECT_FALSE(f.switch_[19].visible());

    // In layout-edit mode a click loads the element into the options dialog: the exit element does
    // not end the station.
    f.layout.LayoutEditMode = 1.0f;
    f.switch_Click(9);
    EXPECT_FALSE(s.rt.programExit().ended);
    FrmOptions& o = f.station().frmOptions();
    EXPECT_TRUE(o.visible());
    EXPECT_EQ(o.Text2->text(), "9");
    EXPECT_FALSE(o.Image1->visible());
    EXPECT_TRUE(o.Picture1->visible());
    EXPECT_TRUE(o.Label13->visible());
    EXPECT_TRUE(o.Picture1->picture() == f.switch_[9].picture());
    EXPECT_EQ(o.Picture1->width(), f.switch_[9].width());
    EXPECT_EQ(o.Text9->text(), "465");
    EXPECT_EQ(o.Text10->text(), "435");
    EXPECT_EQ(o.Text11->text(), "75");
    EXPECT_EQ(o.Text12->text(), "14745");
    EXPECT_FALSE(o.Text9->isEnabled());
    EXPECT_FALSE(o.Text10->isEnabled());
    EXPECT_EQ(o.Text3->text() + " " + o.Text4->text() + " " + o.Text5->text() + " " + o.Text6->text(),
              "210 5880 3180 5955");
    f.switch_Click(18);
    EXPECT_EQ(o.Text2->text(), "18");
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    // 2: clicks act in layout-edit mode too.
    f.layout.IgnoreNextSwitchClick = 2;
    f.switch_Click(18);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 0);
    EXPECT_FALSE(f.Timer2->enabled());
    EXPECT_EQ(s.shows(f.switch_[18]), "FullScreenTime-Off.jpg");
    // OK closes the dialog.
    o.cmdOK_Click();
    EXPECT_FALSE(f.station().frmOptionsSlot().loaded());
}

TEST(MainBar, ExitStopsClearsAndClosesThePlayerAndWritesNothing) {
    for (const bool fromWindowManager : {false, true}) {
        ReadyStation s;
        Form1& f = *s.f;
        const auto before = filesIn(s.rt.programFolder());
        s.rt.player().clearLog();
        if (fromWindowManager) {
            f.close();
        } else {
            tk::dispatch([&] { f.switch_Click(9); });
        }
        EXPECT_TRUE(s.rt.programExit().ended);
        EXPECT_FALSE(s.station->form1Slot().loaded());
        EXPECT_FALSE(s.station->form2Slot().loaded());
        EXPECT_FALSE(s.station->frmOptionsSlot().loaded());
        std::vector<std::pair<std::uint32_t, std::int32_t>> sent;
        for (const auto& m : s.rt.player().messages()) {
            sent.emplace_back(m.message, m.message == playerwire::kMsgCommand ? m.wParam : m.lParam);
        }
        EXPECT_EQ(sent, (std::vector<std::pair<std::uint32_t, std::int32_t>>{
                            {playerwire::kMsgCommand, playerwire::kCommandStop},
                            {playerwire::kMsgUser, playerwire::kClearList},
                            {playerwire::kMsgCommand, playerwire::kCommandClose}}));
        EXPECT_EQ(filesIn(s.rt.programFolder()), before);
    }
}

TEST(MainBar, ElementsShowTheScreenMinimiseToggleListPagesAndPickRandomly) {
    ReadyStation s;
    Form1& f = *s.f;
    f.switch_Click(7);
    EXPECT_TRUE(f.station().form2().visible());
    EXPECT_FALSE(f.visible());
    f.showForm();
    f.switch_Click(8);
    EXPECT_EQ(f.windowStateValue(), 1);

    // Element 6 slides the add-songs page out first when it is in, then toggles the playlist page.
    f.ToggleAddSongsPage();
    f.switch_Click(6);
    EXPECT_EQ(f.pages.AddSongsOpen, 0);
    EXPECT_FALSE(f.Page_AddSongs->visible());
    EXPECT_EQ(f.pages.PlayListOpen, 1);
    EXPECT_EQ(f.Page_PlayList->top(), 1125.0f);
    f.switch_Click(5);
    EXPECT_EQ(f.pages.LastSongsOpen, 1);
    EXPECT_EQ(s.shows(f.switch_[5]), "LastSong-On.jpg");

    // A skin picture that cannot be loaded leaves the element's picture; the element still acts.
    fs::remove(s.rt.programFolder() / "Skin" / "FullScreenTime-On.jpg");
    f.switch_Click(18);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    EXPECT_EQ(s.shows(f.switch_[18]), "FullScreenTime-Off.jpg");
    EXPECT_TRUE(s.rt.messages().shown.empty());

    // Enter in the random-count box picks, then marks the Enter for the next pick, which clears it.
    int key = 13;
    f.Text1_KeyPress(key);
    EXPECT_EQ(key, 13);
    EXPECT_EQ(f.layout.EnterPressed, 1);
    f.switch_Click(15);
    EXPECT_EQ(f.layout.EnterPressed, 0);
    EXPECT_EQ(s.shows(f.switch_[15]), "Switch-Off.jpg");

    // The wheel follows element 16 whenever a bar picture changes.
    f.switch_[16].move(1000, 2000);
    f.switch_Click(18);
    EXPECT_EQ(f.Wheel1->control().left(), 1000.0f);
    EXPECT_EQ(f.Wheel1->control().top(), 1580.0f);
    // The search button's pressed look, none in layout-edit mode; a top-10 cover opens the album page.
    f.Switches_MouseDown(9, 1, 0, 0, 0);
    EXPECT_EQ(f.Switches[9].borderStyle(), 1);
    EXPECT_EQ(s.shows(f.Switches[9]), "Search-On.jpg");
    f.Switches_MouseUp(9, 1, 0, 0, 0);
    EXPECT_EQ(f.Switches[9].borderStyle(), 0);
    EXPECT_EQ(s.shows(f.Switches[9]), "Search-Off.jpg");
    f.layout.LayoutEditMode = 1.0f;
    f.Switches_MouseDown(8, 1, 0, 0, 0);
    EXPECT_EQ(f.Switches[8].borderStyle(), 0);
    f.layout.LayoutEditMode = 0.0f;
    f.Image6_DblClick(1);
    EXPECT_EQ(f.pages.SinglePageOpen, 1);

    // Element 20 only runs the closing step, which leaves the lines alone while the album page is open.
    f.pages.AlbumPageOpen = 1;
    f.switch_[19].setVisible(true);
    f.Label1[20].setVisible(true);
    f.switch_Click(20);
    EXPECT_TRUE(f.switch_[19].visible());
    f.pages.AlbumPageOpen = 0;
    f.switch_Click(20);
    EXPECT_FALSE(f.switch_[19].visible());
    EXPECT_FALSE(f.Label1[20].visible());
}

TEST(MainBar, TopTenPagingRunsThroughFivePairsAndBack) {
    ReadyStation s;
    Form1& f = *s.f;
    f.switch_Click(16); // page closed: nothing moves
    EXPECT_EQ(f.browse.TopTenFirst, 1);
    f.pages.TopTenPageOpen = 1;
    f.switch_[19].setVisible(true);
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < 5; ++i) {
        f.switch_Click(16);
        pairs.emplace_back(f.browse.TopTenFirst, f.browse.TopTenLast);
    }
    EXPECT_EQ(pairs, (std::vector<std::pair<int, int>>{{3, 4}, {5, 6}, {7, 8}, {9, 10}, {1, 2}}));
    EXPECT_TRUE(f.switch_[19].visible()); // paging returns before the closing step
}

TEST(MainBar, BrowseModeElementTogglesAndPutsTheWheelOnRowOne) {
    for (const int albums : {5, 1}) {
        ReadyStation s(albums);
        Form1& f = *s.f;
        f.pages.AlbumPageOpen = 1;
        f.Wheel1->setValue(albums);
        f.browse.AlbumPageFirst = 4;
        f.Label1[18].setCaption("");
        f.switch_Click(19);
        EXPECT_EQ(f.pages.BrowseByAlbum, 1);
        EXPECT_EQ(s.shows(f.switch_[19]), "ByAlbum.jpg");
        EXPECT_EQ(f.browse.AlbumPageFirst, 1);
        EXPECT_EQ(f.browse.AlbumPageLast, 8);
        EXPECT_EQ(f.Wheel1->value(), 1);
        // The wheel's change showed row 1 of the album table, album first, and a single row raised no
        // message.
        EXPECT_EQ(f.browse.AlbumPageMode, 2);
        EXPECT_EQ(f.Label1[18].caption(), "1 - Album 01  -  Artist 01");
        EXPECT_TRUE(s.rt.messages().shown.empty()) << albums;
        f.switch_Click(19);
        EXPECT_EQ(f.pages.BrowseByAlbum, 0);
        EXPECT_EQ(s.shows(f.switch_[19]), "ByArtist.jpg");
    }
}

TEST(MainBar, ARightReleaseInLayoutEditModeActsOnceAndElement17LeavesTheMode) {
    ReadyStation s;
    Form1& f = *s.f;
    showAndExpose(&f);
    f.Text_Pass->setText("Kestrum");
    f.StartLayoutEdit();
    // A right click: the release runs the action once, the click after it does not run it again.
    click(&f.switch_[18], 2);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    EXPECT_EQ(f.layout.IgnoreNextSwitchClick, 2);
    EXPECT_EQ(f.layout.LayoutEditMode, 1.0f);
    click(&f.switch_[18], 1); // with the flag at 2 left clicks act as well
    EXPECT_EQ(f.pages.FullScreenTimeOn, 0);

    fs::remove(s.rt.programFolder() / "Conf.mld");
    click(&f.switch_[17], 2);
    EXPECT_EQ(f.layout.LayoutEditMode, 0.0f);
    EXPECT_EQ(fs::file_size(s.rt.programFolder() / "Conf.mld"), 4146u);
    EXPECT_FALSE(f.Picture2[1].visible());
    EXPECT_FALSE(f.station().form2().Picture2[4].visible());
    EXPECT_EQ(s.shows(f.switch_[17]), "EditScreenPass-Off.jpg");
    EXPECT_TRUE(f.Label1[3].autoSize());
    // The click after leaving is swallowed; the one after that acts.
    EXPECT_EQ(f.layout.IgnoreNextSwitchClick, 1);
    fs::remove(s.rt.programFolder() / "Conf.mld");
    click(&f.switch_[18], 1);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 0);
    EXPECT_EQ(f.layout.IgnoreNextSwitchClick, 0);
    click(&f.switch_[18], 1);
    EXPECT_EQ(f.pages.FullScreenTimeOn, 1);
    EXPECT_FALSE(fs::exists(s.rt.programFolder() / "Conf.mld")); // saved once, when the mode ended
}

TEST(OptionsDialog, IsBuiltFromItsLayoutWithTheLabelsPageShown) {
    ReadyStation s(0);
    FrmOptions& o = s.f->station().frmOptions();
    EXPECT_EQ(o.caption(), "Options");
    EXPECT_EQ(o.scaleWidth(), 7320.0f);
    EXPECT_EQ(o.scaleHeight(), 6465.0f);
    EXPECT_EQ(o.tbsOptions->tabCount(), 4);
    EXPECT_EQ(o.tbsOptions->tabCaption(3), "Images");
    EXPECT_EQ(o.picOptions[0].left(), 120.0f);
    EXPECT_EQ(o.picOptions[0].top(), 480.0f);
    EXPECT_EQ(o.picOptions[1].top(), -6500.0f);
    EXPECT_EQ(o.picOptions[3].top(), -10000.0f);
    EXPECT_EQ(o.Text11->text(), "11");
    EXPECT_EQ(o.Text11->left(), 1395.0f);
    EXPECT_EQ(o.Text6->top(), 2610.0f);
    EXPECT_EQ(o.Label13->caption(), "****  This Picture Is AutoSized  ****");
    EXPECT_EQ(o.Check2->value(), 1);
    EXPECT_EQ(o.Check4->left(), 5505.0f);
    EXPECT_EQ(o.cmdApply->caption(), "Apply");
    EXPECT_EQ(o.SliderPic1.count(), 2);
}
