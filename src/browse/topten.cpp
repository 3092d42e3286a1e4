// The top-10 page: the most played songs, two ranks at a time, each with its album's cover. A press
// on a cover opens that song's album.
#include "app/form1.h"
#include "browse/songcolumns.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

using namespace songcol;

namespace {

// The labels of the two entries: track and title, artist, album; and the play count.
struct Entry {
    int title;
    int artist;
    int album;
    int plays;
};
constexpr std::array<Entry, 2> kEntries = {{{0, 1, 2, 2}, {3, 4, 5, 3}}};

} // namespace

// Ranks the songs by play count (ties in the order the list had) and fills both entries. A rank with
// no song keeps what its entry showed.
void Form1::FillTopTen() {
    SortByPlays();
    ListView->setSorted(false);
    showTopTen({browse.TopTenFirst, browse.TopTenLast});
}

// The entries after a counted play, read from the rows that play-count order would put first without
// sorting the list: the list goes back to its artist order right after, so sorting it is wasted work.
void Form1::fillTopTenUnsorted() {
    const std::vector<int> top = MostPlayedRows(std::max(browse.TopTenFirst, browse.TopTenLast));
    const auto rowOfRank = [&](int rank) {
        return rank >= 1 && rank <= static_cast<int>(top.size()) ? top[static_cast<std::size_t>(rank - 1)] : 0;
    };
    showTopTen({rowOfRank(browse.TopTenFirst), rowOfRank(browse.TopTenLast)});
}

// Fills the two entries from the song-list rows of their ranks; row 0 (no song) keeps the entry.
void Form1::showTopTen(std::array<int, 2> rows) {
    Label2[0].setCaption(std::to_string(browse.TopTenFirst));
    Label2[1].setCaption(std::to_string(browse.TopTenLast));
    for (std::size_t e = 0; e < kEntries.size(); ++e) {
        const int row = rows[e];
        if (row < 1 || row > ListView->count()) {
            continue;
        }
        const Entry& entry = kEntries[e];
        Label11[entry.title].setCaption(ListView->subItem(row, kTrack) + " - " +
                                        ListView->subItem(row, kTitle));
        Label11[entry.artist].setCaption(ListView->subItem(row, kArtist));
        Label11[entry.album].setCaption(ListView->subItem(row, kAlbum));
        Label2[entry.plays].setCaption(ListView->subItem(row, kPlays));
        showAlbumCover(Image6[static_cast<int>(e)], ListView->subItem(row, kPath));
    }
}

void Form1::Image6_MouseDown(int Index, int, int, float, float) {
    browse.CoverPressFound = false;
    if (Index < 0 || Index > 1) {
        return;
    }
    const Entry& entry = kEntries[static_cast<std::size_t>(Index)];
    browse.FindArtist = Label11[entry.artist].caption();
    browse.FindAlbum = Label11[entry.album].caption();
    browse.CoverPressFound = FindArtistAlbum();
}

// The right button queues the album the press opened; a press that opened none queues nothing.
void Form1::Image6_MouseUp(int, int Button, int, float, float) {
    if (Button == tk::kRightButton && browse.CoverPressFound) {
        Image11_DblClick();
    }
}
