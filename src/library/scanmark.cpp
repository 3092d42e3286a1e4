#include "library/scanmark.h"

#include "library/albumrecord.h"
#include "library/groupentries.h"
#include "library/songgrouping.h"
#include "library/songrecord.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <sys/stat.h>
#include <vector>

namespace library {

namespace {

// The mark is one record of three counts, each as decimal text blank-padded to 20 bytes: songs,
// albums, artists. It is rewritten in place with one write of its 60 bytes, which lands whole or not
// at all even when the process is killed, as it lies within one page.
constexpr std::size_t kCountWidth = 20;
constexpr std::size_t kMarkSize = 3 * kCountWidth;
using MarkBytes = std::array<std::uint8_t, kMarkSize>;

MarkBytes encodeMark(const RecordCounts& counts) {
    MarkBytes bytes;
    bytes.fill(' ');
    std::size_t at = 0;
    for (const std::int64_t count : {counts.songs, counts.albums, counts.artists}) {
        const auto field = reinterpret_cast<char*>(bytes.data() + at);
        std::to_chars(field, field + kCountWidth, count);
        at += kCountWidth;
    }
    return bytes;
}

std::optional<RecordCounts> decodeMark(const MarkBytes& bytes) {
    std::array<std::int64_t, 3> counts{};
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const auto field = reinterpret_cast<const char*>(bytes.data() + i * kCountWidth);
        const char* end = field + kCountWidth;
        const auto [last, ec] = std::from_chars(field, end, counts[i]);
        if (ec != std::errc() || last == field || counts[i] < 0)
            return std::nullopt;
        for (const char* c = last; c != end; ++c) {
            if (*c != ' ')
                return std::nullopt;
        }
    }
    return RecordCounts{counts[0], counts[1], counts[2]};
}

Result<std::int64_t> wholeRecords(const std::filesystem::path& path, std::size_t recordSize) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT)
            return std::int64_t{0};
        return FileError{path.string(), "read", errno, ""};
    }
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(status.st_size) / recordSize);
}

// The songs appended after record `after`, as the scan's work table held them.
Result<std::vector<ScannedSong>> songsAfter(const std::filesystem::path& path, std::int64_t after,
                                            std::int64_t last) {
    std::vector<ScannedSong> songs;
    if (last <= after)
        return songs;
    auto file = RecordFile::open(path, SongRecord::kSize, RecordFileMode::Load);
    if (!file)
        return file.error();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(last - after) * SongRecord::kSize);
    if (auto error = file->read(after + 1, bytes))
        return *error;
    for (std::int64_t number = after + 1; number <= last; ++number) {
        const auto record = std::span(bytes)
                                .subspan(static_cast<std::size_t>(number - after - 1) * SongRecord::kSize)
                                .first<SongRecord::kSize>();
        SongRecord song = SongRecord::decode(record);
        songs.push_back(
            {std::move(song.artist), std::move(song.album), std::move(song.fileLocation), number});
    }
    return songs;
}

void removeMark(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

Result<RecordCounts> countRecords(const DatabaseFiles& files) {
    const auto songs = wholeRecords(files.songs, SongRecord::kSize);
    if (!songs)
        return songs.error();
    const auto albums = wholeRecords(files.albums, AlbumRecord::kSize);
    if (!albums)
        return albums.error();
    const auto artists = wholeRecords(files.artists, AlbumRecord::kSize);
    if (!artists)
        return artists.error();
    return RecordCounts{*songs, *albums, *artists};
}

Result<ScanMark> ScanMark::open(const std::filesystem::path& path) {
    auto file = RecordFile::open(path, kMarkSize, RecordFileMode::Append);
    if (!file)
        return file.error();
    return ScanMark(std::move(file).value());
}

std::optional<FileError> ScanMark::set(const RecordCounts& groupStart) {
    return m_file.write(1, encodeMark(groupStart));
}

void ScanMark::remove() {
    removeMark(m_file.path());
}

std::optional<std::string> completeStoppedGroup(const DatabaseFiles& files) {
    const std::filesystem::path path = files.scanMark();
    auto mark = RecordFile::open(path, kMarkSize, RecordFileMode::Update);
    if (!mark) {
        if (mark.error().code == ENOENT)
            return std::nullopt;
        return mark.error().message();
    }
    // A mark without its counts was made for a group none of whose songs was written yet.
    MarkBytes bytes{};
    const std::optional<RecordCounts> start = mark->read(1, bytes) ? std::nullopt : decodeMark(bytes);
    if (start) {
        const auto now = countRecords(files);
        if (!now)
            return now.error().message();
        if (now->songs >= start->songs && now->albums >= start->albums && now->artists >= start->artists) {
            const auto songs = songsAfter(files.songs, start->songs, now->songs);
            if (!songs)
                return songs.error().message();
            const SongGroup group = groupSongs(*songs);
            const auto albumsThere = static_cast<std::size_t>(now->albums - start->albums);
            const auto artistsThere = static_cast<std::size_t>(now->artists - start->artists);
            if (albumsThere <= group.albums.size() && artistsThere <= group.artists.size()) {
                if (auto failure = writeGroupEntries(files, *songs, group, albumsThere, artistsThere))
                    return failure;
            }
        }
    }
    removeMark(path);
    return std::nullopt;
}

} // namespace library
