#pragma once

#include "library/textfield.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace id3 {
struct TagValues;
}

namespace library {

// One song of "Data.mld", a 940-byte record. Text fields hold UTF-8 without their padding blanks;
// `fileLocation` holds the file name's own bytes.
struct SongRecord {
    static constexpr std::size_t kSize = 940;
    struct Layout {
        static constexpr text::Field kRecordNumber{0, 2};
        static constexpr text::Field kAlbumBy{2, 128};
        static constexpr text::Field kArtist{130, 128};
        static constexpr text::Field kTitle{258, 128};
        static constexpr text::Field kAlbum{386, 125};
        static constexpr text::Field kTrack{511, 7};
        static constexpr text::Field kYear{518, 4};
        static constexpr text::Field kGenre{522, 30};
        static constexpr text::Field kComments{552, 128};
        static constexpr text::Field kFileLocation{680, 256};
        static constexpr text::Field kPlayedTimes{936, 4};
    };
    static_assert(Layout::kPlayedTimes.end() == kSize);

    // The number field as found in the file. The record's position is what numbers a song; the
    // field holds the low 16 bits of it, so it says nothing past record 32,767.
    std::int16_t storedNumber = 0;
    std::string albumBy;
    std::string artist;
    std::string title;
    std::string album;
    std::string track;
    std::string year;
    std::string genre;
    std::string comments;
    std::string fileLocation;
    std::string playedTimes;

    [[nodiscard]] static SongRecord decode(std::span<const std::uint8_t, kSize> bytes);

    // Writes the record as record `number`, storing the low 16 bits of the number. A field equal to
    // the same field of `unchanged` keeps the bytes already in `out`, so that rewriting one field
    // never re-encodes the others (a Windows-1252 field would grow as UTF-8 and be cut). Returns
    // false and leaves `out` untouched when the path cannot be stored.
    [[nodiscard]] bool encode(std::int64_t number, std::span<std::uint8_t, kSize> out,
                              const SongRecord* unchanged = nullptr) const noexcept;

    [[nodiscard]] std::string_view path() const noexcept { return fileLocation; }
    static constexpr std::size_t kPathWidth = Layout::kFileLocation.width;

    bool operator==(const SongRecord&) const = default;
};

// The record of a song as it enters the database: its tag values and the path of its file; no album
// artist and no plays yet.
[[nodiscard]] SongRecord songRecordFrom(const id3::TagValues& values, std::string_view path);

} // namespace library
