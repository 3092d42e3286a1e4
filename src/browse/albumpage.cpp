// The album page: eight cover cells showing rows of the artist table (browsing by artist) or of the
// album table (browsing by album), and what a press, a release and a double-click on a cover do.
#include "app/form1.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"

#include <string>

namespace {

constexpr int kCells = 8;
constexpr tk::OleColor kEmphasis = 192;            // dark red: the names the page is browsed by
constexpr tk::OleColor kRangeBackColor = 0xFF8080; // the main window's own back colour

constexpr const char* kQueueHint = "   ***** Right Mouse Click To Sent This Album to PlayList  *****   ";

} // namespace

void Form1::ShowAlbumPage() {
    tk::ListView* table = nullptr;
    if (browse.AlbumPageMode == 1) {
        table = TempArtist;
    } else if (browse.AlbumPageMode == 2) {
        table = TempAlbum;
    } else {
        return;
    }
    // The page always starts on a row of the table's numbering: a range asked from below row 1
    // starts at row 1 instead, eight rows long.
    if (browse.AlbumPageFirst < 1) {
        browse.AlbumPageFirst = 1;
        browse.AlbumPageLast = 1 + kCells - 1;
    }
    const int first = browse.AlbumPageFirst;
    const int last = browse.AlbumPageLast;
    for (int k = 1; k <= kCells && first + k - 1 <= last; ++k) {
        const int r = first + k - 1;
        if (r > table->count()) {
            SLAlbum[k].setCaption("");
            SLArtist[k].setCaption("");
            SLFile[k].setCaption("");
            // Without the skin's empty picture the cell is blank rather than showing a cover that is
            // no longer there.
            if (!tk::tryStep([&] { SImage[k].setPicture(skinPicture("\\Empty.jpg")); })) {
                SImage[k].setPicture(tk::Picture());
            }
            browse.AlbumCellRow[static_cast<std::size_t>(k)] = 0;
            continue;
        }
        const std::string artist = table->subItem(r, 1);
        const std::string album = table->subItem(r, 2);
        const std::string path = table->subItem(r, 3);
        if (!showAlbumCover(SImage[k], path)) {
            SImage[k].setPicture(tk::Picture());
        }
        const std::string named = browse.AlbumPageMode == 1 ? artist + " - " + album : album + " - " + artist;
        SImage[k].setToolTipText(" ( " + std::to_string(r) + " ) -  " + named + kQueueHint);
        browse.AlbumCellRow[static_cast<std::size_t>(k)] = r;
        SLAlbum[k].setCaption(album);
        SLArtist[k].setCaption(artist);
        SLFile[k].setCaption(path);
    }
    Label1[19].setCaption(std::to_string(first));
    Label1[20].setCaption(std::to_string(last));
    Label1[19].setBackColor(kRangeBackColor);
    Label1[20].setBackColor(kRangeBackColor);
}

void Form1::SwitchBrowseMode() {
    tk::ListView* other = nullptr;
    if (pages.BrowseByAlbum == 0) {
        browse.AlbumPageMode = 1;
        other = TempAlbum;
    } else if (pages.BrowseByAlbum == 1) {
        browse.AlbumPageMode = 2;
        other = TempArtist;
    } else {
        return;
    }
    const bool byAlbum = browse.AlbumPageMode == 2;
    for (int k = 1; k <= kCells; ++k) {
        SLArtist[k].setFontBold(!byAlbum);
        SLArtist[k].setForeColor(byAlbum ? 0 : kEmphasis);
        SLAlbum[k].setFontBold(byAlbum);
        SLAlbum[k].setForeColor(byAlbum ? kEmphasis : 0);
    }
    // Each table sorts by its own column: the album table by album, the artist table by artist.
    other->setSorted(true);
    FillTopTen();
}

// Any button: the cell's album becomes current, found by its name and its folder, so that a
// compilation browsed by album (its cell names "Various Artists", no artist-table row does) is found
// too. A cell showing no row finds nothing.
void Form1::SImage_MouseDown(int Index, int, int, float, float) {
    browse.CoverPressFound = false;
    if (Index < 1 || Index > kCells || browse.AlbumCellRow[static_cast<std::size_t>(Index)] == 0) {
        return;
    }
    browse.FindArtist = SLArtist[Index].caption();
    browse.FindAlbum = SLAlbum[Index].caption();
    browse.CoverPressFound = FindAlbumInFolder(SLFile[Index].caption()) || FindArtistAlbum();
    browse.WheelIndex = browse.CurrentArtistIndex;
    // Making the album current moved the wheel onto an artist-table row, which browsing by album does
    // not number: the wheel button's next step starts from the page's first cell instead.
    if (browse.CoverPressFound && browse.AlbumPageMode == 2) {
        browse.WheelValue = browse.AlbumCellRow[1];
        browse.WheelFromCell = 1;
    }
}

void Form1::SImage_MouseUp(int, int Button, int, float, float) {
    if (Button == tk::kRightButton && browse.CoverPressFound) {
        Image11_DblClick();
    }
}

// A cover opens the single-album page of the current album, which its press made the cover's own. An
// empty cell opens nothing.
void Form1::SImage_DblClick(int Index) {
    if (Index >= 1 && Index <= kCells && browse.AlbumCellRow[static_cast<std::size_t>(Index)] != 0) {
        switch_Click(10);
    }
}
