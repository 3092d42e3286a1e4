#pragma once

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
