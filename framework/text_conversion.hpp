#pragma once

// Number <-> text services. The C library locale never changes a text: a desktop whose locale
// writes a decimal comma still reads and writes "0.866".
//
// Every text that Str or Format writes reads back through Val as the number it shows (the double
// nearest to its digits), and writing that number again gives the same text.

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

// Up to 7 significant digits without trailing zeros; whole numbers below 1e15 in magnitude in full
// without a point ("300", "12345678"); very large and very small numbers in exponent form
// ("1.234568e+20"); "0" for +-0; "NaN", "INF", "-INF".
//
// In detail: a whole number below 1e15 in magnitude is written exactly. Any other number is
// rounded to 7 significant digits, halves away from zero on the exact binary value (123456.25 ->
// "123456.3"), and laid out as C's "%.7g" lays it out: positional for decimal exponents from -4 to
// 6 ("0.500044", "0.0001", "1234.568"), else with a signed exponent of at least two digits
// ("1.5e-07", "1e+20"). When that rounding makes a whole number below 1e15 (12345678.5 ->
// 12345680), the whole number is written in full ("12345680"), so that one shown value always has
// one text.
std::string Str(double value);
std::string Str(std::int32_t value);

// Skips leading blanks (spaces and tabs) and reads the longest leading decimal number: an optional
// sign, digits with an optional point and fraction (".5" and "5." are numbers), and an optional
// exponent (e or E, optional sign, at least one digit; "1e" and "1e+" read as 1). The result is the
// double nearest to the number read; beyond the double range it is +-infinity, below the smallest
// subnormal +-0. Text with no leading decimal number ("", "-", ".", "abc", "nan", "inf") gives 0.
// Never throws.
double Val(std::string_view text) noexcept;

// Formats by a pattern of '-', '#', '0' and '.': '-' shows the sign of a negative value; the number
// of placeholders after the point fixes the decimals; the integer part is always printed in full
// with at least one digit. A value that rounds to zero prints without a sign. NaN and infinities
// as in Str. Examples: Format(0.5, "-###.000000") == "0.500000", Format(-0.04, "-###.0") == "0.0".
//
// In detail: the exact binary value is rounded to the decimals, halves away from zero (0.125 with
// two decimals gives "0.13"; 2.675 is stored below the half and gives "2.67"). A negative value
// that stays non-zero shows its '-' even where the pattern has none: dropping the sign would show
// a different number. Without a point, or with none after it, no point is written. Any other
// character in the pattern, or a second point, throws std::invalid_argument.
std::string Format(double value, std::string_view pattern);

// The UTF-8 text of one code point (Chr(13) is one CR, Chr(0) one NUL byte). Code points outside
// Unicode (negative or above 0x10FFFF), or surrogates, give U+FFFD.
std::string Chr(std::int32_t code);

}  // namespace framework
