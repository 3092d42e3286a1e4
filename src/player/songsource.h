#pragma once

#include "player/playlistsong.h"

#include <cstdint>

namespace tk {
class ListView;
}
struct SongColumns;

// The song of row `row` of a song list, read through the list's column layout.
[[nodiscard]] PlaylistSong songOfRow(const tk::ListView& list, int row, const SongColumns& columns);

// The most songs a random pick may choose from the song list before any is chosen: the whole part of
// nine tenths of its rows.
[[nodiscard]] std::int64_t randomPickWhole(const tk::ListView& songList);
