#include "library/fileerror.h"

#include <cstring>

namespace library {

std::string FileError::message() const {
    std::string reason = code != 0 ? std::string(std::strerror(code)) : detail;
    return "Cannot " + action + " " + path + ": " + reason;
}

} // namespace library
