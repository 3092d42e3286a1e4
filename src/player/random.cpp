#include "app/form1.h"
#include "platform/runtime.h"

#include <cmath>

std::int32_t Form1::RandomNumber(std::int32_t max) {
    // Rows are 32-bit, so a draw over more than 32,767 rows neither overflows nor ends the program.
    const double u = tk::Runtime::current().random().uniform();
    const double span = static_cast<double>(max) + 1.0;
    const auto r = static_cast<std::int32_t>(std::floor(span * u));
    return std::max<std::int32_t>(0, std::min(r, std::max(max, 0)));
}
