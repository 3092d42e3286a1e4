#pragma once

#include "library/fileerror.h"
#include "library/recordfile.h"
#include "library/result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace library {

struct DatabaseFiles;

// How many whole records each file of the song database holds.
struct RecordCounts {
    std::int64_t songs = 0;
    std::int64_t albums = 0;
    std::int64_t artists = 0;

    bool operator==(const RecordCounts&) const = default;
};

// The counts now; a missing file holds none.
[[nodiscard]] Result<RecordCounts> countRecords(const DatabaseFiles& files);

// The mark a folder scan keeps beside the song database while it appends ("Scan.mld"). Before the
// first song of each group it records the counts of the three files, so that the songs of a group
// the scan could not finish (it was killed, or a write failed) can be given the entries the scan would
// have written (completeStoppedGroup). The scan removes it when it ends.
class ScanMark {
public:
    // Opens the mark file, creating it when there is none.
    [[nodiscard]] static Result<ScanMark> open(const std::filesystem::path& path);

    // Records where the group about to be appended begins.
    [[nodiscard]] std::optional<FileError> set(const RecordCounts& groupStart);

    // Removes the mark. One left behind describes whole groups, which completeStoppedGroup leaves as
    // they are.
    void remove();

private:
    explicit ScanMark(RecordFile file)
        : m_file(std::move(file)) {}

    RecordFile m_file;
};

// Gives the group a stopped scan left unfinished what the scan would have written: the album artist
// of its first song, and the album and artist entries its files do not hold yet; then removes the
// mark. Without a mark nothing is done. A mark that does not fit the files (they hold fewer records
// than it counts, or more entries than the group makes) is removed and nothing is written. Returns
// why the group could not be completed; the mark then stays for the next try.
[[nodiscard]] std::optional<std::string> completeStoppedGroup(const DatabaseFiles& files);

} // namespace library
