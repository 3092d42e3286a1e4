#pragma once

#include <string>

namespace id3 {

// What writing the tags of a file did. Every refusal leaves the file untouched and creates nothing.
struct TagWriteResult {
    enum class Status {
        Written,
        FileMissing,
        NotRegularFile,
        NotWritable,        // a read-only file, or one the station may not write, or a folder without room
        FileTooShort,       // under 128 bytes: too short to be a song
        UnsupportedVersion, // an ID3v2.2 tag, or a version this code does not know
        TagPastEnd,         // the tag declares more bytes than the file has
        MalformedTag,       // the tag's frames could not all be walked
        TagTooLarge,
        NoRoomInPlace, // a hard-linked song, or one whose owner a new file cannot keep, needs a larger tag
        FileFailed,    // reading or writing failed midway
    };

    Status status = Status::Written;
    std::string reason; // one sentence for the user, empty when written

    [[nodiscard]] bool ok() const noexcept { return status == Status::Written; }
};

} // namespace id3
