#include "library/songgrouping.h"

#include <algorithm>

namespace library {

SongGroup groupSongs(std::span<const ScannedSong> songs) {
    SongGroup group;
    if (songs.empty())
        return group;
    const ScannedSong& first = songs.front();
    const auto entry = [](const ScannedSong& song, const std::string& artist) {
        return GroupEntry{artist, song.album, song.location, song.record};
    };
    const bool oneArtist = std::any_of(songs.begin() + 1, songs.end(),
                                       [&](const ScannedSong& song) { return song.artist == first.artist; });
    if (oneArtist) {
        group.albums.push_back(entry(first, first.artist));
        group.artists.push_back(group.albums.front());
        return group;
    }
    for (const ScannedSong& song : songs)
        group.artists.push_back(entry(song, song.artist));
    group.albums.push_back(entry(first, kVariousArtists));
    return group;
}

} // namespace library
