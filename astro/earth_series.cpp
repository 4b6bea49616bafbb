#include "astro/earth_series.h"

#include "astro/astro_constants.h"
#include "astro/delta_t.h"
#include "astro/earth_series_tables.h"
#include "astro/precession.h"
#include "astro/trig.h"

#include <cmath>

namespace {

constexpr double kDaysPerJulianMillennium = 365250.0;
constexpr int kPowers = 6;
// VSOP87's dynamical equinox lies 0.09033" from that of the FK5 catalogue
// (Bretagnon and Francou 1988), radians.
constexpr double kVsopToFk5 = -0.09033 / 206264.80624709636;

} // namespace

void GeometricEarth(double jd, double earth[3])
{
    const double tau = (TerrestrialTimeFromUT(jd) - kJ2000) / kDaysPerJulianMillennium;
    double sums[3][kPowers] = {};
    for (const EarthSeriesTerm& term : EarthSeriesTable)
        sums[term.coordinate][term.power] += term.amplitude * std::cos(term.phase + term.frequency * tau);
    double lbr[3];
    for (int c = 0; c < 3; ++c) {
        lbr[c] = 0.0;
        for (int p = kPowers - 1; p >= 0; --p)
            lbr[c] = lbr[c] * tau + sums[c][p];
    }
    const double l = lbr[0] + kVsopToFk5, b = lbr[1], r = lbr[2];
    const double ecliptic[3] = {r * std::cos(b) * std::cos(l), r * std::cos(b) * std::sin(l), r * std::sin(b)};
    const double eps = MeanObliquity(kJ2000) * kRadiansPerDegree;
    earth[0] = ecliptic[0];
    earth[1] = ecliptic[1] * std::cos(eps) - ecliptic[2] * std::sin(eps);
    earth[2] = ecliptic[1] * std::sin(eps) + ecliptic[2] * std::cos(eps);
}
