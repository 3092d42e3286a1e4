#include "app/form1.h"
#include "app/station.h"
#include "library/albumrecord.h"
#include "library/recordstore.h"
#include "library/songlist.h"
#include "library/songrecord.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/textbox.h"
#include "testruntime.h"

#include "fixtures/mp3file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

namespace fs = std::filesystem;
using library::AlbumRecord;
using library::SongRecord;

SongRecord song(const std::string& artist, const std::string& album, const std::string& track,
                const std::string& path, const std::string& played = "") {
    SongRecord r;
    r.artist = artist;
    r.album = album;
    r.track = track;
    r.title = "Title of " + path;
    r.year = "1977";
    r.genre = "Pop";
    r.fileLocation = path;
    r.playedTimes = played;
    return r;
}

AlbumRecord entry(const std::string& artist, const std::string& album, const std::string& path) {
    AlbumRecord a;
    a.artist = artist;
    a.album = album;
    a.location = path;
    return a;
}

template <class Record> void appendAll(const fs::path& path, const std::vector<Record>& records) {
    auto store = library::RecordStore<Record>::openForAppend(path);
    ASSERT_TRUE(store);
    for (const Record& r : records)
        ASSERT_TRUE(store->append(r).ok());
}

// The main window of a test run with its database paths in the test's program folder.
struct Window {
    TestRuntime rt;
    Station station{rt.runtime()};
    Form1 f{station};

    Window() {
        f.files.DataPath = (rt.programFolder() / "Data.mld").string();
        f.files.AlbumPath = (rt.programFolder() / "Album.mld").string();
        f.files.ArtistPath = (rt.programFolder() / "Artist.mld").string();
    }
    fs::path data() const { return f.files.DataPath; }
    fs::path albums() const { return f.files.AlbumPath; }
    fs::path artists() const { return f.files.ArtistPath; }

    std::vector<std::string> row(tk::ListView& list, int r) {
        std::vector<std::string> cells{list.text(r)};
        for (int c = 1; c < list.columnCount(); ++c)
            cells.push_back(list.subItem(r, c));
        return cells;
    }
    // The record numbers of the song list from the top.
    std::vector<std::string> order() {
        std::vector<std::string> out;
        for (int r = 1; r <= f.ListView->count(); ++r)
            out.push_back(f.ListView->subItem(r, 10));
        return out;
    }
};

// Three songs, three album entries and two artist entries, as a scan would leave them.
void writeSmallLibrary(const Window& w) {
    SongRecord first = song("  Abba ", "Gold", "2", "/music/Abba/Gold/02.mp3", "12");
    first.albumBy = "Abba";
    first.comments = "  best  ";
    appendAll(w.data(), std::vector<SongRecord>{first, song("Queen", "Jazz", "1", "/music/Queen/Jazz/01.mp3"),
                                                song("abba", "Gold", "1", "/music/Abba/Gold/01.mp3", "7")});
    appendAll(w.albums(), std::vector<AlbumRecord>{entry("Queen", "Jazz", "/music/Queen/Jazz/01.mp3"),
                                                   entry("Abba", "Gold", "/music/Abba/Gold/02.mp3"),
                                                   entry("Various Artists", "Hits", "/music/Hits/01.mp3")});
    appendAll(w.artists(), std::vector<AlbumRecord>{entry("Queen", "Jazz", "/music/Queen/Jazz/01.mp3"),
                                                    entry("Abba", "Gold", "/music/Abba/Gold/02.mp3")});
}

TEST(LoadDataBase, FillsTheSongListWithTrimmedFieldsPaddedCountsAndRecordNumbers) {
    Window w;
    writeSmallLibrary(w);
    const std::string files =
        fixtures::readText(w.data()) + fixtures::readText(w.albums()) + fixtures::readText(w.artists());
    w.f.LoadDataBase();
    EXPECT_EQ(fixtures::readText(w.data()) + fixtures::readText(w.albums()) + fixtures::readText(w.artists()),
              files)
        << "the loader never writes";

    ASSERT_EQ(w.f.ListView->count(), 3);
    // Artist order, then album, then track: record 3 ("abba", track 1) before record 1 (track 2).
    EXPECT_EQ(w.order(), (std::vector<std::string>{"000003", "000001", "000002"}));
    EXPECT_EQ(w.row(*w.f.ListView, 2),
              (std::vector<std::string>{"Abba", "Abba", "Gold", "2", "Title of /music/Abba/Gold/02.mp3",
                                        "0012", "1977", "Pop", "best", "/music/Abba/Gold/02.mp3", "000001"}));
    EXPECT_EQ(w.f.ListView->subItem(1, 5), "0007");
    // Never played: "0000", so it sorts with the songs counted 0 times and the top 10 can show it.
    EXPECT_EQ(w.f.ListView->subItem(3, 5), "0000");
    EXPECT_EQ(w.f.ListView->text(3), "");

    EXPECT_EQ(w.f.Label1[14].caption(), "3");
    EXPECT_EQ(w.f.Label1[15].caption(), "3");
    EXPECT_EQ(w.f.Label1[16].caption(), "2");
    EXPECT_EQ(w.f.Text1->toolTipText(), "Maximum Songs To Select As Randomize Is : 2  ");

    // The song list is left unsorted by artist; the tables sort by their own key.
    EXPECT_FALSE(w.f.ListView->sorted());
    EXPECT_EQ(w.f.ListView->sortKey(), 1);
    EXPECT_EQ(w.f.ListView->sortOrder(), 0);
    EXPECT_TRUE(w.f.TempAlbum->sorted());
    EXPECT_TRUE(w.f.TempArtist->sorted());
}

// Rows are built straight from the record's bytes: they must read as the decoded record does, for
// fields written on Windows, cut by a NUL, or padded on both sides.
TEST(LoadDataBase, RowsReadTheRecordsBytesAsTheDecodedRecord) {
    Window w;
    SongRecord r = song("Artist", "Album", "3", "/m/caf\xE9/01.mp3", " 42 ");
    r.albumBy = "Artist";
    std::array<std::uint8_t, SongRecord::kSize> bytes{};
    ASSERT_TRUE(r.encode(1, bytes));
    const auto put = [&](text::Field field, std::string_view raw) {
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(field.offset), field.width, ' ');
        std::copy(raw.begin(), raw.end(), bytes.begin() + static_cast<std::ptrdiff_t>(field.offset));
    };
    put(SongRecord::Layout::kArtist, "M\xF6tley Cr\xFC"
                                     "e");                                       // Windows-1252
    put(SongRecord::Layout::kTitle, std::string_view("  Kickstart\0 rest", 18)); // cut at the NUL
    put(SongRecord::Layout::kComments, std::string(128, ' '));
    put(SongRecord::Layout::kAlbum, "  \xC3\xA9t\xC3\xA9  "); // UTF-8 already
    ASSERT_TRUE(fixtures::writeBytes(w.data(), fixtures::Bytes(bytes.begin(), bytes.end())));
    w.f.LoadDataBase();

    ASSERT_EQ(w.f.ListView->count(), 1);
    const auto expected = library::songListColumns(SongRecord::decode(bytes), 1);
    EXPECT_EQ(w.row(*w.f.ListView, 1), std::vector<std::string>(expected.begin(), expected.end()));
    EXPECT_EQ(w.f.ListView->subItem(1, 1), "M\u00F6tley Cr\u00FC"
                                           "e");
    EXPECT_EQ(w.f.ListView->subItem(1, 4), "Kickstart");
    EXPECT_EQ(w.f.ListView->subItem(1, 2), "\u00E9t\u00E9");
    EXPECT_EQ(w.f.ListView->subItem(1, 5), "0042");
    EXPECT_EQ(w.f.ListView->subItem(1, 9), "/m/caf\xE9/01.mp3"); // a path keeps its own bytes
}

TEST(LoadDataBase, FillsTheAlbumAndArtistTablesNumberedFromZeroInFileOrder) {
    Window w;
    writeSmallLibrary(w);
    w.f.LoadDataBase();

    tk::ListView& albums = *w.f.TempAlbum;
    ASSERT_EQ(albums.count(), 3);
    // Sorted by album; the row texts keep the file order they were given in.
    EXPECT_EQ(w.row(albums, 1),
              (std::vector<std::string>{"1", "Abba", "Gold", "/music/Abba/Gold/02.mp3", "0"}));
    EXPECT_EQ(w.row(albums, 2),
              (std::vector<std::string>{"2", "Various Artists", "Hits", "/music/Hits/01.mp3", "0"}));
    EXPECT_EQ(w.row(albums, 3),
              (std::vector<std::string>{"0", "Queen", "Jazz", "/music/Queen/Jazz/01.mp3", "0"}));
    tk::ListView& artists = *w.f.TempArtist;
    ASSERT_EQ(artists.count(), 2);
    EXPECT_EQ(artists.text(1), "1");
    EXPECT_EQ(artists.subItem(1, 1), "Abba");
    EXPECT_EQ(artists.text(2), "0");

    // A reload gives the same tables, not twice the rows.
    w.f.LoadDataBase();
    EXPECT_EQ(albums.count(), 3);
    EXPECT_EQ(w.f.ListView->count(), 3);
}

TEST(LoadDataBase, ReadsWholeRecordsOfADamagedFileAndCountsThem) {
    for (const auto& [length, rows] : {std::pair{941u, 1}, std::pair{1880u, 2}, std::pair{1881u, 2}}) {
        Window w;
        appendAll(w.data(),
                  std::vector<SongRecord>{song("A", "X", "1", "/m/1.mp3"), song("B", "X", "2", "/m/2.mp3"),
                                          song("C", "X", "3", "/m/3.mp3")});
        fs::resize_file(w.data(), length);
        w.f.LoadDataBase();
        EXPECT_EQ(w.f.ListView->count(), rows) << length;
        EXPECT_EQ(w.f.Label1[14].caption(), std::to_string(rows)) << length;
        EXPECT_EQ(fs::file_size(w.data()), length) << "the loader never writes";
    }
}

TEST(LoadDataBase, AnEmptyAlbumFileEmptiesItsTableButAnEmptyOrMissingSongFileLeavesBothTablesAlone) {
    Window w;
    writeSmallLibrary(w);
    w.f.LoadDataBase();
    const std::string hint = w.f.Text1->toolTipText();
    const std::string albums = fixtures::readText(w.albums());
    // An empty album file empties its table and keeps its count.
    fs::resize_file(w.albums(), 0);
    w.f.LoadDataBase();
    EXPECT_EQ(w.f.TempAlbum->count(), 0);
    EXPECT_EQ(w.f.Label1[15].caption(), "3");
    EXPECT_EQ(w.f.TempArtist->count(), 2);
    EXPECT_EQ(w.f.ListView->count(), 3);

    ASSERT_TRUE(fixtures::writeBytes(w.albums(), fixtures::Bytes(albums.begin(), albums.end())));
    w.f.LoadDataBase();
    fs::resize_file(w.data(), 0);
    fs::resize_file(w.albums(), 0);
    w.f.LoadDataBase();
    EXPECT_EQ(w.f.ListView->count(), 0);
    EXPECT_EQ(w.f.Label1[14].caption(), "0");
    EXPECT_EQ(w.f.TempAlbum->count(), 3);
    EXPECT_EQ(w.f.Label1[15].caption(), "3");
    EXPECT_EQ(w.f.TempArtist->count(), 2);
    EXPECT_EQ(w.f.Label1[16].caption(), "2");
    EXPECT_EQ(w.f.Text1->toolTipText(), hint);

    fs::remove(w.data());
    w.f.LoadDataBase();
    EXPECT_EQ(w.f.ListView->count(), 0);
    EXPECT_EQ(w.f.TempAlbum->count(), 3);
    EXPECT_TRUE(fs::exists(w.data())) << "a missing file is created empty";
    EXPECT_EQ(fs::file_size(w.data()), 0u);
    EXPECT_TRUE(w.rt.messages().shown.empty());
}

TEST(LoadDataBase, AnUnreadableFileLoadsAsEmptyAndIsReportedOncePerRun) {
    Window w;
    writeSmallLibrary(w);
    w.f.LoadDataBase();
    // A folder where the file should be: it opens, but holds no records to read.
    fs::remove(w.data());
    fs::create_directory(w.data());

    w.f.LoadDataBase();
    w.f.LoadDataBase();
    EXPECT_EQ(w.f.ListView->count(), 0);
    EXPECT_EQ(w.f.Label1[14].caption(), "0");
    EXPECT_EQ(w.f.TempAlbum->count(), 3) << "as for an empty file";
    ASSERT_EQ(w.rt.messages().shown.size(), 1u);
    EXPECT_EQ(w.rt.messages().shown[0].style, 48);
    EXPECT_EQ(w.rt.messages().shown[0].title, "Tunnora");
    EXPECT_NE(w.rt.messages().shown[0].text.find(w.data().string()), std::string::npos);
    EXPECT_FALSE(w.rt.programExit().ended);

    // Another file is reported on its own, once.
    fs::remove(w.data());
    writeSmallLibrary(w);
    fs::remove(w.artists());
    fs::create_directory(w.artists());
    w.f.LoadDataBase();
    w.f.LoadDataBase();
    EXPECT_EQ(w.f.ListView->count(), 3);
    EXPECT_EQ(w.f.TempArtist->count(), 0);
    EXPECT_EQ(w.f.Label1[16].caption(), "2");
    ASSERT_EQ(w.rt.messages().shown.size(), 2u);
    EXPECT_NE(w.rt.messages().shown[1].text.find("Artist.mld"), std::string::npos);
}

TEST(LoadDataBase, HintsNineTenthsOfTheSongsRoundedDown) {
    for (const auto& [songs, hint] : {std::pair{9, "8"}, std::pair{10, "9"}, std::pair{250, "225"}}) {
        Window w;
        std::vector<SongRecord> records;
        for (int i = 0; i < songs; ++i)
            records.push_back(song("A", "X", std::to_string(i), "/m/" + std::to_string(i) + ".mp3"));
        appendAll(w.data(), records);
        w.f.LoadDataBase();
        EXPECT_EQ(w.f.Text1->toolTipText(),
                  std::string("Maximum Songs To Select As Randomize Is : ") + hint + "  ");
    }
}

TEST(LoadDataBase, EndsInTheSameOrderWhateverOrderTheListWasIn) {
    Window w;
    std::vector<SongRecord> records;
    const char* artists[] = {"b", "A", "a", "B", "c"};
    for (int i = 0; i < 40; ++i)
        records.push_back(song(artists[i % 5], i % 3 ? "x" : "X", std::to_string(i % 4),
                               "/m/" + std::to_string(i), std::to_string(i % 6)));
    appendAll(w.data(), records);
    w.f.LoadDataBase();
    const auto first = w.order();
    w.f.SortByPlays();
    w.f.ListView->setSortKey(7);
    w.f.LoadDataBase();
    EXPECT_EQ(w.order(), first);
    EXPECT_FALSE(w.f.ListView->sorted());
}

TEST(LoadDataBase, BuildsTheFolderIndexOfTheAlbumPage) {
    Window w;
    writeSmallLibrary(w);
    w.f.LoadDataBase();
    EXPECT_TRUE(w.f.songFolders.known());
    EXPECT_EQ(w.f.songFolders.recordCount(), 3);
    const auto songs = w.f.songsInFolderOf("/MUSIC/abba/gold/cover.jpg");
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_EQ(songs[0].number, 1);
    EXPECT_EQ(songs[1].number, 3);
    EXPECT_EQ(songs[1].record.artist, "abba");
    EXPECT_TRUE(w.f.songsInFolderOf("/music/None/x.mp3").empty());

    // An unreadable file leaves no index behind, and the album page finds nothing.
    fs::remove(w.data());
    fs::create_directory(w.data());
    w.f.LoadDataBase();
    EXPECT_FALSE(w.f.songFolders.known());
    EXPECT_TRUE(w.f.songsInFolderOf("/music/Abba/Gold/01.mp3").empty());
}

TEST(LoadDataBase, NumbersSongsByTheirPlacePastTheSixteenBitNumberField) {
    Window w;
    std::vector<SongRecord> records(32770, song("A", "X", "1", "/m/x.mp3"));
    appendAll(w.data(), records);
    w.f.LoadDataBase();
    EXPECT_EQ(w.f.Label1[14].caption(), "32770");
    // Equal artist, album and track: the rows stay in file order. Record 32768's number field holds
    // -32768; its place in the file numbers it.
    EXPECT_EQ(w.f.ListView->subItem(32768, 10), "032768");
    EXPECT_EQ(w.f.ListView->subItem(32770, 10), "032770");
    EXPECT_EQ(w.f.Text1->toolTipText(), "Maximum Songs To Select As Randomize Is : 29493  ");
}

} // namespace
