#pragma once

#include <cmath>
#include <cstdint>

namespace tk {

// Rounds to the nearest whole number with halves going to the even neighbour (2.5 → 2, 3.5 → 4,
// -2.5 → -2), the way the station turns every fractional value into a whole number.
[[nodiscard]] inline std::int64_t roundHalfEven(double value) {
    const double down = std::floor(value);
    const double fraction = value - down;
    double result = down;
    if (fraction > 0.5) {
        result = down + 1;
    } else if (fraction == 0.5) {
        result = std::fmod(down, 2.0) == 0.0 ? down : down + 1;
    }
    return static_cast<std::int64_t>(result);
}

} // namespace tk
