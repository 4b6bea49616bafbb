#include "astro/planet_elements.h"

#include "astro/astro_constants.h"
#include "astro/body_ids.h"
#include "astro/planet_element_tables.h"
#include "astro/trig.h"

#include <algorithm>
#include <cmath>

namespace {

double Cubic(const double* c, double t)
{
    return c[0] + t * (c[1] + t * (c[2] + t * c[3]));
}

double Quadratic(const double* c, double t)
{
    return c[0] + t * (c[1] + t * c[2]);
}

// The argument of perihelion from the longitude of perihelion. Only the
// angles are normalised: a and e are lengths and ratios.
void SetAngles(PlanetElements& el, double meanLongitude, double perihelion, double node, double inclination)
{
    el.meanLongitude = NormalizeDegrees(meanLongitude);
    el.argPerihelion = NormalizeDegrees(perihelion - node);
    el.node = NormalizeDegrees(node);
    el.inclination = NormalizeDegrees(inclination);
}

// The calendar year, truncated, in millennia: the time argument of the
// long-period corrections.
double Millennia(double jd)
{
    return std::trunc((jd - 1721423.5) / 365.244 + 1) / 1000.0;
}

// The two arguments of the grids: about Saturn's mean longitude and the
// Jupiter-Saturn elongation.
void GridArguments(double jd, double& u, double& w)
{
    u = NormalizeDegrees((jd - 1721057.0) * 0.033459 + 86.1);
    w = NormalizeDegrees((jd - 1721057.0) * 0.04963 + 89.1);
}

const int8_t* Grid(int index)
{
    return PerturbationGrids.data() + index * kGridSize;
}

} // namespace

int32_t PlanetElements1900(int32_t planet, double jd, PlanetElements& el)
{
    if (planet < 0 || planet > kSaturn) {
        el = PlanetElements{};
        return 0;
    }
    const double* row = PlanetElements1900Table[planet].data();
    const double T = (jd - 2415021.0) / kDaysPerJulianCentury;
    SetAngles(el, Cubic(row, T), Cubic(row + 4, T), Cubic(row + 8, T), Cubic(row + 12, T));
    el.eccentricity = Cubic(row + 16, T);
    el.semiMajorAxis = row[20];
    return 1;
}

int32_t OuterPlanetElementsJ2000(int32_t outer, double T, PlanetElements& el)
{
    if (outer < 0 || outer > kPluto - kUranus) {
        el = PlanetElements{};
        return 0;
    }
    const double* row = OuterElementsTable[outer].data();
    // The rate of the mean longitude is stored per day.
    const double meanLongitude = row[0] + row[1] * kDaysPerJulianCentury * T + row[2] * T * T;
    SetAngles(el, meanLongitude, Quadratic(row + 3, T), Quadratic(row + 6, T), Quadratic(row + 15, T));
    el.semiMajorAxis = Quadratic(row + 9, T);
    el.eccentricity = Quadratic(row + 12, T);
    return 1;
}

double InterpolateGrid13(double x, double y, const int8_t* grid)
{
    x = std::isnan(x) ? 0.0 : std::clamp(x, 0.0, 360.0);
    y = std::isnan(y) ? 0.0 : std::clamp(y, 0.0, 360.0);
    const int i = static_cast<int>(x / 30);
    const int j = static_cast<int>(y / 30);
    const double fx = x / 30 - i;
    const double fy = y / 30 - j;
    auto g = [grid](int row, int column) { return static_cast<double>(grid[row * 13 + column]); };
    if (i < 12 && j < 12) {
        const double u = g(j, i) + (g(j + 1, i) - g(j, i)) * fy;
        const double w = g(j, i + 1) + (g(j + 1, i + 1) - g(j, i + 1)) * fy;
        return u + (w - u) * fx;
    }
    if (i < 12)
        return g(j, i) + (g(j, i + 1) - g(j, i)) * fx;
    if (j < 12)
        return g(j, i) + (g(j + 1, i) - g(j, i)) * fy;
    return g(j, i);
}

void JupiterPerturbations(const AstroTime& t, PlanetElements& el)
{
    const double jd = t.julianDay;
    const double y = Millennia(jd);
    // The great inequality, a 925-year period.
    const double p1 = SinDeg((y - 0.62) * 360 / 0.925);
    const double p2 = SinDeg((y + 0.1) * 360 / 0.925);
    const double p3 = SinDeg((y + 0.36) * 360 / 0.925);
    double u, w;
    GridArguments(jd, u, w);
    const double g1 = InterpolateGrid13(u, w, Grid(kJupiterFirstGrid));
    const double g2 = InterpolateGrid13(u, w, Grid(kJupiterFirstGrid + 1));
    const double g3 = InterpolateGrid13(u, w, Grid(kJupiterFirstGrid + 2));
    // The eccentricity as the sine of an angle d, which moves slowly.
    const double d = std::clamp(2.58 + 0.1 * y, 1.5, 3.5);

    el.meanLongitude =
        NormalizeDegrees(el.meanLongitude + p1 * (0.42 - 0.075 * y + 0.015 * y * y - 0.003 * y * y * y) + g1 / 1000);
    el.argPerihelion = NormalizeDegrees(el.argPerihelion + (0.02 * p2 + g2 / 1000) / SinDeg(d));
    el.eccentricity = SinDeg(d + 0.03 * p3 + g3 / 1000);
}

void SaturnPerturbations(const AstroTime& t, PlanetElements& el)
{
    const double jd = t.julianDay;
    const double y = Millennia(jd);
    // The great inequality seen from Saturn, a 950-year period.
    const double q1 = SinDeg((y - 0.145) * 360 / 0.95);
    const double q2 = SinDeg((y - 0.54) * 360 / 0.95);
    const double q3 = SinDeg((y - 0.32) * 360 / 0.95);
    const double q4 = SinDeg((y - 0.35) * 360 / 0.95);
    const double c = 0.1 - 0.005 * y;
    double u, w;
    GridArguments(jd, u, w);
    const double g1 = InterpolateGrid13(u, w, Grid(kSaturnFirstGrid));
    const double g2 = InterpolateGrid13(u, w, Grid(kSaturnFirstGrid + 1));
    const double g3 = InterpolateGrid13(u, w, Grid(kSaturnFirstGrid + 2));
    const double g4 = InterpolateGrid13(u, w, Grid(kSaturnFirstGrid + 3));
    const double d = std::max(3.56 - 0.175 * y - 0.005 * y * y, 2.0);

    el.meanLongitude = NormalizeDegrees(el.meanLongitude +
                                        q1 * (0.88 - 0.0633 * y + 0.03 * y * y - 0.0006 * y * y * y) - 0.5 + g1 / 100);
    el.argPerihelion = NormalizeDegrees(el.argPerihelion + (c * q2 - 0.5 + g2 / 100) / SinDeg(d));
    el.eccentricity = SinDeg(d + c * q3 - 0.5 + g3 / 100);
    el.semiMajorAxis = el.semiMajorAxis + q4 * (0.004 - 0.0005 * y) - 0.05 + g4 / 1000;
}

int32_t BodyOrbitElements(int32_t body, const AstroTime& t, PlanetElements& el)
{
    const double jd = t.julianDay;
    if (body == kEarthId) {
        // The Sun's mean elements turned by 180 degrees.
        const double T = (jd - 2415021.0) / kDaysPerJulianCentury;
        el.meanLongitude = NormalizeDegrees(280.6824 + 36000.769325 * T + 0.000722222 * T * T + 180);
        el.argPerihelion =
            NormalizeDegrees(281.2206 + 1.717697 * T + 0.000483333 * T * T + 0.00000277777 * T * T * T + 180);
        el.node = 0.0;
        el.semiMajorAxis = 1.00000129;
        el.eccentricity = 0.0167498 - 0.00004258 * T - 0.000000137 * T * T;
        el.inclination = 0.0;
        return 1;
    }
    if (body >= 0 && body <= kSaturn) {
        PlanetElements1900(body, jd, el);
        if (body == kJupiter)
            JupiterPerturbations(t, el);
        else if (body == kSaturn)
            SaturnPerturbations(t, el);
        return 1;
    }
    if (body >= kUranus && body <= kPluto)
        return OuterPlanetElementsJ2000(body - kUranus, (jd - kJ2000) / kDaysPerJulianCentury, el);
    el = PlanetElements{};
    return 0;
}

int32_t PlanetByElements(int32_t planet, const AstroTime& t, double ecliptic[2], double& r)
{
    PlanetElements el;
    if (planet < 0 || planet > kPluto || !BodyOrbitElements(planet, t, el)) {
        ecliptic[0] = ecliptic[1] = 0.0;
        r = 0.0;
        return 0;
    }
    KeplerToEcliptic(el, ecliptic, r);
    return 1;
}
