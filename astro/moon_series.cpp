// The Moon's geocentric ecliptic place and distance: the short periodic
// series for 1950-2060 and the perturbed Kepler orbit for other dates.
#include "astro/astro_constants.h"
#include "astro/moon.h"

#include "astro/clamped_math.h"
#include "astro/moon_series_tables.h"
#include "astro/trig.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr double kEarthEquatorialRadiusKm = 6378.14;

// Number of leading table rows a precision level uses: level 2 about half
// the rows, level 3 the four largest in longitude (three in latitude), any
// other level all of them.
size_t TermCount(int32_t level, size_t all, size_t medium, size_t coarse)
{
    if (level == 2)
        return medium;
    if (level == 3)
        return coarse;
    return all;
}

template <size_t N>
double SineTerms(const std::array<MoonSeriesTerm, N>& table, size_t count, double t)
{
    double sum = 0.0;
    for (size_t i = 0; i < count && i < N; ++i)
        sum += table[i].amplitude * SinDeg(table[i].phase + table[i].rate * t);
    return sum;
}

// Eccentric anomaly of the Kepler equation E - e sin E = M by Newton's
// method from E = M; the residual is under 1e-6 radian after a few steps
// for the Moon's small eccentricity, and 41 steps bound the loop.
double EccentricAnomaly(double meanAnomalyRad, double e)
{
    double E = meanAnomalyRad;
    for (int step = 0; step < 41; ++step) {
        const double residual = E - e * SinDeg(E * kDegreesPerRadian) - meanAnomalyRad;
        if (std::fabs(residual) < 1e-6)
            break;
        E -= residual / (1.0 - e * CosDeg(E * kDegreesPerRadian));
    }
    return E;
}

} // namespace

double MoonLongitudeSeries(double t, int32_t level)
{
    // Mean anomaly with its long-period perturbations.
    const double a = 338.915 + 4771.9886 * t + 0.004 * SinDeg(93.8 - 1.33 * t) +
                     0.002 * SinDeg(248.6 - 19.34 * t) + 0.0006 * SinDeg(66.0 + 0.2 * t) +
                     0.0006 * SinDeg(249.0 - 19.3 * t);
    const size_t count = TermCount(level, MoonLongitudeTable.size(), 19, 4);
    // Mean longitude, equation of the centre, then the periodic terms.
    return 124.8754 + 4812.67881 * t + 6.2887 * SinDeg(a) + SineTerms(MoonLongitudeTable, count, t);
}

double MoonLatitudeSeries(double t, int32_t level)
{
    // Argument of latitude with its long-period perturbations.
    const double a = 236.231 + 4832.0202 * t + 0.0267 * SinDeg(68.64 - 19.341 * t) +
                     0.0043 * SinDeg(342.0 - 19.36 * t) + 0.004 * SinDeg(93.8 - 1.33 * t) +
                     0.002 * SinDeg(248.6 - 19.34 * t) + 0.0005 * SinDeg(358.0 - 19.4 * t);
    const size_t count = TermCount(level, MoonLatitudeTable.size(), 14, 3);
    return 5.1282 * SinDeg(a) + SineTerms(MoonLatitudeTable, count, t);
}

void MoonSeries(MoonRecord& moon, double t, int32_t level)
{
    moon.eclipticLongitude = NormalizeDegrees(MoonLongitudeSeries(t, level));
    moon.eclipticLatitude = MoonLatitudeSeries(t, level);
    double parallax = 0.9507;
    for (const MoonSeriesTerm& term : MoonParallaxTable)
        parallax += term.amplitude * CosDeg(term.phase + term.rate * t);
    moon.parallax = parallax;
    moon.geoDistance = kEarthEquatorialRadiusKm / SinDeg(parallax);
}

void MoonKeplerModel(double jd, MoonRecord& moon)
{
    constexpr double e = 0.05490897;
    constexpr double inclination = 5.144433;
    const double T = (jd - 2378496.0) / kDaysPerJulianCentury;
    const double T2 = T * T;
    const double T3 = T2 * T;

    // Longitudes of perigee and node, and the mean longitude with its five
    // largest periodic terms.
    const double perigee = 225.397325 + 4069.053805 * T - 0.0102869 * T2 - 0.0000122222 * T3;
    const double node = 33.272936 - 1934.144694 * T + 0.00208028 * T2 + 0.00000208333 * T3;
    const double a1 = 1.2949 + 413335.4078 * T - 0.0072201 * T2 - 0.0000072305 * T3;
    const double a2 = 111.6209 + 890534.2514 * T + 0.0069838 * T2 + 0.0000069778 * T3;
    const double a3 = 180.40885 + 35999.0552 * T - 0.0001988 * T2;
    const double a4 = 0.88605 + 377336.3526 * T - 0.0070213 * T2 - 0.0000072305 * T3;
    const double a5 = 111.21205 + 854535.1962 * T + 0.0071826 * T2 + 0.0000069778 * T3;
    const double a6 = 169.1706 + 407332.2103 * T + 0.0053354 * T2 + 0.0000053292 * T3;
    const double meanLongitude = 335.723436 + 481267.887361 * T + 0.00338888 * T2 +
                                 0.00000183333 * T3 + 1.2408 * SinDeg(a1) + 0.5958 * SinDeg(a2) +
                                 0.1828 * SinDeg(a3) + 0.055 * SinDeg(a4) + 0.0431 * SinDeg(a5);

    const double meanAnomaly = (meanLongitude - perigee) * kRadiansPerDegree;
    const double E = EccentricAnomaly(meanAnomaly, e);
    double v = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(E / 2.0)) *
               kDegreesPerRadian;
    if (v < 0.0)
        v += 360.0;

    // From the orbit plane to the ecliptic: x is the longitude counted from
    // the node (atan2 keeps the quadrant of the argument of latitude).
    const double u = v + perigee - node;
    const double x =
        std::atan2(SinDeg(u) * CosDeg(inclination), CosDeg(u)) * kDegreesPerRadian;
    const double tanInclination = SinDeg(inclination) / CosDeg(inclination);
    moon.eclipticLongitude = NormalizeDegrees(x + node);
    moon.eclipticLatitude =
        std::atan(tanInclination * SinDeg(x)) * kDegreesPerRadian + 0.1453 * SinDeg(a6);
    moon.geoDistance = 384354.247216971 * (1.0 - e * e) / (1.0 + e * CosDeg(v));
}
