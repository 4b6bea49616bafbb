// The time and place commands run through the interpreter against the real
// Scene, without a display: DATE, PERIOD, INCTIME, DECTIME, STIME, TIMESYS
// and LOCATE with valid, boundary and refused arguments, and the Sun-event
// lock as the canvas applies it. Julian days are checked against ERFA, Sun
// altitudes against libnova.
#include <gtest/gtest.h>

#include "tests/command/command_test_support.h"

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/sun_event_lock.h"
#include "command/animation.h"
#include "command/interpreter.h"
#include "command/time_commands.h"
#include "core/app_env.h"
#include "sky/draw_sky.h"
#include "sky/scene.h"
#include "tests/harness/test_files.h"

#include <erfa.h>
#include <libnova/solar.h>
#include <libnova/transform.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr double kSecond = 1.0 / 86400.0;   // in days
constexpr double kMinute = 60.0 * kSecond;

// Julian day (UT) of a local civil time, from ERFA.
double ErfaJulianDay(int year, int month, int day, int hour, int minute, double second,
                     double zone)
{
    double djm0 = 0.0;
    double djm = 0.0;
    EXPECT_EQ(eraCal2jd(year, month, day, &djm0, &djm), 0);
    return djm0 + djm + (hour + minute / 60.0 + second / 3600.0 - zone) / 24.0;
}

// Geometric altitude of the Sun's centre (degrees), from libnova.
double NovaSunAltitude(double jd, const ObserverLocation& site)
{
    ln_equ_posn equ{};
    ln_get_solar_equ_coords(jd, &equ);
    ln_lnlat_posn observer{site.longitude, site.latitude};
    ln_hrz_posn hrz{};
    ln_get_hrz_from_equ(&equ, &observer, jd, &hrz);
    return hrz.alt;
}

std::string SiteRecord(const char* name, double longitude, double latitude, int height,
                       double zone)
{
    char line[128];
    std::snprintf(line, sizeof line, "%-40.40s %7.3f%c %6.3f%c %4d %c%05.2f \n", name,
                  std::fabs(longitude), longitude < 0 ? 'W' : 'E', std::fabs(latitude),
                  latitude < 0 ? 'S' : 'N', height, zone < 0 ? '-' : '+', std::fabs(zone));
    return line;
}

class TimeCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->quiet = 1;   // errors stay in gAppEnv, as for the command port
        gAppEnv->initialSiteZone = 9.0;
        ResetScene(scene);
        scene.keepCentred = 0;   // LOCATE clears it even when refused
        SetSite(139.7, 35.7, 40.0, 9.0);
        std::snprintf(scene.siteName, sizeof scene.siteName, "Tokyo");
        SetDate(2001, 3, 5, 12, 30, 15.0);
    }

    void SetSite(double longitude, double latitude, double height, double zone)
    {
        scene.time.location = {latitude, longitude, height};
        scene.time.date.zone = zone;
        scene.siteZone = zone;
        SetSceneDateTime(scene, scene.time.date);
    }

    void SetDate(int year, int month, int day, int hour, int minute, double second)
    {
        DateTime date = scene.time.date;
        date.year = year;
        date.month = month;
        date.day = day;
        date.hour = hour;
        date.minute = minute;
        date.second = second;
        SetSceneDateTime(scene, date);
    }

    std::string Run(const char* text) { return RunCommand(scene, text); }

    // Runs a text that must be refused with stkErrorIllegalParam and the
    // given parameter, and checks that the Scene did not change at all.
    void ExpectRefused(const char* text, const char* parameter)
    {
        ExpectRefusedUnchanged(scene, text, "stkErrorIllegalParam", parameter);
    }

    void ExpectDate(int year, int month, int day, int hour, int minute, double second)
    {
        const DateTime& d = scene.time.date;
        EXPECT_EQ(d.year, year);
        EXPECT_EQ(d.month, month);
        EXPECT_EQ(d.day, day);
        EXPECT_EQ(d.hour, hour);
        EXPECT_EQ(d.minute, minute);
        EXPECT_NEAR(d.second, second, 1e-6);
        // The derived record follows the date; ERFA's calendar is the
        // Gregorian one, so it checks the dates after the reform.
        if (year > 1582 && year < 10000) {
            EXPECT_NEAR(scene.time.julianDay,
                        ErfaJulianDay(year, month, day, hour, minute, second, d.zone), 1e-8);
        } else {
            EXPECT_NEAR(scene.time.julianDay, JulianDayFromDate(d), 1e-8);
        }
    }

    Scene& scene = *gScene;
};

// ---------------------------------------------------------------------------
// DATE

TEST_F(TimeCommands, DateSetsTheLocalTimeAndItsJulianDay)
{
    EXPECT_EQ(Run("DATE 1999,12,31,23,59,30.5"), "");
    ExpectDate(1999, 12, 31, 23, 59, 30.5);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 9.0);
}

TEST_F(TimeCommands, DateOmittedFieldsKeepTheCurrentOnes)
{
    EXPECT_EQ(Run("DATE 2000,,1"), "");
    ExpectDate(2000, 3, 1, 12, 30, 15.0);
    EXPECT_EQ(Run("date ,,,,,7"), "");
    ExpectDate(2000, 3, 1, 12, 30, 7.0);
}

TEST_F(TimeCommands, DateCarriesAnHourPastMidnightIntoTheNextDay)
{
    EXPECT_EQ(Run("DATE 2000,2,29,25,0,0"), "");
    ExpectDate(2000, 3, 1, 1, 0, 0.0);
    EXPECT_EQ(Run("DATE 2000,12,31,36,60,0"), "");
    ExpectDate(2001, 1, 1, 13, 0, 0.0);
}

TEST_F(TimeCommands, DateRefusesDatesThatDoNotExist)
{
    ExpectRefused("DATE 2000,13,1", "");
    ExpectRefused("DATE 2000,0,1", "");
    ExpectRefused("DATE 1900,2,29", "");
    ExpectRefused("DATE 1582,10,10", "");
    ExpectRefused("DATE 2000,1,1,37", "");
    ExpectRefused("DATE 2000,1,1,-1", "");
    ExpectRefused("DATE 2000,1,1,0,61", "");
    EXPECT_EQ(Run("DATE 1500,2,29,0,0,0"), "");   // Julian leap year
    ExpectDate(1500, 2, 29, 0, 0, 0.0);
}

TEST_F(TimeCommands, DateTakesBothEndsOfTheYearRangeAndNothingBeyond)
{
    EXPECT_EQ(Run("DATE 30000,12,31,23,59,59"), "");
    ExpectDate(30000, 12, 31, 23, 59, 59.0);
    EXPECT_EQ(Run("DATE -29999,1,1,0,0,0"), "");
    ExpectDate(-29999, 1, 1, 0, 0, 0.0);
    // A valid date whose year the normalisation cannot keep.
    ExpectRefused("DATE 30001,1,1", "");
    ExpectRefused("DATE -30000,12,31", "");
    // A carry out of the last year is refused as a whole.
    EXPECT_EQ(Run("DATE 30000,12,31,23,0,0"), "");
    ExpectRefused("DATE ,,,24", "");
    ExpectRefused("DATE ,,,23,59,3600", "");
}

TEST_F(TimeCommands, DateRefusesHugeAndNonFiniteNumbers)
{
    ExpectRefused("DATE 2000,1,1,0,0,1e300", "");   // seconds carried past the years
    ExpectRefused("DATE 2000,1,1,0,0,nan", "nan");
    ExpectRefused("DATE 2000,1,1,0,0,-inf", "-inf");
    ExpectRefused("DATE 99999999999,1,1", "99999999999");
    ExpectRefused("DATE 2000,4294967297,1", "4294967297");
    ExpectRefused("DATE 2000,1,1,0,0,0,1e300", "1e300");
    ExpectRefused("DATE 2000,1,1,0,0,0,-6e8", "-6e8");
    // A zone past a day, and a year that is no number (year 0), are dates.
    EXPECT_EQ(Run("DATE 2000,1,1,0,0,0,25"), "");
    EXPECT_EQ(scene.time.date.zone, 25.0);
    EXPECT_EQ(Run("DATE abc"), "");
    ExpectDate(0, 1, 1, 0, 0, 0.0);
}

TEST_F(TimeCommands, DateZoneIsTakenInStandardTimeOnly)
{
    EXPECT_EQ(Run("DATE 2000,1,1,0,0,0,-5"), "");
    EXPECT_DOUBLE_EQ(scene.time.date.zone, -5.0);
    EXPECT_DOUBLE_EQ(scene.siteZone, -5.0);
    ExpectDate(2000, 1, 1, 0, 0, 0.0);

    EXPECT_EQ(Run("TIMESYS UT"), "");
    EXPECT_EQ(Run("DATE 2000,1,1,0,0,0,7"), "");
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 0.0);
    EXPECT_DOUBLE_EQ(scene.siteZone, -5.0);
    ExpectDate(2000, 1, 1, 0, 0, 0.0);
    // Ignored means not even read.
    EXPECT_EQ(Run("DATE 2000,1,2,0,0,0,nonsense"), "");
}

TEST_F(TimeCommands, DateNowTakesTheClockInTheInitialSitesZone)
{
    gAppEnv->initialSiteZone = 2.0;
    const std::time_t now = std::time(nullptr);
    EXPECT_EQ(Run("DATE now"), "");
    std::tm local{};
    localtime_r(&now, &local);
    const DateTime& d = scene.time.date;
    std::tm shown{};
    shown.tm_year = d.year - 1900;
    shown.tm_mon = d.month - 1;
    shown.tm_mday = d.day;
    shown.tm_hour = d.hour;
    shown.tm_min = d.minute;
    shown.tm_sec = static_cast<int>(d.second);
    EXPECT_LE(std::fabs(std::difftime(timegm(&shown), timegm(&local))), 5.0);
    EXPECT_EQ(d.second, std::floor(d.second));
    EXPECT_DOUBLE_EQ(d.zone, 2.0);
}

// ---------------------------------------------------------------------------
// PERIOD, INCTIME, DECTIME

TEST_F(TimeCommands, PeriodSetsTheStepWithOmittedFieldsZero)
{
    EXPECT_EQ(Run("PERIOD ,,,,10"), "");
    const DateInterval& step = scene.timeStep;
    EXPECT_EQ(step.years, 0);
    EXPECT_EQ(step.months, 0);
    EXPECT_EQ(step.days, 0);
    EXPECT_EQ(step.hours, 0);
    EXPECT_EQ(step.minutes, 10);
    EXPECT_EQ(step.seconds, 0.0);

    EXPECT_EQ(Run("PERIOD -1,13,-40,90,100,0.25"), "");
    EXPECT_EQ(step.years, -1);
    EXPECT_EQ(step.months, 13);
    EXPECT_EQ(step.days, -40);
    EXPECT_EQ(step.hours, 90);
    EXPECT_EQ(step.minutes, 100);
    EXPECT_EQ(step.seconds, 0.25);
}

TEST_F(TimeCommands, PeriodOfAllZerosIsAccepted)
{
    EXPECT_EQ(Run("PERIOD 0,0,0,0,0,0"), "");
    const DateInterval& step = scene.timeStep;
    EXPECT_EQ(step.years + step.months + step.days + step.hours + step.minutes, 0);
    EXPECT_EQ(step.seconds, 0.0);
    EXPECT_EQ(Run("PERIOD"), "");
    EXPECT_EQ(step.minutes, 0);
}

TEST_F(TimeCommands, PeriodRefusesOverflowAndNonFiniteNumbersAndKeepsTheStep)
{
    ExpectRefused("PERIOD ,,,,,inf", "inf");
    ExpectRefused("PERIOD 2147483648", "2147483648");
    ExpectRefused("PERIOD ,,-2147483649", "-2147483649");
    EXPECT_EQ(scene.timeStep.minutes, 3);   // the default, untouched
    // No check beyond that: a step no date can take, and text read as 0.
    EXPECT_EQ(Run("PERIOD 1,x,,,,1e300"), "");
    EXPECT_EQ(scene.timeStep.years, 1);
    EXPECT_EQ(scene.timeStep.months, 0);
    EXPECT_EQ(scene.timeStep.seconds, 1e300);
}

TEST_F(TimeCommands, IncTimeAndDecTimeStepTheCalendar)
{
    SetDate(1582, 10, 4, 10, 0, 0.0);
    EXPECT_EQ(Run("INCTIME 0,0,1"), "");
    ExpectDate(1582, 10, 15, 10, 0, 0.0);
    EXPECT_EQ(Run("DECTIME ,,,34"), "");
    ExpectDate(1582, 10, 4, 0, 0, 0.0);   // October 15, 10:00 less 34 h, across the gap
    EXPECT_EQ(Run("INCTIME ,1"), "");
    ExpectDate(1582, 11, 4, 0, 0, 0.0);

    SetDate(2000, 1, 31, 6, 0, 0.0);
    const double before = scene.time.julianDay;
    EXPECT_EQ(Run("INCTIME ,,,,,86400"), "");
    EXPECT_NEAR(scene.time.julianDay - before, 1.0, 1e-9);
    EXPECT_EQ(Run("DECTIME ,,1"), "");
    EXPECT_NEAR(scene.time.julianDay, before, 1e-9);
    EXPECT_EQ(Run("INCTIME ,1"), "");
    ExpectDate(2000, 3, 2, 6, 0, 0.0);   // January 31 plus a month, leap year
}

TEST_F(TimeCommands, StepPastTheYearRangeLeavesTheDateSilently)
{
    SetDate(30000, 6, 1, 0, 0, 0.0);
    EXPECT_EQ(Run("INCTIME 1"), "");
    ExpectDate(30000, 6, 1, 0, 0, 0.0);
    EXPECT_EQ(Run("INCTIME 0,0,213,23,59,59"), "");
    ExpectDate(30000, 12, 31, 23, 59, 59.0);

    SetDate(-29999, 1, 1, 0, 0, 0.0);
    EXPECT_EQ(Run("DECTIME ,,,,,1"), "");
    ExpectDate(-29999, 1, 1, 0, 0, 0.0);
    EXPECT_EQ(Run("DECTIME 2147483647"), "");
    ExpectDate(-29999, 1, 1, 0, 0, 0.0);
}

TEST_F(TimeCommands, StepRefusesOverflowAndNonFiniteNumbers)
{
    ExpectRefused("INCTIME 4294967296", "4294967296");
    ExpectRefused("DECTIME -9223372036854775809", "-9223372036854775809");
    ExpectRefused("DECTIME ,,,,,nan", "nan");
    // Steps beyond the years leave the date silently; text is 0.
    const DateTime before = scene.time.date;
    EXPECT_EQ(Run("INCTIME ,,,,,1e300"), "");
    EXPECT_EQ(Run("INCTIME ,,,,,2.1e12"), "");
    EXPECT_EQ(Run("INCTIME one"), "");
    EXPECT_EQ(std::memcmp(&before, &scene.time.date, sizeof before), 0);
}

TEST_F(TimeCommands, DateAndStepsMoveTheReferenceOfAnOffsetClockRun)
{
    AnimationState& run = scene.animation;
    run.running = 1;
    run.clockMode = 2;
    run.offsetStartDay = 0.0;
    EXPECT_EQ(Run("DATE 2010,5,6,7,8,9"), "");
    EXPECT_EQ(run.offsetStart.year, 2010);
    EXPECT_EQ(run.offsetStart.minute, 8);
    EXPECT_NEAR(run.offsetStartDay, CurrentJulianDay(), 10 * kSecond);

    run.offsetStartDay = 0.0;
    EXPECT_EQ(Run("INCTIME ,,1"), "");
    EXPECT_EQ(run.offsetStart.day, 7);
    EXPECT_NEAR(run.offsetStartDay, CurrentJulianDay(), 10 * kSecond);
    EXPECT_EQ(Run("DECTIME 1"), "");
    EXPECT_EQ(run.offsetStart.year, 2009);

    // Other runs keep their reference.
    run.clockMode = 0;
    run.offsetStartDay = 0.0;
    EXPECT_EQ(Run("DATE 2011"), "");
    EXPECT_EQ(run.offsetStartDay, 0.0);
    EXPECT_EQ(run.offsetStart.year, 2009);
    run.clockMode = 2;
    run.running = 0;
    EXPECT_EQ(Run("INCTIME 1"), "");
    EXPECT_EQ(run.offsetStartDay, 0.0);
}

// ---------------------------------------------------------------------------
// TIMESYS

TEST_F(TimeCommands, TimeSystemsReexpressTheSameInstant)
{
    SetDate(2000, 1, 1, 12, 0, 0.0);
    const double jd = scene.time.julianDay;

    EXPECT_EQ(Run("TIMESYS ut"), "");
    EXPECT_EQ(scene.timeSystem, 1);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 0.0);
    ExpectDate(2000, 1, 1, 3, 0, 0.0);

    EXPECT_EQ(Run("TIMESYS LMT"), "");
    EXPECT_EQ(scene.timeSystem, 2);
    EXPECT_NEAR(scene.time.date.zone, 139.7 / 15.0, 1e-12);
    EXPECT_NEAR(scene.time.julianDay, jd, 1e-8);

    EXPECT_EQ(Run("TIMESYS LST"), "");
    EXPECT_EQ(scene.timeSystem, 0);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 9.0);
    ExpectDate(2000, 1, 1, 12, 0, 0.0);
}

TEST_F(TimeCommands, TimeSystemRefusesOtherWords)
{
    ExpectRefused("TIMESYS GMT", "GMT");
    ExpectRefused("TIMESYS", "");
}

TEST_F(TimeCommands, TimeSystemRefusedWhenTheZoneShiftLeavesTheYearRange)
{
    EXPECT_EQ(Run("TIMESYS UT"), "");
    SetDate(30000, 12, 31, 20, 0, 0.0);
    ExpectRefused("TIMESYS LST", "LST");
    EXPECT_EQ(scene.timeSystem, 1);
}

// ---------------------------------------------------------------------------
// STIME

TEST_F(TimeCommands, StimeLocksToSunEventsWithMinutesOrDegrees)
{
    const AnimationState& lock = scene.animation;
    EXPECT_EQ(Run("STIME SUNSET -30MIN"), "");
    EXPECT_EQ(lock.sunEventLock, kSunLockSunsetMinutes);
    EXPECT_EQ(lock.sunEventValue, -30);
    EXPECT_EQ(Run("stime sunrise 5deg"), "");
    EXPECT_EQ(lock.sunEventLock, kSunLockRisingAltitude);
    EXPECT_EQ(lock.sunEventValue, 5);
    EXPECT_EQ(Run("STIME SUNSET -18DEG"), "");
    EXPECT_EQ(lock.sunEventLock, kSunLockSettingAltitude);
    EXPECT_EQ(lock.sunEventValue, -18);
    EXPECT_EQ(Run("STIME SUNRISE"), "");
    EXPECT_EQ(lock.sunEventLock, kSunLockSunriseMinutes);
    EXPECT_EQ(lock.sunEventValue, 0);
    EXPECT_EQ(Run("STIME SUNRISE +10081MIN"), "");   // any offset
    EXPECT_EQ(lock.sunEventValue, 10081);
    EXPECT_EQ(Run("STIME NONE"), "");
    EXPECT_EQ(lock.sunEventLock, kSunLockNone);
    EXPECT_EQ(lock.sunEventValue, 0);
}

TEST_F(TimeCommands, StimeValueWithoutUnitClearsTheLockWithAnError)
{
    EXPECT_EQ(Run("STIME SUNSET 5DEG"), "");
    EXPECT_EQ(Run("STIME SUNSET 30"), "stkErrorIllegalParam");
    EXPECT_STREQ(gAppEnv->errorParam, "30");
    EXPECT_EQ(scene.animation.sunEventLock, kSunLockNone);
    EXPECT_EQ(scene.animation.sunEventValue, 0);
}

TEST_F(TimeCommands, StimeRefusesOtherWordsAndOverflow)
{
    EXPECT_EQ(Run("STIME SUNRISE 20MIN"), "");
    ExpectRefused("STIME NOON", "NOON");
    ExpectRefused("STIME", "");
    ExpectRefused("STIME SUNSET 99999999999MIN", "99999999999MIN");
    EXPECT_EQ(scene.animation.sunEventValue, 20);
    // An altitude the Sun never reaches is a lock all the same.
    EXPECT_EQ(Run("STIME SUNRISE 91DEG"), "");
    EXPECT_EQ(scene.animation.sunEventLock, kSunLockRisingAltitude);
    EXPECT_EQ(scene.animation.sunEventValue, 91);
}

// ---------------------------------------------------------------------------
// The lock as the canvas applies it before a redraw

class SunLock : public TimeCommands {
protected:
    void SetUp() override
    {
        TimeCommands::SetUp();
        // A site on the Greenwich meridian at sea level, so the civil day is
        // the UT day and no height shifts the horizon.
        ASSERT_EQ(Run("LOCATE 0,45,0,0,Meridian"), "");
    }
    ObserverLocation Site() const { return scene.time.location; }
};

TEST_F(SunLock, SunriseLockMovesTheClockToSunrisePlusTheOffset)
{
    SetDate(2021, 1, 15, 0, 0, 0.0);
    ASSERT_EQ(Run("STIME SUNRISE +30MIN"), "");
    ApplySunEventTime(scene);
    const double sunrise = scene.time.julianDay - 30 * kMinute;
    // The Sun's centre is then 0.5856 degrees of refraction and its
    // semidiameter (0.27) below the horizon.
    EXPECT_NEAR(NovaSunAltitude(sunrise, Site()), -0.85, 0.25);
    EXPECT_EQ(scene.time.date.day, 15);
    EXPECT_EQ(scene.time.date.hour, 8);   // sunrise about 07:40 UT, plus half an hour
    EXPECT_NEAR(scene.time.julianDay, JulianDayFromDate(scene.time.date), 1e-8);
}

TEST_F(SunLock, SunsetLockBeforeTheEvent)
{
    SetDate(2021, 6, 21, 3, 0, 0.0);
    ASSERT_EQ(Run("STIME SUNSET -30MIN"), "");
    ApplySunEventTime(scene);
    EXPECT_NEAR(NovaSunAltitude(scene.time.julianDay + 30 * kMinute, Site()), -0.85, 0.25);
    EXPECT_EQ(scene.time.date.day, 21);
}

TEST_F(SunLock, AltitudeLocksFollowTheSunThroughThatAltitude)
{
    SetDate(2021, 3, 20, 12, 0, 0.0);
    ASSERT_EQ(Run("STIME SUNSET -6DEG"), "");
    ApplySunEventTime(scene);
    // 0.4 degrees is some two minutes of the Sun's descent here.
    EXPECT_NEAR(NovaSunAltitude(scene.time.julianDay, Site()), -6.0, 0.4);
    EXPECT_GE(scene.time.date.hour, 18);

    ASSERT_EQ(Run("STIME SUNRISE 10DEG"), "");
    ApplySunEventTime(scene);
    EXPECT_NEAR(NovaSunAltitude(scene.time.julianDay, Site()), 10.0, 0.4);
    EXPECT_LT(scene.time.date.hour, 12);
}

TEST_F(SunLock, PolarNightLeavesTheClockAsSet)
{
    ASSERT_EQ(Run("LOCATE ,80N"), "");
    SetDate(2021, 12, 21, 9, 15, 0.0);
    ASSERT_EQ(Run("STIME SUNRISE +30MIN"), "");
    // STIME itself locks, whatever the site.
    EXPECT_EQ(scene.animation.sunEventLock, kSunLockSunriseMinutes);
    EXPECT_EQ(scene.animation.sunEventValue, 30);
    ApplySunEventTime(scene);
    ExpectDate(2021, 12, 21, 9, 15, 0.0);
}

TEST_F(SunLock, NoLockOnlyRebuildsTheTimeRecord)
{
    SetDate(2021, 1, 15, 4, 5, 6.0);
    scene.time.julianDay = 0.0;
    ApplySunEventTime(scene);
    ExpectDate(2021, 1, 15, 4, 5, 6.0);
}

// ---------------------------------------------------------------------------
// LOCATE

TEST_F(TimeCommands, LocateSetsEverySiteField)
{
    SetSite(0.0, 0.0, 0.0, 0.0);
    const double jd = scene.time.julianDay;
    EXPECT_EQ(Run("LOCATE 139.7E, 35.7N, 9, 40, Tokyo"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 139.7);
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, 35.7);
    EXPECT_DOUBLE_EQ(scene.time.location.height, 40.0);
    EXPECT_STREQ(scene.siteName, "Tokyo");
    // The same instant, now told in the site's zone.
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 9.0);
    EXPECT_DOUBLE_EQ(scene.siteZone, 9.0);
    EXPECT_NEAR(scene.time.julianDay, jd, 1e-8);
    EXPECT_EQ(scene.time.date.hour, 21);
    // The sidereal time follows the new longitude.
    EXPECT_NEAR(scene.time.localSiderealTime,
                std::fmod(LocalSiderealTime(jd, 0.0) + 139.7, 360.0), 1e-6);
}

TEST_F(TimeCommands, LocateSignLettersAndRelativeMoves)
{
    EXPECT_EQ(Run("LOCATE 10W"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, -10.0);
    EXPECT_STREQ(scene.siteName, "Tokyo");   // no name given: kept
    EXPECT_EQ(Run("LOCATE -10"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, -20.0);
    EXPECT_EQ(Run("LOCATE +5w"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, -25.0);
    EXPECT_EQ(Run("LOCATE 170"), "");
    EXPECT_EQ(Run("LOCATE +20"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, -170.0);
    EXPECT_EQ(Run("LOCATE 180"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 180.0);
    EXPECT_EQ(Run("LOCATE 0"), "");
    EXPECT_EQ(Run("LOCATE +1000"), "");   // one turn taken off, no more
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 640.0);
    EXPECT_EQ(Run("LOCATE -3620E"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, -2620.0);

    EXPECT_EQ(Run("LOCATE ,95N"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, 90.0);
    EXPECT_EQ(Run("LOCATE ,10s"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, -10.0);
    EXPECT_EQ(Run("LOCATE ,+5"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, -5.0);
    EXPECT_EQ(Run("LOCATE ,-100"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, -90.0);
    EXPECT_DOUBLE_EQ(scene.time.location.height, 40.0);
}

TEST_F(TimeCommands, LocateZoneFollowsTheTimeSystem)
{
    const double jd = scene.time.julianDay;
    EXPECT_EQ(Run("TIMESYS UT"), "");
    EXPECT_EQ(Run("LOCATE 2.35,48.85,1,35,Paris"), "");
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 0.0);   // UT: the zone is ignored
    EXPECT_DOUBLE_EQ(scene.siteZone, 9.0);

    EXPECT_EQ(Run("TIMESYS LMT"), "");
    EXPECT_EQ(Run("LOCATE 30"), "");
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 2.0);   // the new longitude's mean time
    EXPECT_NEAR(scene.time.julianDay, jd, 1e-8);
}

TEST_F(TimeCommands, LocateRefusesNonFiniteNumbersAndZonesBeyondTheYears)
{
    ExpectRefused("LOCATE nan", "nan");
    ExpectRefused("LOCATE -nan", "-nan");
    ExpectRefused("LOCATE inf", "inf");
    ExpectRefused("LOCATE ,nan", "nan");
    ExpectRefused("LOCATE 10,10,inf", "inf");
    ExpectRefused("LOCATE 10,10,9,nan,Nowhere", "nan");
    ExpectRefused("LOCATE 10,10,1e300", "1e300");   // no date in that zone
    // Finite numbers are taken as they come, text as 0, nothing reported.
    EXPECT_EQ(Run("LOCATE 10,10,25,1e300"), "");
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 25.0);
    EXPECT_DOUBLE_EQ(scene.time.location.height, 1e300);
    EXPECT_EQ(Run("LOCATE 1e300,1e300N"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 1e300);
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, 90.0);
    EXPECT_EQ(Run("LOCATE 5,abc"), "");
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, 0.0);
}

TEST_F(TimeCommands, LocateNameIsCutToTheField)
{
    const std::string name(100, 'x');
    EXPECT_EQ(Run(("LOCATE ,,,,\"" + name + "\"").c_str()), "");
    EXPECT_EQ(std::string(scene.siteName), name.substr(0, 63));
}

class LocateBySite : public TimeCommands {
protected:
    void SetUp() override
    {
        TimeCommands::SetUp();
        const std::string path = TestHome() + "/h15-sites.obs";
        WriteFile(path, SiteRecord("Kyoto (Japan)", 135.767, 35.0, 50, 9.0) +
                            SiteRecord("Quito (Ecuador)", -78.5, -0.217, 2850, -5.0) +
                            SiteRecord("Longyearbyen (Norway)", 15.633, 78.217, 10, 1.0) +
                            SiteRecord("Bad", 999.999, 99.999, 9999, 99.99));
        std::snprintf(gAppEnv->siteFile, kPathSize, "%s", path.c_str());
    }
};

TEST_F(LocateBySite, LocateTakesANamedSiteFromTheSiteList)
{
    const double jd = scene.time.julianDay;
    EXPECT_EQ(Run("LOCATE \"Quito (Ecuador)\""), "");
    EXPECT_NEAR(scene.time.location.longitude, -78.5, 1e-9);
    EXPECT_NEAR(scene.time.location.latitude, -0.217, 1e-9);
    EXPECT_DOUBLE_EQ(scene.time.location.height, 2850.0);
    EXPECT_STREQ(scene.siteName, "Quito (Ecuador)");
    EXPECT_DOUBLE_EQ(scene.time.date.zone, -5.0);
    EXPECT_DOUBLE_EQ(scene.siteZone, -5.0);
    EXPECT_NEAR(scene.time.julianDay, jd, 1e-8);

    EXPECT_EQ(Run("TIMESYS UT"), "");
    EXPECT_EQ(Run("LOCATE \"Kyoto (Japan)\""), "");
    EXPECT_NEAR(scene.time.location.longitude, 135.767, 1e-9);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 0.0);
    EXPECT_DOUBLE_EQ(scene.siteZone, -5.0);
}

// A name the site list does not hold is read as the longitude it is not,
// 0, without a word.
TEST_F(LocateBySite, UnknownOrMisspelledSiteReadsAsLongitudeZero)
{
    for (const char* text : {"LOCATE Atlantis", "LOCATE \"kyoto (japan)\"", "LOCATE Kyoto", "LOCATE Bad"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Run("LOCATE 20"), "");
        EXPECT_EQ(Run(text), "");
        EXPECT_DOUBLE_EQ(scene.time.location.longitude, 0.0);
        EXPECT_STREQ(scene.siteName, "Tokyo");
    }
    // A found name stands alone: what follows it is not read.
    EXPECT_EQ(Run("LOCATE \"Kyoto (Japan)\",35"), "");
    EXPECT_NEAR(scene.time.location.latitude, 35.0, 1e-9);
    EXPECT_NEAR(scene.time.location.longitude, 135.767, 1e-9);
    // The list ends at the record off the Earth, after every other site.
    EXPECT_EQ(Run("LOCATE \"Longyearbyen (Norway)\""), "");
    EXPECT_NEAR(scene.time.location.latitude, 78.217, 1e-9);
}

TEST_F(LocateBySite, SunriseLockEndsWhereTheSunDoesNotRise)
{
    SetDate(2021, 12, 21, 12, 0, 0.0);
    EXPECT_EQ(Run("STIME SUNRISE +30MIN"), "");
    // In Kyoto the Sun rises: the lock stays.
    EXPECT_EQ(Run("LOCATE \"Kyoto (Japan)\""), "");
    EXPECT_EQ(scene.animation.sunEventLock, kSunLockSunriseMinutes);

    // Polar night: the lock ends, with a box (none here, without a
    // display) and no error, also through the command port.
    EXPECT_EQ(Run("LOCATE \"Longyearbyen (Norway)\""), "");
    EXPECT_EQ(scene.animation.sunEventLock, kSunLockNone);
    EXPECT_EQ(scene.animation.sunEventValue, 0);
    EXPECT_STREQ(scene.siteName, "Longyearbyen (Norway)");   // the move itself stands
}

TEST_F(LocateBySite, SunsetAndAltitudeLocksEndInPolarDay)
{
    SetDate(2021, 6, 21, 12, 0, 0.0);
    EXPECT_EQ(Run("STIME SUNSET -6DEG"), "");
    EXPECT_EQ(Run("LOCATE ,78N"), "");
    EXPECT_EQ(scene.animation.sunEventLock, kSunLockNone);

    gAppEnv->quiet = 0;
    EXPECT_EQ(Run("LOCATE ,0N; STIME SUNRISE 5DEG; LOCATE ,-80"), "");
    EXPECT_EQ(scene.animation.sunEventLock, kSunLockNone);
}

TEST_F(TimeCommands, LocateReportsNothingWithoutALock)
{
    SetDate(2021, 12, 21, 12, 0, 0.0);
    EXPECT_EQ(Run("LOCATE ,89N"), "");
    EXPECT_EQ(gAppEnv->errorKey[0], '\0');
}

}  // namespace
