#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace tk {

// Turns a path as the station stores it into a native one. A Windows path (a drive letter, ":" and
// "\") has its "\" turned into "/"; in any other path "\" is an ordinary character of a name and
// stays. Doubled "/" are made single.
std::filesystem::path nativePath(std::string_view path);

// A file of the station's own under `folder`, named as the station writes such names: "\" between
// the folders of the name ("\Wheel\WH.bmp").
std::filesystem::path underFolder(const std::filesystem::path& folder, std::string_view name);

// Finds an existing file or folder whose path matches `path` component by component, ignoring letter
// case where the exact spelling does not exist. The exact spelling wins when it exists.
std::optional<std::filesystem::path> resolveIgnoringCase(const std::filesystem::path& path);

} // namespace tk
