#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace conf {

// What reading the settings file found: nothing, or its bytes (at most one record).
struct FileContents {
    bool exists = false;
    std::vector<std::uint8_t> bytes;
    std::uintmax_t length = 0;        // the whole file's length
    std::optional<std::string> error; // why an existing file could not be read
};

// Reads the file read-only; never creates it.
FileContents readFile(const std::filesystem::path& path, std::size_t recordSize);

// Replaces the file with `bytes` in one step: written to a temporary file in the same folder, flushed,
// and renamed over it, so a failed or killed save leaves the old file as it was. The file keeps the
// mode of the one it replaces, and its owner and group where the system allows (a new one is readable
// by its owner only); a symbolic link stays a link. Stale temporary files of earlier saves in the
// folder are removed. Returns why it failed.
std::optional<std::string> replaceFile(const std::filesystem::path& path,
                                       const std::vector<std::uint8_t>& bytes);

// Removes from `folder` the temporary files of saves that were killed midway.
void removeStaleTemporaries(const std::filesystem::path& folder);

} // namespace conf
