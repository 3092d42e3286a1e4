// The two orders of the song list: artist, album and track, and play count.
#include "app/form1.h"

#include "browse/songcolumns.h"
#include "platform/listview.h"

#include <vector>

using namespace songcol;

// The order is the one that the old six steps, run twice, left: sorting on (by the key the list had,
// in its order), ascending, then sorting by the track, the album and the artist, each an order-keeping
// sort, and sorting off. Successive stable sorts make one stable sort whose keys are the sorted
// columns from the last sort back to the first, so the result is a stable sort by artist, album,
// track, and then by the key the list had when it is another column (its order does not matter: rows
// it finds equal keep their order either way). The second run and the first sort by the artist change
// nothing that sort has not settled. Rows that stand in that order already are left alone.
void Form1::RestoreListOrder() {
    tk::ListView& list = *ListView;
    std::vector<int> columns{kArtist, kAlbum, kTrack};
    const int priorKey = list.sortKey();
    // A key past the last column compares every row equal.
    if ((priorKey == 0 || priorKey > kTrack) && priorKey < list.columnCount()) {
        columns.push_back(priorKey);
    }
    // The sort state the steps leave: sorting off, ascending, by the artist. Sorting goes off first so
    // that setting the key and order does not sort.
    list.setSorted(false);
    list.setSortOrder(0);
    list.setSortKey(kArtist);
    list.sortByColumns(columns, 0);
}

void Form1::SortByPlays() {
    tk::ListView& list = *ListView;
    list.setSortOrder(1);
    list.setSortKey(kPlays);
    list.setSorted(true);
}

// SortByPlays sets the descending order before the key: with sorting on, that first re-sorts by the
// key the list had, so rows of equal counts stand in that key's descending order, and then as they stood.
std::vector<int> Form1::MostPlayedRows(int count) {
    tk::ListView& list = *ListView;
    const int key = list.sortKey();
    std::vector<int> columns{kPlays};
    if (list.sorted() && key != kPlays && key < list.columnCount()) {
        columns.push_back(key);
    }
    return list.firstSortedRows(columns, 1, count);
}

// SortByPlays on a list with sorting off orders the rows by play count, rows of equal counts as they
// stood; RestoreListOrder then sorts by artist, album, track and play count (the key SortByPlays left),
// so rows that tie on all four keep their order from before both sorts. When the other rows stand in
// that order already, only the rewritten rows move. With sorting on, SortByPlays first re-sorts by the
// old key, so the two sorts run.
void Form1::PlayCountsRaised(std::span<const int> rows) {
    tk::ListView& list = *ListView;
    const int columns[] = {kArtist, kAlbum, kTrack, kPlays};
    if (rows.empty() || list.sorted() || !list.resortRows(rows, columns, 0)) {
        SortByPlays();
        RestoreListOrder();
        return;
    }
    list.setSortOrder(0);
    list.setSortKey(kArtist);
}
