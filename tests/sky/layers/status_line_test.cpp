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

TEST_F(StatusText, DateInTheThreeStylesCutToItsBuffer)
{
    // European, Japanese, English; any other style is English.
    const DateTime morning{1999, 1, 31, 7, 5, 59.9, -5.0};
    for (auto [date, style, text] :
         {std::tuple{kSaturdayNoon, 2, " 5/12/2026(Sat) 12:00  "}, {kSaturdayNoon, 1, "2026/12/ 5(Sat) 12:00  "},
          {kSaturdayNoon, 0, "Sat Dec  5, 2026 12:00  "}, {kSaturdayNoon, 7, "Sat Dec  5, 2026 12:00  "},
          {morning, 2, "31/ 1/1999(Sun)  7:05  "}, {morning, 1, "1999/ 1/31(Sun)  7:05  "},
          {morning, 0, "Sun Jan 31, 1999 07:05  "}})
        EXPECT_EQ(Date(date, style), text) << style;
    char text[8];
    FormatStatusDate(kSaturdayNoon, 2, text, sizeof text);
    EXPECT_EQ(std::string(text), " 5/12/2");
}

TEST_F(StatusText, WeekdaysOfKnownDatesAndOfEveryDayBeforeTheJulianDayEpoch)
{
    // JD 0 is a Monday, JD -2 a Saturday; the clock and the zone do not
    // move the date's weekday.
    for (auto [date, weekday] :
         {std::pair{DateTime{2000, 1, 1, 0, 0, 0.0, 0.0}, 6}, {DateTime{1582, 10, 15, 0, 0, 0.0, 0.0}, 5},
          {DateTime{1582, 10, 4, 0, 0, 0.0, 0.0}, 4}, {DateTime{-4712, 1, 1, 0, 0, 0.0, 0.0}, 1},
          {DateTime{-4713, 12, 30, 0, 0, 0.0, 0.0}, 6}, {DateTime{2026, 12, 5, 23, 59, 59.0, -12.0}, 6},
          {DateTime{2026, 12, 5, 0, 0, 0.0, 14.0}, 6}})
        EXPECT_EQ(StatusWeekday(date), weekday) << date.year << "/" << date.month << "/" << date.day;
    // Going back a day at a time from JD 0 the weekday steps back by one;
    // truncating a negative Julian day would repeat a weekday at the epoch.
    DateTime date{-4712, 1, 1, 12, 0, 0.0, 0.0};
    int32_t expected = 1;
    for (int n = 0; n < 400; ++n) {
        ASSERT_EQ(StatusWeekday(date), expected) << date.year << "/" << date.month << "/" << date.day;
        ASSERT_EQ(DateApplyInterval(date, DateInterval{0, 0, 1, 0, 0, 0.0}, 1), 1);
        expected = (expected + 6) % 7;
    }
    EXPECT_EQ(StatusWeekday(DateTime{-29999, 1, 1, 0, 0, 0.0, 0.0}),
              StatusWeekday(DateTime{-29999, 1, 8, 0, 0, 0.0, 0.0}));
}

TEST_F(StatusText, SiteFieldOfViewAndMoonAge)
{
    // Hemisphere letters and the zone's sign at the boundaries.
    for (auto [longitude, latitude, zone, name, text] :
         {std::tuple{0.0, 0.0, 0.0, "Null Island", "0.00\260E 0.00\260N (+0.0h)  Null Island"},
          {-0.01, -0.01, -0.5, "x", "0.01\260W 0.01\260S (-0.5h)  x"},
          {139.77, 35.68, 9.0, "Tokyo", "139.77\260E 35.68\260N (+9.0h)  Tokyo"},
          {-73.97, 40.78, -5.0, "New York", "73.97\260W 40.78\260N (-5.0h)  New York"},
          {151.21, -33.87, 10.0, "Sydney", "151.21\260E 33.87\260S (+10.0h)  Sydney"}})
        EXPECT_EQ(Site(longitude, latitude, zone, name), text);
    char text[kStatusTextSize];
    for (auto [field, width] : {std::pair{60.0, "W:60.0\260"}, {0.25, "W:0.2\260"}}) {
        FormatStatusWidth(field, text, sizeof text);
        EXPECT_STREQ(text, width);
    }
    // The age rounded to whole days; none known is 0.
    for (auto [age, days] : {std::pair{0.2, "00"}, {7.49, "07"}, {7.5, "08"}, {14.8, "15"}, {29.4, "29"},
                             {kNeverJulianDay, "00"}})
        EXPECT_EQ(Age(age), days) << age;
}

}  // namespace
