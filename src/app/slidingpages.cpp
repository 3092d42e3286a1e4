#include "app/animation.h"
#include "app/designlayout.h"
#include "app/form1.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"

#include <functional>
#include <stdexcept>
#include <string_view>

namespace {

const layout::SlidingPage& travelOf(std::string_view page) {
    for (const layout::SlidingPage& p : layout::kSlidingPages) {
        if (p.name == page) {
            return p;
        }
    }
    throw std::logic_error("no travel for " + std::string(page));
}

// One sliding page: its travel, its open flag, the button that shows whether it is out, and what gets
// the keyboard focus once it is in.
struct PageToggle {
    tk::Control& page;
    std::int32_t& open;
    std::function<void(std::string_view)> showButton;
    std::string_view onPicture;
    std::string_view offPicture;
    tk::Control* focus = nullptr;
    bool startFromClosedAtOnce = false; // the last-songs page closes short of its parked place
};

void toggle(Form1& f, const PageToggle& t) {
    const layout::SlidingPage& travel = travelOf(t.page.name());
    const auto closed = static_cast<float>(travel.closedTop);
    const auto opened = static_cast<float>(travel.openTop);
    const auto step = static_cast<float>(travel.step);
    if (t.open == 0) {
        if (t.startFromClosedAtOnce) {
            t.page.setTop(closed);
        }
        t.page.setVisible(true);
        t.showButton(t.onPicture);
        slideTop(t.page, *f.Shape1, closed, opened, step);
        t.open = 1;
        if (t.focus) {
            t.focus->setFocus();
        }
    } else {
        slideTop(t.page, *f.Shape1, opened, closed, -step);
        t.open = 0;
        t.page.setVisible(false);
        t.showButton(t.offPicture);
    }
}

} // namespace

void Form1::ToggleLastSongsPage() {
    toggle(*this, {*Page_LastSongPlaylist, pages.LastSongsOpen,
                   [this](std::string_view p) { showSkinPicture(switch_[5], p); }, "\\LastSong-On.jpg",
                   "\\LastSong-Off.jpg", PrevView, true});
}

void Form1::TogglePlayListPage() {
    toggle(*this, {*Page_PlayList, pages.PlayListOpen,
                   [this](std::string_view p) { showSkinPicture(switch_[6], p); }, "\\NextSong-On.jpg",
                   "\\NextSong-Off.jpg", play});
}

void Form1::ToggleAddSongsPage() {
    toggle(*this, {*Page_AddSongs, pages.AddSongsOpen,
                   [this](std::string_view p) { showSkinPicture(Picture6[0], p); }, "\\AddToPlaylist-On.jpg",
                   "\\AddToPlaylist-Off.jpg"});
}

void Form1::ToggleAddMoreSongsPage() {
    toggle(*this, {*Page_AddMoreSongs, pages.AddMoreSongsOpen,
                   [this](std::string_view p) { showSkinPicture(Image2[0], p); }, "\\AddMoreSongs-On.jpg",
                   "\\AddMoreSongs-Off.jpg"});
}

void Form1::ToggleDeleteDataBasePage() {
    toggle(*this, {*Page_DeleteDataBase, pages.DeleteDataBaseOpen,
                   [this](std::string_view p) { showSkinPicture(Image3[2], p); }, "\\DeleteDataBase-On.jpg",
                   "\\DeleteDataBase-Off.jpg", Text3});
}

void Form1::ToggleEditID3v2Page() {
    toggle(*this, {*Page_EditID3v2, pages.EditID3v2Open,
                   [this](std::string_view p) { showSkinPicture(Image2[2], p); }, "\\EditID3v2-On.jpg",
                   "\\EditID3v2-Off.jpg"});
}

void Form1::OpenCloseDoors() {
    const auto width = static_cast<float>(layout.DoorWidth);
    if (layout.DoorState == 0) {
        // The right door mirrors the left one about the door width, one step ahead of it.
        animate(positionCount(0, -width, -50), [&](int k) {
            const auto x = static_cast<float>(-50 * k);
            LeftDoor->setLeft(x);
            RightDoor->setLeft(width - LeftDoor->left() + 50);
            Shape1->setLeft(x - 5000);
            Timer8_Timer();
        });
        layout.DoorState = 1;
        return;
    }
    animate(positionCount(-width, 0, 50), [&](int k) {
        const float x = -width + static_cast<float>(50 * k);
        LeftDoor->setLeft(x);
        if (LeftDoor->left() < 0) {
            RightDoor->setLeft(width - LeftDoor->left() - 50);
        }
        Shape1->setLeft(x - 5000);
        Timer8_Timer();
    });
    layout.DoorState = 0;
    for (tk::PictureBox* page : {Page_Single, Page_DataBase, Page_Album, Page_Top10, Page_Search}) {
        page->setVisible(false);
    }
}
