#include "framework/text_conversion.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <system_error>

// std::to_chars and std::from_chars never consult a locale, which is why they carry every number
// here; printf, strtod and streams would follow the desktop's decimal comma.

namespace framework {
namespace {

// A finite non-negative double written exactly as 0.d1d2d3... x 10^point. The digits may start
// with zeros (a value below 1 keeps the "0" of its integer part), and point is at least 1.
struct Decimal {
  std::string digits;
  int point = 0;
};

Decimal ExactDecimal(double magnitude) {
  // magnitude = m * 2^(binary_exponent - 53) with a whole m, so its exact decimal form needs at
  // most 53 - binary_exponent fraction digits; subnormals need at most 1074. With that precision
  // std::to_chars does not round at all.
  int binary_exponent = 0;
  std::frexp(magnitude, &binary_exponent);
  const int fraction_digits = std::clamp(53 - binary_exponent, 0, 1074);
  // 309 integer digits at most, a point, the fraction.
  std::string text(312 + static_cast<std::size_t>(fraction_digits), '\0');
  const auto result = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                    std::chars_format::fixed, fraction_digits);
  text.resize(static_cast<std::size_t>(result.ptr - text.data()));

  Decimal decimal;
  const auto dot = text.find('.');
  if (dot == std::string::npos) {
    decimal.point = static_cast<int>(text.size());
    decimal.digits = std::move(text);
  } else {
    decimal.point = static_cast<int>(dot);
    decimal.digits = text.substr(0, dot) + text.substr(dot + 1);
  }
  return decimal;
}

// Keeps the first `count` digits and rounds the rest half up; the digits are those of a magnitude,
// so this is half away from zero for the signed value. Since the digits are exact, "the next digit
// is 5 or more" is exactly "the rest is at least one half", ties included. A carry out of the first
// digit prepends a 1 and moves the point. Short digits are padded with zeros.
void RoundDigits(Decimal& decimal, std::size_t count) {
  if (count >= decimal.digits.size()) {
    decimal.digits.append(count - decimal.digits.size(), '0');
    return;
  }
  const bool up = decimal.digits[count] >= '5';
  decimal.digits.resize(count);
  if (!up) {
    return;
  }
  for (std::size_t i = count; i-- > 0;) {
    if (decimal.digits[i] != '9') {
      ++decimal.digits[i];
      return;
    }
    decimal.digits[i] = '0';
  }
  decimal.digits.insert(decimal.digits.begin(), '1');
  ++decimal.point;
}

// The fixed text of `magnitude` with `decimals` decimals as to_chars rounds it, with a '-' in front
// when `negative` and the text shows a non-zero digit.
std::string CorrectlyRoundedText(double magnitude, int decimals, bool negative) {
  // A sign, at most 309 integer digits, a point and the decimals. The table and the read-outs ask
  // for a few decimals, which fit on the stack; a long pattern goes to the heap.
  constexpr std::size_t kIntegerDigits = 309;
  std::array<char, 1 + kIntegerDigits + 1 + 24> small{};
  std::string large;
  char* begin = small.data();
  char* end = begin + small.size();
  if (static_cast<std::size_t>(decimals) > 24) {
    large.resize(1 + kIntegerDigits + 1 + static_cast<std::size_t>(decimals));
    begin = large.data();
    end = begin + large.size();
  }
  *begin = '-';
  const auto result = std::to_chars(begin + 1, end, magnitude, std::chars_format::fixed, decimals);
  const bool shows_non_zero = std::find_if(begin + 1, result.ptr, [](char c) { return c != '0' && c != '.'; }) != result.ptr;
  return std::string(negative && shows_non_zero ? begin : begin + 1, result.ptr);
}

constexpr double kWholeLimit = 1e15;

std::string WholeText(double whole) {
  // |whole| < 1e15, so it fits an int64 exactly.
  char buffer[24];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(whole));
  return std::string(buffer, result.ptr);
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) {
    return "NaN";
  }
  return value < 0 ? "-INF" : "INF";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  return i;
}

// Used only when from_chars reports a number outside the double range: it is then either huge or
// tiny, far from 1 either way, and the decimal exponent of its first non-zero digit tells which.
// `exponent_part` is empty or "e", an optional sign and digits.
bool IsHuge(std::string_view mantissa, std::string_view exponent_part) {
  const auto dot = std::min(mantissa.find('.'), mantissa.size());
  const auto first = mantissa.find_first_not_of("0.");
  if (first == std::string_view::npos) {
    return false;
  }
  // Text lengths fit an int64 with room to spare; the written exponent is capped far beyond the
  // range of any double, so the sum cannot overflow.
  std::int64_t exponent = first < dot ? static_cast<std::int64_t>(dot - first) - 1
                                      : -static_cast<std::int64_t>(first - dot);
  if (!exponent_part.empty()) {
    const bool minus = exponent_part[1] == '-';
    const bool has_sign = minus || exponent_part[1] == '+';
    std::int64_t written = 0;
    for (char c : exponent_part.substr(has_sign ? 2 : 1)) {
      written = std::min<std::int64_t>(written * 10 + (c - '0'), 1'000'000'000'000);
    }
    exponent += minus ? -written : written;
  }
  return exponent >= 0;
}

// The number of decimals that a Format pattern asks for.
int PatternDecimals(std::string_view pattern) {
  int decimals = 0;
  bool after_point = false;
  for (char c : pattern) {
    switch (c) {
      case '-':
        break;
      case '#':
      case '0':
        if (after_point) {
          ++decimals;
        }
        break;
      case '.':
        if (after_point) {
          throw std::invalid_argument("Format pattern \"" + std::string(pattern) +
                                      "\" has more than one point");
        }
        after_point = true;
        break;
      default:
        throw std::invalid_argument("Format pattern \"" + std::string(pattern) +
                                    "\" has the unsupported character '" + std::string(1, c) +
                                    "'");
    }
  }
  return decimals;
}

}  // namespace

std::string Str(double value) {
  if (!std::isfinite(value)) {
    return NonFiniteText(value);
  }
  if (value == 0) {
    return "0";
  }
  if (std::fabs(value) < kWholeLimit && std::trunc(value) == value) {
    return WholeText(value);
  }

  constexpr int kSignificant = 7;
  Decimal decimal = ExactDecimal(std::fabs(value));
  const auto first = decimal.digits.find_first_not_of('0');
  RoundDigits(decimal, first + kSignificant);
  // A carry may have turned the leading zero into a 1 ("0999999951" -> "1000000").
  const auto lead = decimal.digits.find_first_not_of('0');
  const int exponent = decimal.point - static_cast<int>(lead) - 1;
  std::string significant = decimal.digits.substr(lead, kSignificant);
  significant.erase(significant.find_last_not_of('0') + 1);
  const int length = static_cast<int>(significant.size());

  std::string text = value < 0 ? "-" : "";
  if (exponent >= length - 1 && exponent < 15) {
    // Rounded to a whole number below 1e15: written in full, as that number itself is.
    text += significant;
    text.append(static_cast<std::size_t>(exponent - (length - 1)), '0');
  } else if (exponent >= -4 && exponent < kSignificant) {
    if (exponent < 0) {
      text += "0.";
      text.append(static_cast<std::size_t>(-exponent - 1), '0');
      text += significant;
    } else {
      // Not whole, so some digits follow the point.
      text += significant.substr(0, static_cast<std::size_t>(exponent) + 1);
      text += '.';
      text += significant.substr(static_cast<std::size_t>(exponent) + 1);
    }
  } else {
    text += significant[0];
    if (length > 1) {
      text += '.';
      text += significant.substr(1);
    }
    text += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) {
      text += '0';
    }
    text += std::to_string(magnitude);
  }
  return text;
}

std::string Str(std::int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double Val(std::string_view text) noexcept {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  // The longest leading decimal number: digits, point, digits (one side non-empty), exponent.
  const std::size_t start = i;
  i = SkipDigits(text, i);
  bool has_digits = i > start;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction_end = SkipDigits(text, i + 1);
    has_digits = has_digits || fraction_end > i + 1;
    i = fraction_end;
  }
  if (!has_digits) {
    return 0.0;
  }
  const std::size_t mantissa_end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      ++j;
    }
    const std::size_t exponent_end = SkipDigits(text, j);
    if (exponent_end > j) {
      i = exponent_end;
    }
  }

  const std::string_view number = text.substr(start, i - start);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone here; overflow becomes infinity, underflow zero.
    const std::size_t mantissa_length = mantissa_end - start;
    value = IsHuge(number.substr(0, mantissa_length), number.substr(mantissa_length))
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::string Format(double value, std::string_view pattern) {
  const int decimals = PatternDecimals(pattern);
  if (!std::isfinite(value)) {
    return NonFiniteText(value);
  }
  const double magnitude = std::fabs(value);
  // A tie (the exact value halfway between two results) needs magnitude * 10^decimals * 2 to be a
  // whole number, which for magnitude = odd * 2^q comes down to magnitude * 2^(decimals + 1) being
  // whole; ldexp scales exactly. Off ties, to_chars rounds correctly and its half-to-even rule never
  // comes into play, so the exact expansion below is needed only for these few values.
  const double doubled = std::ldexp(magnitude, decimals + 1);
  if (doubled != std::floor(doubled)) {
    return CorrectlyRoundedText(magnitude, decimals, std::signbit(value));
  }
  Decimal decimal = ExactDecimal(magnitude);
  RoundDigits(decimal, static_cast<std::size_t>(decimal.point + decimals));

  std::string text;
  if (std::signbit(value) && decimal.digits.find_first_not_of('0') != std::string::npos) {
    text += '-';
  }
  const auto point = static_cast<std::size_t>(decimal.point);
  text.append(decimal.digits, 0, point);
  if (decimals > 0) {
    text += '.';
    text.append(decimal.digits, point, std::string::npos);
  }
  return text;
}

std::string Chr(std::int32_t code) {
  if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    code = 0xFFFD;
  }
  const auto c = static_cast<std::uint32_t>(code);
  std::string text;
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

}  // namespace framework
