#pragma once

#include "library/uniquefd.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace library::io {

// Where a path's bytes live: symbolic links are followed, also to a file that does not exist yet, so
// that a file written anew there leaves the link a link. A path that is no link is itself.
[[nodiscard]] std::filesystem::path linkTarget(const std::filesystem::path& path);

// A new version of a file, written to a temporary file beside it and renamed over it, so that at any
// moment the file is whole, old or new; a writer killed midway leaves the old file and a temporary
// file that the next writer in that folder removes.
//
// Temporary files are named `prefix`, the writer's process id, "-" and a random part. One is stale
// when the process named in it no longer runs (a writer that ended normally removed its own), or,
// named without a process id as earlier versions named them, when it has not been written for an
// hour. Only regular files whose name starts with `prefix` are ever removed.
class FileReplacement {
public:
    // What failed, with the system's error number.
    enum class Step { None, Create, Write, Keep, Flush, Rename };

    // Removes the stale temporary files of `prefix` from the target's folder and creates the new one
    // there, empty and readable by its owner only.
    FileReplacement(const std::filesystem::path& target, std::string_view prefix);
    // Removes the temporary file unless it replaced the target.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    [[nodiscard]] bool ok() const noexcept { return m_failed == Step::None; }
    [[nodiscard]] Step failedStep() const noexcept { return m_failed; }
    [[nodiscard]] int error() const noexcept { return m_error; }
    [[nodiscard]] int fd() const noexcept { return m_file.get(); }

    // Adds `bytes` at the end of the new file.
    bool append(std::span<const std::uint8_t> bytes);

    // Gives the new file the owner and group of `replaced`; false when the system refuses, as it does
    // to a writer without the privilege who does not own the file or is not in its group. Comes
    // before commit: a change of owner clears the set-id bits that commit's mode puts back.
    [[nodiscard]] bool takeOwner(const struct stat& replaced) noexcept;

    // Gives the new file the mode of `replaced`, or `newFileMode` when there was no file to replace;
    // flushes it to the disk, renames it over the target and flushes the folder, so that the rename
    // outlives a power cut.
    bool commit(const struct stat* replaced, mode_t newFileMode);

private:
    bool fail(Step step, int error);

    std::filesystem::path m_target;
    std::filesystem::path m_folder;
    std::string m_temporary;
    UniqueFd m_file;
    std::uint64_t m_written = 0;
    Step m_failed = Step::None;
    int m_error = 0;
    bool m_committed = false;
};

// Removes the stale temporary files of `prefix` from `folder` (see FileReplacement).
void removeStaleTemporaries(const std::filesystem::path& folder, std::string_view prefix);

} // namespace library::io
