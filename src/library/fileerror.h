#pragma once

#include <string>

namespace library {

// A failed file operation, kept as a value so the caller decides how to tell the user.
struct FileError {
    std::string path;
    std::string action; // what was being done: "open", "read", "write", ...
    int code = 0;       // the errno value, 0 when the failure is not a system error
    std::string detail; // the reason when `code` is 0

    // One line for a message box or a log, e.g. "Cannot write /x/Data.mld: No space left on device".
    [[nodiscard]] std::string message() const;
};

} // namespace library
