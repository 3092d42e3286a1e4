#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace library {

struct SongRecord;

// The main song list's columns, in order.
enum class SongColumn {
    AlbumBy,
    Artist,
    Album,
    Track,
    Title,
    PlayedTimes,
    Year,
    Genre,
    Comments,
    FileLocation,
    RecordNumber,
};
inline constexpr std::size_t kSongColumnCount = 11;
inline constexpr std::size_t kSongRecordSize = 940;

// The row of the main song list for record `number`: the trimmed fields, the play count with four
// digits ("0012", "0000" for a song never played) and the record number with six ("000042"). The
// file location is the file name's own bytes; the view turns it into display text.
[[nodiscard]] std::array<std::string, kSongColumnCount> songListColumns(const SongRecord& record,
                                                                        std::int64_t number);

// The same row as views, for filling a list without copying every field: views of `record`'s fields
// and of the two formatted numbers this object keeps. They stay valid while `record` lives and until
// the next set().
class SongListCells {
public:
    void set(const SongRecord& record, std::int64_t number);
    // The same straight from a record's bytes, without decoding it first: the views are of the
    // bytes (or of text this object keeps, for a field that needed repair) and stay valid while the
    // bytes live and until the next set().
    void set(std::span<const std::uint8_t, kSongRecordSize> bytes, std::int64_t number);
    [[nodiscard]] std::span<const std::string_view, kSongColumnCount> cells() const noexcept {
        return m_cells;
    }

private:
    // Text of the fields that were not UTF-8, by column.
    std::array<std::string, kSongColumnCount> m_repaired;
    std::string m_playCount;
    std::string m_recordNumber;
    std::array<std::string_view, kSongColumnCount> m_cells{};
};

// A stored play count as the lists show it: the count it stands for (see playCount) in four digits
// with leading zeros. A blank count shows "0000", so that songs never played sort as the equals of
// songs played 0 times, and the top-10 page shows a count for them.
[[nodiscard]] std::string formatPlayCount(std::string_view playedTimes);

// A record number as the lists show it: six digits with leading zeros.
[[nodiscard]] std::string formatRecordNumber(std::int64_t number);

// The count a stored play count stands for: blank or anything but a whole number counts as 0.
[[nodiscard]] int playCount(std::string_view playedTimes) noexcept;

// The stored text of the count after one more play. The field holds four characters, so the count
// stops at 9999 instead of being cut to its first digits.
[[nodiscard]] std::string nextPlayCount(std::string_view playedTimes);

} // namespace library
