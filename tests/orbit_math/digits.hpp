#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

// Reference values are written with as many significant digits as are known
// (12 or 15 for most).  x matches when it rounds to exactly those digits.
inline ::testing::AssertionResult MatchesDigits(double x, std::string_view expected) {
  int digits = 0;
  bool leading = true;
  for (char c : expected) {
    if (c == 'e' || c == 'E') {
      break;
    }
    if (!std::isdigit(static_cast<unsigned char>(c))) {
      continue;
    }
    if (leading && c == '0') {
      continue;
    }
    leading = false;
    ++digits;
  }
  double reference = 0.0;
  const auto parsed = std::from_chars(expected.data(), expected.data() + expected.size(), reference);
  if (parsed.ec != std::errc() || digits == 0) {
    return ::testing::AssertionFailure() << "bad reference text \"" << expected << "\"";
  }
  const auto print = [digits](double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, digits - 1);
    return std::string(buffer, end.ptr);
  };
  const std::string got = print(x);
  const std::string want = print(reference);
  if (got == want) {
    return ::testing::AssertionSuccess();
  }
  char full[64];
  const auto end = std::to_chars(full, full + sizeof full, x);
  return ::testing::AssertionFailure() << std::string(full, end.ptr) << " rounds to " << got
                                       << ", expected " << want;
}
