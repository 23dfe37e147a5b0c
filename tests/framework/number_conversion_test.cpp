#include "framework/number_conversion.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using framework::DoubleToInt32;
using framework::Int32ToDouble;
using framework::Round;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(DoubleToInt32, RoundsHalvesAwayFromZero) {
  struct Row {
    double value;
    std::int32_t expected;
  };
  const Row rows[] = {
      {0.5, 1}, {-0.5, -1}, {1.5, 2}, {-1.5, -2}, {2.5, 3}, {-2.5, -3},
      {0.49999999999999994, 0},  // the largest double below one half: adding 0.5 would give 1
      {-0.49999999999999994, 0}, {0.0, 0}, {-0.0, 0},
      // Values the orbit window converts: centre, timer period, scale.
      {254.723, 255}, {198.5, 199}, {41.666666666666664, 42}, {33.333333333333336, 33},
      {131.19330076762037, 131}, {343.488, 343},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DoubleToInt32(row.value), row.expected) << "value " << row.value;
  }
}

// Casting an out-of-range double is undefined behaviour; the sanitizer build runs these rows.
TEST(DoubleToInt32, SaturatesOutsideTheRangeAndMapsNaNToZero) {
  struct Row {
    double value;
    std::int32_t expected;
  };
  const Row rows[] = {
      {kNaN, 0}, {-kNaN, 0}, {kInf, kMax}, {-kInf, kMin}, {1e300, kMax}, {-1e300, kMin},
      {2147483647.0, kMax}, {2147483647.5, kMax}, {2147483646.5, kMax}, {2147483646.4, 2147483646},
      {2147483648.0, kMax}, {-2147483648.0, kMin}, {-2147483648.5, kMin}, {-2147483647.5, kMin},
      {-2147483647.4, -2147483647}, {std::numeric_limits<double>::max(), kMax},
      {std::numeric_limits<double>::denorm_min(), 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DoubleToInt32(row.value), row.expected) << "value " << row.value;
  }
}

TEST(DoubleToInt32, InvertsInt32ToDouble) {
  for (std::int32_t n : {kMin, kMin + 1, -300, -1, 0, 1, 300, kMax - 1, kMax}) {
    EXPECT_EQ(DoubleToInt32(Int32ToDouble(n)), n);
  }
}

TEST(Round, HalvesAwayFromZeroAndKeepsNonFinite) {
  struct Row {
    double value;
    double expected;
  };
  const Row rows[] = {
      {0.5, 1.0},     {-0.5, -1.0},   {2.5, 3.0},  {-2.5, -3.0}, {0.49999999999999994, 0.0},
      {1.4999999999999998, 1.0},      {4503599627370497.0, 4503599627370497.0},
      {1e300, 1e300}, {kInf, kInf},   {-kInf, -kInf},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Round(row.value), row.expected) << "value " << row.value;
  }
  EXPECT_TRUE(std::isnan(Round(kNaN)));
  EXPECT_TRUE(std::signbit(Round(-0.25)));
}

}  // namespace
