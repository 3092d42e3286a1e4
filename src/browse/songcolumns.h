#pragma once

#include "browse/songmarks.h"
#include "library/songlist.h"

// The song list's columns as the list view numbers them (0 the row text, n sub-item n).
namespace songcol {
inline constexpr int kArtist = static_cast<int>(library::SongColumn::Artist);
inline constexpr int kAlbum = static_cast<int>(library::SongColumn::Album);
inline constexpr int kTrack = static_cast<int>(library::SongColumn::Track);
inline constexpr int kTitle = static_cast<int>(library::SongColumn::Title);
inline constexpr int kPlays = static_cast<int>(library::SongColumn::PlayedTimes);
inline constexpr int kPath = static_cast<int>(library::SongColumn::FileLocation);
inline constexpr int kRecord = static_cast<int>(library::SongColumn::RecordNumber);
} // namespace songcol

// Where each of the three lists that show songs keeps a song's parts: the song list, the album's songs
// and the song results of the search. Playlist adds and drops read a song through these.
struct SongColumns {
    int track;
    int title;
    int artist;
    int album;
    int path;
    int record;
    MarkedCells marked; // the cells that show the song queued
};
inline constexpr SongColumns kSongListColumns{songcol::kTrack, songcol::kTitle, songcol::kArtist,
                                              songcol::kAlbum, songcol::kPath,  songcol::kRecord,
                                              kSongListMarks};
inline constexpr SongColumns kAlbumSongColumns{1, 2, 3, 4, 5, 6, kAlbumSongMarks};
inline constexpr SongColumns kSongResultColumns{2, 1, 4, 3, 5, 6, kSongResultMarks};
