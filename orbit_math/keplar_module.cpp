#include "orbit_math/keplar_module.hpp"

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>

namespace KeplarModule {
namespace {

// Rounds allowed outside the domain before giving up.  For e just below 1
// convergence is slow but real (e = 0.9999 needs up to about 35000 rounds on a
// fine grid of l), so the cap sits far above that.
constexpr std::uint64_t kMaxRoundsOutsideDomain = 1000000;

// The upper end of the domain is the largest eccentricity the program offers.
constexpr double kMaxEccentricity = 0.999;

// The state of the iteration is u alone: (e, l, s) never change.  Two equal
// bit patterns therefore lead to the same rounds from there on, and comparing
// bits (not values) keeps +0 and -0 apart so that this stays strictly true.
bool SameBits(double x, double y) {
  return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

bool InsideDomain(double e, double l, double u, int32_t s) {
  return e >= 0.0 && e <= kMaxEccentricity && std::isfinite(l) && u == l && s <= 14;
}

double Iterate(double e, double l, double u, int32_t s, int32_t* count) {
  const bool capped = !InsideDomain(e, l, u, s);
  const double scale = std::pow(10.0, static_cast<double>(s));

  // Brent's cycle detection: u is compared with the start value and with the
  // u saved after rounds 1, 3, 7, 15, ...; the interval between saves
  // doubles, so once it reaches the length of a cycle that u has entered, the
  // cycle is seen within one more pass round it.
  double saved = u;
  std::uint64_t power = 1;
  std::uint64_t since_saved = 0;
  std::uint64_t rounds = 0;

  for (;;) {
    if (count != nullptr && *count < INT32_MAX) {
      *count = *count + 1;
    }
    ++rounds;
    // Each line is one rounded double operation, in this order; regrouping
    // them (or fusing a multiply-add) changes the last bits and the counts.
    const double d1 = l - u;
    const double d2 = e * std::sin(u);
    const double num = d1 + d2;
    const double d3 = e * std::cos(u);
    const double den = 1.0 - d3;
    const double du = num / den;
    const double previous = u;
    u = u + du;
    const double test = std::round(std::abs(du * scale));
    if (test == 0.0) {
      return u;
    }

    // The stop test failed.  What follows only ends loops that the test
    // alone would never end.
    if (!std::isfinite(du)) {
      // A NaN stays NaN and an infinite u makes the next du NaN.
      return std::nan("");
    }
    if (SameBits(u, previous) || SameBits(u, saved)) {
      // The coming rounds would repeat the ones just run, test included.
      return u;
    }
    if (++since_saved == power) {
      saved = u;
      power *= 2;
      since_saved = 0;
    }
    if (capped && rounds >= kMaxRoundsOutsideDomain) {
      return std::nan("");
    }
  }
}

}  // namespace

double KeplarLoop(double e, double l, double u, int32_t s) {
  return Iterate(e, l, u, s, nullptr);
}

double KeplarLoopCount(double e, double l, double u, int32_t s, int32_t& count) {
  return Iterate(e, l, u, s, &count);
}

}  // namespace KeplarModule
