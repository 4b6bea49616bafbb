// The long-range planetary model against ERFA's eraPlan94 (Simon et al.
// 1994, meant for 1000-3000; the grids of the model were fitted to VSOP87,
// so this oracle is independent of the fit) and libnova's Pluto. The model
// takes Julian days as UT, its mean longitudes carrying the secular delta T,
// so the oracles get TT = UT + dT with the parabola of Morrison and
// Stephenson (2004), dT = -20 + 32 u^2 seconds, u = (year - 1820) / 100.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/kepler.h"
#include "astro/orbit_curves.h"
#include "astro/planet_elements.h"
#include "astro/sun.h"
#include "astro/vector_math.h"

#include <erfa.h>
#include <libnova/pluto.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

const ObserverLocation kGreenwich{51.477, 0.0, 50.0};

double TerrestrialTime(double jdUt)
{
    const double u = ((jdUt - 2451545.0) / 365.25 + 2000.0 - 1820.0) / 100.0;
    return jdUt + (-20.0 + 32.0 * u * u) / 86400.0;
}

AstroTime TimeAt(double jd)
{
    AstroTime t;
    AstroTimeFromJulianDay(jd, 0.0, kGreenwich, t);
    return t;
}

// Heliocentric J2000 equatorial unit vector of a place on the ecliptic of date.
void EquatorialJ2000(const AstroTime& t, const double ecliptic[2], double v[3])
{
    double toEquator[9];
    RotationX(-t.obliquity, toEquator);
    double w[3];
    VectorFromSpherical(ecliptic, w);
    MatrixTimesVector(w, toEquator, w);
    MatrixTimesVector(w, t.precessionToJ2000, v);
}

double AngleDegrees(const double a[3], const double b[3])
{
    double ca[3], cb[3];
    for (int i = 0; i < 3; ++i) {
        ca[i] = a[i];
        cb[i] = b[i];
    }
    return eraSepp(ca, cb) * 180.0 / M_PI;
}

struct Worst {
    double place = 0.0;      // degrees, heliocentric direction
    double radius = 0.0;     // AU
};

// Worst heliocentric errors of a planet against eraPlan94 over 1000-3000.
Worst WorstAgainstPlan94(int32_t planet, int plan94Number)
{
    Worst worst;
    const double first = JulianDayFromCalendar(1000, 1, 1);
    const double last = JulianDayFromCalendar(3000, 1, 1);
    for (double jd = first; jd < last; jd += 13.7) {
        const AstroTime t = TimeAt(jd);
        double ecliptic[2], r;
        EXPECT_EQ(PlanetByElements(planet, t, ecliptic, r), 1);
        double v[3];
        EquatorialJ2000(t, ecliptic, v);
        double pv[2][3];
        eraPlan94(TerrestrialTime(jd), 0.0, plan94Number, pv);
        worst.place = std::max(worst.place, AngleDegrees(v, pv[0]));
        worst.radius = std::max(worst.radius, std::fabs(r - eraPm(pv[0])));
    }
    return worst;
}

PlanetElements Orbit(double L, double omega, double node, double a, double e, double i)
{
    return PlanetElements{L, omega, node, a, e, i};
}

} // namespace

// Meeus, Astronomical Algorithms, example 30.a: e = 0.1, M = 5 degrees
// gives E = 5.554589 degrees.
TEST(KeplerToEcliptic, SolvesTheTextbookCase)
{
    double ecliptic[2], r;
    EXPECT_EQ(KeplerToEcliptic(Orbit(5.0, 0.0, 0.0, 1.0, 0.1, 0.0), ecliptic, r), 1);
    const double E = 5.554589 * M_PI / 180.0;
    const double trueAnomaly = 2.0 * std::atan(std::sqrt(1.1 / 0.9) * std::tan(E / 2)) * 180.0 / M_PI;
    EXPECT_NEAR(ecliptic[0], trueAnomaly, 0.001);
    EXPECT_NEAR(r, 1.0 - 0.1 * std::cos(E), 1e-5);
    EXPECT_EQ(ecliptic[1], 0.0);
}

TEST(KeplerToEcliptic, TurnsThePlaceByNodePerihelionAndInclination)
{
    double ecliptic[2], r;
    // A circle inclined 10 degrees, a quarter turn past the node at 40.
    KeplerToEcliptic(Orbit(130.0, 0.0, 40.0, 2.0, 0.0, 10.0), ecliptic, r);
    EXPECT_NEAR(ecliptic[1], 10.0, 1e-5);
    EXPECT_NEAR(ecliptic[0], 130.0, 1e-5);
    EXPECT_NEAR(r, 2.0, 1e-9);
    // At the descending node, half a turn on.
    KeplerToEcliptic(Orbit(220.0, 0.0, 40.0, 2.0, 0.0, 10.0), ecliptic, r);
    EXPECT_NEAR(ecliptic[0], -140.0, 1e-5);
    EXPECT_NEAR(ecliptic[1], 0.0, 1e-5);
}

TEST(KeplerToEcliptic, OddEccentricitiesEndWithinTheStepLimit)
{
    double ecliptic[2], r, circle[2], circleR;
    KeplerToEcliptic(Orbit(100.0, 20.0, 30.0, 5.2, 0.0, 1.3), circle, circleR);
    // Negative eccentricity counts as a circle, and the semi-major axis is
    // used as given (5.2, not an angle).
    EXPECT_EQ(KeplerToEcliptic(Orbit(100.0, 20.0, 30.0, 5.2, -0.05, 1.3), ecliptic, r), 1);
    EXPECT_EQ(ecliptic[0], circle[0]);
    EXPECT_NEAR(r, 5.2, 1e-8);   // the table sine's rounding
    // Beyond 1 the eccentricity is held at 0.99; the slow iteration stops.
    KeplerToEcliptic(Orbit(1.0, 0.0, 0.0, 1.0, 7.0, 0.0), ecliptic, r);
    EXPECT_TRUE(std::isfinite(ecliptic[0]) && std::isfinite(r));
    EXPECT_LE(r, 1.99 + 1e-9);
    EXPECT_EQ(KeplerToEcliptic(Orbit(1.0, 0.0, 0.0, 1.0, 0.99, 0.0), ecliptic, r), 0);
    KeplerToEcliptic(Orbit(1.0, 0.0, 0.0, 1.0, std::numeric_limits<double>::quiet_NaN(), 0.0), ecliptic, r);
    EXPECT_TRUE(std::isfinite(ecliptic[0]) && std::isfinite(ecliptic[1]));
}

TEST(PlanetByElements, JupiterAndSaturnFollowPlan94From1000To3000)
{
    const Worst jupiter = WorstAgainstPlan94(3, 5);
    EXPECT_LT(jupiter.place, 0.1);
    EXPECT_LT(jupiter.radius, 0.01);
    const Worst saturn = WorstAgainstPlan94(4, 6);
    EXPECT_LT(saturn.place, 0.15);
    EXPECT_LT(saturn.radius, 0.03);
    RecordProperty("JupiterWorstDegrees", std::to_string(jupiter.place));
    RecordProperty("SaturnWorstDegrees", std::to_string(saturn.place));
}

// Plain mean elements carry no perturbations: these bounds are what such a
// model gives, and catch a wrong coefficient or epoch at once.
TEST(PlanetByElements, TheOtherPlanetsStayNearPlan94From1000To3000)
{
    const std::array<std::array<double, 4>, 5> cases = {{
        // planet, eraPlan94 number, degrees, AU
        {0, 1, 0.05, 0.0005},
        {1, 2, 0.05, 0.0005},
        {2, 4, 0.1, 0.002},
        {5, 7, 1.2, 0.3},
        {6, 8, 1.0, 0.3},
    }};
    for (const auto& c : cases) {
        const Worst worst = WorstAgainstPlan94(static_cast<int32_t>(c[0]), static_cast<int>(c[1]));
        EXPECT_LT(worst.place, c[2]) << "planet " << c[0];
        EXPECT_LT(worst.radius, c[3]) << "planet " << c[0];
    }
}

TEST(PlanetByElements, PlutoFollowsLibnovaWithinHalfADegree)
{
    double worst = 0.0;
    for (double jd = JulianDayFromCalendar(1890, 1, 1); jd < JulianDayFromCalendar(2095, 1, 1); jd += 97.0) {
        const AstroTime t = TimeAt(jd);
        double ecliptic[2], r;
        PlanetByElements(7, t, ecliptic, r);
        double v[3];
        EquatorialJ2000(t, ecliptic, v);
        // libnova's Pluto is heliocentric on the J2000 ecliptic.
        ln_helio_posn pluto;
        ln_get_pluto_helio_coords(TerrestrialTime(jd), &pluto);
        double w[3];
        eraS2c(pluto.L * M_PI / 180.0, pluto.B * M_PI / 180.0, w);
        double rotation[3][3];
        eraIr(rotation);
        eraRx(-23.4392911 * M_PI / 180.0, rotation);
        eraRxp(rotation, w, w);
        worst = std::max(worst, AngleDegrees(v, w));
        EXPECT_NEAR(r, pluto.R, 0.1);
    }
    EXPECT_LT(worst, 0.5);
}

TEST(PlanetByElements, PlanetNumbersOutsideTheTablesFailCleanly)
{
    const AstroTime t = TimeAt(2451545.0);
    double ecliptic[2] = {7.0, 7.0}, r = 7.0;
    for (const int32_t planet : {-3, -1, 8, 100}) {
        EXPECT_EQ(PlanetByElements(planet, t, ecliptic, r), 0);
        EXPECT_EQ(ecliptic[0], 0.0);
        EXPECT_EQ(ecliptic[1], 0.0);
        EXPECT_EQ(r, 0.0);
    }
    PlanetElements el;
    EXPECT_EQ(PlanetElements1900(5, 2451545.0, el), 0);
    EXPECT_EQ(el.semiMajorAxis, 0.0);
    EXPECT_EQ(PlanetElements1900(-1, 2451545.0, el), 0);
    EXPECT_EQ(OuterPlanetElementsJ2000(3, 0.0, el), 0);
    EXPECT_EQ(BodyOrbitElements(-2, t, el), 0);
    EXPECT_EQ(BodyOrbitElements(8, t, el), 0);
}

TEST(PlanetByElements, EveryTenthYearOfTheCalendarGivesFinitePlaces)
{
    for (int32_t year = -29999; year <= 30000; year += 10) {
        const AstroTime t = TimeAt(JulianDayFromCalendar(year, 3, 1));
        for (int32_t planet = 0; planet < 8; ++planet) {
            double ecliptic[2], r;
            ASSERT_EQ(PlanetByElements(planet, t, ecliptic, r), 1);
            ASSERT_TRUE(std::isfinite(ecliptic[0]) && std::isfinite(ecliptic[1])) << year << " " << planet;
            ASSERT_GT(r, 0.2) << year << " " << planet;
            ASSERT_LT(r, 80.0) << year << " " << planet;
        }
        PlanetElements jupiter, saturn;
        BodyOrbitElements(3, t, jupiter);
        BodyOrbitElements(4, t, saturn);
        // Jupiter's eccentricity angle stays within 1.5..3.5 degrees plus
        // its corrections; Saturn's never collapses or explodes.
        ASSERT_GE(jupiter.eccentricity, std::sin((1.5 - 0.03 - 0.128) * M_PI / 180.0)) << year;
        ASSERT_LE(jupiter.eccentricity, std::sin((3.5 + 0.03 + 0.127) * M_PI / 180.0)) << year;
        ASSERT_LT(std::fabs(saturn.eccentricity), 0.1) << year;
    }
}

TEST(InterpolateGrid13, ReadsNodesAndInterpolatesBetweenThem)
{
    std::array<int8_t, 169> grid;
    for (int k = 0; k < 169; ++k)
        grid[k] = static_cast<int8_t>(k % 100 - 50);
    EXPECT_EQ(InterpolateGrid13(0.0, 0.0, grid.data()), -50.0);
    EXPECT_EQ(InterpolateGrid13(360.0, 360.0, grid.data()), grid[168]);
    EXPECT_EQ(InterpolateGrid13(15.0, 0.0, grid.data()), -49.5);
    EXPECT_EQ(InterpolateGrid13(0.0, 15.0, grid.data()), (grid[0] + grid[13]) / 2.0);
    EXPECT_EQ(InterpolateGrid13(360.0, 15.0, grid.data()), (grid[12] + grid[25]) / 2.0);
    EXPECT_EQ(InterpolateGrid13(15.0, 360.0, grid.data()), (grid[156] + grid[157]) / 2.0);
    EXPECT_EQ(InterpolateGrid13(std::numeric_limits<double>::quiet_NaN(), -5.0, grid.data()), -50.0);
}

TEST(OrbitPlaneMatrix, ObliquityIsHeldWithoutAStepBeyondFortyCenturies)
{
    double before[9], after[9], far[9];
    OrbitPlaneMatrix(before, 30.0, 50.0, 10.0, -2000.02);
    OrbitPlaneMatrix(after, 30.0, 50.0, 10.0, -1999.98);
    OrbitPlaneMatrix(far, 30.0, 50.0, 10.0, -20000.0);
    for (int k = 0; k < 9; ++k) {
        EXPECT_NEAR(before[k], after[k], 1e-5) << k;
        EXPECT_EQ(before[k], far[k]) << k;
    }
}

TEST(PlanetOrbitPaths, TheNineCurvesCloseAndCarryTheirPlanets)
{
    const AstroTime t = TimeAt(2415020.5);   // 1900, outside the series span
    std::array<OrbitPath, 9> paths;
    PlanetOrbitPaths(t, paths.data());
    const std::array<int32_t, 9> bodies = {0, 1, kEarthId, 2, 3, 4, 5, 6, 7};
    SunRecord sun;
    SunPosition(t, sun);
    for (size_t n = 0; n < bodies.size(); ++n) {
        const OrbitPath& path = paths[n];
        PlanetElements el;
        BodyOrbitElements(bodies[n], t, el);
        // Closed: the last step is as long as the first.
        double first[3], last[3];
        VectorSubtract(path.points[1], path.points[0], first);
        VectorSubtract(path.points[0], path.points[kOrbitPathPoints - 1], last);
        EXPECT_NEAR(VectorLength(last), VectorLength(first), 0.05 * VectorLength(first)) << n;
        // The body now lies on its curve: near one of its points.
        double place[3];
        if (bodies[n] == kEarthId) {
            for (int i = 0; i < 3; ++i)
                place[i] = sun.earthVector[i];
        } else {
            double ecliptic[2], r;
            PlanetByElements(bodies[n], t, ecliptic, r);
            double v[3];
            EquatorialJ2000(t, ecliptic, v);
            VectorScale(v, r, place);
        }
        double nearest = 1e9;
        for (const auto& point : path.points) {
            double d[3];
            VectorSubtract(point, place, d);
            nearest = std::min(nearest, VectorLength(d));
        }
        // Half a step of 3.75 degrees of eccentric anomaly, plus the Sun
        // model's equation of centre against a pure ellipse for the Earth.
        EXPECT_LT(nearest, el.semiMajorAxis * (1.0 + el.eccentricity) * 0.035) << n;
    }
    // The Earth's curve lies in the ecliptic: every point is 90 degrees from
    // the ecliptic pole of date, seen in J2000 equatorial axes.
    double poleOfDate[3] = {0.0, -std::sin(t.obliquity * M_PI / 180.0), std::cos(t.obliquity * M_PI / 180.0)};
    double pole[3];
    MatrixTimesVector(poleOfDate, t.precessionToJ2000, pole);
    for (const auto& point : paths[2].points) {
        const double along = point[0] * pole[0] + point[1] * pole[1] + point[2] * pole[2];
        EXPECT_NEAR(along, 0.0, 2e-4);
    }
}
