// Sidereal time, obliquity and the other time arguments against ERFA, and
// the AstroTime record built from a date or a Julian day.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/precession.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <random>

namespace {

constexpr double kJ2000 = 2451545.0;

// Difference of two angles in degrees, brought into [-180, 180).
double AngleDifference(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

} // namespace

TEST(SiderealTime, WithinPointTwoSecondsOfErfaGmst82From1900To2100)
{
    std::mt19937 random(1975);
    std::uniform_real_distribution<double> jdIn(2415020.5, 2488069.5);   // 1900..2100
    std::uniform_real_distribution<double> longitudeIn(-180.0, 180.0);
    for (int i = 0; i < 50; ++i) {
        const double jd = jdIn(random);
        const double longitude = longitudeIn(random);
        const double expected = eraGmst82(jd, 0.0) * ERFA_DR2D + longitude;
        const double lst = LocalSiderealTime(jd, longitude);
        EXPECT_GE(lst, 0.0);
        EXPECT_LT(lst, 360.0);
        // 1 degree of sidereal time is 240 seconds.
        EXPECT_LT(std::fabs(AngleDifference(lst, expected)) * 240, 0.2)
            << "JD " << jd << " longitude " << longitude;
    }
}

TEST(SiderealTime, IsAbout280Point46DegreesAtJ2000OnTheMeridianOfGreenwich)
{
    EXPECT_NEAR(LocalSiderealTime(kJ2000, 0), 280.46, 0.005);
    // Fifteen degrees east is one hour later in sidereal time.
    EXPECT_NEAR(AngleDifference(LocalSiderealTime(kJ2000, 15), LocalSiderealTime(kJ2000, 0)), 15,
                1e-9);
}

TEST(Obliquity, MatchesErfaObl80WithinThirtyCenturiesAndIsHeldBeyond)
{
    for (double centuries = -30; centuries <= 30; centuries += 0.25) {
        const double jd = kJ2000 + centuries * 36525;
        // 23.43929111 is 84381.448" rounded to 1e-8 degree.
        EXPECT_NEAR(MeanObliquity(jd), eraObl80(jd, 0.0) * ERFA_DR2D, 2e-9) << centuries;
    }
    const double atMinus30 = MeanObliquity(kJ2000 - 30 * 36525);
    const double atPlus30 = MeanObliquity(kJ2000 + 30 * 36525);
    EXPECT_EQ(MeanObliquity(JulianDayFromCalendar(-1500, 1, 1)), atMinus30);
    EXPECT_EQ(MeanObliquity(JulianDayFromCalendar(-29999, 1, 1)), atMinus30);
    EXPECT_EQ(MeanObliquity(JulianDayFromCalendar(6000, 1, 1)), atPlus30);
    EXPECT_EQ(MeanObliquity(JulianDayFromCalendar(30000, 1, 1)), atPlus30);
    EXPECT_NEAR(MeanObliquity(kJ2000), 23.43929111, 1e-12);
}

TEST(TimeArguments, CarryTheirEpochsAndTheDynamicalTimeCorrection)
{
    EXPECT_DOUBLE_EQ(CenturiesSinceJ2000(kJ2000), 0);
    EXPECT_DOUBLE_EQ(CenturiesSinceJ2000(kJ2000 + 36525), 1);
    // The series argument runs ahead of UT by 45.1 s at 1975.0 and by a
    // further 1.0 s each year.
    const double secondsPerYear = 365.25 * 86400;
    const double jd1975 = 2442412.5;
    for (double years : {0.0, 25.0, -100.0}) {
        const double jd = jd1975 + years * 365.25;
        const double lead = (YearsSince1975(jd) - years) * secondsPerYear;
        EXPECT_NEAR(lead, 45.1 + years, 0.1) << years;
    }
}

TEST(AstroTime, FromDateHoldsTheDateItsJulianDayAndEveryDerivedField)
{
    const DateTime date{1987, 4, 10, 19, 21, 0, 0};
    const ObserverLocation site{35.0, 139.5, 40.0};
    AstroTime t{};
    AstroTimeFromDate(date, site, t);

    // Meeus example 12.b: 1987 April 10, 19:21:00 UT.
    EXPECT_NEAR(t.julianDay, 2446896.30625, 1e-9);
    EXPECT_EQ(t.date.hour, 19);
    EXPECT_EQ(t.location.longitude, 139.5);
    EXPECT_EQ(t.location.height, 40.0);
    // Meeus example 12.b gives 128.7378734 degrees at Greenwich.
    EXPECT_NEAR(std::remainder(t.localSiderealTime - 139.5 - 128.7378734, 360), 0, 0.002);
    EXPECT_NEAR(t.centuriesSinceJ2000, -0.127274298426, 1e-11);
    EXPECT_NEAR(t.obliquity, eraObl80(t.julianDay, 0.0) * ERFA_DR2D, 2e-9);
    EXPECT_NEAR(t.sinObliquity, std::sin(t.obliquity * ERFA_DD2R), 3e-6);
    EXPECT_NEAR(t.cosObliquity, std::cos(t.obliquity * ERFA_DD2R), 3e-6);

    // The stored matrix takes the equator of date to J2000: it is the
    // transpose of ERFA's J2000-to-date matrix.
    double erfa[3][3];
    eraPmat76(t.julianDay, 0.0, erfa);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(t.precessionToJ2000[3 * i + j], erfa[j][i], 4.8e-6);
}

TEST(AstroTime, FromJulianDayWritesTheLocalDateInTheGivenZone)
{
    const ObserverLocation site{-33.9, 18.4, 0};
    AstroTime t{};
    AstroTimeFromJulianDay(kJ2000, 9.0, site, t);
    EXPECT_EQ(t.julianDay, kJ2000);
    EXPECT_EQ(t.date.year, 2000);
    EXPECT_EQ(t.date.month, 1);
    EXPECT_EQ(t.date.day, 1);
    EXPECT_EQ(t.date.hour, 21);
    EXPECT_EQ(t.date.minute, 0);
    EXPECT_EQ(t.date.second, 0.0);
    EXPECT_EQ(t.date.zone, 9.0);
    EXPECT_EQ(t.location.latitude, -33.9);
    EXPECT_EQ(t.localSiderealTime, LocalSiderealTime(kJ2000, 18.4));

    // Its date leads back to the same instant, to the millisecond kept.
    for (double jd = -5000000.25; jd < 12000000; jd += 1234567.891) {
        AstroTimeFromJulianDay(jd, -3.5, site, t);
        EXPECT_NEAR(JulianDayFromDate(t.date), jd, 0.6e-3 / 86400) << jd;
    }
}
