#pragma once

#include "library/genres.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace id3 {

// The 128-byte ID3v1 tag at the end of an MP3 file, in its 1.1 form with a track byte.
struct Id3v1Tag {
    static constexpr std::size_t kSize = 128;

    // Text up to the field's first zero byte, untrimmed, as UTF-8.
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    std::uint8_t track = 0; // 0: no track number
    std::uint8_t genre = library::kNoGenre;

    // Reads a tag from the last 128 bytes of a file; nothing when they do not start with "TAG".
    // The track byte counts only when the byte before it is zero (version 1.1); in a version 1.0
    // tag both bytes belong to the comment. Text is read as Windows-1252, the code page of the
    // programs that wrote these tags (ISO-8859-1 with printable characters in place of controls).
    [[nodiscard]] static std::optional<Id3v1Tag> parse(std::span<const std::uint8_t, kSize> bytes);

    // The tag as version 1.1: text stored in Windows-1252, the code page it is read in, with '?'
    // for a character the code page lacks, cut to 30, 30, 30, 4 and 28 bytes and padded with zero
    // bytes.
    [[nodiscard]] std::array<std::uint8_t, kSize> render() const;

    bool operator==(const Id3v1Tag&) const = default;
};

} // namespace id3
