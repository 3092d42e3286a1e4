#pragma once

#include "library/tagvalues.h"
#include "library/tagwriteresult.h"

#include <filesystem>

namespace id3 {

// Writes `values` into the ID3v2 tag of an MP3 file and mirrors them into its ID3v1 tag.
//
// The tag is rewritten in place when the new frames fit in the old tag (the file keeps its
// length); otherwise the whole file is written to a temporary file in the same folder, with the
// file's mode, flushed to disk and renamed over the original, so a failure never leaves a half-
// written song. The audio bytes never change. A value left empty keeps the ID3v1 tag's value.
// Refusals (a missing, read-only or too short file, a version 2.2 tag, a tag that declares more
// bytes than the file has, a damaged tag) leave the file untouched and create nothing.
[[nodiscard]] TagWriteResult writeTags(const std::filesystem::path& path, const TagValues& values);

} // namespace id3
