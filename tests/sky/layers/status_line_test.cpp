// The status line's texts, made without an X server from the compiled
// fallback resources: the date in its three styles with the weekday, the
// site with its hemisphere letters and zone sign, the field of view, the
// Moon's age, and which resource formats are safe to use.
#include <gtest/gtest.h>

#include "astro/calendar.h"
#include "core/app_env.h"
#include "sky/layers/status_line.h"

#include <string>

namespace {

class StatusText : public ::testing::Test {
protected:
    void SetUp() override { ResetAppEnv(); }
};

std::string Date(const DateTime& date, int32_t style)
{
    char text[kStatusTextSize];
    FormatStatusDate(date, style, text, sizeof text);
    return text;
}

std::string Site(double longitude, double latitude, double zone, const char* name)
{
    char text[kStatusTextSize];
    FormatStatusSite(ObserverLocation{latitude, longitude, 0.0}, zone, name, text, sizeof text);
    return text;
}

std::string Age(double age)
{
    char text[16];
    FormatMoonAge(age, text, sizeof text);
    return text;
}

const DateTime kSaturdayNoon{2026, 12, 5, 12, 0, 0.0, 9.0};

TEST_F(StatusText, DateInTheThreeStyles)
{
    EXPECT_EQ(Date(kSaturdayNoon, 2), " 5/12/2026(Sat) 12:00  ");
    EXPECT_EQ(Date(kSaturdayNoon, 1), "2026/12/ 5(Sat) 12:00  ");
    EXPECT_EQ(Date(kSaturdayNoon, 0), "Sat Dec  5, 2026 12:00  ");
    EXPECT_EQ(Date(kSaturdayNoon, 7), "Sat Dec  5, 2026 12:00  ");   // any other style is English
    const DateTime morning{1999, 1, 31, 7, 5, 59.9, -5.0};
    EXPECT_EQ(Date(morning, 2), "31/ 1/1999(Sun)  7:05  ");
    EXPECT_EQ(Date(morning, 1), "1999/ 1/31(Sun)  7:05  ");
    EXPECT_EQ(Date(morning, 0), "Sun Jan 31, 1999 07:05  ");
}

TEST_F(StatusText, DateTextIsCutToItsBuffer)
{
    char text[8];
    FormatStatusDate(kSaturdayNoon, 2, text, sizeof text);
    EXPECT_EQ(std::string(text), " 5/12/2");
}

TEST_F(StatusText, WeekdaysOfKnownDates)
{
    EXPECT_EQ(StatusWeekday(DateTime{2000, 1, 1, 0, 0, 0.0, 0.0}), 6);      // Saturday
    EXPECT_EQ(StatusWeekday(DateTime{1582, 10, 15, 0, 0, 0.0, 0.0}), 5);    // Friday, first Gregorian day
    EXPECT_EQ(StatusWeekday(DateTime{1582, 10, 4, 0, 0, 0.0, 0.0}), 4);     // Thursday, last Julian day
    EXPECT_EQ(StatusWeekday(DateTime{-4712, 1, 1, 0, 0, 0.0, 0.0}), 1);     // JD 0 is a Monday
    EXPECT_EQ(StatusWeekday(DateTime{-4713, 12, 30, 0, 0, 0.0, 0.0}), 6);   // JD -2, a Saturday
    // The clock and the zone do not move the date's weekday.
    EXPECT_EQ(StatusWeekday(DateTime{2026, 12, 5, 23, 59, 59.0, -12.0}), 6);
    EXPECT_EQ(StatusWeekday(DateTime{2026, 12, 5, 0, 0, 0.0, 14.0}), 6);
}

TEST_F(StatusText, WeekdaysRunOnEveryDayBeforeTheJulianDayEpoch)
{
    // Going back a day at a time from JD 0 the weekday steps back by one;
    // truncating a negative Julian day would repeat a weekday at the epoch.
    DateTime date{-4712, 1, 1, 12, 0, 0.0, 0.0};
    const DateInterval oneDay{0, 0, 1, 0, 0, 0.0};
    int32_t expected = 1;
    for (int n = 0; n < 400; ++n) {
        ASSERT_EQ(StatusWeekday(date), expected) << date.year << "/" << date.month << "/" << date.day;
        ASSERT_EQ(DateApplyInterval(date, oneDay, 1), 1);
        expected = (expected + 6) % 7;
    }
    EXPECT_EQ(StatusWeekday(DateTime{-29999, 1, 1, 0, 0, 0.0, 0.0}),
              StatusWeekday(DateTime{-29999, 1, 8, 0, 0, 0.0, 0.0}));
}

TEST_F(StatusText, SiteLettersAndZoneSignAtTheBoundaries)
{
    EXPECT_EQ(Site(0.0, 0.0, 0.0, "Null Island"), "0.00\260E 0.00\260N (+0.0h)  Null Island");
    EXPECT_EQ(Site(-0.01, -0.01, -0.5, "x"), "0.01\260W 0.01\260S (-0.5h)  x");
    EXPECT_EQ(Site(139.77, 35.68, 9.0, "Tokyo"), "139.77\260E 35.68\260N (+9.0h)  Tokyo");
    EXPECT_EQ(Site(-73.97, 40.78, -5.0, "New York"), "73.97\260W 40.78\260N (-5.0h)  New York");
    EXPECT_EQ(Site(151.21, -33.87, 10.0, "Sydney"), "151.21\260E 33.87\260S (+10.0h)  Sydney");
}

TEST_F(StatusText, FieldOfView)
{
    char text[kStatusTextSize];
    FormatStatusWidth(60.0, text, sizeof text);
    EXPECT_EQ(std::string(text), "W:60.0\260");
    FormatStatusWidth(0.25, text, sizeof text);
    EXPECT_EQ(std::string(text), "W:0.2\260");
}

TEST_F(StatusText, MoonAgeIsRoundedToWholeDays)
{
    EXPECT_EQ(Age(0.2), "00");
    EXPECT_EQ(Age(7.49), "07");
    EXPECT_EQ(Age(7.5), "08");
    EXPECT_EQ(Age(14.8), "15");
    EXPECT_EQ(Age(29.4), "29");
    EXPECT_EQ(Age(kNeverJulianDay), "00");
}

}  // namespace
