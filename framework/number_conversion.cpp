#include "framework/number_conversion.hpp"

#include <cmath>
#include <limits>

namespace framework {

double Round(double value) {
  // std::round rounds halves away from zero on the exact value, so 0.49999999999999994 stays 0
  // (adding 0.5 and taking the floor would give 1).
  return std::round(value);
}

std::int32_t DoubleToInt32(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  const double rounded = std::round(value);
  // Casting a double outside the target range is undefined behaviour, so the ends are compared
  // as doubles first; both bounds are exactly representable.
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  if (rounded >= static_cast<double>(kMax)) {
    return kMax;
  }
  if (rounded <= static_cast<double>(kMin)) {
    return kMin;
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace framework
