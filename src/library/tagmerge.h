#pragma once

#include "library/filetags.h"
#include "library/tagvalues.h"

#include <string>
#include <string_view>

namespace id3 {

// The values of a song from both of its tags. Each value is the ID3v2 one when it is not empty
// after trimming, else the ID3v1 one. An ID3v2 tag without an artist or title frame gives "Unknown"
// or "Untitled" only when the ID3v1 tag lacks that value too; a title missing everywhere else comes
// from the file name. The track is the part before the last "/", three digits when it is a number;
// without an ID3v2 track it is the ID3v1 track byte in three digits, "000" for a byte of 0.
// `path` is the file name's own bytes.
[[nodiscard]] TagValues mergeTags(const FileTags& tags, std::string_view path);

// Reads both tags of a file and merges them.
[[nodiscard]] TagValues readTagValues(const std::filesystem::path& path);

// A track text as the song list shows it: the part before the last "/", three digits with leading
// zeros when it is a number ("3/12" gives "003"), any other text trimmed but unchanged.
[[nodiscard]] std::string formatTrack(std::string_view track);

// The ID3v1 track byte as the tag editor shows it: three digits, "000" for 0.
[[nodiscard]] std::string id3v1TrackText(int track);

// A title made from the file name: the text after the last "/" (or "\" in a Windows path) without
// its last four characters, the extension.
[[nodiscard]] std::string titleFromPath(std::string_view path);

} // namespace id3
