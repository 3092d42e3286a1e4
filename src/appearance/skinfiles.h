#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tk {
class PictureLoader;
}

// Every skin file the station loads, relative to the program folder's "Skin" folder ("Prev.jpg",
// "Wheel/WH.bmp"), each name once whatever the letter case it is written in.
std::vector<std::string> stationSkinFiles();

// A skin file the station cannot use: absent, or present but not a picture (a broken file, a folder
// of that name).
struct UnusableSkinFile {
    std::string name;
    bool missing = false;

    bool operator==(const UnusableSkinFile&) const = default;
};

// The files of stationSkinFiles() that the program folder lacks or that `pictures` cannot decode, in
// the order of stationSkinFiles(); letter case is ignored. Decoding them all here means that a start
// which passes this check loads every skin picture it needs.
std::vector<UnusableSkinFile> unusableSkinFiles(const std::filesystem::path& programFolder,
                                                tk::PictureLoader& pictures);

// The start-up's message for `unusable`: every file named, each with what is wrong with it.
std::string unusableSkinMessage(const std::filesystem::path& programFolder,
                                const std::vector<UnusableSkinFile>& unusable);
