#include "app/form1.h"
#include "controls/wheel.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"

#include <array>

// Elements 10 to 14 of the bar open the single-album, album, database, top-10 and search pages behind
// the doors. At most one is open, and the doors are open exactly while one is: switching from one page
// to another closes the doors over the old page and opens them over the new one.
void Form1::ToggleBrowsePage(int Index) {
    const std::array<std::int32_t*, 5> flags = {&pages.SinglePageOpen, &pages.AlbumPageOpen,
                                                &pages.DataBasePageOpen, &pages.TopTenPageOpen,
                                                &pages.SearchPageOpen};
    const std::array<tk::PictureBox*, 5> containers = {Page_Single, Page_Album, Page_DataBase, Page_Top10,
                                                       Page_Search};
    const int own = Index - 10;
    std::int32_t& open = *flags[own];

    bool rivalOpen = false;
    for (int k = 0; k < 5; ++k) {
        rivalOpen = rivalOpen || (k != own && *flags[k] == 1);
    }
    if (rivalOpen) {
        for (int e = 10; e <= 14; ++e) {
            showSkinPicture(switch_[e], e == Index ? "\\Switch-On.jpg" : "\\Switch-Off.jpg");
        }
        for (int k = 0; k < 5; ++k) {
            if (k != own) {
                *flags[k] = 0;
            }
        }
        OpenCloseDoors();
    }

    if (open == 0) {
        showSkinPicture(switch_[Index], "\\Switch-On.jpg");
        open = 1;
        if (Index == 12) {
            RestoreListOrder();
        }
        tk::PictureBox& page = *containers[own];
        page.move(0, 0);
        page.setVisible(true);
        switch (Index) {
        case 11:
            switch_[19].setVisible(true);
            for (int k = 18; k <= 20; ++k) {
                Label1[k].setVisible(true);
            }
            if (Label1[18].caption() == kTopTenWheelNotice) {
                Label1[18].setCaption("");
            }
            SwitchBrowseMode();
            ShowAlbumPage();
            // In album mode the wheel button's next step starts from the row in the first cell.
            if (browse.AlbumPageMode == 2) {
                browse.WheelValue = browse.AlbumCellRow[1];
                browse.WheelFromCell = 1;
            }
            break;
        case 12:
            ListView->setFocus();
            break;
        case 13:
            FillTopTen();
            break;
        case 14:
            Text2->setFocus();
            break;
        default:
            break;
        }
    } else {
        showSkinPicture(switch_[Index], "\\Switch-Off.jpg");
        open = 0;
        if (Index == 11) {
            hideAlbumPageLines();
        } else if (Index == 13) {
            Label1[18].setCaption("");
        }
    }
    OpenCloseDoors();
}
