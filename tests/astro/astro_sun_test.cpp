// The Sun against independent ephemerides: ERFA's eraEpv00 (VSOP2000 fit,
// 1900-2100) near the present and libnova's VSOP87 Earth for the distant
// past. The program takes Julian days as UT; the oracles get TT = UT + dT
// with the long-term parabola of Morrison and Stephenson (2004),
// dT = -20 + 32 u^2 seconds, u = (year - 1820) / 100.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/coordinates.h"
#include "astro/fixed_au.h"
#include "astro/sun.h"
#include "astro/vector_math.h"

#include <erfa.h>
#include <libnova/earth.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const ObserverLocation kGreenwich{51.477, 0.0, 50.0};

double TerrestrialTime(double jdUt)
{
    const double u = ((jdUt - 2451545.0) / 365.25 + 2000.0 - 1820.0) / 100.0;
    return jdUt + (-20.0 + 32.0 * u * u) / 86400.0;
}

SunRecord SunAt(double jd)
{
    AstroTime t;
    AstroTimeFromJulianDay(jd, 0.0, kGreenwich, t);
    SunRecord sun;
    SunPosition(t, sun);
    return sun;
}

double SeparationArcsec(double ra1, double dec1, double ra2, double dec2)
{
    const double p[2] = {ra1, dec1};
    const double q[2] = {ra2, dec2};
    double positionAngle, distance;
    AngularSeparation(p, q, positionAngle, distance);
    return distance * 3600.0;
}

// Geometric geocentric Sun from ERFA: J2000 RA/Dec in degrees and R in AU.
void ErfaSun(double tt, double& ra, double& dec, double& r)
{
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(tt, 0.0, heliocentric, barycentric);
    double sun[3];
    for (int i = 0; i < 3; ++i)
        sun[i] = -heliocentric[0][i];
    eraC2s(sun, &ra, &dec);
    ra = eraAnp(ra) * 180.0 / M_PI;
    dec *= 180.0 / M_PI;
    r = eraPm(sun);
}

// Geometric geocentric Sun from libnova's VSOP87 Earth (J2000 ecliptic),
// turned to the J2000 equator.
void NovaSun(double tt, double& ra, double& dec)
{
    ln_helio_posn earth;
    ln_get_earth_helio_coords(tt, &earth);
    double ecliptic[3];
    eraS2c((earth.L + 180.0) * M_PI / 180.0, -earth.B * M_PI / 180.0, ecliptic);
    double rotation[3][3];
    eraIr(rotation);
    eraRx(-23.4392911 * M_PI / 180.0, rotation);
    double equatorial[3];
    eraRxp(rotation, ecliptic, equatorial);
    eraC2s(equatorial, &ra, &dec);
    ra = eraAnp(ra) * 180.0 / M_PI;
    dec *= 180.0 / M_PI;
}

// Largest error of the J2000 place against libnova over a few years
// around a year, sampled through every season.
double WorstNovaErrorDegrees(int32_t firstYear, int32_t lastYear, double stepDays)
{
    double worst = 0.0;
    const double first = JulianDayFromCalendar(firstYear, 1, 1);
    const double last = JulianDayFromCalendar(lastYear, 12, 31);
    for (double jd = first; jd < last; jd += stepDays) {
        const SunRecord sun = SunAt(jd);
        double ra, dec;
        NovaSun(TerrestrialTime(jd), ra, dec);
        worst = std::max(worst, SeparationArcsec(sun.raJ2000, sun.decJ2000, ra, dec) / 3600.0);
    }
    return worst;
}

} // namespace

TEST(SunSeries, MatchesErfaWithin30ArcsecAndDistanceWithin5e5AU)
{
    double worstPlace = 0.0, worstDistance = 0.0;
    for (double jd = kSeriesFirstJulianDay + 0.3; jd < kSeriesLastJulianDay; jd += 3.7) {
        const SunRecord sun = SunAt(jd);
        double ra, dec, r;
        ErfaSun(TerrestrialTime(jd), ra, dec, r);
        worstPlace = std::max(worstPlace, SeparationArcsec(sun.raJ2000, sun.decJ2000, ra, dec));
        worstDistance = std::max(worstDistance, std::fabs(sun.distance - r));
    }
    EXPECT_LT(worstPlace, 30.0);
    EXPECT_LT(worstDistance, 5e-5);
}

TEST(SunKeplerModel, MatchesErfaWithin40ArcsecFrom1800To2060)
{
    double worst = 0.0;
    const double first = JulianDayFromCalendar(1800, 1, 1);
    const double last = JulianDayFromCalendar(2060, 1, 1);
    for (double jd = first; jd < last; jd += 9.1) {
        AstroTime t;
        AstroTimeFromJulianDay(jd, 0.0, kGreenwich, t);
        double ecliptic[2], r;
        SunKeplerModel(jd, ecliptic, r);
        double place[2];
        ConvertCoordinates(t, kFrameEcl, ecliptic, kFrameEqt, place);
        double ra, dec, erfaR;
        ErfaSun(TerrestrialTime(jd), ra, dec, erfaR);
        worst = std::max(worst, SeparationArcsec(place[0], place[1], ra, dec));
        EXPECT_NEAR(r, erfaR, 1e-4) << "JD " << jd;
    }
    EXPECT_LT(worst, 40.0);
}

TEST(SunKeplerModel, HoldsItsAccuracyInTheDistantPast)
{
    EXPECT_LT(WorstNovaErrorDegrees(1000, 1500, 11.3), 0.03);
    EXPECT_LT(WorstNovaErrorDegrees(-1001, -999, 5.3), 0.1);
    EXPECT_LT(WorstNovaErrorDegrees(-2001, -1999, 5.3), 0.3);
}

TEST(SunPosition, UsesTheSeriesOnlyStrictlyInsideItsSpan)
{
    for (const double bound : {kSeriesFirstJulianDay, kSeriesLastJulianDay}) {
        double ecliptic[2], r;
        SunKeplerModel(bound, ecliptic, r);
        const SunRecord atBound = SunAt(bound);
        EXPECT_EQ(atBound.eclipticLongitude, ecliptic[0]);
        EXPECT_EQ(atBound.distance, r);
    }
    const double inside = kSeriesFirstJulianDay + 0.01;
    AstroTime t;
    AstroTimeFromJulianDay(inside, 0.0, kGreenwich, t);
    double ecliptic[2], r;
    SunSeries(t.yearsSince1975, ecliptic, r);
    EXPECT_EQ(SunAt(inside).eclipticLongitude, ecliptic[0]);
    EXPECT_EQ(InSeriesSpan(kSeriesLastJulianDay - 0.01), 1);
}

TEST(SunPosition, TheTwoModelsMeetWithoutAVisibleJump)
{
    for (const double bound : {kSeriesFirstJulianDay, kSeriesLastJulianDay}) {
        const double before = SunAt(bound).eclipticLongitude;
        const double after = SunAt(bound == kSeriesFirstJulianDay ? bound + 0.001 : bound - 0.001)
                                 .eclipticLongitude;
        EXPECT_LT(std::fabs(std::remainder(after - before, 360.0)), 0.015);
    }
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
    const double along = sun.earthVector[0] * sun.unitVector[0] +
                         sun.earthVector[1] * sun.unitVector[1] +
                         sun.earthVector[2] * sun.unitVector[2];
    EXPECT_NEAR(along, -sun.distance, 5e-6);
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
        ASSERT_TRUE(std::isfinite(sun.raJ2000) && std::isfinite(sun.decJ2000)) << year;
        ASSERT_TRUE(std::isfinite(sun.axisPositionAngle) && std::isfinite(sun.heliographicLongitude))
            << year;
        ASSERT_GT(sun.distance, 0.95) << year;
        ASSERT_LT(sun.distance, 1.05) << year;
        ASSERT_LE(std::fabs(sun.decJ2000), 24.5) << year;
    }
}

TEST(VectorToFixedAU, ScalesTruncatesAndHoldsTheLimits)
{
    const double v[3] = {1.0, -1.0, 0.5};
    int32_t f[3];
    VectorToFixedAU(v, f);
    EXPECT_EQ(f[0], 42949672);    // 2^30 / 25 = 42949672.96, truncated
    EXPECT_EQ(f[1], -42949672);
    EXPECT_EQ(f[2], 21474836);
    const double far[3] = {60.0, -60.0, std::numeric_limits<double>::quiet_NaN()};
    VectorToFixedAU(far, f);
    EXPECT_EQ(f[0], std::numeric_limits<int32_t>::max());
    EXPECT_EQ(f[1], std::numeric_limits<int32_t>::min());
    EXPECT_EQ(f[2], 0);
}
