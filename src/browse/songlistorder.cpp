// The two orders of the song list: artist, album and track, and play count.
#include "app/form1.h"

#include "platform/listview.h"

#include <vector>

// The order is the one that the old six steps, run twice, left: sorting on (by the key the list had,
// in its order), ascending, then sorting by the track, the album and the artist, each an order-keeping
// sort, and sorting off. Successive stable sorts make one stable sort whose keys are the sorted
// columns from the last sort back to the first, so the result is a stable sort by artist, album,
// track, and then by the key the list had when it is another column (its order does not matter: rows
// it finds equal keep their order either way). The second run and the first sort by the artist change
// nothing that sort has not settled.
void Form1::RestoreListOrder() {
    tk::ListView& list = *ListView;
    std::vector<int> columns{1, 2, 3};
    const int priorKey = list.sortKey();
    // A key past the last column compares every row equal.
    if ((priorKey == 0 || priorKey > 3) && priorKey < list.columnCount()) {
        columns.push_back(priorKey);
    }
    // The sort state the steps leave: sorting off, ascending, by the artist. Sorting goes off first so
    // that setting the key and order does not sort.
    list.setSorted(false);
    list.setSortOrder(0);
    list.setSortKey(1);
    list.sortByColumns(columns, 0);
}

void Form1::SortByPlays() {
    tk::ListView& list = *ListView;
    list.setSortOrder(1);
    list.setSortKey(5);
    list.setSorted(true);
}
