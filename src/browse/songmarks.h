#pragma once

#include <string>
#include <unordered_set>

namespace tk {
class ListView;
}

// The queued mark of the song lists: a song in the playlist has its row of the main song list bold,
// and the other lists show their row of that song bold and red. Songs are told apart by record number.

// The record numbers (as the song list's column 10 writes them) of the queued songs.
[[nodiscard]] std::unordered_set<std::string> queuedRecordNumbers(const tk::ListView& songList);

// Marks each row of `list` whose record number (column `recordColumn`) is queued: columns `first` to
// `last` bold with text colour 255 (red). Marks are only ever added.
void markQueuedRows(tk::ListView& list, const std::unordered_set<std::string>& queued, int recordColumn,
                    int first, int last);
