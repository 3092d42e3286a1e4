#pragma once

#include "library/songgrouping.h"
#include "library/storeresult.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace library {

struct AlbumRecord;

// The three files of the song database.
struct DatabaseFiles {
    std::filesystem::path songs;   // "Data.mld"
    std::filesystem::path albums;  // "Album.mld"
    std::filesystem::path artists; // "Artist.mld"

    // The folder scan's mark beside them: "Scan.mld" in the folder of "Data.mld" (ScanMark).
    [[nodiscard]] std::filesystem::path scanMark() const;
};

// Writes `albumArtist` into the record of the group's first song, only when that record still holds
// the song's path.
[[nodiscard]] StoreResult writeAlbumArtist(const std::filesystem::path& songs, const ScannedSong& first,
                                           const std::string& albumArtist);

// Appends album or artist entries to their file: artist, album and location, the number field 0.
// Returns why it stopped, or nothing.
[[nodiscard]] std::optional<std::string> appendEntries(const std::filesystem::path& file,
                                                       std::span<const GroupEntry> entries);

// Writes what a group of songs just appended to "Data.mld" makes, in this order: the album artist
// into the first song's record, the album entries, the artist entries. The first `albumsThere` album
// entries and `artistsThere` artist entries of the group are in their files already (a write that
// was stopped) and are not written again. Returns why it stopped, or nothing.
[[nodiscard]] std::optional<std::string>
writeGroupEntries(const DatabaseFiles& files, std::span<const ScannedSong> songs, const SongGroup& group,
                  std::size_t albumsThere = 0, std::size_t artistsThere = 0);

} // namespace library
