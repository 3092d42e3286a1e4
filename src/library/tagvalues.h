#pragma once

#include <string>

namespace id3 {

// The seven values the station keeps of a song's tags: what the folder scan stores in a song
// record, what the tag editor shows and writes back.
struct TagValues {
    std::string artist;
    std::string title;
    std::string album;
    std::string track;
    std::string year;
    std::string genre;
    std::string comment;

    bool operator==(const TagValues&) const = default;
};

} // namespace id3
