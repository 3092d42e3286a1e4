#pragma once

#include "library/fileerror.h"
#include "library/result.h"
#include "library/uniquefd.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace library {

// One state of a file as cheaply told apart from another: its length and which file it is. A
// rewrite in place that keeps the length keeps the stamp; an append, a truncation or a file put in
// its place changes it. A file that could not be opened or created has the all-zero stamp.
struct FileStamp {
    std::uint64_t length = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileStamp&) const = default;
};

// How a record file is opened.
enum class RecordFileMode {
    Load,   // read only; a missing file is created empty when the folder allows it
    Append, // read and write; a missing file is created
    Update, // read and write an existing file; never creates one
};

// A file of fixed-length records without header or trailer; record n (from 1) starts at
// (n - 1) x record size. Only whole records count: a partial record left at the end by a damaged
// file is never read, and the next append overwrites it.
class RecordFile {
public:
    [[nodiscard]] static Result<RecordFile> open(const std::filesystem::path& path, std::size_t recordSize,
                                                 RecordFileMode mode);

    // The number of whole records now in the file.
    [[nodiscard]] Result<std::int64_t> count() const;

    // The file's length and identity now.
    [[nodiscard]] Result<FileStamp> stamp() const;

    // Reads `out.size() / recordSize` records starting at record `first`; all of them must exist.
    [[nodiscard]] std::optional<FileError> read(std::int64_t first, std::span<std::uint8_t> out) const;

    // Writes one record at `number`: an existing record, or in Append mode the one after the last
    // whole record. A failed append leaves the file at its former length.
    [[nodiscard]] std::optional<FileError> write(std::int64_t number, std::span<const std::uint8_t> record);

    // Flushes written records to the disk.
    [[nodiscard]] std::optional<FileError> sync();

    [[nodiscard]] std::size_t recordSize() const noexcept { return m_recordSize; }
    [[nodiscard]] const std::filesystem::path& path() const noexcept { return m_path; }

private:
    RecordFile(UniqueFd fd, std::filesystem::path path, std::size_t recordSize, RecordFileMode mode);
    [[nodiscard]] FileError error(const char* action, int code, const char* detail = "") const;

    UniqueFd m_fd;
    std::filesystem::path m_path;
    std::size_t m_recordSize;
    RecordFileMode m_mode;
};

} // namespace library
