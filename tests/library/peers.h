#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// The peer oracles of the tag tests: mutagen (through the system's Python), TagLib and mpg123.
// Each reads a file into the same keys: version, artist, title, album, track, year, genre, comment
// for the ID3v2 tag; v1, v1title, v1artist, v1album, v1year, v1comment, v1track, v1genre (a number)
// for the ID3v1 tag. A key is absent when the peer finds no such value.
namespace peers {

using Values = std::map<std::string, std::string>;

[[nodiscard]] bool mutagenAvailable();
[[nodiscard]] std::optional<Values> mutagenRead(const std::filesystem::path& file);
// Writes tags with mutagen from a JSON description (see peers/mutagen_peer.py).
[[nodiscard]] bool mutagenMake(const std::filesystem::path& file, const std::string& json);
[[nodiscard]] std::optional<double> mutagenLength(const std::filesystem::path& file);

[[nodiscard]] Values taglibRead(const std::filesystem::path& file);

// The bytes of PCM audio mpg123 decodes from the file, nothing when it cannot run.
[[nodiscard]] std::optional<std::size_t> mpg123DecodedBytes(const std::filesystem::path& file);

} // namespace peers
