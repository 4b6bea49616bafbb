// Orbits of comets and minor planets from their osculating two-body
// elements: the place in the orbit plane at any instant for elliptic,
// parabolic, near-parabolic and hyperbolic orbits, the geocentric place,
// distances and magnitude of a loaded object, and its orbit path for the
// solar-system views.
//
// The solvers use the library sine and cosine, not the table sine: near
// perihelion an error in the anomaly is amplified many times in direction,
// and the table's 2e-6 puts Halley several arcseconds off. The rotation out
// of the orbit plane takes the table's, as every other rotation does.
#pragma once

#include "astro/body_records.h"
#include "astro/time_records.h"

#include <cstdint>

// Gaussian gravitational constant, AU^1.5 per day, and the Sun's
// gravitational parameter k^2, AU^3 per day^2.
constexpr double kGaussK = 0.01720209895;
constexpr double kGaussK2 = 0.00029591220828559115;

// Every orbit and tail iteration stops after this many steps and reports
// failure rather than loop.
constexpr int kOrbitMaxSteps = 50;

// Number of segments of a loaded object's orbit path (161 points).
constexpr int32_t kSmallBodyPathSegments = 160;

// Farthest distance from the Sun at which an orbit path is drawn, AU.
constexpr double kOrbitPathReach = 90.0;

// A place (and velocity) in the orbit plane: x towards the perihelion, y
// ninety degrees ahead in the direction of motion, z always 0.
struct OrbitPlaneState {
    double x, y, z;              // AU
    double vx, vy, vz;           // AU per day (only when asked)
    double r;                    // distance from the Sun, AU (only when asked)
    double trueAnomaly;          // atan2(y, x), radians (only when asked)
};

// Place in the orbit plane at an instant. The solver goes by e: below 0.98
// Kepler's equation; within 1e-6 of 1 Barker's equation (the orbit taken
// as the parabola of its q); otherwise (0.98 <= e, every hyperbola
// included) the near-parabolic series, which is kept only where it holds
// (|A| < 0.1, near perihelion): beyond that the exact equation is solved,
// e sinh H - H = M for e > 1, E - e sin E = M for e < 1.
// Given:    jd            Julian day, TT (the time scale of T)
//           el            elements; T, e and q are used
//           withVelocity  non-zero: also vx, vy, vz, r and the true anomaly
// Returned: s             the place
//           0, or -1 when an iteration did not converge within 50 steps,
//           q is not above 0, an element is not finite, or the result is
//           not finite (s is then unspecified)
int32_t OrbitPosition(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity);

// The three solvers behind OrbitPosition, with its arguments and results;
// each expects the elements OrbitPosition would give it.
int32_t OrbitElliptic(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity);
int32_t OrbitParabolic(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity);
int32_t OrbitNearParabolic(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity);

// Rotation from the orbit plane to the mean equator of the elements'
// equinox: the argument of perihelion, node and inclination on the mean
// ecliptic of that equinox, turned by that equinox's own mean obliquity
// (OrbitPlaneMatrix's differs from it by 6", which would move Eros half an
// arcminute at its 1975 approach). Table sines and cosines.
// Given:    el     elements; omega, node, inclination and the equinox year
// Returned: m      row-major 3x3; its third column is 0
void SmallBodyPlaneMatrix(const OrbitalElements& el, double m[9]);

// Julian day of 0 January of the elements' equinox year: the epoch of the
// equator their orbit plane is referred to (JD 2451543.5 for 2000.0).
double EquinoxEpoch(const OrbitalElements& el);

// Where a comet or minor planet was when the light seen from the Earth at
// jd left it. The element times are Terrestrial Time, so jd is first
// converted to TT (DeltaT); then two passes of the light time distance / c.
// Given:    jd             Julian day (UT)
//           el             elements
//           earth          the Earth's geometric heliocentric vector, AU,
//                          on the mean equator of referenceEpoch
//           referenceEpoch Julian day of the equator of `earth` and `helio`
// Returned: emitted        Julian day (TT) at which the light left the body
//           helio          the body's heliocentric vector then, AU
//           1, or 0 when the orbit cannot be solved
int32_t SmallBodyLightTimePlace(double jd, const OrbitalElements& el, const double earth[3], double referenceEpoch,
                                double& emitted, double helio[3]);

// Geocentric place, distances and magnitude of a comet or minor planet,
// where it was when the light seen at jd left it (SmallBodyLightTimePlace).
// Given:    jd             Julian day (UT)
//           el             elements
//           earth          the Earth's geometric heliocentric vector, AU,
//                          on the mean equator of referenceEpoch (no
//                          nutation: the body's vector has none either)
//           sunDistance    Sun-Earth distance R, AU
//           referenceEpoch Julian day of the equator of `earth` and of the
//                          results below (2451545.0 for J2000)
// Returned: rec            raReference in [0, 360) and decReference (on
//                          the reference equator), raDate and decDate (on the
//                          equator of jd), helioVector, helioDistance r,
//                          distance delta, unitVector, fixedVector and
//                          magnitude in tenths (H + 5 log delta + K log r,
//                          plus 0.023 x phase angle for a minor planet,
//                          rounded half up), all at the light's departure;
//                          kind, julianDay and the orbit path are left alone
//           1, or 0 when the orbit cannot be solved (rec then unchanged)
int32_t SmallBodyPosition(double jd, const OrbitalElements& el, const double earth[3], double sunDistance,
                          double referenceEpoch, SmallBodyRecord& rec);

// SmallBodyPosition for the scene's instant, J2000, with the geometric
// Earth of the scene's Sun record; on success the record's day is the
// scene's.
// Returned: 1, or 0 when the orbit cannot be solved
int32_t UpdateSmallBody(const AstroTime& t, const SunRecord& sun, const OrbitalElements& el, SmallBodyRecord& rec);

// The orbit path of a loaded object for the solar-system views: the whole
// ellipse when its aphelion lies within 90 AU, otherwise the arc through
// perihelion between the two points at 90 AU (points crowding towards
// perihelion); parabolas and hyperbolas likewise out to 90 AU.
// Given:    el     elements
//           n      number of segments, even and at least 4 (160 for a
//                  loaded object)
// Returned: a new array of n + 1 points, heliocentric, J2000 equatorial,
//           AU, owned by the caller (free with std::free); null when memory
//           runs out, when no part of the orbit lies within 90 AU (q beyond
//           it) or when the elements are not finite
double (*SmallBodyOrbitPath(const OrbitalElements& el, int32_t n))[3];
