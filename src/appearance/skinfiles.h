#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Every skin file the station loads, relative to the program folder's "Skin" folder ("Prev.jpg",
// "Wheel/WH.bmp"), each name once whatever the letter case it is written in.
std::vector<std::string> stationSkinFiles();

// The files of stationSkinFiles() that the program folder lacks; letter case is ignored.
std::vector<std::string> missingSkinFiles(const std::filesystem::path& programFolder);
