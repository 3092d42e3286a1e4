#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace skin {

// One picture of the default skin: its path below the program folder's "Skin" folder ("Prev.jpg",
// "Wheel/WH.bmp"), its size in pixels, and whether it is written losslessly (BMP).
struct PictureInfo {
    std::string name;
    int width = 0;
    int height = 0;
    bool lossless = false;
};

// The outcome of writing the skin: empty error when every picture was written.
struct Result {
    std::string error;
    bool ok() const { return error.empty(); }
};

// Every picture the default skin consists of, in a fixed order.
std::span<const PictureInfo> pictures();

// The names of pictures(), for start-up checks and tests.
std::vector<std::string> pictureNames();

// Draws every picture of the default skin into <programFolder>/Skin and <programFolder>/Skin/Wheel,
// creating the folders, and replaces the files that are there. Needs a QGuiApplication (text drawing).
[[nodiscard]] Result generateSkin(const std::filesystem::path& programFolder);

} // namespace skin
