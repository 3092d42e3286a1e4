// Filling the playlist from the song lists: one song by a double-click or Enter in the song list, the
// album's songs or the song results, and a whole album from its cover. Every add appends rows, marks
// the songs queued in every song list, counts the songs chosen and never starts playback. A song is
// known by its record number, so two songs of one title are two songs, and a queued song is refused.
#include "app/form1.h"

#include "browse/songcolumns.h"
#include "browse/songmarks.h"
#include "library/songfolderindex.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/textbox.h"
#include "player/playbackguard.h"
#include "player/songsource.h"

#include <unordered_map>

namespace {
constexpr const char* kRandomLimitText = "Maximum Songs To Select As Randomize Is : ";
} // namespace

PlaylistSong songOfRow(const tk::ListView& list, int row, const SongColumns& c) {
    return {list.subItem(row, c.track), list.subItem(row, c.title), list.subItem(row, c.artist),
            list.subItem(row, c.album), list.subItem(row, c.path),  list.subItem(row, c.record)};
}

std::int64_t randomPickWhole(const tk::ListView& songList) {
    return static_cast<std::int64_t>(songList.count()) * 9 / 10;
}

void Form1::showRandomLimit(std::int64_t limit) {
    Text1->setToolTipText(kRandomLimitText + std::to_string(limit) + "  ");
}

void Form1::showQueueCounter() {
    PlaybackState& p = playback;
    if (p.NextIndex == 0) {
        p.NextIndex = 1;
    }
    Label1[11].setCaption(std::to_string(p.NextIndex) + "/" + std::to_string(play->count()));
    mirrorCaptions(*this, 11, 11);
}

void Form1::markQueuedSongs(const std::unordered_set<std::string>& queued, bool inSongList) {
    if (inSongList) {
        markQueuedRows(*ListView, queued, kSongListColumns.record, kSongListColumns.marked);
    }
    markQueuedRows(*SingleView, queued, kAlbumSongColumns.record, kAlbumSongColumns.marked);
    markQueuedRows(*SSonglist, queued, kSongResultColumns.record, kSongResultColumns.marked);
}

void Form1::queueSelectedSong(tk::ListView& list, const SongColumns& columns) {
    const int row = list.selectedRow();
    if (row == 0) {
        return;
    }
    const PlaylistSong song = songOfRow(list, row, columns);
    // The song list's row is the one record of the mark; a list row without one in the song list
    // (a list filled before the database changed) still tells by its own look.
    const int listRow = &list == ListView ? row : ListView->findSubItem(songcol::kRecord, song.recordNumber);
    if (list.bold(row, 1) || (listRow != 0 && ListView->bold(listRow, 1))) {
        return;
    }
    tags.CurrentPath = song.path;
    appendPlaylistRow(song);
    ++playback.ChosenCount;
    showRandomLimit(randomPickWhole(*ListView) - playback.ChosenCount);
    showQueueCounter();
    if (listRow != 0) {
        markRow(*ListView, listRow, kSongListMarks);
    }
    markQueuedSongs({song.recordNumber}, false);
}

void Form1::ListView_DblClick() {
    queueSelectedSong(*ListView, kSongListColumns);
}

void Form1::SingleView_DblClick() {
    queueSelectedSong(*SingleView, kAlbumSongColumns);
}

void Form1::SSonglist_DblClick() {
    queueSelectedSong(*SSonglist, kSongResultColumns);
}

// Queues every song of the album's song page that is not queued yet. The album shown twice in a row
// is queued once; every song of it counts as chosen at each add all the same. An album is its name
// and its folder, as on the album's song page: another artist's album of the same title is another
// album.
void Form1::Image11_DblClick() {
    PlaybackState& p = playback;
    const std::string folder = library::folderKey(browse.CurAlbumPath);
    if (browse.CurAlbum != p.LastAlbumAdded || folder != p.LastAlbumFolder) {
        p.AlbumAddedWhole = 0;
    }
    if (p.AlbumAddedWhole == 1) {
        return;
    }
    std::unordered_set<std::string> queued = queuedRecordNumbers(*ListView);
    std::unordered_set<std::string> added;
    const int rows = SingleView->count();
    for (int row = 1; row <= rows; ++row) {
        const PlaylistSong song = songOfRow(*SingleView, row, kAlbumSongColumns);
        if (SingleView->bold(row, 1) || !queued.insert(song.recordNumber).second) {
            continue;
        }
        tags.CurrentPath = song.path;
        // A whole album leaves the start row as it was, also in an empty playlist.
        appendPlaylistRow(song, false);
        added.insert(song.recordNumber);
    }
    markQueuedSongs(added, true);
    p.ChosenCount += rows;
    showRandomLimit(randomPickWhole(*ListView) - p.ChosenCount);
    showQueueCounter();
    p.LastAlbumAdded = browse.CurAlbum;
    p.LastAlbumFolder = folder;
    p.AlbumAddedWhole = 1;
    // Asked once so that a player gone away is told now.
    PlaybackGuard busy(p);
    (void)winamp.WinAMP_GetStatus();
}

// A song of the playlist is marked queued again only where the song list still holds it: the same
// record number with the same file.
void Form1::remarkPlaylistSongs() {
    const int queuedRows = play->count();
    if (queuedRows == 0) {
        return;
    }
    std::unordered_multimap<std::string, std::string> files;
    for (int row = 1; row <= queuedRows; ++row) {
        files.emplace(play->subItem(row, 6), play->subItem(row, 5));
    }
    const int rows = ListView->count();
    for (int row = 1; row <= rows; ++row) {
        const auto [first, last] = files.equal_range(ListView->subItem(row, songcol::kRecord));
        for (auto it = first; it != last; ++it) {
            if (it->second == ListView->subItem(row, songcol::kPath)) {
                markRow(*ListView, row, kSongListMarks);
                break;
            }
        }
    }
}
