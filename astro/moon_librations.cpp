// Optical librations of the Moon and the position angle of its axis.
#include "astro/moon.h"

#include "astro/clamped_math.h"
#include "astro/trig.h"

#include <cmath>

void MoonPhysicalEphemeris(const AstroTime& t, MoonRecord& moon, double geoRaDate)
{
    // Inclination I of the mean lunar equator to the ecliptic (1.54242 deg).
    constexpr double cosI = 0.99963767;
    constexpr double sinI = 0.026917056;
    const double T = t.centuriesSinceJ2000;
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double T4 = T3 * T;

    // Mean ascending node of the orbit and the Moon's argument of latitude.
    const double node =
        125.044555 - 1934.1361849 * T + 0.0020762 * T2 + T3 / 467410.0 - T4 / 60616000.0;
    const double F =
        93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000.0 + T4 / 863310000.0;
    const double lambda = moon.eclipticLongitude;
    const double beta = moon.eclipticLatitude;
    const double W = lambda - node;
    const double sinW = SinDeg(W);
    const double cosW = CosDeg(W);
    const double sinBeta = SinDeg(beta);
    const double cosBeta = CosDeg(beta);

    // Selenographic longitude and latitude of the Earth.
    const double A =
        std::atan2(sinW * cosBeta * cosI - sinBeta * sinI, cosW * cosBeta) * kDegreesPerRadian;
    moon.librationLongitude = NormalizeLatitude(A - F);
    moon.librationLatitude = NormalizeLatitude(AsinDeg(-sinW * cosBeta * sinI - sinBeta * cosI));

    // Position angle of the axis, over the cosine of the Moon's ecliptic
    // latitude.
    const double X = sinI * SinDeg(node);
    const double Y = sinI * CosDeg(node) * t.cosObliquity - cosI * t.sinObliquity;
    const double omega = std::atan2(X, Y) * kDegreesPerRadian;
    moon.axisPositionAngle = NormalizeDegrees(
        AsinDeg(ClampedSqrt(X * X + Y * Y) * CosDeg(geoRaDate - omega) / cosBeta));
}
