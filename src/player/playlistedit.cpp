// The playlist and last-songs pages: a click or a key release in a list opens the row's album, a
// double-click or Enter plays the row at once, Delete removes it; the pages' buttons clear a list, open
// the add-songs page and close the page. Also the reset of every queued mark, from the database page.
#include "app/form1.h"

#include "browse/songcolumns.h"
#include "browse/songmarks.h"
#include "platform/control.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listbox.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "player/playbackguard.h"
#include "player/songsource.h"

namespace {
// The playlist and last-songs rows: sub-item 3 the artist, 4 the album.
constexpr int kRowArtist = 3;
constexpr int kRowAlbum = 4;
// The last cell of the album's songs and of the song results.
constexpr int kLastResultCell = 6;
// Which list RemoveListEntry works on.
constexpr int kOwnerPlaylist = 1;
constexpr int kOwnerLastSongs = 2;
// The selected row of the playlist or the last-songs list starts at once, also while another song
// plays; a paused song resumes instead.
void playSelectedRow(Form1& f, tk::ListView& list) {
    const int row = list.selectedRow();
    if (row == 0) {
        return;
    }
    PlaybackState& p = f.playback;
    p.CurrentIndex = row;
    p.ForcePlay = 1;
    p.FromLastSongs = &list == f.PrevView ? 1 : 0;
    f.ClearSongHighlight();
    p.StartAtFirst = 0;
    p.StoppedFlag = 0;
    f.PlayCurrentSong();
}

// Delete removes the selected row of the list `owner` names; Enter plays it.
void keyInList(Form1& f, int keyCode, int owner) {
    tk::ListView& list = owner == kOwnerPlaylist ? *f.play : *f.PrevView;
    if (keyCode == tk::kKeyDelete) {
        f.playback.ListOwner = owner;
        f.RemoveListEntry(list.selectedRow());
        f.playback.ListOwner = 0;
    } else if (keyCode == tk::kKeyReturn) {
        playSelectedRow(f, list);
    }
}

} // namespace

void Form1::connectPlaylist() {
    play->click.connect([this] { play_Click(); });
    play->keyUp.connect([this](int& key, int shift) { play_KeyUp(key, shift); });
    play->keyDown.connect([this](int& key, int shift) { play_KeyDown(key, shift); });
    play->dblClick.connect([this] { play_DblClick(); });
    PrevView->click.connect([this] { PrevView_Click(); });
    PrevView->keyUp.connect([this](int& key, int shift) { PrevView_KeyUp(key, shift); });
    PrevView->keyDown.connect([this](int& key, int shift) { PrevView_KeyDown(key, shift); });
    PrevView->dblClick.connect([this] { PrevView_DblClick(); });
    Picture6.connect(&tk::Control::click, [this](int i) { Picture6_Click(i); });
    Picture6.connect(&tk::Control::mouseDown, [this](int i, int button, int shift, float x, float y) {
        Picture6_MouseDown(i, button, shift, x, y);
    });
    Picture6.connect(&tk::Control::mouseUp, [this](int i, int button, int shift, float x, float y) {
        Picture6_MouseUp(i, button, shift, x, y);
    });
    Picture1.connect(&tk::Control::click, [this](int i) { Picture1_Click(i); });
    File1->dblClick.connect([this] { File1_DblClick(); });
    File1->mouseDown.connect(
        [this](int button, int shift, float x, float y) { File1_MouseDown(button, shift, x, y); });
    Image1[1].setDropTarget(true);
    Image1.connect(&tk::Control::dragDrop,
                   [this](int i, const tk::DropData& data) { Image1_OLEDragDrop(i, data); });
}

void Form1::play_Click() {
    openAlbumOfSelectedRow(*play, kRowArtist, kRowAlbum);
}

void Form1::PrevView_Click() {
    openAlbumOfSelectedRow(*PrevView, kRowArtist, kRowAlbum);
}

void Form1::play_KeyUp(int&, int) {
    play_Click();
}

void Form1::PrevView_KeyUp(int&, int) {
    PrevView_Click();
}

void Form1::play_KeyDown(int& KeyCode, int) {
    keyInList(*this, KeyCode, kOwnerPlaylist);
}

void Form1::PrevView_KeyDown(int& KeyCode, int) {
    keyInList(*this, KeyCode, kOwnerLastSongs);
}

void Form1::play_DblClick() {
    playSelectedRow(*this, *play);
}

// A last-songs row is played from that list and not queued.
void Form1::PrevView_DblClick() {
    playSelectedRow(*this, *PrevView);
}

// Rows are numbered by their position, so a row's number is its place in the list. The playlist's
// playing, next and last-started rows keep their songs; the counters and the queued marks stay.
void Form1::RemoveListEntry(int Index) {
    if (playback.ListOwner == kOwnerPlaylist) {
        removePlaylistRow(Index);
    } else if (playback.ListOwner == kOwnerLastSongs) {
        removeLastSongsRow(Index);
    }
}

void Form1::Picture6_Click(int Index) {
    switch (Index) {
    case 0:
        ToggleAddSongsPage();
        break;
    case 1:
        clearPlaylist();
        break;
    case 4:
        switch_Click(6);
        break;
    default:
        break; // the loop and random buttons act on their release
    }
}

void Form1::Picture1_Click(int Index) {
    if (Index == 0) {
        clearLastSongs();
    } else if (Index == 1) {
        switch_Click(5);
    }
}

// The player is not told: a playing song plays on. The queued marks and the chosen count stay.
void Form1::clearPlaylist() {
    PlaybackState& p = playback;
    lstFilenames->clear();
    play->clear();
    p.CurrentIndex = 0;
    p.NextIndex = 1;
    showSkinPicture(Image1[2], "\\Cover.jpg");
    for (int k = 8; k <= 10; ++k) {
        Label1[k].setCaption("");
    }
    Label1[11].setCaption("0/0");
    mirrorCaptions(*this, 8, 11);
    mirrorCover(*this, 2);
}

void Form1::clearLastSongs() {
    PrevView->clear();
    showSkinPicture(Image1[0], "\\Cover.jpg");
    for (int k = 0; k <= 2; ++k) {
        Label1[k].setCaption("");
    }
    Label1[3].setCaption(std::to_string(PrevView->count()));
    mirrorCover(*this, 0);
    mirrorCaptions(*this, 0, 3);
}

// Takes the queued mark off every song list and starts counting chosen songs anew. The playlist keeps
// its rows: a song still in it can be queued again.
void Form1::ResetSongMarks() {
    clearMarks(*ListView, kSongListMarks.first, kSongListMarks.last);
    clearMarks(*SingleView, 0, kLastResultCell);
    clearMarks(*SSonglist, 0, kLastResultCell);
    playback.ChosenCount = 0;
    showRandomLimit(randomPickWhole(*ListView));
    playback.AlbumAddedWhole = 0;
}
