#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace library {

// What the folder scan does at the places of a walk. Returning false from a call stops the walk.
class FolderWalkVisitor {
public:
    virtual ~FolderWalkVisitor() = default;
    // A sub-folder comes next in the listing and is about to be entered (also when it then turns
    // out to be unreadable or already walked): the songs found so far are written as one group.
    virtual bool enteringFolder() = 0;
    // A song file was found at `path`.
    virtual bool songFound(std::string_view path) = 0;
    // Every entry of `folder` (with its final "/") has been walked.
    virtual void folderDone(std::string_view folder) = 0;
};

// What a walk passed over that a user may miss.
struct FolderWalkSkips {
    int unreadableFolders = 0;
    int unreadableFiles = 0; // songs whose name points nowhere (a broken link)
    int longPaths = 0;       // songs whose path is longer than the database can store
};

// True for the names the scan takes as songs: the last three characters are "mp3" or "mp2", in any
// letter case (so "song.MP3" and a file named "xmp3" are taken).
[[nodiscard]] bool isSongName(std::string_view name) noexcept;

// Orders names ignoring the case of ASCII letters, then by their bytes, so that every machine lists
// a folder the same way.
[[nodiscard]] bool nameBefore(std::string_view a, std::string_view b) noexcept;

// Walks the folder tree under `root` (with or without a final "/") the way the folder scan lists it:
// each folder's entries in name order (nameBefore), sub-folders entered where they stand in that
// order. Names starting with "." are passed over; symbolic links are followed, and a folder already
// walked (a loop of links, or a second link to one folder) is not walked again; only regular files
// are taken, so a FIFO never blocks; an unreadable folder is passed over. A song whose path has more
// than `maxPathBytes` bytes is passed over. Returns what was passed over.
FolderWalkSkips walkSongFolders(std::string_view root, std::size_t maxPathBytes, FolderWalkVisitor& visitor);

} // namespace library
