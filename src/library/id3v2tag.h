#pragma once

#include "library/bytesource.h"

#include <cstdint>
#include <optional>
#include <string>

namespace id3 {

// The values of the ID3v2 frames the station uses, as read from one file. A value is missing when
// the tag has no readable frame for it, and empty when the frame is there with no text.
struct Id3v2Tag {
    std::uint8_t major = 3;             // 2, 3 or 4
    std::optional<std::string> artist;  // TPE1
    std::optional<std::string> title;   // TIT2
    std::optional<std::string> album;   // TALB
    std::optional<std::string> track;   // TRCK, as written ("3/12")
    std::optional<std::string> year;    // TYER, or TDRC in version 2.4
    std::optional<std::string> genre;   // TCON with genre references resolved
    std::optional<std::string> comment; // the first COMM without a description, else the first COMM

    // Reads the tag at the start of `source`; nothing when there is none. Frames are walked by their
    // real sizes; only the wanted frames are read, each up to kMaxFrameSize, and the rest are
    // skipped without reading them. A declared size past the end of the source is cut to it.
    [[nodiscard]] static std::optional<Id3v2Tag> read(ByteSource& source);

    static constexpr std::uint32_t kMaxFrameSize = 1u << 20;

    bool operator==(const Id3v2Tag&) const = default;
};

} // namespace id3
