#include "library/songfolderindex.h"

#include "library/recordstore.h"
#include "library/songrecord.h"

#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using library::folderKey;
using library::NumberedSong;
using library::SongFolderIndex;
using library::SongRecord;
using Songs = library::RecordStore<SongRecord>;

SongRecord song(const std::string& path, int n) {
    SongRecord r;
    r.artist = "Artist " + std::to_string(n % 7);
    r.title = "Title " + std::to_string(n);
    r.album = "Album " + std::to_string(n % 5);
    r.track = std::to_string(n % 12 + 1);
    r.fileLocation = path;
    return r;
}

// The album's song page read the plain way: every record of the file, those of the folder kept.
std::vector<NumberedSong> literalRead(const fs::path& data, const std::string& key) {
    std::vector<NumberedSong> songs;
    const auto loaded = Songs::load(data);
    EXPECT_FALSE(loaded.error);
    for (std::size_t i = 0; i < loaded.records.size(); ++i) {
        if (!key.empty() && folderKey(loaded.records[i].fileLocation) == key)
            songs.push_back({static_cast<std::int64_t>(i + 1), loaded.records[i]});
    }
    return songs;
}

std::vector<NumberedSong> lookup(const fs::path& data, const std::string& key, SongFolderIndex& index) {
    auto songs = library::songsInFolder(data, key, index);
    EXPECT_TRUE(songs.ok());
    return songs ? std::move(songs).value() : std::vector<NumberedSong>{};
}

library::FileStamp stampOf(const fs::path& data) {
    auto file = library::RecordFile::open(data, SongRecord::kSize, library::RecordFileMode::Load);
    return *file->stamp();
}

// A library of songs in a few folders: albums written folder by folder, then songs added later to
// earlier folders (so a folder's records do not all follow each other), folder names that differ
// only in letter case or separator, and a path without a folder.
struct GeneratedLibrary {
    std::vector<std::string> paths;
    std::set<std::string> keys;
};

GeneratedLibrary generate(unsigned seed, int songs) {
    std::mt19937 random(seed);
    const std::vector<std::string> folders = {
        "/music/Abba/Gold/",  "/MUSIC/abba/gold/", "/music/Abba/Arrival/", "C:\\Music\\Queen\\",
        "c:\\music\\QUEEN\\", "/music/Émile/Été/", "/music/émile/été/",    "/music/Мир/",
        "/music/мир/",        "/music/a\\b/",      "/music/AC\\DC - ",     "/music/"};
    GeneratedLibrary lib;
    std::size_t folder = 0;
    for (int i = 0; i < songs; ++i) {
        if (random() % 6 == 0)
            folder = random() % folders.size();
        const bool noFolder = random() % 40 == 0;
        lib.paths.push_back(noFolder ? "loose" + std::to_string(i) + ".mp3"
                                     : folders[folder] + std::to_string(i) + ".mp3");
        lib.keys.insert(folderKey(lib.paths.back()));
    }
    lib.keys.insert("/NOWHERE/");
    return lib;
}

void append(const fs::path& data, const std::string& path, int n, SongFolderIndex* index = nullptr) {
    auto store = Songs::openForAppend(data);
    ASSERT_TRUE(store);
    const auto written = store->append(song(path, n));
    ASSERT_TRUE(written.ok());
    if (index)
        index->add(written.number, path);
}

void writeLibrary(const fs::path& data, const GeneratedLibrary& lib) {
    for (std::size_t i = 0; i < lib.paths.size(); ++i)
        append(data, lib.paths[i], static_cast<int>(i));
}

void expectSameAsLiteral(const fs::path& data, const std::set<std::string>& keys, SongFolderIndex& index) {
    for (const std::string& key : keys) {
        EXPECT_EQ(lookup(data, key, index), literalRead(data, key)) << "folder " << key;
    }
}

TEST(FolderKey, IsTheFolderUpperCasedBeyondAsciiWithItsSeparator) {
    EXPECT_EQ(folderKey("C:\\Music\\Abba\\01 Waterloo.mp3"), "C:\\MUSIC\\ABBA\\");
    EXPECT_EQ(folderKey("d:\\Music/Abba\\01.mp3"), "D:\\MUSIC/ABBA\\");
    EXPECT_EQ(folderKey("/home/me/Music/Abba/01.mp3"), "/HOME/ME/MUSIC/ABBA/");
    // "\" separates folders only in a Windows path: elsewhere it belongs to the name.
    EXPECT_EQ(folderKey("/music/AC\\DC - Thunder.mp3"), "/MUSIC/");
    EXPECT_EQ(folderKey("/music/a\\b/AC\\DC.mp3"), "/MUSIC/A\\B/");
    EXPECT_EQ(folderKey("AC\\DC.mp3"), "");
    EXPECT_EQ(folderKey("C:DC\\x.mp3"), "");
    EXPECT_EQ(folderKey("/music/x/"), "/MUSIC/X/");
    EXPECT_EQ(folderKey("/music/x/Song.MP3"), folderKey("/MUSIC/X/other.mp3"));
    EXPECT_EQ(folderKey("/a-1_(2)/x"), "/A-1_(2)/");
    // No folder, no key.
    EXPECT_EQ(folderKey("song.mp3"), "");
    EXPECT_EQ(folderKey(""), "");
    // Letter case is ignored beyond ASCII too.
    EXPECT_EQ(folderKey("/music/émile/été/1.mp3"), "/MUSIC/ÉMILE/ÉTÉ/");
    EXPECT_EQ(folderKey("/music/straße/ÿ/"), "/MUSIC/STRAßE/Ÿ/"); // ß has no single capital
    EXPECT_EQ(folderKey("/m/łódź/"), "/M/ŁÓDŹ/");
    EXPECT_EQ(folderKey("/m/мир/ёж/"), "/M/МИР/ЁЖ/");
    EXPECT_EQ(folderKey("/m/άλφα ς/"), "/M/ΆΛΦΑ Σ/");
    EXPECT_EQ(folderKey("/m/ı÷µ/"), "/M/ı÷µ/"); // letters without a plain capital and signs stay
    // A byte that is not UTF-8 is a Windows-1252 letter: é (E9) and É (C9), š (9A) and Š (8A).
    EXPECT_EQ(folderKey("/m/\xE9t\xE9/"), "/M/\xC9T\xC9/");
    EXPECT_EQ(folderKey("/m/\x9A/"), "/M/\x8A/");
    EXPECT_EQ(folderKey("/m/\xFF/"), "/M/\x9F/");
}

TEST(SongFolderIndex, LookupEqualsTheFullReadOnGeneratedLibrariesAndAfterAppendsAddedToIt) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        fixtures::TempFolder folder;
        const fs::path data = folder / "Data.mld";
        GeneratedLibrary lib = generate(seed, 400);
        writeLibrary(data, lib);

        // Built by a first lookup, which reads the whole file.
        SongFolderIndex index;
        EXPECT_FALSE(index.known());
        expectSameAsLiteral(data, lib.keys, index);
        EXPECT_TRUE(index.known());
        EXPECT_EQ(index.recordCount(), 400);
        EXPECT_EQ(index.stamp(), stampOf(data));

        // Appends added to the index leave it describing the file as it now is, with no full read.
        for (int i = 0; i < 30; ++i) {
            const std::string path =
                (i % 2 ? "/music/Abba/Gold/new" : "/music/New/") + std::to_string(i) + ".mp3";
            append(data, path, 1000 + i, &index);
            lib.keys.insert(folderKey(path));
        }
        EXPECT_EQ(index.recordCount(), 430);
        EXPECT_EQ(index.stamp(), stampOf(data));
        expectSameAsLiteral(data, lib.keys, index);
    }
}

TEST(SongFolderIndex, OutsideChangesOfTheFileAreSeenAndTheIndexRebuilt) {
    fixtures::TempFolder folder;
    const fs::path data = folder / "Data.mld";
    GeneratedLibrary lib = generate(11, 200);
    writeLibrary(data, lib);
    SongFolderIndex index;
    expectSameAsLiteral(data, lib.keys, index);

    // Another program appends songs without telling the index: the length changed.
    append(data, "/music/Abba/Gold/late.mp3", 1);
    append(data, "/music/Late/late.mp3", 2);
    lib.keys.insert("/MUSIC/LATE/");
    expectSameAsLiteral(data, lib.keys, index);
    EXPECT_EQ(index.recordCount(), 202);

    // A record rewritten in place with a path in another folder: the length stays, the path check sees it.
    const std::int64_t moved = lookup(data, "/MUSIC/ABBA/GOLD/", index).front().number;
    {
        auto store = Songs::openForUpdate(data);
        ASSERT_TRUE(store);
        const SongRecord before = *store->read(moved);
        ASSERT_TRUE(store
                        ->update(moved, before.fileLocation,
                                 [](SongRecord& r) { r.fileLocation = "/music/Moved/x.mp3"; })
                        .ok());
    }
    // The song's former folder is where the index can notice: the record it names lies elsewhere.
    EXPECT_EQ(lookup(data, "/MUSIC/ABBA/GOLD/", index), literalRead(data, "/MUSIC/ABBA/GOLD/"));
    lib.keys.insert("/MUSIC/MOVED/");
    expectSameAsLiteral(data, lib.keys, index);
    EXPECT_EQ(lookup(data, "/MUSIC/MOVED/", index).front().number, moved);

    // The file cut short, in the middle of a record: an append through the index is written over the
    // partial record and keeps the index exact.
    fs::resize_file(data, 50 * SongRecord::kSize + 17);
    expectSameAsLiteral(data, lib.keys, index);
    EXPECT_EQ(index.recordCount(), 50);
    append(data, "/music/Late/after.mp3", 3, &index);
    EXPECT_EQ(fs::file_size(data), 51 * SongRecord::kSize);
    EXPECT_EQ(index.stamp(), stampOf(data));
    expectSameAsLiteral(data, lib.keys, index);

    // Another file of the same length put in its place.
    const fs::path other = folder / "Other.mld";
    for (int i = 0; i < 51; ++i)
        append(other, "/music/Replaced/" + std::to_string(i) + ".mp3", i);
    fs::rename(other, data);
    lib.keys.insert("/MUSIC/REPLACED/");
    expectSameAsLiteral(data, lib.keys, index);
    EXPECT_EQ(lookup(data, "/MUSIC/REPLACED/", index).size(), 51u);

    // Deleted: loads as the empty file it is created as.
    fs::remove(data);
    EXPECT_TRUE(lookup(data, "/MUSIC/REPLACED/", index).empty());
    EXPECT_TRUE(fs::exists(data));
}

TEST(SongFolderIndex, AnAddOutOfTurnMakesTheNextLookupReadEverything) {
    fixtures::TempFolder folder;
    const fs::path data = folder / "Data.mld";
    append(data, "/a/1.mp3", 1);
    append(data, "/b/2.mp3", 2);
    SongFolderIndex index;
    (void)lookup(data, "/A/", index);
    index.add(1, "/b/1.mp3"); // a rewrite of an existing record
    EXPECT_FALSE(index.known());
    EXPECT_EQ(lookup(data, "/A/", index), literalRead(data, "/A/"));
    EXPECT_TRUE(index.known());
    index.add(5, "/b/5.mp3"); // a gap
    EXPECT_FALSE(index.known());
    // An index that knows no file ignores adds.
    EXPECT_TRUE(index.add(3, "/b/3.mp3").empty());
    EXPECT_FALSE(index.known());
}

TEST(SongFolderIndex, AnUnreadableFileIsAnErrorAndLeavesNoIndex) {
    fixtures::TempFolder folder;
    const fs::path data = folder / "Data.mld";
    fs::create_directory(data);
    SongFolderIndex index;
    index.restart({});
    const auto songs = library::songsInFolder(data, "/A/", index);
    ASSERT_FALSE(songs.ok());
    EXPECT_NE(songs.error().message().find("Data.mld"), std::string::npos);
    EXPECT_FALSE(index.known());
}

} // namespace
