#include "library/storeresult.h"

namespace library {

std::string StoreResult::message() const {
    switch (status) {
    case Status::Written:
        return {};
    case Status::PathNotStorable:
        return "The song's file path is longer than the 256 bytes the song database holds.";
    case Status::NoSuchRecord:
        return "The song database has no record " + std::to_string(number) + ".";
    case Status::PathMismatch:
        return "Record " + std::to_string(number) + " of the song database holds another song.";
    case Status::FileFailed:
        return error ? error->message() : std::string("The song database could not be written.");
    }
    return {};
}

} // namespace library
