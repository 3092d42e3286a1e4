#include "library/songlist.h"

#include "library/songrecord.h"
#include "library/utf8.h"

#include <algorithm>
#include <charconv>

namespace library {

namespace {
constexpr int kMaxPlayCount = 9999;

bool allDigits(std::string_view s) noexcept {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string zeroPadded(std::string_view digits, std::size_t width) {
    std::string out;
    if (digits.size() < width)
        out.assign(width - digits.size(), '0');
    out.append(digits);
    return out;
}
} // namespace

std::array<std::string, kSongColumnCount> songListColumns(const SongRecord& record, std::int64_t number) {
    SongListCells row;
    row.set(record, number);
    std::array<std::string, kSongColumnCount> columns;
    std::copy(row.cells().begin(), row.cells().end(), columns.begin());
    return columns;
}

void SongListCells::set(const SongRecord& record, std::int64_t number) {
    m_playCount = formatPlayCount(record.playedTimes);
    m_recordNumber = formatRecordNumber(number);
    m_cells = {record.albumBy,  record.artist,       record.album,  record.track,
               record.title,    m_playCount,         record.year,   record.genre,
               record.comments, record.fileLocation, m_recordNumber};
}

void SongListCells::set(std::span<const std::uint8_t, kSongRecordSize> bytes, std::int64_t number) {
    static_assert(kSongRecordSize == SongRecord::kSize);
    using Layout = SongRecord::Layout;
    const auto textOf = [&](text::Field where, SongColumn column) {
        return text::readTextField(text::fieldOf(bytes, where), m_repaired[static_cast<std::size_t>(column)]);
    };
    m_playCount = formatPlayCount(textOf(Layout::kPlayedTimes, SongColumn::PlayedTimes));
    m_recordNumber = formatRecordNumber(number);
    m_cells = {textOf(Layout::kAlbumBy, SongColumn::AlbumBy),
               textOf(Layout::kArtist, SongColumn::Artist),
               textOf(Layout::kAlbum, SongColumn::Album),
               textOf(Layout::kTrack, SongColumn::Track),
               textOf(Layout::kTitle, SongColumn::Title),
               m_playCount,
               textOf(Layout::kYear, SongColumn::Year),
               textOf(Layout::kGenre, SongColumn::Genre),
               textOf(Layout::kComments, SongColumn::Comments),
               text::pathFieldView(text::fieldOf(bytes, Layout::kFileLocation)),
               m_recordNumber};
}

std::string formatPlayCount(std::string_view playedTimes) {
    return zeroPadded(std::to_string(playCount(playedTimes)), 4);
}

std::string formatRecordNumber(std::int64_t number) {
    return zeroPadded(std::to_string(number), 6);
}

int playCount(std::string_view playedTimes) noexcept {
    const std::string_view trimmed = text::trimBlanks(playedTimes);
    if (!allDigits(trimmed))
        return 0;
    int value = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || end != trimmed.data() + trimmed.size())
        return kMaxPlayCount;
    return std::min(value, kMaxPlayCount);
}

std::string nextPlayCount(std::string_view playedTimes) {
    return std::to_string(std::min(playCount(playedTimes) + 1, kMaxPlayCount));
}

} // namespace library
