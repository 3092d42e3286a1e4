#pragma once

#include <string>

// One song as a playlist row holds it, after the row's position number.
struct PlaylistSong {
    std::string track;
    std::string title;
    std::string artist;
    std::string album;
    std::string path;
    // The song's record number as the list it came from holds it ("000042"), or "None" for a file that
    // has no record in the database.
    std::string recordNumber;
};
