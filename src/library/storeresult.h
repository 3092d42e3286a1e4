#pragma once

#include "library/fileerror.h"

#include <cstdint>
#include <optional>
#include <string>

namespace library {

// What one write of a record store did.
struct StoreResult {
    enum class Status {
        Written,
        PathNotStorable, // the record's path is longer than its field (or starts or ends in a blank)
        NoSuchRecord,    // an in-place update of a record past the last whole record
        PathMismatch,    // an in-place update of a record that holds another song's path
        FileFailed,      // the file could not be opened, read or written: see `error`
    };

    Status status = Status::Written;
    std::int64_t number = 0; // the record written, or meant
    std::optional<FileError> error;

    [[nodiscard]] bool ok() const noexcept { return status == Status::Written; }

    // One sentence for the user about a write that did not happen.
    [[nodiscard]] std::string message() const;
};

using StoreStatus = StoreResult::Status;

} // namespace library
