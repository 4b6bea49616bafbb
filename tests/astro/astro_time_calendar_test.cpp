// Calendar, Julian day, interval arithmetic and date validity, checked
// against ERFA (Gregorian dates), libnova (Julian-calendar dates) and the
// worked values of Meeus, Astronomical Algorithms, table 7.a.
#include <gtest/gtest.h>

#include "astro/calendar.h"

#include <erfa.h>
#include <libnova/julian_day.h>

#include <cmath>
#include <limits>

namespace {

DateTime MakeDate(int32_t year, int32_t month, int32_t day, int32_t hour = 0, int32_t minute = 0,
                  double second = 0, double zone = 0)
{
    return DateTime{year, month, day, hour, minute, second, zone};
}

DateInterval MakeInterval(int32_t years, int32_t months, int32_t days, int32_t hours = 0,
                          int32_t minutes = 0, double seconds = 0)
{
    return DateInterval{years, months, days, hours, minutes, seconds};
}

void ExpectDate(const DateTime& date, int32_t year, int32_t month, int32_t day, int32_t hour,
                int32_t minute, double second)
{
    EXPECT_EQ(date.year, year);
    EXPECT_EQ(date.month, month);
    EXPECT_EQ(date.day, day);
    EXPECT_EQ(date.hour, hour);
    EXPECT_EQ(date.minute, minute);
    EXPECT_DOUBLE_EQ(date.second, second);
}

int32_t DaysInMonth(int32_t year, int32_t month)
{
    DateTime probe = MakeDate(year, month, 31);
    while (!IsValidDate(probe))
        --probe.day;
    return probe.day;
}

} // namespace

TEST(Calendar, JulianDaysMatchMeeusTable)
{
    struct Case {
        double year, month, day, jd;
    };
    const Case cases[] = {
        {2000, 1, 1.5, 2451545.0},   {1999, 1, 1.0, 2451179.5},   {1987, 1, 27.0, 2446822.5},
        {1987, 6, 19.5, 2446966.0},  {1988, 1, 27.0, 2447187.5},  {1988, 6, 19.5, 2447332.0},
        {1900, 1, 1.0, 2415020.5},   {1600, 1, 1.0, 2305447.5},   {1600, 12, 31.0, 2305812.5},
        {837, 4, 10.3, 2026871.8},   {-123, 12, 31.0, 1676496.5}, {-122, 1, 1.0, 1676497.5},
        {-1000, 7, 12.5, 1356001.0}, {-1000, 2, 29.0, 1355866.5}, {-1001, 8, 17.9, 1355671.4},
        {-4712, 1, 1.5, 0.0},        {1582, 10, 15.0, 2299160.5}, {1582, 10, 4.0, 2299159.5},
        {333, 1, 27.5, 1842713.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_NEAR(JulianDayFromCalendar(c.year, c.month, c.day), c.jd, 1e-9);
        int32_t year = 0, month = 0;
        double day = 0;
        CalendarFromJulianDay(c.jd, year, month, day);
        EXPECT_EQ(year, c.year);
        EXPECT_EQ(month, c.month);
        EXPECT_NEAR(day, c.day, 1e-8);
    }
}

TEST(Calendar, GregorianDatesMatchErfa)
{
    // ERFA's calendar is proleptic Gregorian, so it speaks for 1582 October 15 on.
    for (int32_t year = 1582; year <= 30000; year += 7) {
        for (int32_t month = 1; month <= 12; ++month) {
            for (int32_t day : {1, 15, DaysInMonth(year, month)}) {
                if (year == 1582 && (month < 10 || (month == 10 && day < 15)))
                    continue;
                double mjd0 = 0, mjd = 0;
                ASSERT_EQ(eraCal2jd(year, month, day, &mjd0, &mjd), 0);
                ASSERT_EQ(JulianDayFromCalendar(year, month, day), mjd0 + mjd)
                    << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(Calendar, JulianCalendarDatesMatchLibnova)
{
    // libnova counts the Julian calendar before the reform; its own switch
    // is a day off at 1582 October 4 and it fails before -4712, so ask it
    // only inside that span.
    for (int32_t year = -4712; year <= 1581; year += 3) {
        for (int32_t month = 1; month <= 12; ++month) {
            ln_date date{year, month, DaysInMonth(year, month), 6, 0, 0};
            ASSERT_EQ(JulianDayFromCalendar(year, month, date.days + 0.25),
                      ln_get_julian_day(&date))
                << year << "-" << month;
        }
    }
}

TEST(Calendar, EveryDayRoundTripsAndFollowsTheDayBefore)
{
    double previous = JulianDayFromCalendar(-30000, 12, 31);
    for (int32_t year = kFirstYear; year <= kLastYear; ++year) {
        for (int32_t month = 1; month <= 12; ++month) {
            const int32_t last = DaysInMonth(year, month);
            for (int32_t day = 1; day <= last; ++day) {
                if (year == 1582 && month == 10 && day == 5)
                    day = 15;
                const double jd = JulianDayFromCalendar(year, month, day);
                if (jd != previous + 1)
                    FAIL() << "day after JD " << previous << " is " << year << "-" << month << "-"
                           << day << " at JD " << jd;
                int32_t y = 0, m = 0;
                double d = 0;
                CalendarFromJulianDay(jd, y, m, d);
                if (y != year || m != month || d != day)
                    FAIL() << year << "-" << month << "-" << day << " came back as " << y << "-"
                           << m << "-" << d;
                previous = jd;
            }
        }
    }
}

TEST(Calendar, DateFromJulianDayKeepsWholeMinutesWhole)
{
    DateTime date = MakeDate(0, 0, 0, 0, 0, 0, 5.5);
    DateFromJulianDay(JulianDayFromDate(MakeDate(2000, 1, 1, 10, 0, 0)), date);
    ExpectDate(date, 2000, 1, 1, 10, 0, 0.0);
    EXPECT_EQ(date.zone, 5.5);

    for (int32_t minute = 0; minute < 24 * 60; ++minute) {
        const DateTime in = MakeDate(-12345, 6, 7, minute / 60, minute % 60, 0);
        DateFromJulianDay(JulianDayFromDate(in), date);
        ASSERT_EQ(date.hour * 60 + date.minute, minute);
        ASSERT_EQ(date.second, 0.0);
    }

    // The last millisecond before midnight rounds up into the next day.
    DateFromJulianDay(JulianDayFromCalendar(2024, 2, 29) + 1 - 1e-10, date);
    ExpectDate(date, 2024, 3, 1, 0, 0, 0.0);
    DateFromJulianDay(JulianDayFromDate(MakeDate(1987, 6, 19, 13, 45, 12.25)), date);
    ExpectDate(date, 1987, 6, 19, 13, 45, 12.25);
}

TEST(Calendar, NonFiniteJulianDaysGiveDatesOutsideTheRange)
{
    const double inputs[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300, -1e300};
    for (double jd : inputs) {
        DateTime date{};
        DateFromJulianDay(jd, date);
        EXPECT_TRUE(date.year < kFirstYear || date.year > kLastYear) << jd;
        EXPECT_GE(date.hour, 0);
        EXPECT_LT(date.hour, 24);
    }
}

TEST(Calendar, JulianDayFromDateAppliesClockAndZone)
{
    // 09:00 at nine hours east of UT is 00:00 UT.
    EXPECT_EQ(JulianDayFromDate(MakeDate(2000, 1, 1, 9, 0, 0, 9.0)), 2451544.5);
    EXPECT_NEAR(JulianDayFromDate(MakeDate(2000, 1, 1, 12, 30, 45, -2.0)),
                2451545.0 + (2 * 3600 + 30 * 60 + 45) / 86400.0, 1e-9);
}

TEST(DateArithmetic, StepsOverTheReformGap)
{
    DateTime date = MakeDate(1582, 10, 4, 12, 0, 0);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 1), 0), 1);
    ExpectDate(date, 1582, 10, 15, 12, 0, 0);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 1), 1), 1);
    ExpectDate(date, 1582, 10, 4, 12, 0, 0);

    date = MakeDate(1582, 9, 7);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 1, 0), 0), 1);
    ExpectDate(date, 1582, 10, 4, 0, 0, 0);
    date = MakeDate(1582, 9, 12);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 1, 0), 0), 1);
    ExpectDate(date, 1582, 10, 15, 0, 0, 0);
}

TEST(DateArithmetic, CarriesMonthsAndYears)
{
    DateTime date = MakeDate(2001, 12, 10);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 12, 0), 0), 1);
    ExpectDate(date, 2002, 12, 10, 0, 0, 0);

    date = MakeDate(2001, 1, 10);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 13, 0), 1), 1);
    ExpectDate(date, 1999, 12, 10, 0, 0, 0);

    date = MakeDate(2001, 1, 31);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 1, 0), 0), 1);
    ExpectDate(date, 2001, 3, 3, 0, 0, 0);
    date = MakeDate(2004, 1, 31);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 1, 0), 0), 1);
    ExpectDate(date, 2004, 3, 2, 0, 0, 0);

    date = MakeDate(2004, 2, 29);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(1, 0, 0), 0), 1);
    ExpectDate(date, 2005, 3, 1, 0, 0, 0);

    date = MakeDate(-1, 3, 1);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 1), 1), 1);
    ExpectDate(date, -1, 2, 28, 0, 0, 0);
    date = MakeDate(-4, 3, 1);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 1), 1), 1);
    ExpectDate(date, -4, 2, 29, 0, 0, 0);
}

TEST(DateArithmetic, CarriesTheClock)
{
    DateTime date = MakeDate(2010, 3, 1, 10, 0, 0);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 0, 34), 1), 1);
    ExpectDate(date, 2010, 2, 28, 0, 0, 0);

    date = MakeDate(2010, 1, 31, 25, 90, 0, 3.0);
    ASSERT_EQ(DateNormalize(date), 1);
    ExpectDate(date, 2010, 2, 1, 2, 30, 0);
    EXPECT_EQ(date.zone, 3.0);

    date = MakeDate(2010, 1, 1, 0, 0, 0);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 0, 0, 0, 100000.5), 0), 1);
    ExpectDate(date, 2010, 1, 2, 3, 46, 40.5);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 0, 0, 0, 100000.5), 1), 1);
    ExpectDate(date, 2010, 1, 1, 0, 0, 0);
}

TEST(DateArithmetic, ZoneChangeMovesTheClockButNotTheZoneField)
{
    DateTime date = MakeDate(2010, 1, 1, 2, 0, 0, 1.0);
    ASSERT_EQ(DateChangeZone(date, -5.5), 1);
    ExpectDate(date, 2009, 12, 31, 19, 30, 0);
    EXPECT_EQ(date.zone, 1.0);

    // The date's own zone never moves the day in the arithmetic.
    date = MakeDate(2010, 1, 1, 23, 0, 0, -12.0);
    ASSERT_EQ(DateAddInterval(date, MakeInterval(0, 0, 1), 0), 1);
    ExpectDate(date, 2010, 1, 2, 23, 0, 0);
}

TEST(DateArithmetic, RefusesToLeaveTheYearRange)
{
    DateTime date = MakeDate(30000, 12, 31, 23, 0, 0, 2.0);
    const DateTime before = date;
    EXPECT_EQ(DateAddInterval(date, MakeInterval(0, 0, 0, 1), 0), 0);
    ExpectDate(date, before.year, before.month, before.day, before.hour, before.minute,
               before.second);
    EXPECT_EQ(date.zone, 2.0);
    EXPECT_EQ(DateChangeZone(date, 3.5), 0);
    ExpectDate(date, 30000, 12, 31, 23, 0, 0);

    date = MakeDate(29999, 12, 31);
    EXPECT_EQ(DateAddInterval(date, MakeInterval(0, 0, 1), 0), 1);
    ExpectDate(date, 30000, 1, 1, 0, 0, 0);

    date = MakeDate(-29998, 1, 1);
    EXPECT_EQ(DateAddInterval(date, MakeInterval(1, 0, 0), 1), 1);
    ExpectDate(date, -29999, 1, 1, 0, 0, 0);
    EXPECT_EQ(DateAddInterval(date, MakeInterval(0, 0, 1), 1), 0);
    ExpectDate(date, -29999, 1, 1, 0, 0, 0);
    EXPECT_EQ(DateAddInterval(date, MakeInterval(1, 0, 0), 1), 0);
    ExpectDate(date, -29999, 1, 1, 0, 0, 0);
}

TEST(DateArithmetic, RefusesIntervalsNoDateCanHold)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const DateInterval bad[] = {
        MakeInterval(0, 0, 0, 0, 0, nan),      MakeInterval(0, 0, 0, 0, 0, inf),
        MakeInterval(0, 0, 0, 0, 0, 1e300),    MakeInterval(0, 0, 0, 0, 0, 1e13),
        MakeInterval(INT32_MAX, 0, 0),         MakeInterval(INT32_MIN, 0, 0),
        MakeInterval(0, INT32_MIN, 0),         MakeInterval(0, INT32_MAX, 0),
        MakeInterval(0, 0, INT32_MIN),         MakeInterval(0, 0, 0, INT32_MAX, INT32_MAX),
    };
    for (const DateInterval& interval : bad) {
        for (int32_t subtract : {0, 1}) {
            DateTime date = MakeDate(2000, 6, 15, 12, 30, 15.5, 1.0);
            EXPECT_EQ(DateAddInterval(date, interval, subtract), 0);
            ExpectDate(date, 2000, 6, 15, 12, 30, 15.5);
        }
    }
    DateTime date = MakeDate(2000, 6, 15, 12, 30, 15.5, 1.0);
    EXPECT_EQ(DateChangeZone(date, nan), 0);
    EXPECT_EQ(DateApplyInterval(date, MakeInterval(0, 0, 0, 0, 0, inf), 0), 0);
    ExpectDate(date, 2000, 6, 15, 12, 30, 15.5);
}

TEST(DateValidity, FollowsTheCalendarOfTheYear)
{
    EXPECT_EQ(IsValidDate(MakeDate(2000, 2, 29)), 1);
    EXPECT_EQ(IsValidDate(MakeDate(1900, 2, 29)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(1500, 2, 29)), 1);
    EXPECT_EQ(IsValidDate(MakeDate(-4, 2, 29)), 1);
    EXPECT_EQ(IsValidDate(MakeDate(-3, 2, 29)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(1582, 10, 4)), 1);
    EXPECT_EQ(IsValidDate(MakeDate(1582, 10, 5)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(1582, 10, 10)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(1582, 10, 14)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(1582, 10, 15)), 1);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 4, 31)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 0, 1)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 13, 1)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 1, 0)), 0);
}

TEST(DateValidity, AcceptsClocksUpTo36HoursAnd60Minutes)
{
    EXPECT_EQ(IsValidDate(MakeDate(2001, 1, 1, 36, 60, -5.0, 99.0)), 1);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 1, 1, 37, 0)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 1, 1, 0, 61)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 1, 1, -1, 0)), 0);
    EXPECT_EQ(IsValidDate(MakeDate(2001, 1, 1, 0, -1)), 0);
}

TEST(CurrentDate, ReadsTheLocalClockAndStoresTheGivenZone)
{
    DateTime date{};
    GetCurrentDate(date, 9.5);
    EXPECT_EQ(date.zone, 9.5);
    EXPECT_EQ(IsValidDate(date), 1);
    EXPECT_EQ(date.second, std::floor(date.second));
    EXPECT_GE(date.year, 2024);
}
