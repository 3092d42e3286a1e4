#pragma once

#include "library/albumrecord.h"
#include "library/songrecord.h"

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// A small song database written with the station's own record code: `albums` albums of `songsPerAlbum`
// songs, each album in its own folder under `musicFolder` ("Artist 01/Album 01/03 Title.mp3"), one
// album entry and one artist entry per album. The files themselves are not written.
struct TestDatabase {
    std::vector<library::SongRecord> songs;
    std::vector<library::AlbumRecord> albums;
    std::vector<library::AlbumRecord> artists;
};
TestDatabase makeDatabase(const std::filesystem::path& musicFolder, int albums, int songsPerAlbum);

// Writes "Data.mld", "Album.mld" and "Artist.mld" into `programFolder`, replacing what is there.
void writeDatabase(const std::filesystem::path& programFolder, const TestDatabase& database);

} // namespace testing_support
