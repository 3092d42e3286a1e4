#pragma once

#include "library/id3v1tag.h"
#include "library/tagvalues.h"
#include "library/tagwriteresult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace id3 {

// The rebuilt ID3v2 tag of a file, or why there is none.
struct RebuiltTag {
    TagWriteResult result;
    std::vector<std::uint8_t> bytes; // the whole tag: header, frames and padding
};

// Builds the new ID3v2 tag for `values` from the file's old tag (`oldTag`: the tag's bytes as they
// stand at the start of the file, empty when it has none). Frames the station does not manage stay
// byte for byte and in place; each managed frame takes the place of the first of its kind and its
// duplicates go. The old version (2.3 or 2.4) is kept; a file without a tag gets a version 2.3 tag
// of 257 bytes whenever its frames fit. When the frames fit in the old tag the new one has exactly
// its size, so it can be written in place; otherwise it grows, with padding for later edits.
[[nodiscard]] RebuiltTag rebuildId3v2(std::span<const std::uint8_t> oldTag, const TagValues& values);

// The ID3v1 tag that mirrors `values`: a value left empty keeps what the old tag holds.
[[nodiscard]] Id3v1Tag updatedId3v1(const std::optional<Id3v1Tag>& old, const TagValues& values);

// The ID3v1 track byte of a track text: the leading whole number of the part before the last "/",
// 0 when there is none or it is past 255.
[[nodiscard]] std::uint8_t id3v1TrackByte(std::string_view track) noexcept;

} // namespace id3
