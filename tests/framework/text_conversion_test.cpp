#include "framework/text_conversion.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using framework::Chr;
using framework::Format;
using framework::Str;
using framework::Val;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const char* const kPatterns[] = {"-###", "-###.0", "-###.000000", "-0.00"};

// Independent references for the sweeps. They follow the C library locale, which is "C" in the
// test program unless a test changes it; only the locale test does, and it restores it.
std::string PrintfText(const char* format, int precision, double value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, precision, value);
  return buffer;
}

double StrtodValue(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// Whether the exact value of a finite double lies exactly half-way between two texts with
// `position` digits after the point of a "%.*e" or "%.*f" layout. Such ties are where our rounding
// (away from zero) and printf's (to even) part.
bool IsExactTie(const char* format, double value, int position) {
  const std::string exact = PrintfText(format, 1100, value);  // exact for every double
  const auto dot = exact.find('.');
  const auto end = exact.find('e');
  const std::string fraction =
      exact.substr(dot + 1, end == std::string::npos ? end : end - dot - 1);
  const auto digit = static_cast<std::size_t>(position);
  return fraction[digit] == '5' && fraction.find_first_not_of('0', digit + 1) == std::string::npos;
}

int PatternDecimals(const std::string& pattern) {
  const auto dot = pattern.find('.');
  return dot == std::string::npos ? 0 : static_cast<int>(pattern.size() - dot - 1);
}

// Values a person meets: 1 to 10 times a power of ten from 1e-20 to 1e20, either sign, with a full
// random mantissa, so exact ties between two decimals practically never occur.
class ValueSource {
 public:
  double HumanScale() {
    const double unit = static_cast<double>(m_random() >> 11) * 0x1p-53;
    const int power = static_cast<int>(m_random() % 41) - 20;
    const double value = (1.0 + 9.0 * unit) * std::pow(10.0, power);
    return (m_random() & 1) != 0 ? -value : value;
  }
  // Any finite double, subnormals and the extremes included.
  double AnyFinite() {
    for (;;) {
      const double value = std::bit_cast<double>(static_cast<std::uint64_t>(m_random()));
      if (std::isfinite(value)) {
        return value;
      }
    }
  }

 private:
  std::mt19937_64 m_random{20240601};
};

struct StrRow {
  double value;
  const char* expected;
};

TEST(Str, WritesSevenSignificantDigitsAndWholeNumbersInFull) {
  const StrRow rows[] = {
      // The orbit window's read-outs.
      {0.5000439980641704, "0.500044"}, {0.49995600193582956, "0.499956"}, {0.866, "0.866"},
      {99 / 1000.0, "0.099"}, {300.0, "300"}, {1.0, "1"}, {0.0, "0"}, {-0.0, "0"},
      // Layout switches of %.7g: positional from 1e-4 up to seven integer digits.
      {1e20, "1e+20"}, {1.5e-7, "1.5e-07"}, {-1.5e-7, "-1.5e-07"}, {1e-5, "1e-05"},
      {0.0001, "0.0001"}, {0.00012345678, "0.0001234568"}, {123456.7, "123456.7"},
      {1.0 / 3.0, "0.3333333"}, {2.0 / 3.0, "0.6666667"}, {0.1 + 0.2, "0.3"}, {-2.5, "-2.5"},
      // Whole numbers below 1e15 keep every digit; above, exponent form.
      {12345678.0, "12345678"}, {-5.0, "-5"}, {999999999999999.0, "999999999999999"},
      {1e15, "1e+15"}, {1234567890123456.0, "1.234568e+15"}, {1.5e300, "1.5e+300"},
      // Non-whole values whose seven digits make a whole number are written as that number.
      {12345678.5, "12345680"}, {9999999.5, "10000000"}, {1234567.25, "1234567"},
      {99999.999999, "100000"}, {-0.99999999, "-1"}, {999999999999999.5, "1e+15"},
      // Extremes.
      {1e-300, "1e-300"}, {std::numeric_limits<double>::denorm_min(), "4.940656e-324"},
      {std::numeric_limits<double>::max(), "1.797693e+308"},
      {kNaN, "NaN"}, {kInf, "INF"}, {-kInf, "-INF"},
  };
  for (const StrRow& row : rows) {
    EXPECT_EQ(Str(row.value), row.expected) << "value " << row.value;
  }
}

// Ties at the seventh digit are only exact binary values; they round away from zero like every
// other rounding of the program (printf would give 123456.2, 1234568 and 1234.562).
TEST(Str, RoundsExactHalvesAwayFromZero) {
  const StrRow rows[] = {
      {123456.25, "123456.3"}, {-123456.25, "-123456.3"}, {1234568.5, "1234569"},
      {1234.5625, "1234.563"},
  };
  for (const StrRow& row : rows) {
    EXPECT_EQ(Str(row.value), row.expected) << "value " << row.value;
  }
}

TEST(Str, WritesInt32) {
  EXPECT_EQ(Str(std::int32_t{0}), "0");
  EXPECT_EQ(Str(std::int32_t{-5}), "-5");
  EXPECT_EQ(Str(std::numeric_limits<std::int32_t>::max()), "2147483647");
  EXPECT_EQ(Str(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

// Off exact ties and off the whole-number rule, Str lays numbers out as %.7g in the "C" locale.
TEST(Str, AgreesWithPercentSevenG) {
  ValueSource source;
  for (int i = 0; i < 20000; ++i) {
    const double value = i % 2 == 0 ? source.HumanScale() : source.AnyFinite();
    const std::string reference = PrintfText("%.*g", 7, value);
    const double shown = StrtodValue(reference);
    if ((std::trunc(shown) == shown && std::fabs(shown) < 1e15) || IsExactTie("%.*e", value, 6)) {
      continue;  // written in full, or rounded the other way; checked elsewhere
    }
    ASSERT_EQ(Str(value), reference) << "value " << value;
  }
}

// The text reads back as the number it shows, and that number writes the same text again.
TEST(Str, RoundTripsThroughVal) {
  ValueSource source;
  for (int i = 0; i < 20000; ++i) {
    const double value = i % 2 == 0 ? source.HumanScale() : source.AnyFinite();
    const double whole = std::trunc(value * 1e-3);
    for (const double x : {value, whole}) {
      const std::string text = Str(x);
      const double shown = Val(text);
      ASSERT_EQ(shown, StrtodValue(text)) << text;
      ASSERT_EQ(Str(shown), text) << "value " << x;
      if (std::fabs(x) < 1e15 && std::trunc(x) == x) {
        ASSERT_EQ(shown, x) << text;
      } else {
        ASSERT_LE(std::fabs(shown - x), 1e-6 * std::fabs(x)) << text;
      }
    }
  }
}

TEST(Val, ReadsTheLongestLeadingDecimalNumber) {
  const std::string zeros(400, '0');
  struct Row {
    std::string text;
    double expected;
  };
  const Row rows[] = {
      {"0.866", 0.866}, {"300", 300.0}, {"0.0818191910435", 0.0818191910435}, {"-5", -5.0},
      {"+5", 5.0}, {".5", 0.5}, {"5.", 5.0}, {"-.5e1", -5.0}, {"1.5E2", 150.0}, {"2e-3", 0.002},
      {" \t 12abc", 12.0}, {"1e", 1.0}, {"1e+", 1.0}, {"1e-x", 1.0}, {"1.2.3", 1.2},
      {"1,5", 1.0}, {"0x10", 0.0}, {"12345678901234567890", 1.2345678901234567e19},
      {"0.1e1e2", 1.0},
      // No number at all.
      {"", 0.0}, {"abc", 0.0}, {"-", 0.0}, {"+", 0.0}, {".", 0.0}, {"-.", 0.0}, {"e5", 0.0},
      {"--1", 0.0}, {"+-1", 0.0}, {"- 1", 0.0}, {"nan", 0.0}, {"NaN", 0.0}, {"inf", 0.0},
      {"INF", 0.0}, {"\n7", 0.0}, {"\xD9\xA1", 0.0},
      // Beyond the double range: infinity or zero, never garbage.
      {"1e400", kInf}, {"-1e400", -kInf}, {"1.7976931348623159e308", kInf},
      {"1" + zeros, kInf}, {"1e99999999999999999999999", kInf}, {"1e-400", 0.0},
      {"1e-99999999999999999999999", 0.0}, {"0." + zeros + "1", 0.0},
      {"0." + zeros + "1e400", 0.1}, {"0." + zeros + "1e100", 1e-301},
      {"0." + zeros + "1e-100", 0.0}, {"0e99999999", 0.0},
      {"0." + zeros.substr(0, 330) + "1e20", 1e-311},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
      {"2e-324", 0.0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Val(row.text), row.expected) << '"' << row.text << '"';
  }
  EXPECT_TRUE(std::signbit(Val("-1e-400")));
  EXPECT_TRUE(std::signbit(Val("-0")));
}

// A view into a longer buffer must end the number at the view's end.
TEST(Val, StopsAtTheEndOfTheView) {
  const std::string buffer = "12345e7";
  EXPECT_EQ(Val(std::string_view(buffer).substr(0, 2)), 12.0);
  EXPECT_EQ(Val(std::string_view(buffer).substr(0, 6)), 12345.0);
  EXPECT_EQ(Val(std::string_view(buffer.data(), 0)), 0.0);
}

struct FormatRow {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(Format, WritesTheDecimalsThePatternAsksFor) {
  const FormatRow rows[] = {
      {0.5, "-###.000000", "0.500000"}, {-0.04, "-###.0", "0.0"}, {0.0, "-###", "0"},
      {-0.0, "-0.00", "0.00"}, {1234567.0, "-###.0", "1234567.0"}, {300.0, "-###", "300"},
      {-300.0, "-###", "-300"}, {-1.5, "-0.00", "-1.50"}, {0.999, "-###", "1"},
      {9.9999999, "-0.00", "10.00"}, {-0.004, "-0.00", "0.00"},
      {-1e-300, "-###.000000", "0.000000"},
      {1e20, "-###.0", "100000000000000000000.0"}, {123.456, "", "123"}, {123.456, "-###.", "123"},
      // Cells of the result table.
      {0.0209439510239, "-###.000000", "0.020944"}, {8.73701991771, "-###.000000", "8.737020"},
      {1.2000000000000002, "-###.0", "1.2"}, {358.8, "-###.0", "358.8"},
      {119.99999999999997, "-###.000000", "120.000000"},
      {359.99999999999994, "-###.000000", "360.000000"},
      {6.283185307179587, "-###.000000", "6.283185"},
      // A negative value keeps its sign even without a '-' in the pattern.
      {-2.5, "###", "-3"}, {-0.25, "#.#", "-0.3"},
      {kNaN, "-0.00", "NaN"}, {kInf, "-###", "INF"}, {-kInf, "-###.0", "-INF"},
  };
  for (const FormatRow& row : rows) {
    EXPECT_EQ(Format(row.value, row.pattern), row.expected)
        << "value " << row.value << " pattern " << row.pattern;
  }
}

// Exact binary halves round away from zero; values merely printed as a half are stored above or
// below it and round to the nearer side.
TEST(Format, RoundsExactHalvesAwayFromZero) {
  const FormatRow rows[] = {
      {0.125, "-0.00", "0.13"}, {-0.125, "-0.00", "-0.13"}, {0.375, "-0.00", "0.38"},
      {0.5, "-###", "1"}, {-0.5, "-###", "-1"}, {2.5, "-###", "3"}, {0.25, "-###.0", "0.3"},
      {0.0078125, "-###.000000", "0.007813"},
      {2.675, "-0.00", "2.67"}, {1.005, "-0.00", "1.00"}, {0.015, "-0.00", "0.01"},
      {9.995, "-0.00", "9.99"}, {-0.005, "-0.00", "-0.01"},
  };
  for (const FormatRow& row : rows) {
    EXPECT_EQ(Format(row.value, row.pattern), row.expected)
        << "value " << row.value << " pattern " << row.pattern;
  }
}

TEST(Format, RejectsCharactersOutsideThePatternLanguage) {
  for (const char* pattern : {"#,##0.00", "0.0.0", "-###.0%", "x"}) {
    EXPECT_THROW(Format(1.0, pattern), std::invalid_argument) << pattern;
  }
}

// Off exact ties, Format agrees with the correctly rounded %.*f of the "C" locale, except that a
// value rounding to zero loses its sign.
TEST(Format, AgreesWithFixedPrintfOffTies) {
  ValueSource source;
  int ties = 0;
  for (int i = 0; i < 10000; ++i) {
    const double value = i % 4 == 0 ? source.AnyFinite() : source.HumanScale();
    for (const std::string pattern : kPatterns) {
      if (IsExactTie("%.*f", value, PatternDecimals(pattern))) {
        ++ties;  // large values are multiples of 1/8 or 1/4; the tie table covers these
        continue;
      }
      std::string reference = PrintfText("%.*f", PatternDecimals(pattern), value);
      if (reference[0] == '-' && reference.find_first_not_of("-0.") == std::string::npos) {
        reference.erase(0, 1);
      }
      ASSERT_EQ(Format(value, pattern), reference) << "value " << value << " pattern " << pattern;
    }
  }
  EXPECT_LT(ties, 1000);
}

TEST(Format, RoundTripsThroughVal) {
  ValueSource source;
  for (int i = 0; i < 10000; ++i) {
    const double value = source.HumanScale();
    for (const std::string pattern : kPatterns) {
      const std::string text = Format(value, pattern);
      const double shown = Val(text);
      ASSERT_EQ(shown, StrtodValue(text)) << text;
      ASSERT_EQ(Format(shown, pattern), text) << "value " << value << " pattern " << pattern;
      const double half_step = 0.5 * std::pow(10.0, -PatternDecimals(pattern));
      ASSERT_LE(std::fabs(shown - value), half_step + std::fabs(value) * 1e-15) << text;
    }
  }
}

TEST(Chr, EncodesOneCodePointAsUtf8) {
  struct Row {
    std::int32_t code;
    std::string expected;
  };
  const std::string replacement = "\xEF\xBF\xBD";
  const Row rows[] = {
      {13, "\r"}, {9, "\t"}, {0, std::string(1, '\0')}, {65, "A"}, {0x7F, "\x7F"},
      {0x80, "\xC2\x80"}, {0x7FF, "\xDF\xBF"}, {0x800, "\xE0\xA0\x80"}, {0x3042, "\xE3\x81\x82"},
      {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"},
      {-1, replacement}, {0x110000, replacement}, {0xD800, replacement}, {0xDFFF, replacement},
      {std::numeric_limits<std::int32_t>::min(), replacement},
      {std::numeric_limits<std::int32_t>::max(), replacement},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Chr(row.code), row.expected) << "code " << row.code;
  }
  EXPECT_EQ(Chr(0x3042), "あ");
}

// A German desktop sets the C library locale to one with a decimal comma. Where the locale is not
// installed and the test runs as root (as on the project's machines), it is compiled from the
// sources of the Debian package "locales".
class DecimalCommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved_c_locale = std::setlocale(LC_ALL, nullptr);
    m_saved_locale = std::locale();
    // The C library remembers a failed lookup for the life of the process, so the locale is made
    // before the first attempt to use it, as a folder of its own: a locale added to the archive
    // would stay unseen by a process that had already read the archive.
    const bool installed =
        std::system("locale -a 2>/dev/null | grep -qix 'de_DE[.]utf-\\{0,1\\}8'") == 0;
    if (!installed && ::geteuid() == 0) {
      std::system("localedef --no-archive -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1");
    }
    if (!Switch()) {
      GTEST_SKIP() << "the locale de_DE.UTF-8 is missing and could not be generated";
    }
  }

  void TearDown() override {
    std::locale::global(m_saved_locale);
    std::setlocale(LC_ALL, m_saved_c_locale.c_str());
  }

 private:
  static bool Switch() {
    try {
      std::locale::global(std::locale("de_DE.UTF-8"));
    } catch (const std::runtime_error&) {
      return false;
    }
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  }

  std::string m_saved_c_locale;
  std::locale m_saved_locale;
};

TEST_F(DecimalCommaLocale, ChangesNoText) {
  ASSERT_EQ(PrintfText("%.*f", 1, 0.5), "0,5") << "the locale switch did not take effect";
  struct Row {
    double value;
    const char* text;
    double shown;
  };
  const Row rows[] = {
      {0.866, "0.866", 0.866}, {0.5000439980641704, "0.500044", 0.500044},
      {-1.5e-7, "-1.5e-07", -1.5e-7}, {1234.5625, "1234.563", 1234.563},
      {12345678.5, "12345680", 12345680.0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Str(row.value), row.text);
    EXPECT_EQ(Val(row.text), row.shown) << row.text;
  }
  EXPECT_EQ(Format(0.5, "-###.000000"), "0.500000");
  EXPECT_EQ(Format(-1.5, "-0.00"), "-1.50");
  EXPECT_EQ(Format(358.8, "-###.0"), "358.8");
  EXPECT_EQ(Val("0,866"), 0.0);  // the comma still ends the number
}

}  // namespace
