#include "app/navigation.h"
#include "gui.h"
#include "library/albumrecord.h"
#include "library/recordstore.h"
#include "library/songrecord.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/textbox.h"

#include "fixtures/mp3file.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

using namespace testing_support;

namespace {

namespace fs = std::filesystem;

void writeSong(const fs::path& path, const std::string& artist, const std::string& album = "Album") {
    fs::create_directories(path.parent_path());
    fixtures::Mp3Recipe recipe;
    recipe.seconds = 0.1;
    recipe.id3v2.emplace();
    recipe.id3v2->title = path.stem().string();
    recipe.id3v2->artist = artist;
    recipe.id3v2->album = album;
    recipe.id3v2->track = "1";
    ASSERT_TRUE(fixtures::writeMp3(path, recipe));
}

void scan(Form1& f, const fs::path& folder) {
    f.Dir2->setPath(folder.string());
    f.RecurseFiles2();
}

// Record layouts spelt out here, apart from the station's record code.
std::string field(const std::string& text, std::size_t width) {
    std::string out = text;
    out.resize(width, ' ');
    return out;
}
std::string numbered(int n) {
    return {static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)};
}
std::string songBytes(int n, const std::string& albumBy, const std::string& artist, const fs::path& path,
                      const std::string& album) {
    return numbered(n) + field(albumBy, 128) + field(artist, 128) + field(path.stem().string(), 128) +
           field(album, 125) + field("001", 7) + field("", 4 + 30 + 128) + field(path.string(), 256) +
           field("", 4);
}
std::string entryBytes(const std::string& artist, const std::string& album, const fs::path& path) {
    return numbered(0) + field(artist, 128) + field(album, 125) + field(path.string(), 256);
}

std::vector<std::string> artistsIn(const fs::path& file) {
    std::vector<std::string> out;
    for (const auto& entry : library::RecordStore<library::AlbumRecord>::load(file).records)
        out.push_back(entry.artist);
    return out;
}

TEST(FolderScan, WritesEachFlushAsOneGroupWithExactRecordBytes) {
    ReadyStation s(0);
    Form1& f = *s.f;
    // Listed in this order: sub-folder B, a1, sub-folder C, a2. Entering C writes b1, b2, a1.
    const fs::path tree = s.rt.programFolder() / "Tree";
    const fs::path b1 = tree / "1-B/b1.mp3", b2 = tree / "1-B/b2.mp3", a1 = tree / "2-a1.mp3";
    const fs::path c1 = tree / "3-C/c1.mp3", a2 = tree / "4-a2.mp3";
    writeSong(b1, "Beta", "Bee");
    writeSong(b2, "Beta", "Bee");
    writeSong(a1, "Alpha", "Aye");
    writeSong(c1, "Gamma", "Sea");
    writeSong(a2, "Alpha", "Aye");
    scan(f, tree);

    const fs::path folder = s.rt.programFolder();
    EXPECT_EQ(fixtures::readText(folder / "Data.mld"),
              songBytes(1, "Beta", "Beta", b1, "Bee") + songBytes(2, "", "Beta", b2, "Bee") +
                  songBytes(3, "", "Alpha", a1, "Aye") + songBytes(4, "Various Artists", "Gamma", c1, "Sea") +
                  songBytes(5, "", "Alpha", a2, "Aye"));
    EXPECT_EQ(fixtures::readText(folder / "Album.mld"),
              entryBytes("Beta", "Bee", b1) + entryBytes("Various Artists", "Sea", c1));
    EXPECT_EQ(fixtures::readText(folder / "Artist.mld"), entryBytes("Beta", "Bee", b1) +
                                                             entryBytes("Gamma", "Sea", c1) +
                                                             entryBytes("Alpha", "Aye", a2));
    EXPECT_EQ(f.Label1[14].caption(), "5");
    EXPECT_EQ(f.Label1[15].caption(), "2");
    EXPECT_EQ(f.Label1[16].caption(), "3");
    EXPECT_EQ(f.Label1[18].caption(), tree.string() + "/"); // the folder of the last song taken
    EXPECT_TRUE(s.rt.messages().shown.empty());

    // Nothing checks for songs already there: a second scan appends them again, numbered on.
    scan(f, tree);
    EXPECT_EQ(fs::file_size(folder / "Data.mld"), 10u * 940);
    EXPECT_EQ(artistsIn(folder / "Album.mld"),
              (std::vector<std::string>{"Beta", "Various Artists", "Beta", "Various Artists"}));
    EXPECT_EQ(f.ListView->count(), 10);
}

TEST(FolderScan, AFolderOfOneSongIsAnAlbumOfItsOwn) {
    ReadyStation s(0);
    const fs::path tree = s.rt.programFolder() / "Tree";
    writeSong(tree / "1-A/a1.mp3", "Ex", "Single");
    writeSong(tree / "2-B/b1.mp3", "Why", "Pair");
    writeSong(tree / "2-B/b2.mp3", "Why", "Pair");
    scan(*s.f, tree);
    const fs::path folder = s.rt.programFolder();
    EXPECT_EQ(fixtures::readText(folder / "Album.mld"),
              entryBytes("Various Artists", "Single", tree / "1-A/a1.mp3") +
                  entryBytes("Why", "Pair", tree / "2-B/b1.mp3"));
    EXPECT_EQ(artistsIn(folder / "Artist.mld"), (std::vector<std::string>{"Ex", "Why"}));
}

TEST(FolderScan, GroupsOneArtistsAlbumOnlyWhenAnotherSongSharesTheFirstArtistExactly) {
    struct Case {
        std::vector<std::string> artists;
        std::string album;
        std::vector<std::string> artistEntries;
    };
    const Case cases[] = {
        {{"A"}, "Various Artists", {"A"}},
        {{"A", "B", "A"}, "A", {"A"}},
        {{"A", "B", "B"}, "Various Artists", {"A", "B", "B"}},
        {{"Abba", "ABBA"}, "Various Artists", {"Abba", "ABBA"}},
    };
    for (const Case& c : cases) {
        ReadyStation s(0);
        const fs::path tree = s.rt.programFolder() / "Tree";
        for (std::size_t i = 0; i < c.artists.size(); ++i)
            writeSong(tree / std::string(1, static_cast<char>('a' + i)).append(".mp3"), c.artists[i]);
        scan(*s.f, tree);
        const fs::path folder = s.rt.programFolder();
        EXPECT_EQ(artistsIn(folder / "Album.mld"), std::vector<std::string>{c.album}) << c.artists.size();
        EXPECT_EQ(artistsIn(folder / "Artist.mld"), c.artistEntries);
        const auto songs = library::RecordStore<library::SongRecord>::load(folder / "Data.mld").records;
        ASSERT_EQ(songs.size(), c.artists.size());
        EXPECT_EQ(songs[0].albumBy, c.album);
        for (std::size_t i = 1; i < songs.size(); ++i)
            EXPECT_EQ(songs[i].albumBy, "");
    }
}

TEST(FolderScan, PassesOverWhatItCannotTakeTellsOnceAndLeavesTheEditorAndClockAlone) {
    ReadyStation s(0);
    Form1& f = *s.f;
    const fs::path tree = s.rt.programFolder() / "Tree";
    writeSong(tree / "one.mp3", "A");
    writeSong(tree / "two.MP3", "A");
    const fs::path deep = tree / std::string(130, 'x') / std::string(130, 'y');
    writeSong(deep / "three.mp3", "A");
    fs::create_symlink(tree / "nowhere", tree / "broken.mp3");
    ASSERT_EQ(::mkfifo((tree / "fifo.mp3").c_str(), 0644), 0);
    f.txtMP3[7].setText("the editor's text");
    s.rt.player().clearLog();

    scan(f, tree);
    EXPECT_EQ(f.ListView->count(), 2);
    EXPECT_EQ(f.txtMP3[7].text(), "the editor's text");
    EXPECT_EQ(s.stateRequests(), 1); // the clock stood still: one tick for the whole scan
    ASSERT_EQ(s.rt.messages().shown.size(), 1u);
    EXPECT_EQ(s.rt.messages().shown[0].text,
              "Passed over:\n- 1 song file could not be read\n- 1 song file with a path longer than the 256 "
              "bytes the song database holds");

    // Without a player the clock tick would complain at every song: the scan leaves it out.
    f.winamp.hWinAMP = 0;
    fs::remove(tree / "broken.mp3");
    fs::remove_all(tree / std::string(130, 'x'));
    scan(f, tree);
    EXPECT_EQ(f.ListView->count(), 4);
    EXPECT_EQ(s.rt.messages().shown.size(), 1u);
}

TEST(FolderScan, AWriteErrorStopsTheScanNamingTheFileAndKeepsWholeRecords) {
    ReadyStation s(0);
    Form1& f = *s.f;
    const fs::path tree = s.rt.programFolder() / "Tree";
    for (const char* name : {"a/1.mp3", "a/2.mp3", "a/3.mp3", "b/4.mp3"})
        writeSong(tree / name, "A");
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 2 * 940 + 100; // the third song fails halfway
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    scan(f, tree);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    const fs::path data = s.rt.programFolder() / "Data.mld";
    EXPECT_EQ(fs::file_size(data), 2u * 940);
    EXPECT_EQ(f.ListView->count(), 2);
    EXPECT_EQ(artistsIn(s.rt.programFolder() / "Album.mld"), std::vector<std::string>{"A"});
    ASSERT_EQ(s.rt.messages().shown.size(), 1u);
    const std::string& text = s.rt.messages().shown[0].text;
    EXPECT_NE(text.find("The scan stopped: Cannot write " + data.string()), std::string::npos) << text;
    EXPECT_NE(text.find("3.mp3"), std::string::npos);
}

// The test-data maker writes the database a scan of its library would: the station plays its songs
// from the paths stored, wherever the maker was run.
TEST(MakeLibrary, GivenRelativeFoldersStoresTheFullPathsOfTheSongsItWrote) {
    const fixtures::TempFolder cwd;
    const std::string command =
        "cd '" + cwd.path().string() +
        "' && '" TUNNORA_MAKELIBRARY
        "' --artists 1 --albums 2 --songs 2 --seconds 0.1 --database db Music >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto songs = library::RecordStore<library::SongRecord>::load(cwd / "db/Data.mld").records;
    const auto albums = library::RecordStore<library::AlbumRecord>::load(cwd / "db/Album.mld").records;
    ASSERT_EQ(songs.size(), 4u);
    ASSERT_EQ(albums.size(), 2u);
    std::vector<fs::path> paths;
    for (const auto& song : songs)
        paths.push_back(song.fileLocation);
    for (const auto& album : albums)
        paths.push_back(album.location);
    for (const fs::path& path : paths) {
        EXPECT_TRUE(path.is_absolute()) << path;
        EXPECT_TRUE(fs::is_regular_file(path)) << path;
        EXPECT_EQ(path.string().rfind((cwd / "Music/").string(), 0), 0u) << path;
    }
}

} // namespace
