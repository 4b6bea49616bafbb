#include "astro/sun.h"

#include "astro/astro_constants.h"
#include "astro/clamped_math.h"
#include "astro/coordinates.h"
#include "astro/earth_series.h"
#include "astro/fixed_au.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// One periodic term: amplitude x sin or cos (phase + rate x t), with the
// phase in degrees and the rate in degrees per Julian year.
struct SunTerm {
    double amplitude;
    double phase;
    double rate;
};

// Longitude terms, degrees; the coarsest first.
const std::array<SunTerm, 18> SunLongitudeTable = {{
    {0.02, 353.06, 719.981},
    {-0.0048, 248.64, -19.341},
    {0.002, 285.0, 329.64},
    {0.0018, 334.2, -4452.67},
    {0.0018, 293.7, -0.2},
    {0.0015, 242.4, 450.37},
    {0.0013, 211.1, 225.18},
    {0.0008, 208.0, 659.29},
    {0.0007, 53.5, 90.38},
    {0.0007, 12.1, -30.35},
    {0.0006, 239.1, 337.18},
    {0.0005, 10.1, -1.5},
    {0.0005, 99.1, -22.81},
    {0.0004, 264.8, 315.56},
    {0.0004, 233.8, 299.3},
    {-0.0004, 198.1, 720.02},
    {0.0003, 349.6, 1079.97},
    {0.0003, 241.2, -44.43},
}};

// Terms of log10 of the distance in AU (cosines).
const std::array<SunTerm, 4> SunDistanceTable = {{
    {-0.000091, 353.1, 719.98},
    {0.000013, 205.8, 4452.67},
    {0.000007, 62.0, 450.4},
    {0.000007, 105.0, 329.6},
}};

constexpr double kSolarRadiusKm = 696000.0;

} // namespace

int32_t InSeriesSpan(double jd)
{
    return jd > kSeriesFirstJulianDay && jd < kSeriesLastJulianDay ? 1 : 0;
}

void SunSeries(double t, double ecliptic[2], double& r)
{
    // Mean longitude and the equation of the centre.
    double lambda = 279.0358 + 360.00769 * t + (1.9159 - 0.00005 * t) * SinDeg(356.531 + 359.991 * t);
    for (const SunTerm& term : SunLongitudeTable)
        lambda += term.amplitude * SinDeg(term.phase + term.rate * t);
    ecliptic[0] = NormalizeDegrees(lambda + 0.0057);
    ecliptic[1] = 0.0;

    // log10 R: the elliptic term and the planetary terms.
    double q = 0.00003 + (-0.007261 + 0.0000002 * t) * CosDeg(356.53 + 359.991 * t);
    for (const SunTerm& term : SunDistanceTable)
        q += term.amplitude * CosDeg(term.phase + term.rate * t);
    r = std::pow(10.0, q);
}

void SunKeplerModel(double jd, double ecliptic[2], double& r)
{
    const double T = (jd - 2415021.0) / kDaysPerJulianCentury;
    // Mean longitude and longitude of perigee.
    const double meanLongitude = NormalizeDegrees(280.6824 + 36000.769325 * T + 0.000722222 * T * T);
    const double perigee =
        NormalizeDegrees(281.2206 + 1.717697 * T + 0.000483333 * T * T + 0.00000277777 * T * T * T);
    // The polynomial goes negative far in the future; an eccentricity below
    // 0 would put the perihelion on the wrong side of the equation of centre.
    const double e = std::max(0.0, 0.0167498 - 0.00004258 * T - 0.000000137 * T * T);
    const double M = NormalizeDegrees(meanLongitude - perigee);

    // Equation of the centre.
    const double sinM = SinDeg(M);
    const double c = 1.91946 * sinM + 0.0200939 * SinDeg(2 * M) - 0.00478889 * T * sinM -
                     0.0000144444 * T * T * sinM;

    ecliptic[0] = NormalizeDegrees(meanLongitude + c);
    ecliptic[1] = 0.0;
    const double v = M + c;
    r = 1.00000129 * (1 - e * e) / (1 + e * CosDeg(v));
}

void SunPhysicalEphemeris(const AstroTime& t, double longitude, double& p, double& b0, double& eta,
                          double& l0)
{
    constexpr double kInclination = 7.25;
    const double jd = t.julianDay;
    // Rotation angle of the prime meridian and the node of the solar equator.
    const double theta = (jd - 2398220.0) * 360.0 / 25.38;
    const double T = (jd - 2415020.0) / kDaysPerJulianCentury;
    const double node = 74.3646 + 1.395833 * T;

    // Longitude corrected by the main nutation term.
    const double corrected = longitude - 0.00479 * SinDeg(259.18 - 1934.142 * T);
    const double tanObliquity = SinDeg(t.obliquity) / CosDeg(t.obliquity);
    const double tanInclination = SinDeg(kInclination) / CosDeg(kInclination);

    const double x = std::atan2(-CosDeg(corrected) * tanObliquity, 1.0) * kDegreesPerRadian;
    const double y = std::atan2(-CosDeg(longitude - node) * tanInclination, 1.0) * kDegreesPerRadian;
    p = x + y;
    b0 = AsinDeg(SinDeg(longitude - node) * SinDeg(kInclination));
    eta = std::atan2(-SinDeg(longitude - node) * CosDeg(kInclination), -CosDeg(longitude - node)) *
          kDegreesPerRadian;
    l0 = NormalizeDegrees(eta - theta);
}

void SunPosition(const AstroTime& t, SunRecord& sun)
{
    double ecliptic[2];
    double r;
    if (InSeriesSpan(t.julianDay))
        SunSeries(t.yearsSince1975, ecliptic, r);
    else
        SunKeplerModel(t.julianDay, ecliptic, r);
    const double lambda = ecliptic[0];

    // Ecliptic of date to the equator of date (latitude 0).
    const double sinLambda = SinDeg(lambda);
    double ofDate[2];
    ofDate[0] = NormalizeDegrees(std::atan2(sinLambda * t.cosObliquity, CosDeg(lambda)) *
                                 kDegreesPerRadian);
    ofDate[1] = AsinDeg(sinLambda * t.sinObliquity);
    double j2000[2];
    RotateSpherical(ofDate, j2000, t.precessionToJ2000);

    sun.raJ2000 = j2000[0];
    sun.decJ2000 = j2000[1];
    sun.raDate = ofDate[0];
    sun.decDate = ofDate[1];
    sun.eclipticLongitude = lambda;
    sun.eclipticLatitude = 0.0;
    sun.distance = r;

    SunPhysicalEphemeris(t, lambda, sun.axisPositionAngle, sun.heliographicLatitude, sun.eta,
                         sun.heliographicLongitude);
    sun.semidiameter =
        std::atan2(kSolarRadiusKm / r / kAstronomicalUnitKm, 1.0) * kDegreesPerRadian;
    sun.eclipseMagnitude = -1.0;

    // The Earth seen from the Sun: the opposite direction at distance R.
    VectorFromSpherical(j2000, sun.unitVector);
    FixedFromVector(sun.unitVector, sun.fixedVector);
    VectorScale(sun.unitVector, -r, sun.earthVector);
    VectorToFixedAU(sun.earthVector, sun.earthVectorFixed);
    GeometricEarth(t.julianDay, sun.geometricEarth);
    sun.julianDay = t.julianDay;
}
