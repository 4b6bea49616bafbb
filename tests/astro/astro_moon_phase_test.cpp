// New moons, the Moon's age and phase, and the whole update of the Moon's
// record, against libnova (the Moon, its lit fraction and bright limb) and
// ERFA (the Sun), and over every era the calendar accepts.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/phase_angle.h"
#include "astro/sun.h"
#include "astro/trig.h"

#include "tests/astro/astro_moon_oracle.h"

#include <cmath>
#include <cstdio>

namespace {

AstroTime At(double jd, const ObserverLocation& site = {0.0, 0.0, 0.0})
{
    AstroTime t;
    AstroTimeFromJulianDay(jd, 0.0, site, t);
    return t;
}

// Longitude of the Moon less that of the Sun, both on the mean ecliptic of
// J2000 (the frame cancels in the difference), degrees in (-180, 180].
double OracleElongation(double jde)
{
    ln_rect_posn r;
    ln_get_lunar_geo_posn(jde, &r, 1e-4);
    const double moonLongitude = std::atan2(r.Y, r.X) * ERFA_DR2D;
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(jde, 0.0, heliocentric, barycentric);
    double sun[3];
    eraSxp(-1.0, heliocentric[0], sun);
    double ecliptic[3][3];
    eraEcm06(ERFA_DJ00, 0.0, ecliptic);
    double sunEcliptic[3];
    eraRxp(ecliptic, sun, sunEcliptic);
    const double sunLongitude = std::atan2(sunEcliptic[1], sunEcliptic[0]) * ERFA_DR2D;
    return std::remainder(moonLongitude - sunLongitude, 360.0);
}

// The oracle's new moon (UT) nearest a first guess, by Newton steps on the
// elongation at its mean rate.
double OracleNewMoon(double guess)
{
    double jde = moon_oracle::Jde(guess);
    for (int i = 0; i < 8; ++i)
        jde -= OracleElongation(jde) / 12.190749;
    return jde - ln_get_dynamical_time_diff(jde) / 86400.0;
}

// Lunation number (from 1900 January) of a Julian day, rounded down.
double LunationOf(double jd)
{
    return std::floor((jd - 2415020.75933) / 29.53058868);
}

} // namespace

TEST(NewMoon, InstantsFallWithinAnHourOfElpFrom1950To2060)
{
    double worst = 0.0;
    for (double k = LunationOf(2433283.0) + 1; k < LunationOf(2473459.0); k += 1.0) {
        const double jd = NewMoonJulianDay(k);
        worst = std::fmax(worst, std::fabs(jd - OracleNewMoon(jd)) * 24.0);
    }
    std::printf("new moons 1950-2060: worst %.2f h\n", worst);
    EXPECT_LT(worst, 1.0);
}

TEST(MoonAge, CountsDaysFromTheLastNewMoon)
{
    const SunRecord sun{};
    const MoonRecord moon{};
    for (double k : {700.0, 1234.0, 1500.0}) {
        const double newMoon = OracleNewMoon(NewMoonJulianDay(k));
        for (double days : {0.3, 7.4, 14.8, 22.1, 29.2})
            EXPECT_NEAR(MoonAge(newMoon + days, sun, moon), days, 1.0 / 24.0) << k << " " << days;
    }
    // Every instant of a few years gets an age within one lunation, also
    // where the year's estimate of the lunation number is off by one.
    for (double jd = 2451000.0; jd < 2452500.0; jd += 0.37) {
        const double age = MoonAge(jd, sun, moon);
        ASSERT_GE(age, 0.0) << jd;
        ASSERT_LT(age, 29.9) << jd;
    }
}

TEST(MoonAge, FarFromThePresentComesFromTheElongation)
{
    SunRecord sun{};
    MoonRecord moon{};
    sun.eclipticLongitude = 350.0;
    moon.eclipticLongitude = 20.0;   // 30 degrees east of the Sun
    EXPECT_NEAR(MoonAge(1356173.0, sun, moon), 30.0 / 12.190749056850848, 1e-12);
    EXPECT_NEAR(MoonAge(3547272.0, sun, moon), 30.0 / 12.190749056850848, 1e-12);
    moon.eclipticLongitude = 349.999;   // just before new moon
    const double age = MoonAge(500000.5, sun, moon);
    EXPECT_GT(age, 29.5);
    EXPECT_LT(age, 29.531);
    moon.eclipticLongitude = 350.0;
    EXPECT_EQ(MoonAge(500000.5, sun, moon), 0.0);
}

TEST(UpdateMoon, PhaseAndBrightLimbFollowLibnova)
{
    double worstFraction = 0.0, worstLimb = 0.0;
    for (double jd = 2451550.1; jd < 2451550.1 + 365.0; jd += 3.1) {
        const AstroTime t = At(jd);
        SunRecord sun{};
        SunPosition(t, sun);
        MoonRecord moon{};
        UpdateMoon(t, moon, sun, 1);
        const double fraction = ln_get_lunar_disk(moon_oracle::Jde(jd));
        // The topocentric place shifts the phase angle by up to a degree.
        worstFraction = std::fmax(worstFraction, std::fabs(moon.illuminatedFraction - fraction));
        if (fraction > 0.1 && fraction < 0.9) {
            const double limb = ln_get_lunar_bright_limb(moon_oracle::Jde(jd));
            worstLimb = std::fmax(worstLimb, std::fabs(std::remainder(moon.brightLimbAngle - limb, 360.0)));
        }
    }
    std::printf("phase: fraction %.4f, bright limb %.2f deg\n", worstFraction, worstLimb);
    EXPECT_LT(worstFraction, 0.015);
    EXPECT_LT(worstLimb, 2.0);
}

TEST(UpdateMoon, FillsVectorsHorizonPlaceAndItsOwnCache)
{
    const ObserverLocation site{35.68, 139.77, 40.0};
    const AstroTime t = At(2460000.25, site);
    SunRecord sun{};
    SunPosition(t, sun);
    MoonRecord moon{};
    UpdateMoon(t, moon, sun, 2);

    const double cosDec = std::cos(moon.decJ2000 * ERFA_DD2R);
    EXPECT_NEAR(moon.unitVector[0], cosDec * std::cos(moon.raJ2000 * ERFA_DD2R), 1e-5);
    EXPECT_NEAR(moon.unitVector[1], cosDec * std::sin(moon.raJ2000 * ERFA_DD2R), 1e-5);
    EXPECT_NEAR(moon.unitVector[2], std::sin(moon.decJ2000 * ERFA_DD2R), 1e-5);
    EXPECT_EQ(moon.fixedVector[0], static_cast<int32_t>(moon.unitVector[0] * 16384.0));

    // Altitude from the of-date place and the local sidereal time; azimuth
    // from the south through west.
    double az, alt;
    const double hourAngle = (t.localSiderealTime - moon.raDate) * ERFA_DD2R;
    eraHd2ae(hourAngle, moon.decDate * ERFA_DD2R, site.latitude * ERFA_DD2R, &az, &alt);
    EXPECT_NEAR(moon.altitude, alt * ERFA_DR2D, 0.01);
    EXPECT_NEAR(std::remainder(moon.azimuth - (az * ERFA_DR2D - 180.0), 360.0), 0.0, 0.02);

    EXPECT_EQ(moon.julianDay, t.julianDay);
    EXPECT_EQ(moon.cachedLevel, 2);
    EXPECT_EQ(moon.cachedLocation.latitude, site.latitude);
    EXPECT_EQ(moon.cachedLocation.longitude, site.longitude);
    EXPECT_EQ(moon.cachedLocation.height, site.height);
}

TEST(PhaseAndLimbAngle, FullAndNewAndQuarterMoons)
{
    double k, chi;
    // Opposite the Sun: fully lit.
    PhaseAndLimbAngle(0.0, 0.0, 1.0, 180.0, 0.0, 0.00257, k, chi);
    EXPECT_NEAR(k, 1.0, 1e-9);
    // 90 degrees east of the Sun on the equator: about half lit, the bright
    // limb facing west (position angle 270, given as -90).
    PhaseAndLimbAngle(0.0, 0.0, 1.0, 90.0, 0.0, 0.00257, k, chi);
    EXPECT_NEAR(k, 0.5 + 0.00257 / 2.0, 1e-5);
    EXPECT_NEAR(chi, -90.0, 1e-6);
    // Beside the Sun: dark.
    PhaseAndLimbAngle(0.0, 0.0, 1.0, 0.0, 0.0, 0.00257, k, chi);
    EXPECT_NEAR(k, 0.0, 1e-9);
}

TEST(UpdateMoon, EveryTenthYearFromMinus29999To30000IsFinite)
{
    const ObserverLocation site{51.5, -0.1, 20.0};
    int count = 0;
    for (int32_t year = -29999; year <= 30000; year += 10, ++count) {
        const DateTime date{year, 6, 15, 3, 0, 0.0, 0.0};
        AstroTime t;
        AstroTimeFromDate(date, site, t);
        SunRecord sun{};
        SunPosition(t, sun);
        MoonRecord moon{};
        UpdateMoon(t, moon, sun, 1);
        moon.age = MoonAge(t.julianDay, sun, moon);
        const double values[] = {moon.raJ2000, moon.decJ2000, moon.raDate, moon.decDate,
                                 moon.geoRaJ2000, moon.geoDecJ2000, moon.eclipticLongitude,
                                 moon.eclipticLatitude, moon.azimuth, moon.altitude,
                                 moon.distance, moon.geoDistance, moon.semidiameter,
                                 moon.axisPositionAngle, moon.illuminatedFraction,
                                 moon.brightLimbAngle, moon.librationLongitude,
                                 moon.librationLatitude, moon.age};
        for (double v : values)
            ASSERT_TRUE(std::isfinite(v)) << year;
        ASSERT_GT(moon.geoDistance, 340000.0) << year;
        ASSERT_LT(moon.geoDistance, 420000.0) << year;
        ASSERT_LE(std::fabs(moon.eclipticLatitude), 5.5) << year;
        ASSERT_GE(moon.illuminatedFraction, 0.0) << year;
        ASSERT_LE(moon.illuminatedFraction, 1.0) << year;
        ASSERT_GE(moon.age, 0.0) << year;
        ASSERT_LT(moon.age, 30.0) << year;
    }
    EXPECT_EQ(count, 6000);
}
