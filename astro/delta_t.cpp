#include "astro/delta_t.h"

#include "astro/astro_constants.h"

#include <array>
#include <cmath>

namespace {

// One span of years: Delta T = sum of c[n] u^n with u = (y - origin) / scale
// for y below `until`.
struct DeltaTSpan {
    double until;
    double origin;
    double scale;
    std::array<double, 8> c;
};

// Espenak and Meeus's spans, in their order; the span 2050-2150 written
// out as a polynomial in u = (y - 1820) / 100:
// -20 + 32 u^2 - 0.5628 (2150 - y) = -205.724 + 56.28 u + 32 u^2.
const std::array<DeltaTSpan, 14> kDeltaTSpans = {{
    {-500.0, 1820.0, 100.0, {-20.0, 0.0, 32.0}},
    {500.0, 0.0, 100.0, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}},
    {1600.0, 1000.0, 100.0, {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}},
    {1700.0, 1600.0, 1.0, {120.0, -0.9808, -0.01532, 1.0 / 7129.0}},
    {1800.0, 1700.0, 1.0, {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0}},
    {1860.0, 1800.0, 1.0,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875}},
    {1900.0, 1860.0, 1.0, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0}},
    {1920.0, 1900.0, 1.0, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1941.0, 1920.0, 1.0, {21.20, 0.84493, -0.076100, 0.0020936}},
    {1961.0, 1950.0, 1.0, {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0}},
    {1986.0, 1975.0, 1.0, {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0}},
    {2005.0, 2000.0, 1.0, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
    {2050.0, 2000.0, 1.0, {62.92, 0.32217, 0.005589}},
    {2150.0, 1820.0, 100.0, {-205.724, 56.28, 32.0}},
}};

// Beyond 2150, as before -500: the long-term parabola.
const DeltaTSpan kLongTerm = kDeltaTSpans[0];

constexpr double kSecondsPerDay = 86400.0;
constexpr double kDaysPerYear = 365.25;

} // namespace

double DeltaT(double jd)
{
    const double y = 2000.0 + (jd - kJ2000) / kDaysPerYear;
    const DeltaTSpan* span = &kLongTerm;
    for (const DeltaTSpan& s : kDeltaTSpans) {
        if (y < s.until) {
            span = &s;
            break;
        }
    }
    const double u = (y - span->origin) / span->scale;
    double sum = 0.0;
    for (auto c = span->c.rbegin(); c != span->c.rend(); ++c)
        sum = sum * u + *c;
    return sum;
}

double TerrestrialTimeFromUT(double jd)
{
    return jd + DeltaT(jd) / kSecondsPerDay;
}
