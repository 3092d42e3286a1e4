#include "library/filetags.h"
#include "library/tagmerge.h"
#include "library/tagwriter.h"

#include "fixtures/mp3file.h"
#include "fixtures/tagbytes.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <dlfcn.h>
#include <filesystem>
#include <grp.h>
#include <random>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A disk that fills up: once armed, the writes of this process take `budget` more bytes, the one
// that crosses it is cut short, and every later one fails.
struct WriteBudget {
    bool armed = false;
    std::uint64_t budget = 0;
};
WriteBudget g_writeBudget;
// A disk that fails to flush: while set, every flush of this process fails.
bool g_flushFails = false;
// A folder that refuses new files: while set, no temporary file can be created, whoever runs the
// tests (the superuser may create files in any folder the system would refuse to others).
bool g_createFails = false;
// A writer who may not give a file away: while set, no file can be given another owner or group,
// whoever runs the tests (the superuser may give any file to anyone).
bool g_ownerRefused = false;

} // namespace

// Every positioned write, every flush, every temporary file's creation and every change of a file's
// owner in the test program pass here (the C library's own are called behind them).
extern "C" ssize_t pwrite(int fd, const void* data, std::size_t size, off_t offset) {
    using Write = ssize_t (*)(int, const void*, std::size_t, off_t);
    static const auto real = reinterpret_cast<Write>(::dlsym(RTLD_NEXT, "pwrite"));
    if (g_writeBudget.armed) {
        if (g_writeBudget.budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        size = static_cast<std::size_t>(std::min<std::uint64_t>(size, g_writeBudget.budget));
        const ssize_t written = real(fd, data, size, offset);
        if (written > 0)
            g_writeBudget.budget -= static_cast<std::uint64_t>(written);
        return written;
    }
    return real(fd, data, size, offset);
}

extern "C" int fsync(int fd) {
    using Flush = int (*)(int);
    static const auto real = reinterpret_cast<Flush>(::dlsym(RTLD_NEXT, "fsync"));
    if (g_flushFails) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

extern "C" int mkostemp(char* pattern, int flags) {
    using Create = int (*)(char*, int);
    static const auto real = reinterpret_cast<Create>(::dlsym(RTLD_NEXT, "mkostemp"));
    if (g_createFails) {
        errno = EACCES;
        return -1;
    }
    return real(pattern, flags);
}

extern "C" int fchown(int fd, uid_t owner, gid_t group) noexcept {
    using GiveAway = int (*)(int, uid_t, gid_t);
    static const auto real = reinterpret_cast<GiveAway>(::dlsym(RTLD_NEXT, "fchown"));
    if (g_ownerRefused) {
        errno = EPERM;
        return -1;
    }
    return real(fd, owner, group);
}

namespace {

using namespace fixtures;
namespace fs = std::filesystem;
using Status = id3::TagWriteResult::Status;

id3::TagValues sampleValues() {
    return {"Artist", "Title", "Album", "3/12", "2001", "Rock", "Nice one"};
}

Bytes tail(const Bytes& bytes, std::size_t n) {
    return Bytes(bytes.end() - static_cast<std::ptrdiff_t>(n), bytes.end());
}

Bytes slice(const Bytes& bytes, std::size_t from, std::size_t n) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + n));
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A song whose tag holds a cover larger than a page in front of its text frames, with an ID3v1 tag.
Bytes songWithCover() {
    return id3v2Tag(3, {frame(3, "APIC", pictureData(100000)), frame(3, "TIT2", textData(0, "Old title"))},
                    2048) +
           silentAudio(0.3).bytes + id3v1Tag({"Old title", "Old artist", "", "", "", 1, 17, true});
}

TEST(TagWriter, ANewTagHasTheFixedHeaderAndFrameOrderBeforeTheAudio) {
    TempFolder folder;
    const Bytes audio = silentAudio(0.5).bytes;
    ASSERT_TRUE(writeBytes(folder / "s.mp3", audio));
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", sampleValues()).ok());
    const Bytes file = readBytes(folder / "s.mp3");

    const Bytes frames = frame(3, "TPE1", textData(0, "Artist")) + frame(3, "TIT2", textData(0, "Title")) +
                         frame(3, "TALB", textData(0, "Album")) + frame(3, "TYER", textData(0, "2001")) +
                         frame(3, "TCON", textData(0, "Rock")) + frame(3, "TRCK", textData(0, "3/12")) +
                         frame(3, "COMM", commentData(0, "eng", "", "Nice one"));
    Bytes expectedTag = Bytes{0x49, 0x44, 0x33, 0x03, 0x00, 0x00, 0x00, 0x00, 0x02, 0x01} + frames;
    expectedTag.resize(267, 0);
    ASSERT_EQ(file.size(), 267 + audio.size() + 128);
    EXPECT_EQ(slice(file, 0, 267), expectedTag);
    EXPECT_EQ(slice(file, 267, audio.size()), audio);
    EXPECT_EQ(tail(file, 128), id3v1Tag({"Title", "Artist", "Album", "2001", "Nice one", 3, 17, true}));
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", sampleValues()).ok()); // writing again changes nothing
    EXPECT_EQ(readBytes(folder / "s.mp3"), file);
}

TEST(TagWriter, KeepsTheTagsSizeWhenTheFramesFitAndOtherFramesByteForByte) {
    TempFolder folder;
    const Bytes picture = frame(3, "APIC", pictureData(3000));
    const Bytes privateFrame = frame(3, "PRIV", bytesOf("owner") + Bytes{0, 1, 2, 3});
    const Bytes described = frame(3, "COMM", commentData(0, "eng", "iTunNORM", "0000 1111"));
    const Bytes tag =
        id3v2Tag(3,
                 {frame(3, "TIT2", textData(0, "Old")), picture, frame(3, "TPE1", textData(1, "Old A")),
                  privateFrame, frame(3, "TIT2", textData(0, "Duplicate")), described,
                  frame(3, "COMM", commentData(0, "eng", "", "old comment"))},
                 2048);
    const Bytes audio = silentAudio(0.5).bytes;
    ASSERT_TRUE(writeBytes(folder / "s.mp3", tag + audio));
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", sampleValues()).ok());
    const Bytes file = readBytes(folder / "s.mp3");

    ASSERT_EQ(file.size(), tag.size() + audio.size() + 128); // the tag kept its size; ID3v1 appended
    EXPECT_EQ(slice(file, 0, 10), slice(tag, 0, 10));
    const Bytes expectedFrames =
        frame(3, "TIT2", textData(0, "Title")) + picture + frame(3, "TPE1", textData(0, "Artist")) +
        privateFrame + described + frame(3, "COMM", commentData(0, "eng", "", "Nice one")) +
        frame(3, "TALB", textData(0, "Album")) + frame(3, "TYER", textData(0, "2001")) +
        frame(3, "TCON", textData(0, "Rock")) + frame(3, "TRCK", textData(0, "3/12"));
    EXPECT_EQ(slice(file, 10, expectedFrames.size()), expectedFrames);
    EXPECT_EQ(slice(file, 10 + expectedFrames.size(), tag.size() - 10 - expectedFrames.size()),
              Bytes(tag.size() - 10 - expectedFrames.size(), 0));
    EXPECT_EQ(slice(file, tag.size(), audio.size()), audio);
}

TEST(TagWriter, GrowsTheTagThroughANewFileKeepingTheModeAndTheAudio) {
    TempFolder folder;
    const Bytes tag = id3v2Tag(3, {frame(3, "TIT2", textData(0, "x"))});
    const Bytes audio = silentAudio(1.0, Bitrate::Variable).bytes;
    const Bytes v1 = id3v1Tag({"x", "y", "", "", "", 0, 255, true});
    ASSERT_TRUE(writeBytes(folder / "s.mp3", tag + audio + v1));
    ASSERT_EQ(::chmod((folder / "s.mp3").c_str(), 0640), 0);
    id3::TagValues values = sampleValues();
    values.title = std::string(200, 'T');
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", values).ok());
    const Bytes file = readBytes(folder / "s.mp3");
    EXPECT_EQ(slice(file, file.size() - 128 - audio.size(), audio.size()), audio);
    EXPECT_EQ(fs::status(folder / "s.mp3").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"}); // no temporary file left behind
    EXPECT_EQ(id3::FileTags::read(folder / "s.mp3").id3v2->title, values.title);
}

TEST(TagWriter, WritesUtf16WithAByteOrderMarkInVersion23AndKeepsVersion24InUtf8) {
    TempFolder folder;
    ASSERT_TRUE(writeBytes(folder / "s.mp3", silentAudio(0.3).bytes));
    id3::TagValues values = sampleValues();
    values.title = "\u041F\u0440\u0438\u0432\u0435\u0442";
    values.comment = "\u20AC";
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", values).ok());
    const Bytes file = readBytes(folder / "s.mp3");
    const Bytes title = frame(3, "TIT2", textData(1, values.title));
    EXPECT_EQ(slice(file, 10 + frame(3, "TPE1", textData(0, "Artist")).size(), title.size()), title);
    auto read = id3::FileTags::read(folder / "s.mp3").id3v2;
    EXPECT_EQ(read->title, values.title);
    EXPECT_EQ(read->comment, "\u20AC");

    const Bytes tag =
        id3v2Tag(4, {frame(4, "TDRC", textData(0, "1999")), frame(4, "TYER", textData(0, "1998"))}, 512);
    ASSERT_TRUE(writeBytes(folder / "v24.mp3", tag + silentAudio(0.3).bytes));
    values.artist = "\u65E5\u672C";
    ASSERT_TRUE(id3::writeTags(folder / "v24.mp3", values).ok());
    const Bytes v24 = readBytes(folder / "v24.mp3");
    EXPECT_EQ(v24[3], 4);
    const Bytes expected =
        frame(4, "TDRC", textData(0, "2001")) + frame(4, "TPE1", textData(3, "\u65E5\u672C"));
    EXPECT_EQ(slice(v24, 10, expected.size()), expected);
    read = id3::FileTags::read(folder / "v24.mp3").id3v2;
    EXPECT_EQ(read->year, "2001");
    EXPECT_EQ(read->artist, "\u65E5\u672C");
}

TEST(TagWriter, AnEmptyValueKeepsTheId3v1Value) {
    TempFolder folder;
    const Bytes audio = silentAudio(0.3).bytes;
    ASSERT_TRUE(writeBytes(folder / "s.mp3",
                           audio + id3v1Tag({"V1 Title", "V1 Artist", "V1 Album", "1977", "", 9, 8, true})));
    id3::TagValues values;
    values.title = "New";
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", values).ok());
    const Bytes file = readBytes(folder / "s.mp3");
    EXPECT_EQ(file.size(), 267 + audio.size() + 128); // the ID3v1 tag is rewritten, not appended
    EXPECT_EQ(tail(file, 128), id3v1Tag({"New", "V1 Artist", "V1 Album", "1977", "", 9, 8, true}));
    const id3::TagValues merged = id3::readTagValues(folder / "s.mp3");
    EXPECT_EQ(merged.artist, "V1 Artist");
    EXPECT_EQ(merged.track, "009");
    EXPECT_EQ(merged.genre, "Jazz");
}

TEST(TagWriter, WritesThroughASymbolicLinkAndKeepsTheLink) {
    TempFolder folder;
    ASSERT_TRUE(writeBytes(folder / "real.mp3", silentAudio(0.3).bytes));
    fs::create_symlink(folder / "real.mp3", folder / "link.mp3");
    ASSERT_TRUE(id3::writeTags(folder / "link.mp3", sampleValues()).ok());
    EXPECT_TRUE(fs::is_symlink(folder / "link.mp3"));
    EXPECT_EQ(id3::FileTags::read(folder / "real.mp3").id3v2->artist, "Artist");
}

TEST(TagWriter, AHardLinkedSongIsWrittenInPlaceUnderAllItsNamesOrNotAtAll) {
    TempFolder folder;
    const fs::path a = folder / "a.mp3", b = folder / "b.mp3";
    const Bytes old = songWithCover();
    ASSERT_TRUE(writeBytes(a, old));
    fs::create_hard_link(a, b);
    struct stat before {};
    ASSERT_EQ(::stat(a.c_str(), &before), 0);
    ASSERT_TRUE(id3::writeTags(a, sampleValues()).ok());
    struct stat after {};
    ASSERT_EQ(::stat(b.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    const Bytes written = readBytes(b);
    const Bytes audio = silentAudio(0.3).bytes;
    ASSERT_EQ(written.size(), old.size()); // the tag kept its place, the ID3v1 block was overwritten
    EXPECT_EQ(slice(written, old.size() - 128 - audio.size(), audio.size()), audio);
    EXPECT_EQ(id3::readTagValues(b).title, "Title");
    EXPECT_EQ(tail(written, 128), id3v1Tag({"Title", "Artist", "Album", "2001", "Nice one", 3, 17, true}));

    // A tag past the old one's space is not written at all, and the owner is told why.
    id3::TagValues larger = sampleValues();
    larger.comment = std::string(3000, 'c');
    const auto refused = id3::writeTags(b, larger);
    EXPECT_EQ(refused.status, Status::NoRoomInPlace);
    EXPECT_NE(refused.reason.find("hard links"), std::string::npos);
    EXPECT_EQ(readBytes(a), written);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"a.mp3", "b.mp3"}));
}

TEST(TagWriter, ASongWhoseOwnerANewFileCannotKeepIsWrittenInPlaceOrNotAtAll) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give the song to an owner the writer is not";
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0); // the writer may create files beside the song
    const fs::path song = folder / "s.mp3";
    ASSERT_TRUE(writeBytes(song, songWithCover()));
    ASSERT_EQ(::chown(song.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(song.c_str(), 0666), 0);
    struct stat before {};
    ASSERT_EQ(::stat(song.c_str(), &before), 0);
    // Written by a writer of another user and group, who may write the song but not give a file away.
    const auto writeAsAnotherUser = [&](const id3::TagValues& values) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(4321) != 0 || ::setuid(4321) != 0)
                ::_exit(100);
            ::_exit(static_cast<int>(id3::writeTags(song, values).status));
        }
        int status = 0;
        ::waitpid(writer, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_EQ(writeAsAnotherUser(sampleValues()), static_cast<int>(Status::Written));
    struct stat after {};
    ASSERT_EQ(::stat(song.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
    EXPECT_EQ(id3::readTagValues(song).title, "Title");

    const Bytes written = readBytes(song);
    id3::TagValues larger = sampleValues();
    larger.comment = std::string(3000, 'c');
    EXPECT_EQ(writeAsAnotherUser(larger), static_cast<int>(Status::NoRoomInPlace));
    EXPECT_EQ(readBytes(song), written);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"});
}

// The same with the refusal faked, so that it is checked whoever runs the tests; the test above has
// the system itself refuse a writer of another user.
TEST(TagWriter, ASongANewFileCannotBeGivenTheOwnerOfIsWrittenInPlaceOrNotAtAll) {
    TempFolder folder;
    const fs::path song = folder / "s.mp3";
    ASSERT_TRUE(writeBytes(song, songWithCover()));
    struct stat before {};
    ASSERT_EQ(::stat(song.c_str(), &before), 0);
    g_ownerRefused = true;
    const auto written = id3::writeTags(song, sampleValues());
    g_ownerRefused = false;
    ASSERT_TRUE(written.ok()) << written.reason;
    struct stat after {};
    ASSERT_EQ(::stat(song.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(id3::readTagValues(song).title, "Title");
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"});

    const Bytes inPlace = readBytes(song);
    id3::TagValues larger = sampleValues();
    larger.comment = std::string(3000, 'c');
    g_ownerRefused = true;
    const auto refused = id3::writeTags(song, larger);
    g_ownerRefused = false;
    EXPECT_EQ(refused.status, Status::NoRoomInPlace);
    EXPECT_NE(refused.reason.find("owner"), std::string::npos) << refused.reason;
    EXPECT_EQ(readBytes(song), inPlace);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"});
}

TEST(TagWriter, RefusalsLeaveTheFileUntouchedAndCreateNothing) {
    struct Case {
        const char* name;
        Bytes bytes;
        Status status;
    };
    const Bytes audio = silentAudio(0.3).bytes;
    const std::vector<Case> cases = {
        {"version 2.2", id3v2Tag(2, {frame(2, "TT2", textData(0, "x"))}, 100) + audio,
         Status::UnsupportedVersion},
        {"unknown version", Bytes{'I', 'D', '3', 5, 0, 0, 0, 0, 0, 10} + Bytes(10, 0) + audio,
         Status::UnsupportedVersion},
        {"size past end", Bytes{'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F} + audio, Status::TagPastEnd},
        {"size not syncsafe", Bytes{'I', 'D', '3', 3, 0, 0, 0, 0, 0x81, 0} + audio, Status::MalformedTag},
        {"bad frame id", id3v2Tag(3, {bytesOf("tit2") + bigEndian(2) + Bytes{0, 0, 0, 'x'}}) + audio,
         Status::MalformedTag},
        {"frame overruns",
         id3v2Header(3, 20) + bytesOf("TIT2") + bigEndian(400) + Bytes{0, 0} + Bytes(10, 0) + audio,
         Status::MalformedTag},
        {"too short", Bytes(100, 0), Status::FileTooShort},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ASSERT_TRUE(writeBytes(folder / "s.mp3", c.bytes));
        const auto result = id3::writeTags(folder / "s.mp3", sampleValues());
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_FALSE(result.reason.empty()) << c.name;
        EXPECT_EQ(readBytes(folder / "s.mp3"), c.bytes) << c.name;
        EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"}) << c.name;
    }
}

TEST(TagWriter, RefusesFilesItMayNotOrCannotWrite) {
    TempFolder folder;
    EXPECT_EQ(id3::writeTags(folder / "missing.mp3", sampleValues()).status, Status::FileMissing);
    EXPECT_FALSE(fs::exists(folder / "missing.mp3"));
    ASSERT_EQ(::mkfifo((folder / "pipe.mp3").c_str(), 0644), 0);
    EXPECT_EQ(id3::writeTags(folder / "pipe.mp3", sampleValues()).status, Status::NotRegularFile);
    fs::create_directory(folder / "dir.mp3");
    EXPECT_EQ(id3::writeTags(folder / "dir.mp3", sampleValues()).status, Status::NotRegularFile);

    const Bytes song = silentAudio(0.3).bytes;
    ASSERT_TRUE(writeBytes(folder / "ro.mp3", song));
    ASSERT_EQ(::chmod((folder / "ro.mp3").c_str(), 0444), 0);
    const auto result = id3::writeTags(folder / "ro.mp3", sampleValues());
    EXPECT_EQ(result.status, Status::NotWritable);
    EXPECT_EQ(readBytes(folder / "ro.mp3"), song);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"pipe.mp3", "dir.mp3", "ro.mp3"}));

    // A folder that refuses new files (the superuser may write into any folder).
    fs::create_directory(folder / "locked");
    ASSERT_TRUE(writeBytes(folder / "locked" / "s.mp3", song));
    ASSERT_EQ(::chmod((folder / "locked").c_str(), 0555), 0);
    const auto locked = id3::writeTags(folder / "locked" / "s.mp3", sampleValues());
    ::chmod((folder / "locked").c_str(), 0755);
    if (::geteuid() != 0) {
        EXPECT_EQ(locked.status, Status::NotWritable);
        EXPECT_EQ(readBytes(folder / "locked" / "s.mp3"), song);
    }
}

// Only a song a new file cannot stand in for is written in place: one whose folder refuses the new
// file is not written at all, even when its new tag would fit the old one's space.
TEST(TagWriter, ASongWhoseNewFileCannotBeCreatedIsNotWrittenAtAll) {
    TempFolder folder;
    const fs::path song = folder / "s.mp3";
    const Bytes old = songWithCover();
    ASSERT_TRUE(writeBytes(song, old));
    id3::TagValues larger = sampleValues();
    larger.comment = std::string(3000, 'c');
    for (const id3::TagValues& values : {sampleValues(), larger}) {
        g_createFails = true;
        const auto result = id3::writeTags(song, values);
        g_createFails = false;
        EXPECT_EQ(result.status, Status::NotWritable) << values.comment.size();
        EXPECT_NE(result.reason.find("folder"), std::string::npos) << result.reason;
        EXPECT_EQ(readBytes(song), old);
        EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"});
    }
}

TEST(TagWriter, AWriteCutShortAnywhereLeavesTheOldFileWholeAndNothingBeside) {
    TempFolder folder;
    const Bytes old = songWithCover();
    const fs::path song = folder / "s.mp3";
    ASSERT_TRUE(writeBytes(song, old));
    id3::TagValues values = sampleValues();
    values.title = "A new title";
    // Cuts in the ID3v1 block, in the first page of the tag, across the cover, at the tag's end, in
    // the audio and at the very end.
    const std::size_t tag = old.size() - silentAudio(0.3).bytes.size() - 128;
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{100}, std::size_t{129}, std::size_t{4095}, std::size_t{4097},
          std::size_t{50000}, tag - 1, tag, tag + 1000, old.size() - 129, old.size() - 1}) {
        g_writeBudget = {true, cut};
        const auto result = id3::writeTags(song, values);
        g_writeBudget = {};
        EXPECT_EQ(result.status, Status::FileFailed) << "cut at " << cut;
        EXPECT_FALSE(result.reason.empty());
        ASSERT_EQ(readBytes(song), old) << "cut at " << cut;
        EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"}) << "cut at " << cut;
    }
    ASSERT_TRUE(id3::writeTags(song, values).ok());
    EXPECT_EQ(id3::readTagValues(song).title, "A new title");
}

TEST(TagWriter, ANewFileThatCannotBeFlushedDoesNotReplaceTheSong) {
    TempFolder folder;
    const Bytes old = songWithCover();
    ASSERT_TRUE(writeBytes(folder / "s.mp3", old));
    id3::TagValues values = sampleValues();
    values.comment = std::string(3000, 'c'); // past the padding: the song is written anew
    g_flushFails = true;
    const auto result = id3::writeTags(folder / "s.mp3", values);
    g_flushFails = false;
    EXPECT_EQ(result.status, Status::FileFailed);
    EXPECT_NE(result.reason.find("flushed"), std::string::npos);
    EXPECT_EQ(readBytes(folder / "s.mp3"), old);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"});
}

TEST(TagWriter, AKillAtAnyMomentLeavesTheOldTagsOrTheNewOnes) {
    TempFolder folder;
    const fs::path song = folder / "s.mp3";
    ASSERT_TRUE(writeBytes(song, songWithCover()));
    id3::TagValues first = sampleValues();
    id3::TagValues second = sampleValues();
    second.title = "Another title";
    second.artist = "Another artist";
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(id3::writeTags(song, first).ok());
    const Bytes firstFile = readBytes(song);
    ASSERT_TRUE(id3::writeTags(song, second).ok());
    const Bytes secondFile = readBytes(song);
    ASSERT_TRUE(id3::writeTags(song, first).ok());
    ASSERT_EQ(readBytes(song), firstFile);
    // Kills land anywhere within about two writes.
    const auto write = (std::chrono::steady_clock::now() - started) / 3;
    const auto window =
        std::max<std::int64_t>(2 * std::chrono::duration_cast<std::chrono::microseconds>(write).count(), 200);

    std::mt19937 random(20240607);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    int kills = 0;
    for (; kills < 300 && std::chrono::steady_clock::now() < deadline; ++kills) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (;;) {
                (void)id3::writeTags(song, second);
                (void)id3::writeTags(song, first);
            }
        }
        ::usleep(static_cast<useconds_t>(random() % static_cast<std::uint32_t>(window)));
        ::kill(writer, SIGKILL);
        ASSERT_EQ(::waitpid(writer, nullptr, 0), writer);
        const Bytes now = readBytes(song);
        ASSERT_TRUE(now == firstFile || now == secondFile) << "after kill " << kills;
    }
    EXPECT_GE(kills, 50);
    // The temporary files of the killed writers go with the next write.
    id3::TagValues third = sampleValues();
    third.title = "A third title";
    ASSERT_TRUE(id3::writeTags(song, third).ok());
    EXPECT_EQ(id3::readTagValues(song).title, "A third title");
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"s.mp3"});
}

TEST(TagWriter, RemovesOnlyStaleTemporariesOfItsOwnFromTheSongsFolder) {
    TempFolder folder;
    ASSERT_TRUE(writeBytes(folder / "s.mp3", silentAudio(0.3).bytes));
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", sampleValues()).ok());
    const std::string ours = ".tunnora-tag-" + std::to_string(::getpid()) + "-Ab3xYz";
    const std::set<std::string> kept = {
        "s.mp3",
        ours,                          // a writer that still runs
        ".tunnora-tag-1-Ab3xYz",       // so does process 1
        ".tunnora-tag-Ab3xYz",         // named without a process id, written just now
        "x.tunnora-tag-2147483646-Ab", // not our name
        ".tunnora-conf-2147483646-Ab", // not the tag writer's
    };
    const std::set<std::string> stale = {
        ".tunnora-tag-2147483646-Ab3xYz", // no such process
        ".tunnora-tag-Cd4wZq",            // named without a process id, two hours old
    };
    for (const std::string& name : kept)
        ASSERT_TRUE(name == "s.mp3" || writeBytes(folder / name, Bytes(1000, 7)));
    for (const std::string& name : stale)
        ASSERT_TRUE(writeBytes(folder / name, Bytes(1000, 7)));
    fs::last_write_time(folder / ".tunnora-tag-Cd4wZq",
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
    fs::create_directory(folder / ".tunnora-tag-2147483646-folder");

    // A write that changes nothing clears them too.
    const Bytes song = readBytes(folder / "s.mp3");
    ASSERT_TRUE(id3::writeTags(folder / "s.mp3", sampleValues()).ok());
    EXPECT_EQ(readBytes(folder / "s.mp3"), song);
    std::set<std::string> expected = kept;
    expected.insert(".tunnora-tag-2147483646-folder");
    EXPECT_EQ(namesIn(folder.path()), expected);
}

} // namespace
