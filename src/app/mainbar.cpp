#include "app/form1.h"
#include "app/station.h"
#include "controls/wheel.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "platform/timer.h"
#include "screen/form2.h"

#include <algorithm>

void Form1::connectNavigation() {
    switch_.connect(&tk::Control::click, [this](int i) {
        if (m_swallowBarClick) {
            m_swallowBarClick = false;
            return;
        }
        switch_Click(i);
    });
    // A new press starts a new click: a release that raised no click leaves nothing to swallow.
    switch_.connect(&tk::Control::mouseDown, [this](int i, int button, int shift, float x, float y) {
        m_swallowBarClick = false;
        switch_MouseDown(i, button, shift, x, y);
    });
    switch_.connect(&tk::Control::mouseUp, [this](int i, int button, int shift, float x, float y) {
        switch_MouseUp(i, button, shift, x, y);
    });
    switch_.connect(&tk::PictureBox::change, [this](int i) { switch_Change(i); });
    Switches.connect(&tk::Control::mouseDown, [this](int i, int button, int shift, float x, float y) {
        Switches_MouseDown(i, button, shift, x, y);
    });
    Switches.connect(&tk::Control::mouseUp, [this](int i, int button, int shift, float x, float y) {
        Switches_MouseUp(i, button, shift, x, y);
    });
    Image6.connect(&tk::Control::dblClick, [this](int i) { Image6_DblClick(i); });
    Text1->keyPress.connect([this](int& key) { Text1_KeyPress(key); });
    Text_Pass->change.connect([this] { Text_Pass_Change(); });
    Text_Pass->keyPress.connect([this](int& key) { Text_Pass_KeyPress(key); });
    Image5->click.connect([this] { Image5_Click(); });
    Image8->click.connect([this] { Image8_Click(); });
}

void Form1::hideAlbumPageLines() {
    switch_[19].setVisible(false);
    Label1[19].setVisible(false);
    Label1[20].setVisible(false);
}

void Form1::switch_Click(int Index) {
    if (layout.IgnoreNextSwitchClick == 1) {
        layout.IgnoreNextSwitchClick = 0;
        return;
    }
    if (layout.LayoutEditMode == 1.0f && layout.IgnoreNextSwitchClick != 2) {
        PickSwitchElement(Index);
    } else {
        switch (Index) {
        case 0:
            PreviousSong();
            break;
        case 1:
            StopSong();
            break;
        case 2:
            PauseSong();
            break;
        case 3:
            PlayCurrentSong();
            break;
        case 4:
            NextSong();
            break;
        case 5:
            ToggleLastSongsPage();
            break;
        case 6:
            if (pages.AddSongsOpen == 1) {
                ToggleAddSongsPage();
            }
            TogglePlayListPage();
            break;
        case 7:
            station().form2().showForm();
            hideForm();
            break;
        case 8:
            setWindowStateValue(1);
            break;
        case 9:
            exitStation();
            return;
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
            ToggleBrowsePage(Index);
            break;
        case 15:
            // An Enter typed earlier in the random-count or search box shows the pressed look first.
            if (layout.EnterPressed == 1) {
                showSkinPicture(switch_[15], "\\Switch-On.jpg");
            }
            layout.EnterPressed = 0;
            RandomSelectSongs();
            showSkinPicture(switch_[15], "\\Switch-Off.jpg");
            break;
        case 16:
            // On the top-10 page the wheel button shows the next two ranks, then the first two again.
            if (pages.TopTenPageOpen == 1) {
                browse.TopTenFirst += 2;
                browse.TopTenLast += 2;
                if (browse.TopTenLast > 10) {
                    browse.TopTenFirst = 1;
                    browse.TopTenLast = 2;
                }
                FillTopTen();
                return;
            }
            break;
        case 17:
            if (layout.PassPageState == 1 && layout.IgnoreNextSwitchClick != 2) {
                showSkinPicture(switch_[17], "\\EditScreenPass-Off.jpg");
                ToggleEditScreenPassPage();
                return;
            }
            if (layout.LayoutEditMode == 0.0f) {
                ToggleEditScreenPassPage();
            } else {
                showSkinPicture(switch_[17], "\\EditScreenPass-Off.jpg");
                layout.LayoutEditMode = 0;
                Form2& screen = station().form2();
                for (int i = 1; i <= 4; ++i) {
                    Picture2[i].setVisible(false);
                    screen.Picture2[i].setVisible(false);
                }
                EndLayoutEdit();
                layout.IgnoreNextSwitchClick = 1;
            }
            break;
        case 18:
            if (pages.FullScreenTimeOn == 0) {
                showSkinPicture(switch_[18], "\\FullScreenTime-On.jpg");
                pages.FullScreenTimeOn = 1;
                Timer2->setEnabled(true);
            } else {
                showSkinPicture(switch_[18], "\\FullScreenTime-Off.jpg");
                pages.FullScreenTimeOn = 0;
                Timer2->setEnabled(false);
            }
            break;
        case 19: {
            if (pages.BrowseByAlbum == 0) {
                showSkinPicture(switch_[19], "\\ByAlbum.jpg");
                pages.BrowseByAlbum = 1;
            } else {
                showSkinPicture(switch_[19], "\\ByArtist.jpg");
                pages.BrowseByAlbum = 0;
            }
            SwitchBrowseMode();
            browse.AlbumPageLast = 8;
            browse.AlbumPageFirst = 1;
            ShowAlbumPage();
            // The wheel goes back to the first row and its change shows it, also when it stood there:
            // through row 2 where the table has one, else by raising the change once.
            const int rows = (browse.AlbumPageMode == 2 ? TempAlbum : TempArtist)->count();
            Wheel1->setMax(std::max(1, rows));
            if (rows >= 2) {
                Wheel1->setValue(2);
                Wheel1->setValue(browse.AlbumPageFirst);
            } else if (Wheel1->value() != 1) {
                Wheel1->setValue(1);
            } else {
                Wheel1_Change();
            }
            break;
        }
        default:
            break; // element 20 shows the play state and has no action
        }
    }
    if (pages.AlbumPageOpen != 1) {
        hideAlbumPageLines();
    }
}

void Form1::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        switch_Click(15);
        layout.EnterPressed = 1;
    }
}
