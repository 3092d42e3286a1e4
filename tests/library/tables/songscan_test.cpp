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

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
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

// Where the three database files in `folder` first disagree, or nothing when they agree: every song
// lies in a group of one folder that begins with a song naming its album artist (the first song's
// artist when another song shares it, else "Various Artists"), and the groups have their album entry
// and their artist entries (one for an artist's album, one per song otherwise) in the order written.
std::string disagreement(const fs::path& folder) {
    using library::AlbumRecord;
    using library::RecordStore;
    const auto songs = RecordStore<library::SongRecord>::load(folder / "Data.mld").records;
    const auto albums = RecordStore<AlbumRecord>::load(folder / "Album.mld").records;
    const auto artists = RecordStore<AlbumRecord>::load(folder / "Artist.mld").records;
    const auto entry = [](const std::string& artist, const library::SongRecord& song) {
        return AlbumRecord{0, artist, song.album, song.fileLocation};
    };
    std::vector<AlbumRecord> groupAlbums;
    std::vector<AlbumRecord> groupArtists;
    for (std::size_t first = 0, end = 0; first < songs.size(); first = end) {
        const std::string where = "song " + std::to_string(first + 1);
        if (songs[first].albumBy.empty())
            return where + " lies in no group";
        bool shared = false;
        for (end = first + 1; end < songs.size() && songs[end].albumBy.empty(); ++end) {
            if (songs[end].album != songs[first].album)
                return "song " + std::to_string(end + 1) + " lies in the group of another folder";
            shared = shared || songs[end].artist == songs[first].artist;
        }
        const std::string albumBy = shared ? songs[first].artist : "Various Artists";
        if (songs[first].albumBy != albumBy)
            return where + " names the album artist " + songs[first].albumBy;
        groupAlbums.push_back(entry(albumBy, songs[first]));
        for (std::size_t i = first; i < (shared ? first + 1 : end); ++i)
            groupArtists.push_back(entry(shared ? albumBy : songs[i].artist, songs[i]));
    }
    if (albums != groupAlbums)
        return std::to_string(albums.size()) + " album entries for " + std::to_string(groupAlbums.size()) +
               " groups, or entries that do not match them";
    if (artists != groupArtists)
        return std::to_string(artists.size()) + " artist entries where the groups make " +
               std::to_string(groupArtists.size()) + ", or entries that do not match them";
    return {};
}

// While it appends, the scan marks where each group began ("Scan.mld"); a scan that ends normally
// leaves only the database files beside what the program folder held, whole and grouped.
TEST(FolderScan, AScanThatEndsNormallyRemovesItsMarkAndLeavesTheDatabaseWhole) {
    ReadyStation s(0);
    const fs::path folder = s.rt.programFolder();
    const fs::path tree = folder / "Tree";
    writeSong(tree / "1 Band/a.mp3", "Band", "Band");
    writeSong(tree / "1 Band/b.mp3", "Band", "Band");
    writeSong(tree / "2 Mix/a.mp3", "Ann", "Mix");
    writeSong(tree / "2 Mix/b.mp3", "Bob", "Mix");
    std::set<std::string> expected = namesIn(folder);
    expected.insert({"Data.mld", "Album.mld", "Artist.mld"});

    scan(*s.f, tree);
    EXPECT_FALSE(fs::exists(folder / "Scan.mld"));
    EXPECT_EQ(namesIn(folder), expected);
    EXPECT_EQ(disagreement(folder), "");
    EXPECT_EQ(s.f->ListView->count(), 4);
    EXPECT_EQ(artistsIn(folder / "Album.mld"), (std::vector<std::string>{"Band", "Various Artists"}));
    EXPECT_TRUE(s.rt.messages().shown.empty());
}

// Starts the scan's child process on the database in `folder`, scanning `tree`; returns once its first
// scan begins. Its own temporary folders go below `temporary`.
pid_t startScanUntilKilled(const fs::path& folder, const fs::path& tree, const fs::path& temporary) {
    int out[2];
    EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<std::string> environment{"TMPDIR=" + temporary.string()};
    for (char** e = environ; *e; ++e) {
        if (std::string_view(*e).rfind("TMPDIR=", 0) != 0)
            environment.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = TUNNORA_SCAN_UNTIL_KILLED, database = folder.string(), songs = tree.string();
    char* argv[] = {program.data(), database.data(), songs.data(), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(::posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data()), 0);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    char line[16];
    EXPECT_GT(::read(out[0], line, sizeof line), 0) << "the scan did not begin";
    ::close(out[0]);
    return pid;
}

// A scan killed at any moment, again and again on one database: at each next start the three files
// agree, every song in a group with its album and artist entries, grouped as the scan groups.
TEST(FolderScan, AScanKilledAtAnyMomentLeavesEverySongInAWholeAlbumAtTheNextStart) {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    const fs::path folder = rt.programFolder();
    const fs::path tree = folder / "Tree";
    // Four folders, each a group of its own: a single song, an artist's album, "Various Artists" (the
    // first artist alone), a pair. Groups of many songs make most of a scan's time.
    writeSong(tree / "1 Solo/a.mp3", "Ann", "Solo");
    for (int i = 0; i < 40; ++i) {
        const std::string name = std::to_string(10 + i) + ".mp3";
        writeSong(tree / "2 Band" / name, "Band", "Band");
        writeSong(tree / "3 Mix" / name, i == 0 ? "Ann" : i % 2 ? "Bob" : "Cy", "Mix");
    }
    writeSong(tree / "4 Duo/1.mp3", "Dee", "Duo");
    writeSong(tree / "4 Duo/2.mp3", "Dee", "Duo");
    const fs::path temporary = folder / "tmp";
    fs::create_directories(temporary);

    int stoppedMidway = 0;
    for (int round = 0; round < 16; ++round) {
        const pid_t scan = startScanUntilKilled(folder, tree, temporary);
        // Spread over the first scans and the reloads after them.
        std::this_thread::sleep_for(std::chrono::microseconds(round * 389 % 4000));
        ASSERT_EQ(::kill(scan, SIGKILL), 0);
        ASSERT_EQ(::waitpid(scan, nullptr, 0), scan);
        stoppedMidway += !disagreement(folder).empty();

        Station station(rt.runtime());
        ASSERT_TRUE(station.start());
        EXPECT_EQ(disagreement(folder), "") << "after round " << round;
        EXPECT_TRUE(rt.messages().shown.empty());
        if (HasFailure())
            break;
    }
    // The kills did land in the middle of a group.
    EXPECT_GT(stoppedMidway, 0);
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
