#pragma once

#include "platform/errors.h"

#include <functional>
#include <optional>

namespace testing_support {

// The runtime error a step raises, or nothing when it raises none.
inline std::optional<tk::RuntimeError> runtimeError(const std::function<void()>& step) {
    try {
        step();
    } catch (const tk::RuntimeError& e) {
        return e;
    }
    return std::nullopt;
}

// The number of the runtime error a step raises, or 0 when it raises none.
inline int runtimeErrorNumber(const std::function<void()>& step) {
    const auto error = runtimeError(step);
    return error ? error->number() : 0;
}

} // namespace testing_support
