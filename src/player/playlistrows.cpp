// The rows of the playlist and of the last-songs list: each row shows its position, then track, title,
// artist, album, file path and record number; lstFilenames keeps the playlist's file paths in step.
#include "app/form1.h"

#include "platform/listbox.h"
#include "platform/listview.h"
#include "player/playrules.h"

namespace {

// Rows from `row` on show their positions again after a row above them went.
void renumberFrom(tk::ListView& list, int row) {
    const int rows = list.count();
    for (int k = row; k <= rows; ++k) {
        list.setText(k, std::to_string(k));
    }
}

} // namespace

int Form1::appendPlaylistRow(const PlaylistSong& song, bool firstRowStartsAtFirst) {
    lstFilenames->addItem(song.path);
    const int before = play->count();
    const std::string position = std::to_string(before + 1);
    const int row = play->addRow(
        {position, song.track, song.title, song.artist, song.album, song.path, song.recordNumber});
    if (before == 0 && firstRowStartsAtFirst) {
        playback.StartAtFirst = 1;
    }
    return row;
}

void Form1::removePlaylistRow(int row) {
    if (row < 1 || row > play->count()) {
        return;
    }
    lstFilenames->removeItem(row - 1);
    play->remove(row);
    renumberFrom(*play, row);
    player::followRemovedRow(playback, row);
}

void Form1::removeLastSongsRow(int row) {
    if (row < 1 || row > PrevView->count()) {
        return;
    }
    PrevView->remove(row);
    renumberFrom(*PrevView, row);
}
