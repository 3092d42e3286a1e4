#pragma once

#include "platform/errors.h"

#include <functional>

namespace testing_support {

// The number of the runtime error a step raises, or 0 when it raises none.
inline int runtimeErrorNumber(const std::function<void()>& step) {
    try {
        step();
    } catch (const tk::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace testing_support
