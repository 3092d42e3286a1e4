#include "app/form1.h"
#include "controls/wheel.h"
#include "library/songfolderindex.h"
#include "library/utf8.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/raisedwhilealive.h"

#include <algorithm>
#include <string>

namespace {

// The wheel's maximum for a table of `rows` rows: never below its minimum of 1, so an empty table
// does not make the wheel refuse it with a message.
int wheelMax(int rows) {
    return std::max(1, rows);
}

} // namespace

bool Form1::FindArtistAlbum() {
    const int rows = TempArtist->count();
    for (int i = 1; i <= rows; ++i) {
        if (TempArtist->subItem(i, 2) == browse.FindAlbum && TempArtist->subItem(i, 1) == browse.FindArtist) {
            browse.CurrentArtistIndex = i;
            SelectArtistAlbum();
            return true;
        }
    }
    return false;
}

bool Form1::FindAlbumInFolder(std::string_view path) {
    const std::string folder = library::folderKey(path);
    const int rows = TempArtist->count();
    int found = 0;
    for (int i = 1; i <= rows; ++i) {
        if (TempArtist->subItem(i, 2) != browse.FindAlbum ||
            library::folderKey(TempArtist->subItem(i, 3)) != folder) {
            continue;
        }
        if (found == 0) {
            found = i;
        }
        if (TempArtist->subItem(i, 1) == browse.FindArtist) {
            found = i;
            break;
        }
    }
    if (found == 0) {
        return false;
    }
    browse.CurrentArtistIndex = found;
    SelectArtistAlbum();
    return true;
}

bool Form1::openAlbumOfSelectedRow(const tk::ListView& list, int artistColumn, int albumColumn) {
    const int row = list.selectedRow();
    if (row == 0) {
        return false;
    }
    browse.FindArtist = list.subItem(row, artistColumn);
    browse.FindAlbum = list.subItem(row, albumColumn);
    FindArtistAlbum();
    return true;
}

void Form1::SelectArtistAlbum() {
    Wheel1->setMax(wheelMax(TempArtist->count()));
    const int r = browse.CurrentArtistIndex;
    browse.CurArtist = TempArtist->subItem(r, 1);
    browse.CurAlbum = TempArtist->subItem(r, 2);
    browse.CurAlbumPath = TempArtist->subItem(r, 3);
    Label1[18].setCaption(std::to_string(r) + " - " + browse.CurArtist + " - " + browse.CurAlbum);
    Label1[18].setVisible(true);
    browse.WheelIndex = r;
    // While the wheel moves, its change handler must not read a row of the artist table as a row of
    // the album table.
    if (browse.AlbumPageMode == 2) {
        browse.AlbumPageMode = 3;
    }
    Wheel1->setValue(r);
    if (browse.AlbumPageMode == 3) {
        browse.AlbumPageMode = 2;
    }
    FillAlbumView();
}

void Form1::Wheel1_Change() {
    if (pages.TopTenPageOpen == 1) {
        Label1[18].setVisible(true);
        Label1[18].setCaption(kTopTenWheelNotice);
        return;
    }
    if (pages.SinglePageOpen == 1) {
        const int rows = TempArtist->count();
        const int v = Wheel1->value();
        // A wheel left beyond a table that shrank (or with no albums at all) points at no row: the
        // wheel line stays as it is until the wheel is turned back onto the table.
        if (v >= 1 && v <= rows) {
            Label1[18].setCaption(std::to_string(v) + " - " +
                                  std::string(text::trimBlanks(TempArtist->subItem(v, 1))) + "  -  " +
                                  std::string(text::trimBlanks(TempArtist->subItem(v, 2))));
            browse.WheelIndex = v;
        }
    }
    if (pages.AlbumPageOpen == 1) {
        if (TempArtist->count() == 0 || TempAlbum->count() == 0) {
            return;
        }
        // A short table keeps the wheel on row 1. The changes that move raises only show the rows it
        // passes: moving the wheel again from inside them would restart the turn at every step, without
        // end once the wheel spins over from row 1 to the last row.
        const auto backToFirstRow = [this] {
            if (m_wheelBackToFirstRow) {
                return;
            }
            const tk::RaisedWhileAlive moving(m_wheelBackToFirstRow);
            Wheel1->setValue(1);
        };
        if (browse.AlbumPageMode == 1) {
            const int rows = TempArtist->count();
            if (rows < 8) {
                backToFirstRow();
            }
            Wheel1->setMax(wheelMax(rows));
            const int v = Wheel1->value();
            if (v > rows) {
                return;
            }
            Label1[18].setCaption(std::to_string(v) + " - " +
                                  std::string(text::trimBlanks(TempArtist->subItem(v, 1))) + "  -  " +
                                  std::string(text::trimBlanks(TempArtist->subItem(v, 2))));
        } else if (browse.AlbumPageMode == 2) {
            const int rows = TempAlbum->count();
            if (rows < 8) {
                backToFirstRow();
            }
            Wheel1->setMax(wheelMax(rows));
            const int v = Wheel1->value();
            if (v > rows) {
                return;
            }
            Label1[18].setCaption(std::to_string(v) + " - " + TempAlbum->subItem(v, 2) + "  -  " +
                                  TempAlbum->subItem(v, 1));
        }
    }
}
