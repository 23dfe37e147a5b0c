#pragma once

#include <cstdint>

/**
 * Arc length along an ellipse and the conversion from reduced (eccentric) to
 * geographic latitude.
 *
 * Units: angles in radians; lengths in the unit of the semi-major axis a.
 * Both functions are pure and keep no state.
 */
namespace MeridionalDistance {

/**
 * The length of the arc of the ellipse with semi-major axis a and
 * eccentricity e from geographic latitude 0 (the end of the major axis) to
 * geographic latitude phi.
 *
 * The arc is summed as a series in the third flattening n = (a - b)/(a + b)
 * that stops after the term in n^(2 order).  With order 3 the quarter arc is
 * off by about 2e-12 a at e = 0.5, 3e-7 a at e = 0.866 and 1e-3 a at
 * e = 0.999; a larger order is more exact.  phi may run past pi/2 up to 2 pi: the arc then
 * continues round the ellipse, and phi = 2 pi gives the whole perimeter, four
 * times the quarter up to rounding.  phi is not wrapped.
 *
 * Domain: 0 < e < 1 with 1 - e^2 != 1 in double arithmetic (e above 2^-27,
 * about 7.45e-9), order >= 1.  Outside it:
 *   - e = 0 and any e up to 2^-27 give NaN (n is 0 and the series divides by
 *     it); on the circle the arc is a * phi, which callers use instead;
 *   - order < 1 gives NaN;
 *   - |e| > 1 gives NaN; e = 1 gives a finite value with no meaning;
 *   - a NaN or infinite phi or e, or a NaN a, gives NaN; an infinite a gives
 *     an infinite arc (NaN at phi = 0).
 * Cost: time grows as order^2 and memory as order.
 */
double MeridionalDistance(double phi, double a, double e, int32_t order);

/**
 * The geographic latitude (the angle between the normal and the major axis)
 * of the point of the ellipse with eccentricity e whose reduced latitude, the
 * eccentric anomaly measured at the centre from the major axis, is beta.
 *
 * Domain: 0 <= e < 1, 0 <= beta <= 2 pi.  The result lies in beta's quadrant
 * (shifted by pi for beta in (pi/2, 3pi/2] and by 2 pi beyond), rises with
 * beta and equals beta for e = 0 up to the rounding of tan and atan; near
 * pi/2, pi, 3pi/2 and 2 pi it can miss the exact multiple by a few units in
 * the last place.  Outside the domain: e = 1 gives +-pi/2 (+ the shift), NaN
 * for beta = 0; |e| > 1 gives NaN; beta outside [0, 2 pi] is not wrapped and
 * gets no shift below 0 and at most 2 pi above; a NaN or infinite beta gives
 * NaN.
 */
double ReducedToGeographicLatitude(double beta, double e);

}  // namespace MeridionalDistance
