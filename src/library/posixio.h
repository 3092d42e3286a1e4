#pragma once

#include "library/uniquefd.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <sys/stat.h>

namespace library::io {

// The result of opening a file that must be a regular file.
struct OpenedFile {
    UniqueFd fd;
    struct stat status {};
    int error = 0;           // errno of the failed open or fstat
    bool notRegular = false; // it opened, but is a folder, a FIFO, a device...
    [[nodiscard]] bool ok() const noexcept { return fd.valid(); }
};

// Opens `path` with `flags` (plus close-on-exec and no blocking, so a FIFO named like a song never
// hangs the station) and accepts it only when it is a regular file.
[[nodiscard]] OpenedFile openRegular(const std::filesystem::path& path, int flags, mode_t mode = 0644);

// Reads until `out` is full or the file ends; returns the bytes read, or -1 with `error` set.
[[nodiscard]] std::int64_t readAt(int fd, std::span<std::uint8_t> out, std::uint64_t offset,
                                  int& error) noexcept;

// Writes all of `data`; returns false with `error` set when it could not.
[[nodiscard]] bool writeAt(int fd, std::span<const std::uint8_t> data, std::uint64_t offset,
                           int& error) noexcept;

} // namespace library::io
