#pragma once

#include "app/form1.h"
#include "app/station.h"
#include "database.h"
#include "platform/listview.h"
#include "testruntime.h"

#include <QImage>

#include <cstdio>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

// One song of a test database, in `folder`.
inline library::SongRecord song(const std::string& folder, const std::string& artist,
                                const std::string& album, const std::string& title, const std::string& track,
                                const std::string& plays = "") {
    library::SongRecord r;
    r.artist = artist;
    r.album = album;
    r.title = title;
    r.track = track;
    r.playedTimes = plays;
    r.fileLocation = folder + "/" + track + " " + title + ".mp3";
    return r;
}

// The database of `songs`, with one album entry and one artist entry per album (the first song of each
// folder and album, in the songs' order).
inline TestDatabase databaseOf(const std::vector<library::SongRecord>& songs) {
    TestDatabase db;
    db.songs = songs;
    for (const library::SongRecord& s : songs) {
        const std::string folder = std::filesystem::path(s.fileLocation).parent_path().string();
        bool known = false;
        for (const library::AlbumRecord& a : db.albums) {
            known =
                known || (a.album == s.album && std::filesystem::path(a.location).parent_path() == folder);
        }
        if (!known) {
            db.albums.push_back({0, s.artist, s.album, s.fileLocation});
            db.artists.push_back({0, s.artist, s.album, s.fileLocation});
        }
    }
    return db;
}

inline std::string two(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

// Twenty albums whose artist and album orders differ: artist i made "Album (20 - i)", and "Album 20"
// is a compilation: two guest artists, one "Various Artists" entry in the album table.
inline TestDatabase twentyAlbums(const std::filesystem::path& music) {
    std::vector<library::SongRecord> songs;
    for (int i = 1; i <= 19; ++i) {
        const std::string artist = "Artist " + two(i);
        const std::string album = "Album " + two(20 - i);
        songs.push_back(song((music / artist / album).string(), artist, album, "Song", "01"));
    }
    TestDatabase db = databaseOf(songs);
    const std::string mix = (music / "Mix").string();
    for (const char* guest : {"Guest A", "Guest B"}) {
        db.songs.push_back(
            song(mix, guest, "Album 20", std::string("By ") + guest, guest[6] == 'A' ? "01" : "02"));
        db.artists.push_back({0, guest, "Album 20", db.songs.back().fileLocation});
    }
    db.albums.push_back({0, "Various Artists", "Album 20", db.songs.back().fileLocation});
    return db;
}

// A station started with the fake player and the generated skin on the database `db`, with the first
// row of the artist table current.
struct BrowseStation {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    std::unique_ptr<Station> station;

    BrowseStation() = default;
    explicit BrowseStation(const TestDatabase& db) { start(db); }

    void start(const TestDatabase& db) {
        writeDatabase(rt.programFolder(), db);
        rt.random().values = {0.0f};
        station = std::make_unique<Station>(rt.runtime());
        if (!station->start()) {
            throw std::runtime_error("the start failed");
        }
    }
    Form1& form() { return station->form1(); }

    // Gives the folder of `songPath` a "cover.jpg" of `width` × 48 pixels.
    static void writeCover(const std::string& songPath, int width) {
        QImage cover(width, 48, QImage::Format_RGB32);
        cover.fill(Qt::green);
        const auto folder = std::filesystem::path(songPath).parent_path();
        std::filesystem::create_directories(folder);
        if (!cover.save(QString::fromStdString((folder / "cover.jpg").string()))) {
            throw std::runtime_error("cannot write a cover");
        }
    }
};

// The cells of one column of a list, top to bottom.
inline std::vector<std::string> column(const tk::ListView& list, int c) {
    std::vector<std::string> out;
    for (int r = 1; r <= list.count(); ++r) {
        out.push_back(c == 0 ? list.text(r) : list.subItem(r, c));
    }
    return out;
}

} // namespace testing_support
