// The Sun against independent ephemerides: ERFA's eraEpv00 (VSOP2000 fit,
// 1900-2100) near the present and libnova's VSOP87 Earth for the distant
// past, both at TerrestrialTime of the program's UT.
#include <gtest/gtest.h>

#include "astro/calendar.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/fixed_au.h"
#include "astro/sun.h"
#include "astro/vector_math.h"

#include "tests/astro/astro_oracle.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace astro_oracle;

namespace {

SunRecord SunAt(double jd)
{
    SunRecord sun;
    SunPosition(TimeAt(jd), sun);
    return sun;
}

enum class Model { Record, Kepler };
enum class Oracle { Erfa, Libnova };

// Largest angle in arcseconds between the program's J2000 place, from the
// record or SunKeplerModel, and the oracle's over [first, last).
double WorstArcsec(double first, double last, double step, Model model, Oracle oracle, double* worstDistance = nullptr)
{
    double worst = 0.0;
    for (double jd = first; jd < last; jd += step) {
        double place[2], r, toSun[3], expected[2];
        if (model == Model::Kepler) {
            double ecliptic[2];
            SunKeplerModel(jd, ecliptic, r);
            ConvertCoordinates(TimeAt(jd), kFrameEcl, ecliptic, kFrameEqt, place);
        } else {
            const SunRecord sun = SunAt(jd);
            place[0] = sun.raJ2000;
            place[1] = sun.decJ2000;
            r = sun.distance;
        }
        if (oracle == Oracle::Erfa)
            ErfaEarth(TerrestrialTime(jd), toSun);
        else
            NovaHeliocentricVector(kEarthId, TerrestrialTime(jd), toSun);
        eraSxp(-1.0, toSun, toSun);
        PlaceOf(toSun, expected);
        worst = std::max(worst, SeparationDegrees(place[0], place[1], expected[0], expected[1]) * 3600.0);
        if (worstDistance)
            *worstDistance = std::max(*worstDistance, std::fabs(r - eraPm(toSun)));
    }
    return worst;
}

} // namespace

TEST(SunPosition, FollowsErfaWithin30ArcsecAnd5e5AUInTheSeriesSpan)
{
    double worstDistance = 0.0;
    EXPECT_LT(WorstArcsec(kSeriesFirstJulianDay + 0.3, kSeriesLastJulianDay, 3.7, Model::Record, Oracle::Erfa,
                          &worstDistance), 30.0);
    EXPECT_LT(worstDistance, 5e-5);
}

// The Earth the comets and minor planets are seen from: VSOP87B shortened,
// at TT by the program's delta T, against ERFA's Earth over its years.
TEST(SunPosition, GeometricEarthFollowsErfaWithin2e6AU)
{
    double worst = 0.0;
    for (double jd = JulianDayFromCalendar(1900, 1, 1); jd < JulianDayFromCalendar(2100, 1, 1); jd += 3.7) {
        double earth[3], difference[3];
        ErfaEarth(TerrestrialTimeFromUT(jd), earth);
        eraPmp(const_cast<double*>(SunAt(jd).geometricEarth), earth, difference);
        worst = std::max(worst, eraPm(difference));
    }
    EXPECT_LT(worst, 2e-6);
    std::printf("worst %.2e AU\n", worst);
}

TEST(SunKeplerModel, FollowsErfaFrom1800To2060AndHoldsItsAccuracyInTheDistantPast)
{
    double worstDistance = 0.0;
    EXPECT_LT(WorstArcsec(JulianDayFromCalendar(1800, 1, 1), JulianDayFromCalendar(2060, 1, 1), 9.1, Model::Kepler,
                          Oracle::Erfa, &worstDistance), 40.0);
    EXPECT_LT(worstDistance, 1e-4);
    // Against libnova, a few years around a year sampled through every season.
    struct Row {
        int32_t first, last;
        double step, degrees;
    };
    for (const Row& row : {Row{1000, 1500, 11.3, 0.03}, Row{-1001, -999, 5.3, 0.1}, Row{-2001, -1999, 5.3, 0.3}})
        EXPECT_LT(WorstArcsec(JulianDayFromCalendar(row.first, 1, 1), JulianDayFromCalendar(row.last, 12, 31), row.step,
                              Model::Record, Oracle::Libnova) / 3600.0, row.degrees) << row.first;
}

TEST(SunPosition, UsesTheSeriesOnlyStrictlyInsideItsSpanAndTheModelsMeet)
{
    for (const double bound : {kSeriesFirstJulianDay, kSeriesLastJulianDay}) {
        double ecliptic[2], r;
        SunKeplerModel(bound, ecliptic, r);
        const SunRecord atBound = SunAt(bound);
        EXPECT_EQ(atBound.eclipticLongitude, ecliptic[0]);
        EXPECT_EQ(atBound.distance, r);
        const double inside = bound == kSeriesFirstJulianDay ? bound + 0.001 : bound - 0.001;
        EXPECT_LT(std::fabs(Wrap180(SunAt(inside).eclipticLongitude - atBound.eclipticLongitude)), 0.015);
    }
    const double inside = kSeriesFirstJulianDay + 0.01;
    double ecliptic[2], r;
    SunSeries(TimeAt(inside).yearsSince1975, ecliptic, r);
    EXPECT_EQ(SunAt(inside).eclipticLongitude, ecliptic[0]);
    EXPECT_EQ(InSeriesSpan(kSeriesLastJulianDay - 0.01), 1);
}

// Meeus, Astronomical Algorithms, example 29.a: 1992 October 13.0 TD.
TEST(SunPhysicalEphemeris, GivesTheTextbookAnglesOf1992October13)
{
    const SunRecord sun = SunAt(2448908.50068);
    EXPECT_NEAR(sun.axisPositionAngle, 26.27, 0.1);
    EXPECT_NEAR(sun.heliographicLatitude, 5.99, 0.1);
    EXPECT_NEAR(sun.heliographicLongitude, 238.63, 0.1);
}

TEST(SunPosition, FillsAConsistentRecord)
{
    const SunRecord sun = SunAt(2460676.5);   // 2025 January 1.0
    EXPECT_EQ(sun.eclipticLatitude, 0.0);
    EXPECT_EQ(sun.eclipseMagnitude, -1.0);
    EXPECT_EQ(sun.julianDay, 2460676.5);
    // Near perihelion: R about 0.9833 AU, semidiameter 959.63" / R.
    EXPECT_NEAR(sun.distance, 0.98333, 2e-4);
    EXPECT_NEAR(sun.semidiameter * 3600.0, 959.63 / sun.distance, 0.5);
    // The Earth lies opposite the Sun at distance R (the unit vector comes
    // from the sine table, good to a few parts in a million).
    EXPECT_NEAR(VectorLength(sun.earthVector), sun.distance, 5e-6);
    EXPECT_NEAR(eraPdp(const_cast<double*>(sun.earthVector), const_cast<double*>(sun.unitVector)), -sun.distance, 5e-6);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(sun.earthVectorFixed[i], sun.earthVector[i] * kFixedAUPerAU, 1.0);
        EXPECT_NEAR(sun.fixedVector[i], sun.unitVector[i] * 16384.0, 1.0);
    }
    // The place of date is the J2000 place precessed by 25 years: about
    // 0.35 degree in right ascension near RA 18h.
    EXPECT_NEAR(sun.raDate - sun.raJ2000, 0.35, 0.03);
}

TEST(SunPosition, EveryTenthYearOfTheCalendarGivesAFinitePlace)
{
    for (int32_t year = -29999; year <= 30000; year += 10) {
        const SunRecord sun = SunAt(JulianDayFromCalendar(year, 6, 1));
        for (double v : {sun.raJ2000, sun.decJ2000, sun.axisPositionAngle, sun.heliographicLongitude})
            ASSERT_TRUE(std::isfinite(v)) << year;
        ASSERT_TRUE(sun.distance > 0.95 && sun.distance < 1.05) << year;
        ASSERT_LE(std::fabs(sun.decJ2000), 24.5) << year;
    }
}

TEST(VectorToFixedAU, ScalesTruncatesAndHoldsTheLimits)
{
    // 2^30 / 25 = 42949672.96, truncated.
    const double v[3] = {1.0, -1.0, 0.5}, far[3] = {60.0, -60.0, std::numeric_limits<double>::quiet_NaN()};
    int32_t f[3];
    VectorToFixedAU(v, f);
    EXPECT_EQ(std::vector<int32_t>(f, f + 3), (std::vector<int32_t>{42949672, -42949672, 21474836}));
    VectorToFixedAU(far, f);
    EXPECT_EQ(std::vector<int32_t>(f, f + 3), (std::vector<int32_t>{INT32_MAX, INT32_MIN, 0}));
}
