#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace tk {

// Turns a path written with backslashes (as the station's file names are written) into a native one.
std::filesystem::path nativePath(std::string_view path);

// Finds an existing file or folder whose path matches `path` component by component, ignoring letter
// case where the exact spelling does not exist. The exact spelling wins when it exists.
std::optional<std::filesystem::path> resolveIgnoringCase(const std::filesystem::path& path);

} // namespace tk
