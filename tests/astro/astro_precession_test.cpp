// Precession matrices and coordinate conversion against ERFA and against
// plain double-precision references. Angles in the tolerances are
// arcseconds; the sine table alone accounts for a few tenths of one per
// rotation (angles are truncated to 0.0001 degree = 0.36 arcseconds).
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/coordinates.h"
#include "astro/precession.h"
#include "astro/vector_math.h"

#include <erfa.h>
#include <erfam.h>

#include <array>
#include <cmath>
#include <random>

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kB1950 = 2433282.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kArcsecond = 1.0 / 3600.0;   // degrees
constexpr double kArcsecondRadians = ERFA_DAS2R;

// Great-circle distance between two {longitude, latitude} pairs, arcseconds,
// in full precision.
double SeparationArcsec(const double a[2], const double b[2])
{
    return eraSeps(a[0] * ERFA_DD2R, a[1] * ERFA_DD2R, b[0] * ERFA_DD2R, b[1] * ERFA_DD2R) /
           kArcsecondRadians;
}

// Largest element of |a - b| for a row-major matrix and an ERFA matrix.
double MaxDifference(const double a[9], const double b[3][3])
{
    double worst = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            worst = std::max(worst, std::fabs(a[3 * i + j] - b[i][j]));
    return worst;
}

double MaxDifferenceFromIdentity(const double m[9])
{
    double worst = 0;
    for (int i = 0; i < 9; ++i)
        worst = std::max(worst, std::fabs(m[i] - (i % 4 == 0 ? 1.0 : 0.0)));
    return worst;
}

// Direction of a spherical position (degrees) rotated by an ERFA matrix.
void RotateWithErfa(double r[3][3], const double in[2], double out[2])
{
    double p[3], q[3];
    eraS2c(in[0] * ERFA_DD2R, in[1] * ERFA_DD2R, p);
    eraRxp(r, p, q);
    double lon = 0, lat = 0;
    eraC2s(q, &lon, &lat);
    out[0] = eraAnp(lon) * ERFA_DR2D;
    out[1] = lat * ERFA_DR2D;
}

AstroTime MakeTime(double jd, double latitude, double longitude)
{
    AstroTime t{};
    AstroTimeFromJulianDay(jd, 0, ObserverLocation{latitude, longitude, 0}, t);
    return t;
}

// Random points with |latitude| <= limit, degrees.
std::vector<std::array<double, 2>> RandomPoints(int count, double latitudeLimit, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> lon(0, 360);
    std::uniform_real_distribution<double> sinLat(std::sin(-latitudeLimit * ERFA_DD2R),
                                                  std::sin(latitudeLimit * ERFA_DD2R));
    std::vector<std::array<double, 2>> points;
    for (int i = 0; i < count; ++i)
        points.push_back({lon(random), std::asin(sinLat(random)) * ERFA_DR2D});
    return points;
}

const CoordFrame kAllFrames[] = {kFrameHrz, kFrameEqt, kFrameEqtB1950,
                                 kFrameEqtDate, kFrameEcl, kFrameGal};

} // namespace

TEST(Precession, WithinOneArcsecondOfErfaPmat76UpToThirtyCenturies)
{
    for (double centuries = -30; centuries <= 30; centuries += 0.5) {
        const double jd = kJ2000 + centuries * kDaysPerCentury;
        double erfa[3][3];
        eraPmat76(jd, 0.0, erfa);
        double forward[9], backward[9];
        PrecessionMatrix(kJ2000, jd, forward);
        PrecessionMatrix(jd, kJ2000, backward);
        EXPECT_LT(MaxDifference(forward, erfa), kArcsecondRadians) << centuries;
        double erfaBack[3][3];
        eraTr(erfa, erfaBack);
        EXPECT_LT(MaxDifference(backward, erfaBack), kArcsecondRadians) << centuries;
    }
}

TEST(Precession, EqualEpochsGiveTheIdentity)
{
    double m[9];
    for (double jd : {kJ2000, kB1950, -1e7, 1.2e7}) {
        PrecessionMatrix(jd, jd, m);
        EXPECT_EQ(MaxDifferenceFromIdentity(m), 0.0);
    }
}

TEST(Precession, ThereAndBackIsTheIdentity)
{
    const double epochs[] = {kJ2000,
                             kB1950,
                             kJ2000 - 29.9 * kDaysPerCentury,
                             kJ2000 + 29.9 * kDaysPerCentury,
                             kJ2000 - 45 * kDaysPerCentury,
                             kJ2000 + 50 * kDaysPerCentury,
                             JulianDayFromCalendar(-29999, 1, 1),
                             JulianDayFromCalendar(30000, 12, 31),
                             JulianDayFromCalendar(1582, 10, 15)};
    for (double a : epochs) {
        for (double b : epochs) {
            double there[9], back[9], product[9];
            PrecessionMatrix(a, b, there);
            PrecessionMatrix(b, a, back);
            MatrixMultiply(back, there, product);
            // Each way is one piece (three table rotations, plus three for
            // the rough continuation), or, for more than 30 centuries
            // between two epochs other than J2000, two pieces through J2000.
            const bool twoPieces =
                a != kJ2000 && b != kJ2000 && std::fabs(b - a) > 30 * kDaysPerCentury;
            EXPECT_LT(MaxDifferenceFromIdentity(product), twoPieces ? 6e-6 : 3e-6)
                << a << " -> " << b;
        }
    }
}

TEST(Precession, IsContinuousAcrossTheThirtyCenturySeam)
{
    // Two days apart, the equator moves by about 0.3 arcseconds; across the
    // seam between the IAU angles and the rough continuation it must not jump.
    for (double sign : {-1.0, 1.0}) {
        const double seam = kJ2000 + sign * 30 * kDaysPerCentury;
        double inside[9], outside[9];
        PrecessionMatrix(kJ2000, seam - sign, inside);
        PrecessionMatrix(kJ2000, seam + sign, outside);
        double worst = 0;
        for (int i = 0; i < 9; ++i)
            worst = std::max(worst, std::fabs(inside[i] - outside[i]));
        EXPECT_LT(worst, 2 * kArcsecondRadians) << sign;

        // The same seam seen from the far epoch (the swapped road).
        PrecessionMatrix(seam - sign, kJ2000, inside);
        PrecessionMatrix(seam + sign, kJ2000, outside);
        worst = 0;
        for (int i = 0; i < 9; ++i)
            worst = std::max(worst, std::fabs(inside[i] - outside[i]));
        EXPECT_LT(worst, 2 * kArcsecondRadians) << sign;
    }
}

TEST(Precession, BeyondThirtyCenturiesTurnsAboutTheEclipticPoleAtFiftyArcsecondsAYear)
{
    // Fifty centuries: thirty by the IAU angles, then twenty at 50" a year
    // about the pole of the ecliptic of J2000 + 30 centuries.
    const double edge = kJ2000 + 30 * kDaysPerCentury;
    const double far = kJ2000 + 50 * kDaysPerCentury;
    double toEdge[9], toFar[9], edgeInverse[9], rest[9];
    PrecessionMatrix(kJ2000, edge, toEdge);
    PrecessionMatrix(kJ2000, far, toFar);
    MatrixInverse(toEdge, edgeInverse);
    MatrixMultiply(toFar, edgeInverse, rest);

    const double epsilon = MeanObliquity(edge) * ERFA_DD2R;
    const double pole[3] = {0, -std::sin(epsilon), std::cos(epsilon)};
    double moved[3];
    MatrixTimesVector(pole, rest, moved);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(moved[i], pole[i], 3e-6);

    // A point on that ecliptic gains 20 centuries x 50"/year of longitude.
    const double expectedShift = 2000 * 365.25 / 365.24 * 50 * kArcsecond;
    for (double longitude : {0.0, 75.0, 200.0}) {
        const double l = longitude * ERFA_DD2R;
        const double onEcliptic[3] = {std::cos(l), std::sin(l) * std::cos(epsilon),
                                      std::sin(l) * std::sin(epsilon)};
        double after[3];
        MatrixTimesVector(onEcliptic, rest, after);
        const double eclipticLon =
            std::atan2(after[1] * std::cos(epsilon) + after[2] * std::sin(epsilon), after[0]);
        EXPECT_NEAR(std::remainder(eclipticLon * ERFA_DR2D - longitude, 360), expectedShift,
                    2 * kArcsecond)
            << longitude;
    }
}

TEST(ConvertCoordinates, EquatorOfB1950AndOfDateWithinOneArcsecondOfErfa)
{
    const auto points = RandomPoints(200, 89.5, 11);
    const double dates[] = {JulianDayFromCalendar(1900, 1, 1), JulianDayFromCalendar(2024, 3, 20),
                            JulianDayFromCalendar(-1000, 7, 1), JulianDayFromCalendar(4500, 1, 1)};
    double b1950[3][3];
    eraPmat76(kB1950, 0.0, b1950);
    double b1950Back[3][3];
    eraTr(b1950, b1950Back);
    for (double jd : dates) {
        const AstroTime t = MakeTime(jd, 50, 10);
        double ofDate[3][3], ofDateBack[3][3];
        eraPmat76(jd, 0.0, ofDate);
        eraTr(ofDate, ofDateBack);
        for (const auto& p : points) {
            double ours[2], erfa[2];
            ConvertCoordinates(t, kFrameEqt, p.data(), kFrameEqtB1950, ours);
            RotateWithErfa(b1950, p.data(), erfa);
            EXPECT_LT(SeparationArcsec(ours, erfa), 1.0);
            ConvertCoordinates(t, kFrameEqtB1950, p.data(), kFrameEqt, ours);
            RotateWithErfa(b1950Back, p.data(), erfa);
            EXPECT_LT(SeparationArcsec(ours, erfa), 1.0);
            ConvertCoordinates(t, kFrameEqt, p.data(), kFrameEqtDate, ours);
            RotateWithErfa(ofDate, p.data(), erfa);
            EXPECT_LT(SeparationArcsec(ours, erfa), 1.0) << jd;
            ConvertCoordinates(t, kFrameEqtDate, p.data(), kFrameEqt, ours);
            RotateWithErfa(ofDateBack, p.data(), erfa);
            EXPECT_LT(SeparationArcsec(ours, erfa), 1.0) << jd;
        }
    }
}

TEST(ConvertCoordinates, EclipticOfDateWithinOneArcsecondOfErfa)
{
    const auto points = RandomPoints(200, 89.5, 12);
    for (double jd : {kJ2000, JulianDayFromCalendar(1850, 6, 1), JulianDayFromCalendar(2300, 1, 1)}) {
        const AstroTime t = MakeTime(jd, 0, 0);
        double precession[3][3], toEcliptic[3][3];
        eraPmat76(jd, 0.0, precession);
        eraIr(toEcliptic);
        eraRx(eraObl80(jd, 0.0), toEcliptic);
        eraRxr(toEcliptic, precession, toEcliptic);
        for (const auto& p : points) {
            double ours[2], erfa[2];
            ConvertCoordinates(t, kFrameEqt, p.data(), kFrameEcl, ours);
            RotateWithErfa(toEcliptic, p.data(), erfa);
            EXPECT_LT(SeparationArcsec(ours, erfa), 1.0) << jd;
        }
    }
}

TEST(ConvertCoordinates, GalacticWithinFiftyArcsecondsOfErfaIcrs2g)
{
    const AstroTime t = MakeTime(kJ2000, 0, 0);
    for (const auto& p : RandomPoints(300, 89.9, 13)) {
        double ours[2], erfa[2];
        ConvertCoordinates(t, kFrameEqt, p.data(), kFrameGal, ours);
        eraIcrs2g(p[0] * ERFA_DD2R, p[1] * ERFA_DD2R, &erfa[0], &erfa[1]);
        erfa[0] *= ERFA_DR2D;
        erfa[1] *= ERFA_DR2D;
        EXPECT_LT(SeparationArcsec(ours, erfa), 50.0);

        // And back: the point taken as galactic.
        ConvertCoordinates(t, kFrameGal, p.data(), kFrameEqt, ours);
        eraG2icrs(p[0] * ERFA_DD2R, p[1] * ERFA_DD2R, &erfa[0], &erfa[1]);
        erfa[0] *= ERFA_DR2D;
        erfa[1] *= ERFA_DR2D;
        EXPECT_LT(SeparationArcsec(ours, erfa), 50.0);
    }

    const double pole[2] = {0, 90};
    double j2000[2];
    ConvertCoordinates(t, kFrameGal, pole, kFrameEqt, j2000);
    EXPECT_NEAR(j2000[0], 192.85, 0.01);
    EXPECT_NEAR(j2000[1], 27.13, 0.01);
}

TEST(ConvertCoordinates, HorizontalMatchesADoublePrecisionReference)
{
    // Reference: precession by ERFA, then the hour angle from the record's
    // sidereal time and the textbook altitude and azimuth (from the south
    // point through west).
    const auto points = RandomPoints(200, 89.0, 14);
    for (double latitude : {-80.0, -33.9, 0.0, 35.7, 51.5, 80.0}) {
        for (double jd : {kJ2000 + 0.3, JulianDayFromCalendar(2031, 8, 12.9)}) {
            const AstroTime t = MakeTime(jd, latitude, 139.7);
            double precession[3][3];
            eraPmat76(jd, 0.0, precession);
            const double phi = latitude * ERFA_DD2R;
            for (const auto& p : points) {
                double ofDate[2];
                RotateWithErfa(precession, p.data(), ofDate);
                const double hourAngle = (t.localSiderealTime - ofDate[0]) * ERFA_DD2R;
                const double delta = ofDate[1] * ERFA_DD2R;
                const double altitude = std::asin(std::sin(phi) * std::sin(delta) +
                                                  std::cos(phi) * std::cos(delta) * std::cos(hourAngle));
                const double azimuth =
                    std::atan2(std::cos(delta) * std::sin(hourAngle),
                               std::cos(delta) * std::cos(hourAngle) * std::sin(phi) -
                                   std::sin(delta) * std::cos(phi));
                const double expected[2] = {azimuth * ERFA_DR2D, altitude * ERFA_DR2D};

                double ours[2];
                ConvertCoordinates(t, kFrameEqt, p.data(), kFrameHrz, ours);
                EXPECT_LT(SeparationArcsec(ours, expected), 1.5) << latitude;
                double back[2];
                ConvertCoordinates(t, kFrameHrz, expected, kFrameEqt, back);
                EXPECT_LT(SeparationArcsec(back, p.data()), 1.5) << latitude;
            }
        }
    }
}

TEST(ConvertCoordinates, AzimuthRunsFromSouthThroughWest)
{
    AstroTime t = MakeTime(kJ2000, 0, 0);
    t.localSiderealTime = 0;
    double out[2];
    const double sixHoursEast[2] = {90, 0};
    ConvertCoordinates(t, kFrameEqt, sixHoursEast, kFrameHrz, out);
    EXPECT_NEAR(out[0], 270, 1e-6);
    EXPECT_NEAR(out[1], 0, 1e-6);
    const double sixHoursWest[2] = {270, 0};
    ConvertCoordinates(t, kFrameEqt, sixHoursWest, kFrameHrz, out);
    EXPECT_NEAR(out[0], 90, 1e-6);
    EXPECT_NEAR(out[1], 0, 1e-6);

    // On the meridian south of the zenith: due south, reported as 360.
    t.location.latitude = 45;
    const double onMeridian[2] = {0, 0};
    ConvertCoordinates(t, kFrameEqt, onMeridian, kFrameHrz, out);
    EXPECT_EQ(out[0], 360.0);
    EXPECT_NEAR(out[1], 45, 1e-6);
    const double pole[2] = {123, 90};
    ConvertCoordinates(t, kFrameEqt, pole, kFrameHrz, out);
    EXPECT_NEAR(out[0], 180, 1e-4);
    EXPECT_NEAR(out[1], 45, 1e-6);
}

TEST(ConvertCoordinates, SameFrameCopiesTheInputUnnormalised)
{
    const AstroTime t = MakeTime(kJ2000 + 1000, 40, 20);
    for (CoordFrame frame : kAllFrames) {
        const double in[2] = {-30.5, 95.0};
        double out[2] = {0, 0};
        ConvertCoordinates(t, frame, in, frame, out);
        EXPECT_EQ(out[0], -30.5);
        EXPECT_EQ(out[1], 95.0);
    }
}

TEST(ConvertCoordinates, EveryPairOfFramesRoundTripsWithinTwoArcseconds)
{
    const auto points = RandomPoints(150, 80.0, 15);
    for (double jd : {JulianDayFromCalendar(2024, 6, 1.75), JulianDayFromCalendar(-2500, 1, 1)}) {
        const AstroTime t = MakeTime(jd, 47.4, 8.5);
        for (CoordFrame from : kAllFrames) {
            for (CoordFrame to : kAllFrames) {
                double worst = 0;
                for (const auto& p : points) {
                    double there[2], back[2];
                    ConvertCoordinates(t, from, p.data(), to, there);
                    ConvertCoordinates(t, to, there, from, back);
                    worst = std::max(worst, SeparationArcsec(back, p.data()));
                    EXPECT_GT(there[0], 0.0);
                    EXPECT_LE(there[0], 360.0);
                }
                EXPECT_LT(worst, 2.0) << "frames " << from << " -> " << to << " JD " << jd;
            }
        }
    }
}

TEST(ConvertCoordinates, InputAndOutputMayShareStorage)
{
    const AstroTime t = MakeTime(JulianDayFromCalendar(1995, 10, 3.2), -20, 150);
    for (CoordFrame to : kAllFrames) {
        double separate[2];
        double shared[2] = {83.6, 22.0};
        ConvertCoordinates(t, kFrameEqt, shared, to, separate);
        ConvertCoordinates(t, kFrameEqt, shared, to, shared);
        EXPECT_EQ(shared[0], separate[0]);
        EXPECT_EQ(shared[1], separate[1]);
    }
}

TEST(RotateSpherical, TurnsTheFrameAndKeepsLongitudeInOneTurn)
{
    double m[9];
    RotationZ(30, m);
    const double in[2] = {10, 20};
    double out[2];
    RotateSpherical(in, out, m);
    EXPECT_NEAR(out[0], 340, 1e-5);
    EXPECT_NEAR(out[1], 20, 1e-5);

    // Longitude 0 stays 0 here (not 360).
    const double onAxis[2] = {30, 0};
    RotateSpherical(onAxis, out, m);
    EXPECT_GE(out[0], 0.0);
    EXPECT_LT(out[0], 360.0);
    EXPECT_NEAR(std::remainder(out[0], 360), 0, 1e-5);
}

TEST(RotateSpherical, ReturnsThePoleWhenRoundingOvershootsIt)
{
    double m[9] = {1.0000001, 0, 0, 0, 1.0000001, 0, 0, 0, 1.0000001};
    const double pole[2] = {0, 90};
    double out[2];
    RotateSpherical(pole, out, m);
    EXPECT_EQ(out[1], 90.0);
    const double southPole[2] = {0, -90};
    RotateSpherical(southPole, out, m);
    EXPECT_EQ(out[1], -90.0);
}

TEST(RotateSpherical, KeepsLatitudeNearThePoleWithinAnArcsecond)
{
    // The vector is made from table sines and so is not of unit length; a
    // latitude taken from z alone would be minutes of arc off up here.
    double identity[9];
    RotationZ(0, identity);
    for (double latitude = 89.9; latitude < 90.0; latitude += 0.00731) {
        for (double longitude : {0.0, 37.3, 123.45, 271.0}) {
            const double in[2] = {longitude, latitude};
            double out[2];
            RotateSpherical(in, out, identity);
            EXPECT_NEAR(out[1], latitude, kArcsecond) << "at latitude " << latitude;
            const double southIn[2] = {longitude, -latitude};
            RotateSpherical(southIn, out, identity);
            EXPECT_NEAR(out[1], -latitude, kArcsecond) << "at latitude " << -latitude;
        }
    }
}

TEST(AngularSeparation, MatchesErfaSepsAndPas)
{
    const auto points = RandomPoints(100, 90, 16);
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const double* a = points[i].data();
        const double* b = points[i + 1].data();
        double angle = 0, distance = 0;
        AngularSeparation(a, b, angle, distance);
        const double erfaDistance =
            eraSeps(a[0] * ERFA_DD2R, a[1] * ERFA_DD2R, b[0] * ERFA_DD2R, b[1] * ERFA_DD2R);
        const double erfaAngle =
            eraPas(a[0] * ERFA_DD2R, a[1] * ERFA_DD2R, b[0] * ERFA_DD2R, b[1] * ERFA_DD2R);
        EXPECT_NEAR(distance, erfaDistance * ERFA_DR2D, 1e-7);
        EXPECT_GT(angle, 0.0);
        EXPECT_LE(angle, 360.0);
        EXPECT_NEAR(std::remainder(angle - erfaAngle * ERFA_DR2D, 360), 0, 1e-9);
    }
}

TEST(AngularSeparation, AntipodesAndCoincidentPointsAreWellDefined)
{
    double angle = 0, distance = 0;
    const double a[2] = {10, 20};
    const double antipode[2] = {190, -20};
    AngularSeparation(a, antipode, angle, distance);
    EXPECT_FALSE(std::isnan(angle));
    EXPECT_NEAR(distance, 180, 1e-6);

    AngularSeparation(a, a, angle, distance);
    EXPECT_EQ(distance, 0.0);
    EXPECT_EQ(angle, 360.0);

    const double north[2] = {10, 21};
    AngularSeparation(a, north, angle, distance);
    EXPECT_NEAR(angle, 360, 1e-9);
    EXPECT_NEAR(distance, 1, 1e-9);
}
