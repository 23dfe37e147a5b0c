#include "orbit_math/keplar_module.hpp"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>

namespace KeplarModule {
namespace {

// Rounds allowed outside the domain before giving up.  For e just below 1
// convergence is slow but real (e = 0.9999 needs up to about 35000 rounds on a
// fine grid of l), so the cap sits far above that.
constexpr std::int64_t kMaxRoundsOutsideDomain = 1000000;

// The upper end of the domain is the largest eccentricity the program offers.
constexpr double kMaxEccentricity = 0.999;

// Rounds run before the extra rules start to be checked.  Checking them adds
// to the cost of every round, and almost every loop ends long before they
// could fire, so they wait until a loop has run longer than converging loops
// do in practice.  No count bounds those for certain: at e = 0.999 the rounds
// wander before they settle, for a number of rounds that has a long tail in l.
// The longest found is 9835 on a grid of 20000 values of l per revolution
// (s = 6) and 28096 on a grid of 10^7 (s = 14); of 10^8 values, 3 need more
// than this count (up to 44001).  Such loops still end in the same round with
// the same u; only their rounds past this count are checked.
//
// The count is one less than a power of two because Brent's cycle detection
// saves u after exactly such rounds: the checked rounds then start from a
// fresh save, in the state they would have reached had they been checked from
// the first round.
constexpr std::int64_t kUncheckedRounds = (std::int64_t{1} << 15) - 1;
static_assert((kUncheckedRounds & (kUncheckedRounds + 1)) == 0);
// A loop whose rule fired within the unchecked rounds must be seen again
// before the cap could end it (see Iterate).
static_assert(2 * kUncheckedRounds < kMaxRoundsOutsideDomain);

// The state of the iteration is u alone: (e, l, s) never change.  Two equal
// bit patterns therefore lead to the same rounds from there on, and comparing
// bits (not values) keeps +0 and -0 apart so that this stays strictly true.
bool SameBits(double x, double y) {
  return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

bool InsideDomain(double e, double l, double u, int32_t s) {
  return e >= 0.0 && e <= kMaxEccentricity && std::isfinite(l) && u == l && s <= 14;
}

// The Newton correction of the round that starts from u.  Each line is one
// rounded double operation, in this order; regrouping them (or fusing a
// multiply-add) changes the last bits and the counts.
double Correction(double e, double l, double u) {
  const double d1 = l - u;
  const double d2 = e * std::sin(u);
  const double num = d1 + d2;
  const double d3 = e * std::cos(u);
  const double den = 1.0 - d3;
  return num / den;
}

// scale is 10^s.
bool PassesStopTest(double du, double scale) {
  const double test = std::round(std::abs(du * scale));
  return test == 0.0;
}

struct Result {
  double u;
  std::int64_t rounds;
};

// How a run of checked rounds ended.  A rule that ends an endless loop may
// have fired later than it would have when checked from the first round.
enum class Ending { StopTest, EndlessLoop, Cap };

struct CheckedResult {
  Result result;
  Ending ending;
};

// Runs checked rounds from the state after round `rounds`, which must be 0 or
// one less than a power of two (u is saved for the cycle test right then).
CheckedResult RunChecked(double e, double l, double scale, bool capped, double u,
                         std::int64_t rounds) {
  // Brent's cycle detection: u is compared with the u saved after rounds 0
  // (the start value), 1, 3, 7, 15, ...; the interval between saves doubles,
  // so once it reaches the length of a cycle that u has entered, the cycle is
  // seen within one more pass round it.
  double saved = u;
  for (;;) {
    ++rounds;
    const double previous = u;
    const double du = Correction(e, l, u);
    u = u + du;
    if (PassesStopTest(du, scale)) {
      return {{u, rounds}, Ending::StopTest};
    }

    // The stop test failed.  What follows only ends loops that the test
    // alone would never end.
    if (!std::isfinite(du)) {
      // A NaN stays NaN and an infinite u makes the next du NaN.
      return {{std::nan(""), rounds}, Ending::EndlessLoop};
    }
    if (SameBits(u, previous) || SameBits(u, saved)) {
      // The coming rounds would repeat the ones just run, test included.
      return {{u, rounds}, Ending::EndlessLoop};
    }
    if ((rounds & (rounds + 1)) == 0) {
      saved = u;
    }
    if (capped && rounds >= kMaxRoundsOutsideDomain) {
      return {{std::nan(""), rounds}, Ending::Cap};
    }
  }
}

// The result is that of checking the extra rules after every round, reached
// in three stages.
//
// 1. Unchecked rounds.  Rules 1 and 2 fire only on a loop whose stop test
//    would never pass (after a NaN every test fails; after a repeated u every
//    test repeats one that failed), and the cap lies far beyond.  So a loop
//    that passes its test here ends with the same round and u as a checked
//    one.
// 2. Checked rounds, continuing in the state that checked rounds would have
//    reached, had no rule fired yet.  An end by the stop test stands, as in 1.
//    So does an end by the cap.  A rule that would have fired in stage 1
//    leaves u from round kUncheckedRounds on NaN (seen in the next round) or
//    in a cycle no longer than kUncheckedRounds (seen when u comes back to the
//    value saved as these rounds begin); a rule that would fire later fires
//    here in the same round.  Either comes long before the cap.
// 3. A rule fired in stage 2, but the breakdown or cycle that it caught may
//    have begun in stage 1, when a checked loop would have stopped earlier,
//    with another count and, in a cycle, perhaps another u.  The loop is run
//    again, checked from the first round.  Only loops that would never end
//    take this path, at the price of the unchecked rounds.
Result Iterate(double e, double l, double u, int32_t s) {
  const double scale = std::pow(10.0, static_cast<double>(s));
  const double start = u;

  for (std::int64_t rounds = 1; rounds <= kUncheckedRounds; ++rounds) {
    const double du = Correction(e, l, u);
    u = u + du;
    if (PassesStopTest(du, scale)) {
      return {u, rounds};
    }
  }

  const bool capped = !InsideDomain(e, l, start, s);
  const CheckedResult late = RunChecked(e, l, scale, capped, u, kUncheckedRounds);
  if (late.ending != Ending::EndlessLoop) {
    return late.result;
  }
  return RunChecked(e, l, scale, capped, start, 0).result;
}

}  // namespace

double KeplarLoop(double e, double l, double u, int32_t s) {
  return Iterate(e, l, u, s).u;
}

double KeplarLoopCount(double e, double l, double u, int32_t s, int32_t& count) {
  const Result result = Iterate(e, l, u, s);
  // Adding all rounds at once saturates exactly as adding them one at a time.
  count = static_cast<int32_t>(
      std::min<std::int64_t>(std::int64_t{count} + result.rounds, INT32_MAX));
  return result.u;
}

}  // namespace KeplarModule
