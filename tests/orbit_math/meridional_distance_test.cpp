#include "orbit_math/meridional_distance.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

#include "digits.hpp"

namespace {

using MeridionalDistance::ReducedToGeographicLatitude;

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kPi = 3.141592653589793;
constexpr double kThreeHalvesPi = 4.71238898038469;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double Arc(double phi, double e, int32_t order = 3) {
  return MeridionalDistance::MeridionalDistance(phi, 1.0, e, order);
}

bool SameBits(double x, double y) {
  return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

double UlpsBelow(double x, int ulps) {
  for (int i = 0; i < ulps; ++i) {
    x = std::nextafter(x, 0.0);
  }
  return x;
}

std::string Where(double e, double angle) {
  return "e " + std::to_string(e) + ", angle " + std::to_string(angle);
}

TEST(MeridionalDistance, EdgeTable) {
  struct Row {
    double e;
    double phi;
    const char* arc;
  };
  const Row rows[] = {
      {0.5, 1.0, "0.839585158594"},
      {0.5, kHalfPi, "1.46746220933784"},
      // Four times the quarter, up to rounding.
      {0.5, kTwoPi, "5.86984883735138"},
      {0.866, kPi / 4.0, "0.253924047424"},
      {0.866, kHalfPi, "1.21108347066239"},
      {0.866, kTwoPi, "4.84433388264955"},
      {0.9, kHalfPi, "1.17169599533698"},
      {0.999, kHalfPi, "1.00286616638223"},
      {0.0818191910435, kHalfPi, "1.56816414091296"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Where(row.e, row.phi));
    EXPECT_TRUE(MatchesDigits(Arc(row.phi, row.e), row.arc));
  }
  EXPECT_TRUE(SameBits(Arc(0.0, 0.5), 0.0));
  // The quarter at the program's start-up eccentricity, to the last bit: the
  // graph's scale is computed from four times it.
  EXPECT_EQ(Arc(kHalfPi, 0.866), 1.2110834706623883);
  EXPECT_EQ(4.0 * Arc(kHalfPi, 0.866), 4.844333882649553);
}

// Bit patterns of this exact sequence of operations.  Regrouping one step
// (n as (1 - k)/(1 + k), n^2 + n c2 under the last root, the sines taken
// directly instead of by the recurrence) moves some of these values by a unit
// in the last place while every digit above stays right.
TEST(MeridionalDistance, OperationOrderFixesLastBits) {
  struct Row {
    double e;
    int frame;  // of 300 per turn
    double arc;
  };
  const Row rows[] = {
      {0.5, 7, 0.11025108017090228},
      {0.866, 3, 0.01573405918153423},
      {0.866, 10, 0.053245256107798969},
      {0.866, 14, 0.075757219037468612},
      {0.9, 1, 0.003980062300770853},
      {0.9, 2, 0.0079643967196760083},
      {0.99, 7, 0.0030218632584191551},
      {0.99, 8, 0.0034820490225005185},
      {0.999, 1, 4.2765137382981207e-05},
  };
  for (const Row& row : rows) {
    const double phi = (((1.0 / 300) * 2.0) * kPi) * row.frame;
    EXPECT_EQ(Arc(phi, row.e), row.arc) << Where(row.e, phi);
  }
}

TEST(MeridionalDistance, QuarterMeridianOfTheEarth) {
  const double quarter = MeridionalDistance::MeridionalDistance(kHalfPi, 1.0, 0.0818191910435, 3);
  EXPECT_TRUE(MatchesDigits(quarter * 6378.137, "10001.9657292"));
  // The semi-major axis scales the whole result.
  EXPECT_TRUE(MatchesDigits(MeridionalDistance::MeridionalDistance(kHalfPi, 6378.137,
                                                                   0.0818191910435, 3),
                            "10001.9657292"));
}

TEST(MeridionalDistance, HigherOrdersConverge) {
  const char* const quarters[] = {"1.46746160007262", "1.46746220855370", "1.46746220933784",
                                  "1.46746220933942", "1.46746220933943"};
  for (int32_t order = 1; order <= 5; ++order) {
    SCOPED_TRACE("order " + std::to_string(order));
    EXPECT_TRUE(MatchesDigits(Arc(kHalfPi, 0.5, order), quarters[order - 1]));
  }
}

// The part of the arc that grows with phi is a/(1+n) phi times the sum of the
// squared binomial terms binomial(1/2, m) n^m up to m = order.  At phi = 2 pi
// the periodic part vanishes, so this checks every ratio of the series
// coefficients, for every order.
TEST(MeridionalDistance, FullTurnGrowsWithSquaredBinomialTerms) {
  for (double e : {0.1, 0.5, 0.866, 0.9, 0.999}) {
    const long double k = std::sqrt(1.0L - static_cast<long double>(e) * e);
    const long double n = (1.0L - k) / (1.0L + k);
    long double term = 1.0L;  // binomial(1/2, m) n^m
    long double sum = 1.0L;
    for (int32_t order = 1; order <= 6; ++order) {
      term *= n * (1.5L - order) / order;
      sum += term * term;
      const long double expected = 2.0L * static_cast<long double>(kPi) * sum / (1.0L + n);
      EXPECT_NEAR(Arc(kTwoPi, e, order), static_cast<double>(expected), 1e-14)
          << "e " << e << ", order " << order;
    }
  }
}

// The periodic terms repeat every pi/2 turn of 2 phi, and the arc is
// symmetric about the end of the minor axis.
TEST(MeridionalDistance, QuartersOfTheTurn) {
  for (double e : {1e-8, 0.0167, 0.5, 0.866, 0.99, 0.999}) {
    const double quarter = Arc(kHalfPi, e);
    const double tolerance = 32 * std::numeric_limits<double>::epsilon();
    EXPECT_NEAR(Arc(kPi, e), 2.0 * quarter, tolerance) << e;
    EXPECT_NEAR(Arc(kThreeHalvesPi, e), 3.0 * quarter, tolerance) << e;
    EXPECT_NEAR(Arc(kTwoPi, e), 4.0 * quarter, tolerance) << e;
    for (int i = 0; i <= 100; ++i) {
      const double phi = kHalfPi * i / 100.0;
      EXPECT_NEAR(Arc(kPi - phi, e), 2.0 * quarter - Arc(phi, e), tolerance) << Where(e, phi);
      EXPECT_NEAR(Arc(kPi + phi, e), 2.0 * quarter + Arc(phi, e), tolerance) << Where(e, phi);
    }
  }
}

// For e up to 2^-27, 1 - e^2 rounds to 1 and the third flattening is 0; the
// series then divides 0 by 0.  The callers treat the circle themselves.
TEST(MeridionalDistance, CircleAndNearCircleGiveNaN) {
  const double limit = std::ldexp(1.0, -27);
  for (double e : {0.0, -0.0, 1e-9, limit, -limit}) {
    EXPECT_TRUE(std::isnan(Arc(1.0, e))) << e;
  }
  const double just_above = std::nextafter(limit, 1.0);
  EXPECT_TRUE(std::isfinite(Arc(1.0, just_above)));
  EXPECT_NEAR(Arc(1.0, just_above), 1.0, 1e-12);
}

TEST(MeridionalDistance, OrderBelowOneGivesNaN) {
  for (int32_t order : {0, -1, -3, INT32_MIN}) {
    EXPECT_TRUE(std::isnan(Arc(kHalfPi, 0.5, order))) << order;
  }
}

TEST(MeridionalDistance, SignedZeroAndSpecialValueSweep) {
  struct Row {
    double phi;
    double a;
    double e;
    double expected;  // NaN when the result must be NaN
  };
  const Row rows[] = {
      {0.0, 1.0, 0.5, 0.0},
      {-0.0, 1.0, 0.5, 0.0},
      {kHalfPi, 0.0, 0.5, 0.0},
      {kNaN, 1.0, 0.5, kNaN},
      {kInf, 1.0, 0.5, kNaN},
      {-kInf, 1.0, 0.5, kNaN},
      {1.0, kNaN, 0.5, kNaN},
      {1.0, kInf, 0.5, kInf},
      {0.0, kInf, 0.5, kNaN},
      {1.0, 1.0, kNaN, kNaN},
      {1.0, 1.0, kInf, kNaN},
      {1.0, 1.0, 1.5, kNaN},
      {1.0, 1.0, -1.5, kNaN},
      // The sign of e does not matter.
      {1.0, 1.0, -0.5, 0.83958515859352301},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("phi " + std::to_string(row.phi) + ", a " + std::to_string(row.a) + ", e " +
                 std::to_string(row.e));
    const double arc = MeridionalDistance::MeridionalDistance(row.phi, row.a, row.e, 3);
    if (std::isnan(row.expected)) {
      EXPECT_TRUE(std::isnan(arc)) << arc;
    } else {
      EXPECT_EQ(arc, row.expected);
    }
  }
  // e = 1 is degenerate but still finite.
  EXPECT_TRUE(std::isfinite(Arc(1.0, 1.0)));
}

TEST(ReducedToGeographicLatitude, EdgeTable) {
  struct Row {
    double e;
    double beta;
    const char* phi;  // digits, or nullptr for an exact value
    double exact;
  };
  const Row rows[] = {
      {0.5, kPi / 4.0, "0.857071947850", 0.0},
      {0.5, 2.0, "1.94814620668", 0.0},
      {0.5, 4.0, "4.07018289977", 0.0},
      {0.5, 5.0, "4.96317701050", 0.0},
      {0.866, kPi / 4.0, "1.10711351996", 0.0},
      // The tangent is about 1.6e16 and its arc tangent rounds to pi/2.
      {0.866, kHalfPi, nullptr, kHalfPi},
      {0.0, 0.0, nullptr, 0.0},
      {0.5, 0.0, nullptr, 0.0},
      {0.999, 0.0, nullptr, 0.0},
      {0.5, kPi, nullptr, kPi},
      {0.866, kPi, nullptr, UlpsBelow(kPi, 1)},
      {0.866, kTwoPi, nullptr, kTwoPi},
      {0.99, kTwoPi, nullptr, UlpsBelow(kTwoPi, 2)},
      {0.999, kTwoPi, nullptr, UlpsBelow(kTwoPi, 6)},
      {0.0, 2.0, nullptr, 2.0},
      {0.5, kThreeHalvesPi, nullptr, kThreeHalvesPi},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Where(row.e, row.beta));
    const double phi = ReducedToGeographicLatitude(row.beta, row.e);
    if (row.phi != nullptr) {
      EXPECT_TRUE(MatchesDigits(phi, row.phi));
    } else {
      EXPECT_TRUE(SameBits(phi, row.exact)) << phi;
    }
  }
}

// The result stays in beta's quadrant, never falls as beta rises, and for
// the circle is beta up to the rounding of tan and atan.  The quadrant
// boundaries and their neighbouring doubles are swept too.
TEST(ReducedToGeographicLatitude, StaysInQuadrantAndRises) {
  const double boundaries[] = {kHalfPi, kPi, kThreeHalvesPi};
  for (double e : {0.0, 0.1, 0.5, 0.866, 0.99, 0.999}) {
    double previous = -1.0;
    const int steps = 20000;
    for (int i = 0; i <= steps; ++i) {
      const double base = kTwoPi * i / steps;
      for (double beta : {std::nextafter(base, 0.0), base, std::nextafter(base, 8.0)}) {
        if (beta < 0.0 || beta > kTwoPi) {
          continue;
        }
        const double phi = ReducedToGeographicLatitude(beta, e);
        const double low = beta <= kHalfPi ? 0.0
                           : beta <= kPi   ? kHalfPi
                           : beta <= kThreeHalvesPi ? kPi
                                                    : kThreeHalvesPi;
        ASSERT_GE(phi, low) << Where(e, beta);
        ASSERT_LE(phi, low + kHalfPi) << Where(e, beta);
        if (e == 0.0) {
          ASSERT_NEAR(phi, beta, 4 * std::numeric_limits<double>::epsilon() * kTwoPi)
              << Where(e, beta);
        }
      }
    }
    for (double boundary : boundaries) {
      for (double beta : {std::nextafter(boundary, 0.0), boundary, std::nextafter(boundary, 8.0)}) {
        const double phi = ReducedToGeographicLatitude(beta, e);
        const double low = beta <= kHalfPi ? 0.0
                           : beta <= kPi   ? kHalfPi
                           : beta <= kThreeHalvesPi ? kPi
                                                    : kThreeHalvesPi;
        EXPECT_GE(phi, low) << Where(e, beta);
        EXPECT_LE(phi, low + kHalfPi) << Where(e, beta);
      }
    }
    for (int i = 0; i <= 20000; ++i) {
      const double beta = kTwoPi * i / 20000;
      const double phi = ReducedToGeographicLatitude(beta, e);
      ASSERT_GE(phi, previous) << Where(e, beta);
      previous = phi;
    }
  }
}

TEST(ReducedToGeographicLatitude, SignedZeroAndSpecialValueSweep) {
  struct Row {
    double beta;
    double e;
    double expected;  // NaN when the result must be NaN
  };
  const Row rows[] = {
      {0.0, 0.5, 0.0},
      {-0.0, 0.5, -0.0},
      {0.0, -0.5, 0.0},
      {kNaN, 0.5, kNaN},
      {kInf, 0.5, kNaN},
      {-kInf, 0.5, kNaN},
      {1.0, kNaN, kNaN},
      {1.0, 1.5, kNaN},
      {1.0, kInf, kNaN},
      // At e = 1 the root is 0: the quotient is infinite, or 0/0 at beta 0.
      {1.0, 1.0, kHalfPi},
      {2.0, 1.0, kHalfPi},
      {0.0, 1.0, kNaN},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Where(row.e, row.beta));
    const double phi = ReducedToGeographicLatitude(row.beta, row.e);
    if (std::isnan(row.expected)) {
      EXPECT_TRUE(std::isnan(phi)) << phi;
    } else {
      EXPECT_TRUE(SameBits(phi, row.expected)) << phi;
    }
  }
}

}  // namespace
