#pragma once

#include "library/tagvalues.h"
#include "library/tagwriteresult.h"

#include <filesystem>

namespace id3 {

// Writes `values` into the ID3v2 tag of an MP3 file and mirrors them into its ID3v1 tag.
//
// The song is written anew: both tags and the audio go to a temporary file in the same folder, which
// takes the song's owner and mode, is flushed to disk and renamed over the song (a symbolic link
// stays a link). So a kill, a full disk or a failed write at any moment leaves the song with its old
// tags or with the new ones, never a mix; the temporary file of a writer that was killed goes with
// the next write in that folder. The audio bytes never change; tags that keep their size keep the
// file's length. A value left empty keeps the ID3v1 tag's value. A song with other names (hard links),
// or one whose owner and group a new file cannot keep, is written in place instead, and only when the
// new ID3v2 tag fits in the old one's space: the whole tag in one write. Refusals (a missing,
// read-only or too short file, a version 2.2 tag, a tag that declares more bytes than the file has, a
// damaged tag, a tag too large to be written in place) leave the file untouched and create nothing.
[[nodiscard]] TagWriteResult writeTags(const std::filesystem::path& path, const TagValues& values);

} // namespace id3
