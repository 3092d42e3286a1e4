#include "app/form1.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"

#include <string>

namespace {
// A skin file's path: the program folder, "Skin", then the name as the station writes it.
std::filesystem::path skinPath(std::string_view name) {
    return tk::underFolder(tk::Runtime::current().programFolder() / "Skin", name);
}

template <class Element> void showIfLoaded(Element& element, std::string_view name) {
    if (auto picture = tk::Runtime::current().pictures().tryLoad(skinPath(name))) {
        element.setPicture(*picture);
    }
}
} // namespace

tk::Picture Form1::skinPicture(std::string_view name) const {
    return tk::Runtime::current().pictures().load(skinPath(name));
}

void Form1::showSkinPicture(tk::PictureBox& element, std::string_view name) const {
    showIfLoaded(element, name);
}

void Form1::showSkinPicture(tk::Image& element, std::string_view name) const {
    showIfLoaded(element, name);
}

// Loads every skin picture of the main window in a fixed order, parks three sliding pages above the
// window, centres six pages over the station and puts the doors at their closed places.
void Form1::LoadSkinPictures() {
    // Centred over the design area, not the screen: on a screen wider than the design the band beside
    // the station is no part of it, and a page centred on the whole width would cover the station's own
    // controls there.
    const auto centre = [](tk::PictureBox* page) {
        page->setLeft(tk::Screen::kDesignWidthTwips / 2 - page->width() / 2);
    };
    const auto park = [&](tk::PictureBox* page) {
        page->setTop(-6500);
        centre(page);
    };

    switch_[7].setPicture(skinPicture("\\FullScreen.jpg"));
    switch_[18].setPicture(skinPicture("\\FullScreenTime-Off.jpg"));
    switch_[8].setPicture(skinPicture("\\Minimize.jpg"));
    switch_[9].setPicture(skinPicture("\\Exit.jpg"));
    setPicture(skinPicture("\\Screen.jpg"));
    static constexpr const char* kTransport[5] = {"\\Prev.jpg", "\\Stop.jpg", "\\Pause.jpg", "\\Play.jpg",
                                                  "\\Next.jpg"};
    for (int i = 0; i <= 4; ++i) {
        switch_[i].setPicture(skinPicture(kTransport[i]));
    }
    switch_[5].setPicture(skinPicture("\\LastSong-Off.jpg"));
    switch_[6].setPicture(skinPicture("\\NextSong-Off.jpg"));
    Page_PlayList->setPicture(skinPicture("\\PlayList.jpg"));
    park(Page_PlayList);
    static constexpr const char* kPlayListButtons[5] = {"\\AddToPlaylist-Off.jpg", "\\ClearPlaylist-Off.jpg",
                                                        "\\Loop-Off.jpg", "\\Random-Off.jpg",
                                                        "\\Close-Off.jpg"};
    for (int i = 0; i <= 4; ++i) {
        Picture6[i].setPicture(skinPicture(kPlayListButtons[i]));
    }
    Switches[8].setPicture(skinPicture("\\LoadDirectory-off.jpg"));
    Page_AddSongs->setPicture(skinPicture("\\AddSongs.jpg"));
    park(Page_AddSongs);
    Page_LastSongPlaylist->setPicture(skinPicture("\\LastSongPlaylist.jpg"));
    park(Page_LastSongPlaylist);
    Picture1[0].setPicture(skinPicture("\\ClearPlayList-Off.jpg"));
    Picture1[1].setPicture(skinPicture("\\Close-Off.jpg"));
    for (int i = 0; i <= 3; ++i) {
        Image1[i].setPicture(skinPicture("\\Cover.jpg"));
    }
    for (int i = 10; i <= 15; ++i) {
        switch_[i].setPicture(skinPicture("\\Switch-off.jpg"));
    }
    switch_[16].setPicture(skinPicture("\\Wheel\\Wheel Button.jpg"));
    switch_[17].setPicture(skinPicture("\\EditScreenPass-Off.jpg"));
    switch_[20].setPicture(skinPicture("\\PlayStop.jpg"));
    BackPage->setPicture(skinPicture("\\BackPage.jpg"));
    LeftDoor->setPicture(skinPicture("\\LeftDoor.jpg"));
    LeftDoor->setTop(0);
    LeftDoor->setLeft(0);
    RightDoor->setPicture(skinPicture("\\RightDoor.jpg"));
    RightDoor->setTop(0);
    RightDoor->setLeft(5400);
    Page_Single->setPicture(skinPicture("\\Single.jpg"));
    Image11->setPicture(skinPicture("\\Cover.jpg"));
    Picture5[0].setPicture(skinPicture("\\Single-Name.jpg"));
    Picture5[1].setPicture(skinPicture("\\Single-List.jpg"));
    switch_[19].setPicture(skinPicture("\\ByArtist.jpg"));
    Page_Album->setPicture(skinPicture("\\Albums.jpg"));
    for (int cell = 1; cell <= 8; ++cell) {
        SImage[cell].setPicture(skinPicture("\\Cover.jpg"));
    }
    Page_DataBase->setPicture(skinPicture("\\DataBase.jpg"));
    Image2[0].setPicture(skinPicture("\\AddMoreSongs-off.jpg"));
    Image2[1].setPicture(skinPicture("\\ClearSelected-off.jpg"));
    Image2[2].setPicture(skinPicture("\\EditID3v2-off.jpg"));
    Page_AddMoreSongs->setPicture(skinPicture("\\AddMoreSongs.jpg"));
    centre(Page_AddMoreSongs);
    Image3[0].setPicture(skinPicture("\\GetFiles-Off.jpg"));
    Image3[1].setPicture(skinPicture("\\Cancel-Off.jpg"));
    Image3[2].setPicture(skinPicture("\\DeleteDataBase-Off.jpg"));
    Page_DeleteDataBase->setPicture(skinPicture("\\DeleteDataBase.jpg"));
    Image3[3].setPicture(skinPicture("\\OK-Off.jpg"));
    Image3[4].setPicture(skinPicture("\\Cancel-Off.jpg"));
    Page_EditID3v2->setPicture(skinPicture("\\EditID3v2.jpg"));
    centre(Page_EditID3v2);
    Image4[0].setPicture(skinPicture("\\CopyToID3v2-Off.jpg"));
    Image4[1].setPicture(skinPicture("\\OK-Off.jpg"));
    Image4[2].setPicture(skinPicture("\\Apply-Off.jpg"));
    Page_Top10->setPicture(skinPicture("\\Top10.jpg"));
    Image6[0].setPicture(skinPicture("\\Cover.jpg"));
    Image6[1].setPicture(skinPicture("\\Cover.jpg"));
    Page_Search->setPicture(skinPicture("\\Search.jpg"));
    Switches[9].setPicture(skinPicture("\\Search-Off.jpg"));
    Page_EditScreenPass->setPicture(skinPicture("\\EditScreenPass.jpg"));
    centre(Page_EditScreenPass);
    Image5->setPicture(skinPicture("\\OK-Off.jpg"));
    Image8->setPicture(skinPicture("\\Cancel-Off.jpg"));
}
