#include "library/scanmark.h"

#include "library/albumrecord.h"
#include "library/groupentries.h"
#include "library/recordstore.h"
#include "library/songrecord.h"

#include "fixtures/mp3file.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using library::AlbumRecord;
using library::RecordStore;
using library::SongRecord;

void appendSongs(const fs::path& file, const std::vector<std::string>& artists, const std::string& album) {
    auto store = RecordStore<SongRecord>::openForAppend(file);
    ASSERT_TRUE(store);
    for (const std::string& artist : artists) {
        SongRecord song;
        song.artist = artist;
        song.album = album;
        song.fileLocation = "/m/" + album + "/" + artist + ".mp3";
        ASSERT_TRUE(store->append(song).ok());
    }
}

library::GroupEntry entry(const std::string& artist, const std::string& album, const std::string& song) {
    return {artist, album, "/m/" + album + "/" + song + ".mp3", 0};
}

std::vector<std::string> artistsIn(const fs::path& file) {
    std::vector<std::string> out;
    for (const AlbumRecord& e : RecordStore<AlbumRecord>::load(file).records)
        out.push_back(e.artist + " " + e.location);
    return out;
}

std::string allBytes(const library::DatabaseFiles& files) {
    return fixtures::readText(files.songs) + fixtures::readText(files.albums) +
           fixtures::readText(files.artists);
}

// A scan stopped after the album entry and the first artist entry of a "Various Artists" group: the
// group's songs get the album artist and only the artist entries their file lacks.
TEST(ScanMark, AStoppedGroupGetsWhatItsFilesLackAndAMarkThatDoesNotFitChangesNothing) {
    const fixtures::TempFolder folder;
    const library::DatabaseFiles files{folder / "Data.mld", folder / "Album.mld", folder / "Artist.mld"};
    appendSongs(files.songs, {"Old", "Old"}, "Before");
    ASSERT_FALSE(library::appendEntries(files.albums, std::vector{entry("Old", "Before", "Old")}));
    ASSERT_FALSE(library::appendEntries(files.artists, std::vector{entry("Old", "Before", "Old")}));
    auto mark = library::ScanMark::open(files.scanMark());
    ASSERT_TRUE(mark);
    const auto start = library::countRecords(files);
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, (library::RecordCounts{2, 1, 1}));
    ASSERT_FALSE(mark->set(*start));
    appendSongs(files.songs, {"Ann", "Bob", "Cy"}, "Mix");
    ASSERT_FALSE(library::appendEntries(files.albums, std::vector{entry("Various Artists", "Mix", "Ann")}));
    ASSERT_FALSE(library::appendEntries(files.artists, std::vector{entry("Ann", "Mix", "Ann")}));

    EXPECT_FALSE(library::completeStoppedGroup(files));
    EXPECT_FALSE(fs::exists(files.scanMark()));
    const auto songs = RecordStore<SongRecord>::load(files.songs).records;
    ASSERT_EQ(songs.size(), 5u);
    EXPECT_EQ(songs[2].albumBy, "Various Artists");
    EXPECT_EQ(songs[3].albumBy, "");
    EXPECT_EQ(artistsIn(files.albums),
              (std::vector<std::string>{"Old /m/Before/Old.mp3", "Various Artists /m/Mix/Ann.mp3"}));
    EXPECT_EQ(artistsIn(files.artists),
              (std::vector<std::string>{"Old /m/Before/Old.mp3", "Ann /m/Mix/Ann.mp3", "Bob /m/Mix/Bob.mp3",
                                        "Cy /m/Mix/Cy.mp3"}));

    // A mark counting more records than the files hold, or fewer entries than they hold past it,
    // describes some other database: it goes, and nothing is written.
    const std::string before = allBytes(files);
    for (const library::RecordCounts wrong :
         {library::RecordCounts{6, 0, 0}, library::RecordCounts{4, 0, 0}}) {
        auto stale = library::ScanMark::open(files.scanMark());
        ASSERT_TRUE(stale);
        ASSERT_FALSE(stale->set(wrong));
        EXPECT_FALSE(library::completeStoppedGroup(files));
        EXPECT_FALSE(fs::exists(files.scanMark()));
        EXPECT_EQ(allBytes(files), before);
    }
}

} // namespace
