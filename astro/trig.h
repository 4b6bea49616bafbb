// Degree trigonometry and angle normalisation.
//
// Angles are degrees throughout the program. Sine and cosine come from a
// table of 901 sines at 0.1-degree steps with linear interpolation: the angle
// is first truncated to 0.0001 degree, and the result is within 2e-6 of the
// true sine. They are deterministic and much cheaper than the library sine,
// which matters because the drawing code calls them hundreds of thousands of
// times per redraw. Inverse functions use full double precision.
#pragma once

#include <cstdint>

constexpr double kPi = 3.141592653589793;
constexpr double kDegreesPerRadian = 180.0 / kPi;
constexpr double kRadiansPerDegree = kPi / 180.0;

// Sine of an angle from the table.
// Given:    angle  degrees, any finite value
// Returned: the sine, within 2e-6; exactly 0, 1, -1 at the quadrant angles;
//           NaN when the angle is NaN or infinite
double SinDeg(double angle);

// Cosine from the table: SinDeg(angle + 90).
// Given:    angle  degrees
// Returned: the cosine (as SinDeg)
double CosDeg(double angle);

// Sine of a whole number of degrees, read straight from the table.
// Given:    angle  whole degrees, any int32
// Returned: the sine, to the table's 1e-9
double SinIntDeg(int32_t angle);

// Cosine of a whole number of degrees from the table.
// Given:    angle  whole degrees, any int32
// Returned: the cosine, to the table's 1e-9
double CosIntDeg(int32_t angle);

// Angle brought into [0, 360).
// Given:    angle  degrees
// Returned: degrees in [0, 360); -0.0 and 360 give 0, -1 gives 359
double NormalizeDegrees(double angle);

// Latitude brought into [-90, +90]: the angle in (-180, 180], then clamped,
// so 100 becomes 90 (not 80).
// Given:    angle  degrees
// Returned: degrees in [-90, 90]
double NormalizeLatitude(double angle);

// Whole degrees brought into 0..359.
// Given:    angle  whole degrees, any int32
// Returned: whole degrees in 0..359
int32_t NormalizeIntDegrees(int32_t angle);

// Hours brought into [0, 24).
// Given:    hours  hours (of right ascension or of the day)
// Returned: hours in [0, 24)
double NormalizeHours(double hours);

// Two-argument arc tangent that is 0 at the origin whatever the zero signs.
// Given:    y, x   any values
// Returned: radians in [-pi, pi]; 0 when both are exactly 0
double Atan2Safe(double y, double x);
