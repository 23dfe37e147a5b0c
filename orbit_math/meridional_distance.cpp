#include "orbit_math/meridional_distance.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace MeridionalDistance {
namespace {

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kPi = 3.141592653589793;
constexpr double kThreeHalvesPi = 4.71238898038469;

}  // namespace

// With D = 1 + 2n cos 2phi + n^2, the arc is a/(1+n) times
//   integral of sqrt(D) from 0 to phi  -  2n sin 2phi / sqrt(D),
// because that bracket has the derivative (1 - n^2)^2 / D^(3/2), which is the
// radius of curvature times (1+n)/a.  sqrt(D) = |1 + n exp(2i phi)| is the
// product of two binomial series of exponent 1/2; multiplied out and
// integrated it gives phi times the sum of (binomial(1/2, m) n^m)^2 plus sines
// of even multiples of phi.  ratioTable holds the ratios n(3/2 - j)/j of
// successive terms of one binomial series, so each product of two terms is
// reached by walking along the table from P = prod, the term
// binomial(1/2, order) n^order; the sines come from the recurrence
// sin 2k phi = 2 cos 2phi sin 2(k-1)phi - sin 2(k-2)phi.  The series is cut
// after the term in n^(2 order).
double MeridionalDistance(double phi, double a, double e, int32_t order) {
  if (order < 1) {
    // No series at all; the tables below would have no room for entry 1.
    return std::nan("");
  }
  // Indices are 64-bit so that 2 * order cannot overflow.
  const std::int64_t m_max = order;
  const std::int64_t size = 2 * m_max + 1;

  // All three tables live in one allocation; every entry starts at 0.
  std::vector<double> tables(static_cast<std::size_t>(3 * size), 0.0);
  double* const ratioTable = tables.data();
  double* const sineTable = ratioTable + size;
  double* const sineTermTable = sineTable + size;

  // Each statement below is one rounded double operation in the order written;
  // regrouping any of them changes the last bits of the result.
  const double e2 = std::pow(e, 2.0);
  const double k = std::sqrt(1.0 - e2);
  const double x = 1.0 / (1.0 - k);
  const double n = 1.0 / ((2.0 * x) - 1.0);
  const double h = 1.5 * n;

  double prod = 1.0;
  for (std::int64_t i = 1; i <= m_max; ++i) {
    ratioTable[i] = (h / static_cast<double>(i)) - n;
    prod = prod * ratioTable[i];
    ratioTable[i + m_max] = (h / static_cast<double>(i + m_max)) - n;
  }

  const double Nd = static_cast<double>(2 * m_max);
  const double K = a / (1.0 + n);
  const double t = 2.0 * phi;
  const double c2 = 2.0 * std::cos(t);

  sineTable[0] = 0.0;
  sineTermTable[1] = std::sin(t);
  sineTable[1] = sineTermTable[1];
  for (std::int64_t kk = 2; static_cast<double>(kk) <= Nd; ++kk) {
    sineTable[kk] = (c2 * sineTable[kk - 1]) - sineTable[kk - 2];
    sineTermTable[kk] = sineTable[kk] / static_cast<double>(kk);
  }

  double S = 0.0;
  double P = prod;
  for (std::int64_t m = m_max; m >= 1; --m) {
    double r = 1.0;
    double acc = phi;
    for (std::int64_t j = 1; j <= m; ++j) {
      r = r / ratioTable[m - j + 1];
      acc = acc + (r * sineTermTable[2 * j - 1]);
      r = r * ratioTable[m + j];
      acc = acc + (r * sineTermTable[2 * j]);
    }
    S = S + ((P * P) * acc);
    P = P / ratioTable[m];
  }

  const double q = (2.0 * n) * sineTable[1];
  const double d = std::sqrt((n * (n + c2)) + 1.0);
  return K * ((S - (q / d)) + phi);
}

double ReducedToGeographicLatitude(double beta, double e) {
  // One rounded operation per step, in this order; the tests compare the
  // results near pi and 2 pi to the unit in the last place.
  const double tan_beta = std::tan(beta);
  const double e2 = std::pow(e, 2.0);
  const double one_minus_e2 = 1.0 - e2;
  const double root = std::sqrt(one_minus_e2);
  const double quotient = tan_beta / root;
  double phi = std::atan(quotient);
  // atan gives the principal value in [-pi/2, pi/2]; these shifts put the
  // result back into beta's quadrant.  A NaN beta fails both comparisons.
  if (kHalfPi < beta) {
    phi = phi + kPi;
  }
  if (kThreeHalvesPi < beta) {
    phi = phi + kPi;
  }
  return phi;
}

}  // namespace MeridionalDistance
