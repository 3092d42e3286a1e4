#include "database.h"

#include "library/recordstore.h"

#include <cstdio>
#include <stdexcept>

namespace testing_support {

namespace fs = std::filesystem;

namespace {
std::string twoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

template <class Record> void writeAll(const fs::path& path, const std::vector<Record>& records) {
    std::error_code ec;
    fs::remove(path, ec);
    auto store = library::RecordStore<Record>::openForAppend(path);
    if (!store) {
        throw std::runtime_error("cannot write " + path.string());
    }
    for (const Record& r : records) {
        if (!store->append(r).ok()) {
            throw std::runtime_error("cannot append to " + path.string());
        }
    }
}
} // namespace

TestDatabase makeDatabase(const fs::path& musicFolder, int albums, int songsPerAlbum) {
    TestDatabase db;
    for (int a = 1; a <= albums; ++a) {
        const std::string artist = "Artist " + twoDigits(a);
        const std::string album = "Album " + twoDigits(a);
        const fs::path folder = musicFolder / artist / album;
        for (int s = 1; s <= songsPerAlbum; ++s) {
            library::SongRecord r;
            r.albumBy = s == 1 ? artist : "";
            r.artist = artist;
            r.title = "Song " + twoDigits(s) + " of " + album;
            r.album = album;
            r.track = twoDigits(s);
            r.year = "1999";
            r.genre = "Rock";
            r.fileLocation = (folder / (twoDigits(s) + " Song.mp3")).string();
            db.songs.push_back(r);
        }
        const library::AlbumRecord entry{0, artist, album, (folder / "01 Song.mp3").string()};
        db.albums.push_back(entry);
        db.artists.push_back(entry);
    }
    return db;
}

void writeDatabase(const fs::path& programFolder, const TestDatabase& database) {
    writeAll(programFolder / "Data.mld", database.songs);
    writeAll(programFolder / "Album.mld", database.albums);
    writeAll(programFolder / "Artist.mld", database.artists);
}

} // namespace testing_support
