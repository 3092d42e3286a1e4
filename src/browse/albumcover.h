#pragma once

#include <string>
#include <string_view>

// The folder of a song file: its path up to and including the last folder separator; empty when the
// path has none.
std::string albumFolderOf(std::string_view songPath);
