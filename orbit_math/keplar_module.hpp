#pragma once

#include <cstdint>

/**
 * Kepler's equation l = u - e sin u, solved for the eccentric anomaly u by
 * Newton's method.
 *
 * Units: the angles l and u are in radians, e is dimensionless.
 *
 * Stop test: after each round the correction du is applied to u, then the
 * iteration ends when round(|du * 10^s|) is 0, i.e. once |du| is below half a
 * unit of the s-th decimal place (s counts decimal places, not significant
 * digits, and may be zero or negative; halves round away from zero).  The
 * correction that passed the test is kept in the result.  At least one round
 * is always run.
 *
 * Domain: 0 <= e <= 0.999, l finite, u == l (the start value; every caller
 * passes the mean anomaly), s <= 14.  There the iteration runs exactly as the
 * plain Newton loop would, with no cap on the number of rounds: near e = 0.999
 * single values of l legitimately take several thousand rounds, and both the
 * result and the count are reproducible to the last bit for a given libm.
 *
 * Outside the domain (e < 0, e > 0.999, a NaN or infinite argument, u != l,
 * s >= 15) the plain loop may never meet its test.  Inside it the same
 * happens, rarely: when |l| is so large that doubles near u are spaced wider
 * than the tolerance (for s = 14 from |l| of about 32 on), and near e = 0.999
 * for single values of l within one revolution, where the small den magnifies
 * the rounding of the correction past the tolerance of s = 14 (u alternates
 * between two values 5.6e-15 apart), or where the wandering first rounds
 * carry u so far out that it overflows (about 1 in 10^8 values of l each).
 * The solver still returns, by three extra rules, checked in this order
 * after a round whose test failed:
 *   1. du is NaN or infinite: the iteration has broken down; the result is
 *      NaN.
 *   2. u came back to a value it held before (the round left u unchanged, or
 *      u equals the start value or the u saved after round 1, 3, 7, 15, ...:
 *      Brent's cycle detection): the iteration is stuck in a cycle; the
 *      result is the current u, the best the doubles near the root give.
 *   3. Only outside the domain: 1,000,000 rounds have run without meeting the
 *      test (a random walk, as for e above 1): the result is NaN.
 * Rules 1 and 2 only ever fire when the plain loop would run for ever (its
 * next rounds would repeat exactly, or stay NaN), so inside the domain they
 * change neither result nor count.
 *
 * Cost: a loop that ends by its test costs what the plain loop costs.  The
 * rules are only checked from round 32768 on, so a loop that they end costs
 * at least 32768 rounds more than its count (of the order of a millisecond),
 * however early they fire.
 */
namespace KeplarModule {

/// The eccentric anomaly for eccentricity e and mean anomaly l, starting from
/// u and stopping at s decimal places (see above).
double KeplarLoop(double e, double l, double u, int32_t s);

/// As KeplarLoop (the same rounds, the same result), and adds 1 to count at
/// the start of every round, the round after which an extra rule stops
/// included.  The caller sets count (normally to 0) and reads the number of
/// rounds from it afterwards.  count saturates at INT32_MAX rather than
/// overflow.
double KeplarLoopCount(double e, double l, double u, int32_t s, int32_t& count);

}  // namespace KeplarModule
