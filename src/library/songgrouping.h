#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace library {

// A song the folder scan appended, as its work table keeps it: the song's artist, album and path and
// the number of its record.
struct ScannedSong {
    std::string artist;
    std::string album;
    std::string location;
    std::int64_t record = 0;
};

// An album or artist entry made from a group of songs: an artist, and the album, path and record
// number of one song of the group.
struct GroupEntry {
    std::string artist;
    std::string album;
    std::string location;
    std::int64_t record = 0;

    bool operator==(const GroupEntry&) const = default;
};

// The entries one group of songs makes; the album entry's artist is the album artist of the group's
// first song.
struct SongGroup {
    std::vector<GroupEntry> albums;
    std::vector<GroupEntry> artists;
};

inline constexpr const char* kVariousArtists = "Various Artists";

// Groups the songs of one flush of the scan, in the order they were appended. When another song has
// the first song's artist (exactly: letter case counts), the group is that artist's album: one album
// entry and one artist entry, both from the first song. Otherwise (a single song too) it is a
// "Various Artists" album from the first song, with an artist entry per song. No songs, no entries.
[[nodiscard]] SongGroup groupSongs(std::span<const ScannedSong> songs);

} // namespace library
