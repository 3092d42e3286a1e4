// The song list page: every song of the database in one list. A click opens the selected song's album,
// a typed key shows it on the album's song page, a header click sorts by that column.
#include "app/form1.h"
#include "browse/songcolumns.h"
#include "platform/listview.h"

using namespace songcol;

void Form1::ListView_Click() {
    browse.DragSource = 1;
    openAlbumOfSelectedRow(*ListView, kArtist, kAlbum);
}

void Form1::ListView_MouseDown(int, int, float, float) {
    browse.DragSource = 1;
}

// The album's song page follows the selected song's own folder; the current row of the artist table
// and the wheel stay where they are.
void Form1::ListView_KeyPress(int& KeyAscii) {
    browse.DragSource = 1;
    const int row = ListView->selectedRow();
    if (row == 0) {
        return;
    }
    browse.CurArtist = ListView->subItem(row, kArtist);
    browse.CurAlbum = ListView->subItem(row, kAlbum);
    browse.CurAlbumPath = ListView->subItem(row, kPath);
    FillAlbumView();
    if (KeyAscii == tk::kKeyReturn) {
        ListView_DblClick();
    }
}

// Every column sorts ascending except the play count, most played first; a second click on the same
// header gives the same order. The steps are the list's own, so rows that tie keep the order the
// sorts before left them in.
void Form1::ListView_ColumnClick(int ColumnHeader) {
    ListView->setSortOrder(0);
    ListView->setSortKey(ColumnHeader - 1);
    if (ColumnHeader - 1 == kPlays) {
        ListView->setSortOrder(1);
    }
    ListView->setSorted(true);
}
