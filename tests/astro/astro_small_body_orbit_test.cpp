// Comet and minor-planet orbits against the universal-variable two-body
// oracle (tests/astro/astro_small_body_oracle.h) with ERFA's Earth and rotations:
// every record of both element files at perihelion, a month and a year
// either side, and on 2026-12-06; the eccentricities where the solvers
// change hands; the geocentric place with light time and magnitude; a
// published close approach. (Places and rise/set times through the whole
// chain are compared with PyEphem in astro_small_body_places_test.cpp.)
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/precession.h"
#include "astro/small_body_orbit.h"
#include "astro/sun.h"
#include "astro/vector_math.h"
#include "tests/astro/astro_small_body_oracle.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kDirectionTolerance = 1.0;    // arcseconds, in the orbit plane
constexpr double kRadiusTolerance = 2e-5;      // relative
constexpr double kPlaceTolerance = 2.0;        // arcseconds x max(1, r / delta)
constexpr double kMagnitudeTolerance = 0.06;
constexpr double kDecember2026 = 2461380.5;    // 2026-12-06 0h
constexpr double kJ2000 = 2451545.0;

const std::vector<OrbitalElements>& Comets()
{
    static const std::vector<OrbitalElements> records = oracle::ReadElementFile("comet.elm");
    return records;
}

const std::vector<OrbitalElements>& MinorPlanets()
{
    static const std::vector<OrbitalElements> records = oracle::ReadElementFile("mp.elm");
    return records;
}

const OrbitalElements& Named(const std::vector<OrbitalElements>& records, const char* secondName)
{
    for (const OrbitalElements& el : records)
        if (std::strncmp(el.secondName, secondName, std::strlen(secondName)) == 0 &&
            el.secondName[std::strlen(secondName)] == ' ')
            return el;
    static OrbitalElements none{};
    ADD_FAILURE() << secondName << " is not in the file";
    return none;
}

std::string Label(const OrbitalElements& el, double jd)
{
    return std::string(el.secondName) + " at JD " + std::to_string(jd);
}

// The worst error over many comparisons, with where it happened.
struct Worst {
    double value = 0.0;
    std::string where;
    void Note(double v, const std::string& w)
    {
        if (!(v <= value)) {
            value = v;
            where = w;
        }
    }
};

// Our orbit-plane place against the oracle's for the conic of the
// elements' q and the eccentricity `conic` (the elements' own unless
// given); skipped beyond 90 AU, where no chart shows an object. Returns
// false when the orbit was not solved.
bool CompareInPlane(const OrbitalElements& el, double jd, Worst& direction, Worst& radius,
                    double conic = std::numeric_limits<double>::quiet_NaN())
{
    double ox, oy;
    oracle::TwoBody(el.perihelionDistance, std::isnan(conic) ? el.eccentricity : conic, jd - el.perihelionTime, ox,
                    oy);
    const double r = std::hypot(ox, oy);
    if (r >= kOrbitPathReach)
        return true;
    OrbitPlaneState s;
    if (OrbitPosition(jd, el, s, 1) != 0)
        return false;
    const double angle = std::atan2(ox * s.y - oy * s.x, ox * s.x + oy * s.y) / oracle::kDeg * 3600.0;
    direction.Note(std::fabs(angle), Label(el, jd));
    radius.Note(std::fabs(s.r - r) / r, Label(el, jd));
    return true;
}

void ExpectEveryRecordInPlane(const std::vector<OrbitalElements>& records)
{
    Worst direction, radius;
    int unsolved = 0;
    for (const OrbitalElements& el : records) {
        const double T = el.perihelionTime;
        for (double jd : {T, T - 30.0, T + 30.0, T - 365.25, T + 365.25, kDecember2026})
            unsolved += CompareInPlane(el, jd, direction, radius) ? 0 : 1;
    }
    EXPECT_EQ(unsolved, 0);
    EXPECT_LT(direction.value, kDirectionTolerance) << direction.where;
    EXPECT_LT(radius.value, kRadiusTolerance) << radius.where;
    std::printf("worst: %.3g arcsec (%s), r %.3g (%s)\n", direction.value, direction.where.c_str(), radius.value,
                radius.where.c_str());
}

TEST(OrbitPosition, EveryCometMatchesTheTwoBodyOracle)
{
    ASSERT_GT(Comets().size(), 1000u);
    ExpectEveryRecordInPlane(Comets());
}

TEST(OrbitPosition, EveryMinorPlanetMatchesTheTwoBodyOracle)
{
    ASSERT_GT(MinorPlanets().size(), 7000u);
    ExpectEveryRecordInPlane(MinorPlanets());
}

OrbitalElements Synthetic(double q, double e)
{
    OrbitalElements el{};
    el.kind = 'C';
    std::snprintf(el.secondName, sizeof el.secondName, "e=%.7f", e);
    el.perihelionTime = kJ2000;
    el.perihelionDistance = q;
    el.eccentricity = e;
    el.argumentOfPerihelion = 30.0;
    el.node = 60.0;
    el.inclination = 20.0;
    el.equinoxYear = 2000.0;
    el.h = 6.0;
    el.k = 10.0;
    return el;
}

// Each side of every hand-over between the solvers, near perihelion and far
// out, with sungrazing, ordinary and distant perihelia. Within 1e-6 of e = 1
// an orbit is solved as the parabola of its q, whatever its own conic: a
// sungrazer's lies arcseconds off that parabola a year from perihelion.
TEST(OrbitPosition, HandOversBetweenSolversAgreeWithTheOracle)
{
    Worst direction, radius;
    for (double e : {0.0, 0.5, 0.5999, 0.6, 0.9799, 0.98, 0.99, 0.999998, 0.9999995, 1.0, 1.0000005,
                     1.000002, 1.001, 1.02, 1.5, 3.36})
        for (double q : {0.005, 1.0, 30.0})
            for (double dt : {0.0, 0.3, -2.0, 10.0, -30.0, 30.0, -365.25, 365.25, 5000.0, -40000.0}) {
                const OrbitalElements el = Synthetic(q, e);
                const double conic = std::fabs(e - 1.0) <= 1e-6 ? 1.0 : e;
                EXPECT_TRUE(CompareInPlane(el, kJ2000 + dt, direction, radius, conic)) << Label(el, kJ2000 + dt);
            }
    EXPECT_LT(direction.value, kDirectionTolerance) << direction.where;
    EXPECT_LT(radius.value, kRadiusTolerance) << radius.where;
}

// The solver each eccentricity is handed to.
TEST(OrbitPosition, SolverGoesByEccentricity)
{
    using Solver = int32_t (*)(double, const OrbitalElements&, OrbitPlaneState&, int32_t);
    struct Row {
        double e;
        Solver solver;
    };
    for (const Row& row : {Row{0.9799, OrbitElliptic}, Row{0.98, OrbitNearParabolic}, Row{0.999998, OrbitNearParabolic},
                           Row{0.9999995, OrbitParabolic}, Row{1.0, OrbitParabolic}, Row{1.0000005, OrbitParabolic},
                           Row{1.000002, OrbitNearParabolic}}) {
        const OrbitalElements el = Synthetic(0.005, row.e);
        OrbitPlaneState chosen, expected;
        ASSERT_EQ(OrbitPosition(kJ2000 - 365.25, el, chosen, 1), 0) << row.e;
        ASSERT_EQ(row.solver(kJ2000 - 365.25, el, expected, 1), 0) << row.e;
        EXPECT_EQ(chosen.x, expected.x) << row.e;
        EXPECT_EQ(chosen.y, expected.y) << row.e;
        EXPECT_EQ(chosen.vx, expected.vx) << row.e;
    }
}

// The velocity the tails start from, against the oracle's central
// difference.
TEST(OrbitPosition, VelocityIsTheRateOfThePlace)
{
    const double h = 1e-3;
    for (const char* name : {"1P", "C/1995 O1", "2P", "C/2019 Q4", "C/2020 F3"}) {
        const OrbitalElements& el = Named(Comets(), name);
        for (double dt : {-30.0, 0.0, 30.0, 365.25}) {
            const double jd = el.perihelionTime + dt;
            OrbitPlaneState s;
            ASSERT_EQ(OrbitPosition(jd, el, s, 1), 0) << name;
            double x0, y0, x1, y1;
            oracle::TwoBody(el.perihelionDistance, el.eccentricity, jd - h - el.perihelionTime, x0, y0);
            oracle::TwoBody(el.perihelionDistance, el.eccentricity, jd + h - el.perihelionTime, x1, y1);
            const double vx = (x1 - x0) / (2 * h), vy = (y1 - y0) / (2 * h);
            EXPECT_NEAR(s.vx, vx, 1e-6 * std::hypot(vx, vy)) << Label(el, jd);
            EXPECT_NEAR(s.vy, vy, 1e-6 * std::hypot(vx, vy)) << Label(el, jd);
            EXPECT_NEAR(s.trueAnomaly, std::atan2(s.y, s.x), 1e-15);
        }
    }
}

// The hyperbolas' velocity comes from the eccentric anomaly; it must be
// the conic's own at the place: radial sqrt(mu / p) e sin nu and
// transverse sqrt(mu / p) (1 + e cos nu), p = q (1 + e). Near e = 1 (a of
// 10^5 AU), near the Sun and far out, where a central difference of the
// oracle's places loses the digits asked for. The tolerance is the one
// above: far out the near-parabolic series puts the place itself a few
// 1e-6 off the conic.
TEST(OrbitPosition, HyperbolicVelocityIsTheConicsAtThePlace)
{
    Worst worst;
    for (double e : {1.000002, 1.001, 1.5, 3.36})
        for (double q : {0.005, 1.0, 30.0})
            for (double dt : {0.0, 0.3, -2.0, 30.0, -365.25, 5000.0, -40000.0}) {
                const OrbitalElements el = Synthetic(q, e);
                OrbitPlaneState s;
                ASSERT_EQ(OrbitPosition(kJ2000 + dt, el, s, 1), 0) << Label(el, kJ2000 + dt);
                const double nu = s.trueAnomaly, scale = std::sqrt(kGaussK2 / (q * (1.0 + e)));
                const double radial = (s.x * s.vx + s.y * s.vy) / s.r;
                const double across = (s.x * s.vy - s.y * s.vx) / s.r;
                const double speed = std::hypot(s.vx, s.vy);
                const std::string where = Label(el, kJ2000 + dt) + ", q " + std::to_string(q);
                worst.Note(std::fabs(radial - scale * e * std::sin(nu)) / speed, where);
                worst.Note(std::fabs(across - scale * (1.0 + e * std::cos(nu))) / speed, where);
            }
    EXPECT_LT(worst.value, 1e-6) << worst.where;
}

TEST(OrbitPosition, ElementsWithoutAnOrbitFail)
{
    struct Row {
        double q, e, T;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const Row& row : {Row{0.0, 0.5, kJ2000}, Row{-1.0, 1.0, kJ2000}, Row{1.0, -0.1, kJ2000},
                           Row{nan, 0.5, kJ2000}, Row{1.0, inf, kJ2000}, Row{1.0, 0.5, nan}, Row{0.0, 1.0, kJ2000},
                           Row{0.0, 1.2, kJ2000}}) {
        OrbitalElements el = Synthetic(row.q, row.e);
        el.perihelionTime = row.T;
        OrbitPlaneState s;
        EXPECT_EQ(OrbitPosition(kJ2000, el, s, 1), -1) << row.q << " " << row.e;
        SmallBodyRecord rec{};
        const double earth[3] = {1, 0, 0};
        EXPECT_EQ(SmallBodyPosition(kJ2000, el, earth, 1.0, kJ2000, rec), 0);
    }
}

// The direction (RA cos dec, dec) and magnitude our record holds against the
// oracle seen from `earth` at the UT instant jd: the oracle takes the
// element times as TT (by the program's delta T, checked on its own) and
// iterates the light time to the end.
struct PlaceCheck {
    Worst place, magnitude;
    // extraTolerance: arcseconds x R / delta for an Earth off by that much
    // as seen from the Sun; then the distances may be 1e-4 AU off too.
    void Compare(const OrbitalElements& truth, const SmallBodyRecord& rec, const double earth[3],
                 double extraTolerance, double jd)
    {
        double helio[3], geo[3];
        oracle::LightTimePlace(truth, TerrestrialTimeFromUT(jd), earth, helio, geo);
        const double r = eraPm(helio), delta = eraPm(geo), R = eraPm(const_cast<double*>(earth));
        double ra, dec;
        eraC2s(geo, &ra, &dec);
        const double dRa = std::remainder(rec.raReference * oracle::kDeg - ra, 2 * M_PI) * std::cos(dec);
        const double dDec = rec.decReference * oracle::kDeg - dec;
        const double allowed = kPlaceTolerance * std::fmax(1.0, r / delta) + extraTolerance * R / delta;
        const double error = std::fmax(std::fabs(dRa), std::fabs(dDec)) / oracle::kDeg * 3600.0;
        place.Note(error / allowed, Label(truth, jd));

        double m = truth.h + 5 * std::log10(delta) + truth.k * std::log10(r);
        if (truth.kind == 'M') {
            const double cosPhase = (r * r + delta * delta - R * R) / (2 * r * delta);
            m += 0.023 * std::acos(std::fmax(-1.0, std::fmin(1.0, cosPhase))) / oracle::kDeg;
        }
        magnitude.Note(std::fabs(rec.magnitude / 10.0 - m), Label(truth, jd));
        const double earthError = extraTolerance > 0.0 ? 2e-6 : 0.0;
        EXPECT_NEAR(rec.helioDistance, r, 2e-5 * r);
        EXPECT_NEAR(rec.distance, delta, 2e-5 * r + earthError);
    }
    void Expect() const
    {
        EXPECT_LT(place.value, 1.0) << "worst place (share of the allowance) at " << place.where;
        EXPECT_LT(magnitude.value, kMagnitudeTolerance) << magnitude.where;
        std::printf("worst: place %.3g of its allowance (%s), magnitude %.3g (%s)\n", place.value,
                    place.where.c_str(), magnitude.value, magnitude.where.c_str());
    }
};

void ExpectPlacesWithErfaEarth(const std::vector<OrbitalElements>& records)
{
    PlaceCheck check;
    for (const OrbitalElements& el : records) {
        for (double jd : {kDecember2026, el.perihelionTime + 30.0}) {
            double helio[3], earth[3];
            oracle::Heliocentric(el, jd, helio);
            if (eraPm(helio) >= kOrbitPathReach)
                continue;
            oracle::Earth(TerrestrialTimeFromUT(jd), earth);
            SmallBodyRecord rec{};
            ASSERT_EQ(SmallBodyPosition(jd, el, earth, eraPm(earth), kJ2000, rec), 1) << Label(el, jd);
            check.Compare(el, rec, earth, 0.0, jd);
        }
    }
    check.Expect();
}

TEST(SmallBodyPosition, CometsSeenFromErfasEarth)
{
    ExpectPlacesWithErfaEarth(Comets());
}

TEST(SmallBodyPosition, MinorPlanetsSeenFromErfasEarth)
{
    ExpectPlacesWithErfaEarth(MinorPlanets());
}

// The same orbits given on the ecliptic and equinox of 1950 (elements
// turned with ERFA's ecliptic of 1950 January 0) come out at the same place.
OrbitalElements ToEquinox1950(const OrbitalElements& el)
{
    double p[3], q[3], ecliptic[3][3], pe[3], qe[3], w[3];
    oracle::PlaneVectors(el, p, q);
    const double epoch = 2433281.5;   // 1950 January 0.0
    eraEcm06(epoch, 0.0, ecliptic);
    eraRxp(ecliptic, p, pe);
    eraRxp(ecliptic, q, qe);
    eraPxp(pe, qe, w);
    OrbitalElements out = el;
    const double i = std::acos(w[2]);
    const double node = std::atan2(w[0], -w[1]);
    out.inclination = i / oracle::kDeg;
    out.node = node / oracle::kDeg;
    out.argumentOfPerihelion =
        std::atan2(pe[2] / std::sin(i), pe[0] * std::cos(node) + pe[1] * std::sin(node)) / oracle::kDeg;
    out.equinoxYear = 1950.0;
    return out;
}

TEST(SmallBodyPosition, ElementsOfEquinox1950)
{
    PlaceCheck check;
    for (const auto* records : {&Comets(), &MinorPlanets()}) {
        for (size_t n = 0; n < records->size(); n += 7) {
            const OrbitalElements& el = (*records)[n];
            if (el.inclination < 0.01)
                continue;   // no node to turn
            double helio[3], earth[3];
            oracle::Heliocentric(el, kDecember2026, helio);
            if (eraPm(helio) >= kOrbitPathReach)
                continue;
            oracle::Earth(TerrestrialTimeFromUT(kDecember2026), earth);
            SmallBodyRecord rec{};
            ASSERT_EQ(SmallBodyPosition(kDecember2026, ToEquinox1950(el), earth, eraPm(earth), kJ2000, rec), 1);
            check.Compare(el, rec, earth, 0.0, kDecember2026);
        }
    }
    check.Expect();
}

// The Earth of the scene's Sun record (VSOP87B, shortened) is off by up to
// 0.4 arcsecond as seen from the Sun, which moves near objects by that much
// times R / delta.
TEST(UpdateSmallBody, WithTheProgramsSunAndTheDayOfComputation)
{
    PlaceCheck check;
    const ObserverLocation site{35.68, 139.77, 0.0};
    for (double jd : {2450530.0, kDecember2026}) {
        AstroTime t;
        AstroTimeFromJulianDay(jd, 0.0, site, t);
        SunRecord sun{};
        SunPosition(t, sun);
        double earth[3];
        oracle::Earth(TerrestrialTimeFromUT(jd), earth);
        for (const auto* records : {&Comets(), &MinorPlanets()})
            for (size_t n = 0; n < records->size(); n += 5) {
                const OrbitalElements& el = (*records)[n];
                double helio[3];
                oracle::Heliocentric(el, jd, helio);
                if (eraPm(helio) >= kOrbitPathReach)
                    continue;
                SmallBodyRecord rec{};
                ASSERT_EQ(UpdateSmallBody(t, sun, el, rec), 1);
                EXPECT_EQ(rec.julianDay, jd);
                check.Compare(el, rec, earth, 0.4, jd);
            }
    }
    check.Expect();
}

TEST(UpdateSmallBody, HaleBoppNearestEarthOn1997March22)
{
    const OrbitalElements& haleBopp = Named(Comets(), "C/1995 O1");
    double nearest = 1e9, when = 0.0;
    for (double jd = 2450510.5; jd < 2450550.5; jd += 0.05) {
        AstroTime t;
        AstroTimeFromJulianDay(jd, 0.0, ObserverLocation{0, 0, 0}, t);
        SunRecord sun{};
        SunPosition(t, sun);
        SmallBodyRecord rec{};
        ASSERT_EQ(UpdateSmallBody(t, sun, haleBopp, rec), 1);
        if (rec.distance < nearest) {
            nearest = rec.distance;
            when = jd;
        }
    }
    EXPECT_NEAR(nearest, 1.315, 0.01);
    EXPECT_NEAR(when, 2450530.0, 1.0);   // 1997 March 22.5
    std::printf("nearest %.4f AU at JD %.2f\n", nearest, when);
}

// The place of date is the J2000 place precessed to the instant (the
// program's IAU 1976 precession is within an arcsecond of ERFA's).
TEST(SmallBodyPosition, PlaceOfDateIsPrecessed)
{
    const OrbitalElements& ceres = Named(MinorPlanets(), "1");
    double earth[3];
    oracle::Earth(kDecember2026, earth);
    SmallBodyRecord rec{};
    ASSERT_EQ(SmallBodyPosition(kDecember2026, ceres, earth, eraPm(earth), kJ2000, rec), 1);
    double pm[3][3], j2000[3], ofDate[3], ra, dec;
    eraPmat76(kDecember2026, 0.0, pm);
    eraS2c(rec.raReference * oracle::kDeg, rec.decReference * oracle::kDeg, j2000);
    eraRxp(pm, j2000, ofDate);
    eraC2s(ofDate, &ra, &dec);
    EXPECT_NEAR(std::remainder(rec.raDate * oracle::kDeg - ra, 2 * M_PI) / oracle::kDeg * 3600, 0.0, 0.5);
    EXPECT_NEAR((rec.decDate * oracle::kDeg - dec) / oracle::kDeg * 3600, 0.0, 0.5);
}

// Every point of every path lies on the oracle's conic (its distance from
// the Sun in the orbit plane against the polar equation at the point's own
// true anomaly, and no height above the orbit plane); whole ellipses close,
// arcs end at 90 AU and pass through perihelion at their middle point. The
// sine table's few 1e-6 in the anomaly and in the rotation out of the orbit
// plane allow the points of a whole ellipse (a up to 45 AU) a few 1e-5 AU,
// a hundredth of a pixel in the narrowest solar-system view (2 AU across).
constexpr double kPathTolerance = 5e-6;        // relative
constexpr double kPathPointTolerance = 1e-4;   // AU
void ExpectPathsOnTheirConics(const std::vector<OrbitalElements>& records, int& whole, int& arcs, int& none)
{
    Worst radius, height;
    for (const OrbitalElements& el : records) {
        double (*path)[3] = SmallBodyOrbitPath(el, kSmallBodyPathSegments);
        const double q = el.perihelionDistance, e = el.eccentricity;
        if (path == nullptr) {
            EXPECT_GT(q, kOrbitPathReach) << el.secondName;
            ++none;
            continue;
        }
        // The orbit plane as the program turns it (the frame itself is
        // checked against ERFA by the place tests): its first two columns,
        // not quite orthonormal from the table, so the point's place in the
        // plane is solved from both together.
        double plane[9], precession[9], m[9];
        SmallBodyPlaneMatrix(el, plane);
        PrecessionMatrix(EquinoxEpoch(el), kJ2000, precession);
        MatrixMultiply(precession, plane, m);
        double p[3] = {m[0], m[3], m[6]}, qv[3] = {m[1], m[4], m[7]}, w[3];
        eraPxp(p, qv, w);
        const double pp = eraPdp(p, p), pq = eraPdp(p, qv), qq = eraPdp(qv, qv), det = pp * qq - pq * pq;
        for (int k = 0; k <= kSmallBodyPathSegments; ++k) {
            const double bp = eraPdp(path[k], p), bq = eraPdp(path[k], qv);
            const double x = (qq * bp - pq * bq) / det, y = (pp * bq - pq * bp) / det;
            const double r = eraPm(path[k]);
            // Within 1e-6 of e = 1 the path is drawn as the parabola.
            const double shape = std::fabs(e - 1.0) <= 1e-6 ? 1.0 : e;
            const double conic = q * (1 + shape) / (1 + shape * std::cos(std::atan2(y, x)));
            radius.Note(std::fabs(std::hypot(x, y) - conic), el.secondName);
            height.Note(std::fabs(eraPdp(path[k], w)) / r, el.secondName);
            EXPECT_LE(r, kOrbitPathReach * (1 + kPathTolerance)) << el.secondName;
        }
        const double aphelion = e < 1 ? q * (1 + e) / (1 - e) : 1e300;
        if (aphelion <= kOrbitPathReach) {
            ++whole;
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(path[0][c], path[kSmallBodyPathSegments][c], 1e-9) << el.secondName;
        } else {
            ++arcs;
            EXPECT_NEAR(eraPm(path[0]), kOrbitPathReach, kPathTolerance * kOrbitPathReach) << el.secondName;
            EXPECT_NEAR(eraPm(path[kSmallBodyPathSegments]), kOrbitPathReach, kPathTolerance * kOrbitPathReach)
                << el.secondName;
            EXPECT_NEAR(eraPm(path[kSmallBodyPathSegments / 2]), q, kPathTolerance * q) << el.secondName;
        }
        std::free(path);
    }
    EXPECT_LT(radius.value, kPathPointTolerance) << radius.where;
    EXPECT_LT(height.value, 1e-12) << height.where;
}

TEST(SmallBodyOrbitPath, EveryPathLiesOnItsConic)
{
    int whole = 0, arcs = 0, none = 0;
    ExpectPathsOnTheirConics(Comets(), whole, arcs, none);
    ExpectPathsOnTheirConics(MinorPlanets(), whole, arcs, none);
    EXPECT_GT(whole, 7000);
    EXPECT_GT(arcs, 1000);
    std::printf("%d whole ellipses, %d arcs, %d beyond reach\n", whole, arcs, none);
}

TEST(SmallBodyOrbitPath, ShapesAtTheirThresholds)
{
    struct Row {
        double q, e;
        bool whole;
    };
    // Aphelion exactly 90 AU: whole; the parabolic and hyperbolic shapes
    // either side of e = 1 +- 1e-6; perihelion beyond reach: no path.
    for (const Row& row : {Row{30.0, 0.5, true}, Row{1.0, 0.999999, false}, Row{1.0, 1.0000005, false},
                           Row{1.0, 1.000002, false}, Row{2.0, 3.0, false}}) {
        const OrbitalElements el = Synthetic(row.q, row.e);
        double (*path)[3] = SmallBodyOrbitPath(el, kSmallBodyPathSegments);
        ASSERT_NE(path, nullptr) << row.e;
        const double end = eraPm(path[kSmallBodyPathSegments]);
        const double middle = eraPm(path[kSmallBodyPathSegments / 2]);
        EXPECT_NEAR(end, row.whole ? row.q : kOrbitPathReach, kPathTolerance * end) << row.e;
        EXPECT_NEAR(middle, row.whole ? kOrbitPathReach : row.q, kPathTolerance * middle) << row.e;
        std::free(path);
    }
    EXPECT_EQ(SmallBodyOrbitPath(Synthetic(90.5, 0.2), kSmallBodyPathSegments), nullptr);
    EXPECT_EQ(SmallBodyOrbitPath(Synthetic(95.0, 1.0), kSmallBodyPathSegments), nullptr);
    EXPECT_EQ(SmallBodyOrbitPath(Synthetic(0.0, 0.5), kSmallBodyPathSegments), nullptr);
}

} // namespace
