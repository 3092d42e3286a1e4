#pragma once

#include "library/id3v1tag.h"
#include "library/id3v2tag.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace id3 {

// Both tags of one file, read fresh: nothing is carried over from a file read before.
struct FileTags {
    std::optional<Id3v1Tag> id3v1;
    std::optional<Id3v2Tag> id3v2;
    bool opened = false;         // false: the file could not be opened and reads as having no tags
    std::uint64_t bytesRead = 0; // what reading cost, for the benchmarks

    // Reads the tags of a regular file; anything else (missing, unreadable, a folder, a FIFO)
    // reads as having no tags, without blocking.
    [[nodiscard]] static FileTags read(const std::filesystem::path& path);

    // Reads the tags of the bytes of a file.
    [[nodiscard]] static FileTags read(ByteSource& source);
};

} // namespace id3
