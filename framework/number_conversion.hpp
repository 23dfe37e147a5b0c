#pragma once

#include <cstdint>

namespace framework {

// Rounds to the nearest whole number, halves away from zero (2.5 -> 3, -2.5 -> -3).
// NaN and infinities come back unchanged; -0.0 and values in (-0.5, 0) give -0.0.
double Round(double value);

// Double to Int32: to the nearest, halves away from zero; NaN gives 0; values beyond the Int32
// range saturate at its ends (+inf and 2147483647.5 give 2147483647, -inf and -2147483648.5 give
// -2147483648). Never undefined behaviour.
std::int32_t DoubleToInt32(double value);

// Int32 to Double: exact.
constexpr double Int32ToDouble(std::int32_t value) { return static_cast<double>(value); }

}  // namespace framework
