#include "astro/orbit_curves.h"

#include "astro/astro_constants.h"
#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/clamped_math.h"
#include "astro/planet_elements.h"
#include "astro/precession.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <array>
#include <cmath>

namespace {

// Beyond 40 centuries from J2000 the drifting formula gives way to fixed
// obliquities.
constexpr double kObliquityFormulaCenturies = 40.0;
constexpr double kObliquityLongBefore = 23.83253;
constexpr double kObliquityLongAfter = 23.05253;

// Mean obliquity for the orbit planes, degrees.
double OrbitObliquity(double jd)
{
    const double T = CenturiesSinceJ2000(jd);
    if (T < -kObliquityFormulaCenturies)
        return kObliquityLongBefore;
    if (T > kObliquityFormulaCenturies)
        return kObliquityLongAfter;
    const double t = YearsSince1975(jd);
    return 23.44253 - 0.00013 * t + 0.00256 * CosDeg(249 - 19.3 * t) + 0.00015 * CosDeg(198 + 720 * t);
}

} // namespace

void OrbitEllipsePoints(const PlanetElements& el, double x[97], double y[97])
{
    const double e = HeldEccentricity(el.eccentricity);
    const double a = el.semiMajorAxis;
    const double b = a * ClampedSqrt(1 - e * e);
    // Mirrored about the minor axis through the centre (x = -ae) and about
    // the major axis.
    for (int k = 0; k <= 24; ++k) {
        const double E = 3.75 * k;
        const double px = a * (CosDeg(E) - e);
        const double py = b * SinDeg(E);
        x[k] = px;
        y[k] = py;
        x[48 - k] = -2 * a * e - px;
        y[48 - k] = py;
        x[48 + k] = -2 * a * e - px;
        y[48 + k] = -py;
        x[96 - k] = px;
        y[96 - k] = -py;
    }
}

void OrbitPlaneRotation(double m[9], double sinW, double cosW, double sinN, double cosN, double sinI, double cosI,
                        double sinE, double cosE)
{
    // Orbit plane to the ecliptic (rows p, q, u, w), then the ecliptic to
    // the equator.
    const double p = sinW * cosI * cosN + cosW * sinN;
    const double q = cosW * cosI * cosN - sinW * sinN;
    const double u = sinW * sinI;
    const double w = cosW * sinI;
    m[0] = cosW * cosN - sinW * cosI * sinN;
    m[1] = -sinW * cosN - cosW * cosI * sinN;
    m[2] = 0.0;
    m[3] = p * cosE - u * sinE;
    m[4] = q * cosE - w * sinE;
    m[5] = 0.0;
    m[6] = u * cosE + p * sinE;
    m[7] = w * cosE + q * sinE;
    m[8] = 0.0;
}

void OrbitPlaneMatrix(double m[9], double omega, double node, double inclination, double year)
{
    const double eps = OrbitObliquity(JulianDayFromCalendar(year, 1, 0));
    OrbitPlaneRotation(m, SinDeg(omega), CosDeg(omega), SinDeg(node), CosDeg(node), SinDeg(inclination),
                       CosDeg(inclination), SinDeg(eps), CosDeg(eps));
}

void PlanetOrbitPaths(const AstroTime& t, OrbitPath paths[kOrbitPathCount])
{
    std::array<double, 97> x, y;
    double precession[9];
    PrecessionMatrix(t.julianDay, kJ2000, precession);
    int32_t calendarYear, month;
    double day;
    CalendarFromJulianDay(t.julianDay, calendarYear, month, day);
    const double year = calendarYear + (month - 1) / 12.0 + (day - 1) / 365.2524;

    for (int n = 0; n < kOrbitPathCount; ++n) {
        PlanetElements el;
        BodyOrbitElements(kOrbitPathBodies[n], t, el);
        OrbitEllipsePoints(el, x.data(), y.data());
        double plane[9];
        OrbitPlaneMatrix(plane, el.argPerihelion, el.node, el.inclination, year);
        double toJ2000[9];
        MatrixMultiply(precession, plane, toJ2000);
        for (int k = 0; k < kOrbitPathPoints; ++k) {
            const double point[3] = {x[k], y[k], 0.0};
            MatrixTimesVector(point, toJ2000, paths[n].points[k]);
        }
    }
}
