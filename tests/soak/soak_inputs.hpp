#pragma once

// The random side of the soaks: a seeded generator that gives the same sequence on every machine,
// the texts typed into the four parameter fields, and the overrides through which a failing run is
// replayed (QUILLORN_SOAK_SEED, QUILLORN_SOAK_ACTIONS).

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace soak {

// std::mt19937_64 is the same everywhere; the standard distributions are not, so ranges are taken
// by remainder (the slight bias does not matter here).
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_engine(seed) {}

  // 0 .. n - 1; 0 for n = 0.
  std::uint64_t Below(std::uint64_t n) { return n == 0 ? 0 : m_engine() % n; }
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }
  // low .. high, both included.
  std::int64_t Between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(high - low) + 1));
  }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

 private:
  std::mt19937_64 m_engine;
};

// Texts outside each field's domain, and a few at its edges.
inline const std::vector<std::string>& HostileTexts(std::string_view field) {
  static const std::vector<std::string> eccentricity = {"1", "1.5", "-2", "abc", "", "0", "0.999", "0.9999", "-0"};
  static const std::vector<std::string> division = {"0", "-5", "2.5", "1e9", "1", "0.4", "1e400", "300"};
  static const std::vector<std::string> precision = {"15", "20", "-3", "14", "0", "1e9"};
  static const std::vector<std::string> frame_rate = {"0", "-5", "100000", "1e-300", "30", "0.5"};
  if (field == "tEccentricity") return eccentricity;
  if (field == "tDivision") return division;
  if (field == "tSeido") return precision;
  if (field == "tFrameRate") return frame_rate;
  throw std::invalid_argument("no hostile texts for " + std::string(field));
}

// Up to eight characters, mostly digits, with signs, points, exponents, letters and blanks
// anywhere: what Val reads from such a text ranges from nothing through fractions to huge numbers.
inline std::string RandomText(Random& random) {
  static constexpr std::string_view kOthers = "..--+eE ax";
  std::string text;
  const auto length = random.Below(9);
  for (std::uint64_t i = 0; i < length; ++i) {
    text += random.Below(5) < 3 ? static_cast<char>('0' + random.Below(10)) : kOthers[random.Below(kOthers.size())];
  }
  return text;
}

// A value that a user who knows the program would type into `field`.
inline std::string PlausibleText(Random& random, std::string_view field) {
  if (field == "tEccentricity") {
    const auto thousandths = random.Below(1000);
    return "0." + std::to_string(thousandths / 100) + std::to_string(thousandths / 10 % 10) +
           std::to_string(thousandths % 10);
  }
  if (field == "tDivision") return std::to_string(random.Between(1, 600));
  if (field == "tSeido") return std::to_string(random.Between(0, 14));
  if (field == "tFrameRate") return std::to_string(random.Between(1, 60));
  throw std::invalid_argument("no plausible texts for " + std::string(field));
}

// A text for `field`: hostile, plausible or random, one time in three each.
inline std::string FieldText(Random& random, std::string_view field) {
  switch (random.Below(3)) {
    case 0: return random.Pick(HostileTexts(field));
    case 1: return PlausibleText(random, field);
    default: return RandomText(random);
  }
}

// A whole number from the environment; none when the variable is unset. A variable that is set
// but unreadable is an error, not a silent default.
inline std::optional<std::uint64_t> FromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return std::nullopt;
  std::uint64_t value = 0;
  const std::string_view view(text);
  const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
  if (error != std::errc() || end != view.data() + view.size()) {
    throw std::invalid_argument(std::string(name) + " is not a whole number: " + text);
  }
  return value;
}

}  // namespace soak
