#pragma once

#include "library/recordfile.h"
#include "library/result.h"
#include "library/songrecord.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace library {

// The folder a song's file lies in, as the album's song page compares folders: the path up to and
// including its last folder separator (see folderOf), upper-cased, so that folders whose names differ only in
// letter case are one folder. Upper-casing covers ASCII and the letters of the Latin-1, Latin Extended-A,
// Greek and Cyrillic blocks in UTF-8; a byte that is not UTF-8 is a Windows-1252 character of an older file
// and is upper-cased within that code page. A path without a separator lies in no folder: its key
// is empty, and the empty key names no songs.
[[nodiscard]] std::string folderKey(std::string_view path);

// A song of "Data.mld" and the number of its record (its position in the file).
struct NumberedSong {
    std::int64_t number = 0;
    SongRecord record;

    bool operator==(const NumberedSong&) const = default;
};

// The record numbers of "Data.mld" by folder key, in file order, and the stamp of the file they were
// taken from. Whoever loads the whole file builds it on the way; whoever appends a record adds it;
// a lookup that finds the file changed reads the whole file again and rebuilds it.
class SongFolderIndex {
public:
    // An index that knows no file yet: the first lookup reads the whole file.
    SongFolderIndex() = default;

    // Starts the index of the file with `stamp` afresh, to be filled with add() in record order.
    void restart(const FileStamp& stamp);

    // Forgets everything: the next lookup reads the whole file.
    void forget();

    // Record `number`, the one after the last known, now holds a song at `path`. Any other number (a
    // record rewritten in place with a new path, or a gap) makes the next lookup read the whole file.
    // Does nothing while the index knows no file. Returns the folder key the record was filed under,
    // empty when it was not filed; the view lasts as long as the index holds the folder.
    std::string_view add(std::int64_t number, std::string_view path);

    // True while the index describes a file.
    [[nodiscard]] bool known() const noexcept { return m_known; }
    // The stamp the file has when it holds exactly the records the index knows.
    [[nodiscard]] const FileStamp& stamp() const noexcept { return m_stamp; }
    [[nodiscard]] std::int64_t recordCount() const noexcept { return m_count; }

    // The record numbers of the songs in folder `key`, in file order.
    [[nodiscard]] std::vector<std::int64_t> numbersIn(const std::string& key) const;

private:
    // A folder's songs are runs of record numbers that follow each other (a scan writes an album's
    // songs together), so a folder costs a run or two rather than a number per song. A folder's runs
    // are chained in file order: `next` is the index of the folder's next run plus one, 0 at the end.
    struct Run {
        std::int64_t first = 0;
        std::int64_t last = 0;
        std::uint32_t next = 0;
    };
    struct Folder {
        std::uint32_t firstRun = 0;
        std::uint32_t lastRun = 0;
        std::uint32_t songs = 0;
    };
    std::unordered_map<std::string, Folder> m_folders;
    std::vector<Run> m_runs;
    FileStamp m_stamp;
    std::int64_t m_count = 0;
    bool m_known = false;
    // The folder of the record added last, as written and as its key: songs of one folder follow each
    // other in the file, so most records find their folder without upper-casing or hashing.
    std::string m_lastFolder;
    const std::string* m_lastKey = nullptr;
    Folder* m_lastEntry = nullptr;
};

// The songs of "Data.mld" at `dataPath` whose files lie in folder `key` (see folderKey), in file
// order. Reads only those records when `index` still describes the file; when the file's stamp has
// changed, or a record the index names no longer lies in that folder, it reads every record instead
// and rebuilds `index` on the way. The file is opened read-only (a missing one is created empty when
// the folder allows it); an unreadable file is an error and leaves the index knowing no file.
[[nodiscard]] Result<std::vector<NumberedSong>> songsInFolder(const std::filesystem::path& dataPath,
                                                              std::string_view key, SongFolderIndex& index);

// The same by reading every record, with `index` rebuilt on the way.
[[nodiscard]] Result<std::vector<NumberedSong>>
readSongsInFolder(const std::filesystem::path& dataPath, std::string_view key, SongFolderIndex& index);

} // namespace library
