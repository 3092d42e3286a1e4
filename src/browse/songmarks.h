#pragma once

#include <string>
#include <unordered_set>

namespace tk {
class ListView;
}

// The queued mark of the song lists: a song in the playlist has its row of the main song list bold,
// and the other lists show their row of that song bold and red. Songs are told apart by record number.

// The cells of a row that carry the mark: the song list marks the whole row, the album's songs their
// sub-items 1 to 6 (the running number stays plain), the song results their columns 1 to 5.
struct MarkedCells {
    int first;
    int last;
};
inline constexpr MarkedCells kSongListMarks{0, 10};
inline constexpr MarkedCells kAlbumSongMarks{1, 6};
inline constexpr MarkedCells kSongResultMarks{1, 5};

// The record numbers (as the song list's column 10 writes them) of the queued songs.
[[nodiscard]] std::unordered_set<std::string> queuedRecordNumbers(const tk::ListView& songList);

// Gives cells `cells` of row `row` the queued look: bold with text colour 255 (red).
void markRow(tk::ListView& list, int row, MarkedCells cells);

// Marks each row of `list` whose record number (column `recordColumn`) is in `queued`. Marks are only
// ever added.
void markQueuedRows(tk::ListView& list, const std::unordered_set<std::string>& queued, int recordColumn,
                    MarkedCells cells);

// Takes the mark off cells `first` to `last` of every row: plain type, colour 0.
void clearMarks(tk::ListView& list, int first, int last);
