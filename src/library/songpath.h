#pragma once

#include <cstddef>
#include <string_view>

namespace library {

// Where the folders of a song's path end. A path written on Windows, as a database made there holds,
// starts with a drive letter, ":" and "\" ("C:\Music\Song.mp3"): in it "\" and "/" both separate
// folders. In any other path ("/music/AC\DC - Thunder.mp3") only "/" does, and "\" is an ordinary
// character of a name.
[[nodiscard]] constexpr bool isWindowsPath(std::string_view path) noexcept {
    return path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
           path[1] == ':' && path[2] == '\\';
}

// The position of the path's last folder separator; npos when it has none.
[[nodiscard]] constexpr std::size_t lastSeparator(std::string_view path) noexcept {
    return isWindowsPath(path) ? path.find_last_of("/\\") : path.rfind('/');
}

// The folder a file lies in: the path up to and including its last separator; empty when it has none.
[[nodiscard]] constexpr std::string_view folderOf(std::string_view path) noexcept {
    const std::size_t cut = lastSeparator(path);
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1);
}

// The file's own name: what follows the last separator, the whole path when it has none.
[[nodiscard]] constexpr std::string_view fileNameOf(std::string_view path) noexcept {
    const std::size_t cut = lastSeparator(path);
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

} // namespace library
