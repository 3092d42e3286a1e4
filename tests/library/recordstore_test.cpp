#include "library/albumrecord.h"
#include "library/recordstore.h"
#include "library/songlist.h"
#include "library/songrecord.h"

#include "fixtures/mp3file.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using library::RecordStore;
using library::SongRecord;
using library::StoreStatus;
using Songs = RecordStore<SongRecord>;
using Albums = RecordStore<library::AlbumRecord>;

SongRecord song(const std::string& title, const std::string& path) {
    SongRecord r;
    r.artist = "Artist";
    r.title = title;
    r.fileLocation = path;
    return r;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    ASSERT_TRUE(fixtures::writeBytes(path, fixtures::Bytes(bytes.begin(), bytes.end())));
}

// A file of `count` records appended by the store, then cut or extended to `length` bytes.
void makeDatabase(const fs::path& path, int count, std::uintmax_t length) {
    auto store = Songs::openForAppend(path);
    ASSERT_TRUE(store);
    for (int i = 1; i <= count; ++i)
        ASSERT_TRUE(
            store->append(song("Song " + std::to_string(i), "/m/" + std::to_string(i) + ".mp3")).ok());
    fs::resize_file(path, length);
}

// A missing file is created empty and an unreadable one named, as the loader's tests show.
TEST(RecordStore, AFileInAMissingFolderLoadsEmptyAndNoFolderIsCreated) {
    fixtures::TempFolder folder;
    const auto loaded = Songs::load(folder / "no such folder" / "Data.mld");
    EXPECT_TRUE(loaded.records.empty());
    EXPECT_FALSE(loaded.error);
    EXPECT_FALSE(fs::exists(folder / "no such folder"));
}

TEST(RecordStore, AppendsNumberByPositionAfterTheLastWholeRecordOfADamagedFile) {
    // (length of the file, records loaded, number of the next append)
    const std::array<std::tuple<std::uintmax_t, std::size_t, std::int64_t>, 5> cases = {{
        {0, 0, 1},
        {941, 1, 2},
        {1410, 1, 2},
        {1880, 2, 3},
        {2350, 2, 3},
    }};
    for (const auto& [length, loads, next] : cases) {
        fixtures::TempFolder folder;
        const fs::path path = folder / "Data.mld";
        makeDatabase(path, 3, length);
        EXPECT_EQ(Songs::load(path).records.size(), loads) << length;
        auto store = Songs::openForAppend(path);
        ASSERT_TRUE(store);
        const auto appended = store->append(song("New", "/m/new.mp3"));
        EXPECT_EQ(appended.number, next) << length;
        EXPECT_EQ(fs::file_size(path), std::max<std::uintmax_t>(length, next * SongRecord::kSize)) << length;
        const auto loaded = Songs::load(path);
        ASSERT_EQ(loaded.records.size(), static_cast<std::size_t>(next)) << length;
        EXPECT_EQ(loaded.records.back().title, "New") << length;
        EXPECT_EQ(loaded.records.back().storedNumber, next) << length;
    }
}

TEST(RecordStore, AppendsPast32767SongsKeepTheLow16BitsOfTheNumber) {
    fixtures::TempFolder folder;
    const fs::path path = folder / "Data.mld";
    { std::ofstream create(path); }
    fs::resize_file(path, 40000 * SongRecord::kSize);
    auto store = Songs::openForAppend(path);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->append(song("Late", "/m/late.mp3")).number, 40001);
    const std::string bytes = fixtures::readText(path);
    EXPECT_EQ(static_cast<unsigned char>(bytes[40000 * SongRecord::kSize]), 0x41);
    EXPECT_EQ(static_cast<unsigned char>(bytes[40000 * SongRecord::kSize + 1]), 0x9C);
}

TEST(RecordStore, UpdatesOnlyTheChangedFieldOfTheExpectedSong) {
    fixtures::TempFolder folder;
    const fs::path path = folder / "Data.mld";
    makeDatabase(path, 2, 2 * SongRecord::kSize);
    // A title written on Windows: its bytes must survive an update of another field.
    std::string bytes = fixtures::readText(path);
    bytes[SongRecord::kSize + SongRecord::Layout::kTitle.offset] = '\xC9';
    writeFile(path, bytes);

    auto store = Songs::openForUpdate(path);
    ASSERT_TRUE(store);
    const auto result = store->update(
        2, "/m/2.mp3", [](SongRecord& r) { r.playedTimes = library::nextPlayCount(r.playedTimes); });
    ASSERT_TRUE(result.ok());
    std::string after = fixtures::readText(path);
    EXPECT_EQ(after.substr(SongRecord::kSize + SongRecord::Layout::kPlayedTimes.offset, 4), "1   ");
    after.replace(SongRecord::kSize + SongRecord::Layout::kPlayedTimes.offset, 4, "    ");
    EXPECT_EQ(after, bytes);
}

TEST(RecordStore, RefusalsLeaveTheFileByteIdenticalAndAnUpdateNeverCreatesAFile) {
    fixtures::TempFolder folder;
    const fs::path path = folder / "Data.mld";
    EXPECT_FALSE(Songs::openForUpdate(path));
    EXPECT_FALSE(fs::exists(path));
    makeDatabase(path, 2, 2 * SongRecord::kSize + 100);
    const std::string before = fixtures::readText(path);
    auto store = Songs::openForUpdate(path);
    ASSERT_TRUE(store);
    const auto change = [](SongRecord& r) { r.albumBy = "Various Artists"; };
    EXPECT_EQ(store->update(2, "/m/1.mp3", change).status, StoreStatus::PathMismatch);
    EXPECT_EQ(store->update(3, "/m/3.mp3", change).status, StoreStatus::NoSuchRecord);
    EXPECT_EQ(store->update(0, "/m/1.mp3", change).status, StoreStatus::NoSuchRecord);
    EXPECT_EQ(
        store->update(1, "/m/1.mp3", [](SongRecord& r) { r.fileLocation = std::string(300, 'x'); }).status,
        StoreStatus::PathNotStorable);
    auto appender = Songs::openForAppend(path);
    ASSERT_TRUE(appender);
    EXPECT_EQ(appender->append(song("Deep", "/" + std::string(300, 'd') + ".mp3")).status,
              StoreStatus::PathNotStorable);
    EXPECT_EQ(fixtures::readText(path), before);
}

} // namespace
