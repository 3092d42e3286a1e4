// tunnora-makelibrary: writes a generated library of silent, tagged MP3 files into a folder, one
// folder per artist and album, for benchmarks and end-to-end starts of the station; optionally with
// a cover.jpg per album and with the song database ("Data.mld", "Album.mld", "Artist.mld") that a
// folder scan of the library would write.
#include "coverpictures.h"

#include "library/groupentries.h"
#include "library/recordstore.h"
#include "library/songgrouping.h"
#include "library/songrecord.h"
#include "library/tagmerge.h"

#include "fixtures/mp3file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Options {
    fs::path folder;
    int artists = 10;
    int albums = 2; // per artist
    int songs = 10; // per album
    double seconds = 2.0;
    bool vbr = false;
    bool id3v1 = true;
    std::size_t coverBytes = 0;
    bool covers = false;
    fs::path database;
};

void usage() {
    std::cerr << "usage: tunnora-makelibrary [options] FOLDER\n"
                 "  --artists N       artists (10)\n"
                 "  --albums N        albums per artist (2)\n"
                 "  --songs N         songs per album (10)\n"
                 "  --seconds S       length of every song (2)\n"
                 "  --vbr             variable bitrate songs with a Xing header\n"
                 "  --no-id3v1        no ID3v1 tags\n"
                 "  --cover-bytes N   embed a front cover of N bytes in every song\n"
                 "  --covers          write a cover.jpg into every album folder\n"
                 "  --database DIR    write Data.mld, Album.mld and Artist.mld for the library into DIR\n";
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (arg == "--vbr") {
            options.vbr = true;
        } else if (arg == "--no-id3v1") {
            options.id3v1 = false;
        } else if (arg == "--covers") {
            options.covers = true;
        } else if (arg == "--artists" && (v = value())) {
            options.artists = std::atoi(v);
        } else if (arg == "--albums" && (v = value())) {
            options.albums = std::atoi(v);
        } else if (arg == "--songs" && (v = value())) {
            options.songs = std::atoi(v);
        } else if (arg == "--seconds" && (v = value())) {
            options.seconds = std::atof(v);
        } else if (arg == "--cover-bytes" && (v = value())) {
            options.coverBytes = static_cast<std::size_t>(std::atoll(v));
        } else if (arg == "--database" && (v = value())) {
            options.database = v;
        } else if (!arg.empty() && arg[0] != '-' && options.folder.empty()) {
            options.folder = arg;
        } else {
            return false;
        }
    }
    return !options.folder.empty() && options.artists > 0 && options.albums > 0 && options.songs > 0;
}

std::string twoDigits(int n) {
    std::string text = n < 10 ? "0" : "";
    text += std::to_string(n);
    return text;
}

std::string artistName(int a) {
    static const char* const kNames[] = {"The Quiet Hours", "Maren Holt",        "Caf\u00E9 Tacuba Trio",
                                         "Nordlys",         "Ada & the Engines", "Lumi\u00E8re",
                                         "Slow Pilots",     "Juniper Vale"};
    const std::string base = kNames[a % 8];
    return a < 8 ? base : base + " " + std::to_string(a / 8 + 1);
}

bool writeFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// Appends one album's songs to the database and groups them as the folder scan does.
bool addToDatabase(const Options& options, const std::vector<fs::path>& songs) {
    const library::DatabaseFiles files{options.database / "Data.mld", options.database / "Album.mld",
                                       options.database / "Artist.mld"};
    auto data = library::RecordStore<library::SongRecord>::openForAppend(files.songs);
    if (!data)
        return false;
    std::vector<library::ScannedSong> scanned;
    for (const fs::path& song : songs) {
        const library::SongRecord record = library::songRecordFrom(id3::readTagValues(song), song.string());
        const auto stored = data->append(record);
        if (!stored.ok())
            return false;
        scanned.push_back({record.artist, record.album, record.fileLocation, stored.number});
    }
    return !library::writeGroupEntries(files, scanned, library::groupSongs(scanned));
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        usage();
        return 2;
    }
    // The database stores the songs' paths as given: the station plays them from its own folder,
    // so they must not depend on where this tool was run.
    std::error_code ec;
    options.folder = fs::absolute(options.folder, ec).lexically_normal();
    if (ec) {
        std::cerr << "cannot tell the full path of " << options.folder << ": " << ec.message() << "\n";
        return 1;
    }
    if (!options.database.empty()) {
        fs::create_directories(options.database);
        for (const char* name : {"Data.mld", "Album.mld", "Artist.mld"})
            fs::remove(options.database / name);
    }
    int written = 0;
    for (int a = 0; a < options.artists; ++a) {
        const std::string artist = artistName(a);
        for (int b = 1; b <= options.albums; ++b) {
            const std::string album = "Album " + twoDigits(b) + " of " + artist;
            const fs::path folder = options.folder / artist / album;
            fs::create_directories(folder);
            if (options.covers &&
                !writeFile(folder / "cover.jpg", testdata::coverPicture(a * options.albums + b))) {
                std::cerr << "cannot write " << (folder / "cover.jpg") << "\n";
                return 1;
            }
            std::vector<fs::path> songs;
            for (int s = 1; s <= options.songs; ++s) {
                fixtures::Mp3Recipe recipe;
                recipe.seconds = options.seconds;
                recipe.bitrate = options.vbr ? fixtures::Bitrate::Variable : fixtures::Bitrate::Constant;
                recipe.coverBytes = options.coverBytes;
                const std::string title = "Song " + twoDigits(s) + " of " + album;
                recipe.id3v2 = fixtures::SongTags{title,
                                                  artist,
                                                  album,
                                                  std::to_string(1990 + (a + b) % 30),
                                                  std::to_string(s) + "/" + std::to_string(options.songs),
                                                  s % 3 ? "Rock" : "Jazz",
                                                  ""};
                if (options.id3v1)
                    recipe.id3v1 = fixtures::Id3v1Fields{
                        title, artist, album,          std::to_string(1990 + (a + b) % 30),
                        "",    s,      s % 3 ? 17 : 8, true};
                songs.push_back(folder / (twoDigits(s) + " Song " + twoDigits(s) + ".mp3"));
                if (!fixtures::writeMp3(songs.back(), recipe)) {
                    std::cerr << "cannot write " << songs.back() << "\n";
                    return 1;
                }
                ++written;
            }
            if (!options.database.empty() && !addToDatabase(options, songs)) {
                std::cerr << "cannot write the song database into " << options.database << "\n";
                return 1;
            }
        }
    }
    std::cout << written << " songs written into " << options.folder.string() << "\n";
    return 0;
}
