// Calendar arithmetic on the time records: Julian days in both directions
// with the Julian/Gregorian switch of 1582, calendar-aware addition of
// intervals, time-zone shifts, date validation and the local clock.
//
// Years use astronomical numbering (year 0 exists). The Julian calendar holds
// up to 1582 October 4, the Gregorian from 1582 October 15; the ten days
// between do not exist and the arithmetic here steps over them. Julian days
// are UT unless a function says it takes local time.
#pragma once

#include "astro/time_records.h"

#include <array>
#include <cstdint>

// Days of each month in a common year, indexed by month 1..12 (entry 0 is 0
// and never read).
extern const std::array<int32_t, 13> MonthDaysTable;

// Range of years a date may take after calendar arithmetic.
constexpr int32_t kFirstYear = -29999;
constexpr int32_t kLastYear = 30000;

// The local calendar date and clock time from the system clock.
// Given:    zone   hours east of UT to store in the record (the initial site's
//                  zone, not the system's)
// Returned: date   year, month 1..12, day, hour, minute, whole seconds of the
//                  process's local time; `zone` = the given zone
void GetCurrentDate(DateTime& date, double zone);

// Julian day of a calendar date (Julian calendar up to 1582 October 4,
// Gregorian from October 15).
// Given:    year   astronomical year
//           month  1..12 (other values count on from January of the year)
//           day    day of month with fraction (1.5 = noon of the 1st)
// Returned: Julian day
double JulianDayFromCalendar(double year, double month, double day);

// Calendar date of a Julian day (Meeus, Astronomical Algorithms, ch. 7),
// valid for negative Julian days too. Julian days beyond about a million
// years either side, and non-finite ones, are clamped to that limit.
// Given:    jd     Julian day
// Returned: year   astronomical year
//           month  1..12
//           day    day of month with fraction
void CalendarFromJulianDay(double jd, int32_t& year, int32_t& month, double& day);

// Julian day (UT) of a local date: the calendar day plus the clock, less the zone.
double JulianDayFromDate(const DateTime& date);

// Date and clock of a Julian day. The day fraction is rounded to the
// millisecond first, so that a whole minute comes back as a whole minute.
// Given:    jd     Julian day already shifted to local time by the caller
// Returned: date   year, month, day, hour, minute, second; `zone` untouched
void DateFromJulianDay(double jd, DateTime& date);

// Calendar arithmetic: the date plus (or minus) the interval, field by field
// (clock, days, months, years), with no check of the resulting year.
// Given:    date      the date; its `zone` is kept and plays no part
//           interval  any field may be negative or exceed its calendar range
//           subtract  0 add, non-zero subtract
// Returned: date      the result, with the day of month normalised
//           1, or 0 (date untouched) when the clock seconds are not finite
//           or lie beyond any representable date
int32_t DateApplyInterval(DateTime& date, const DateInterval& interval, int32_t subtract);

// DateApplyInterval kept only when the resulting year lies in
// kFirstYear..kLastYear.
// Returned: 1 with the new date, or 0 with the date exactly as it was
int32_t DateAddInterval(DateTime& date, const DateInterval& interval, int32_t subtract);

// Moves the clock by (newZone - date.zone) hours through DateAddInterval.
// The `zone` field itself is left as it was; the caller stores the new zone.
// Returned: DateAddInterval's result
int32_t DateChangeZone(DateTime& date, double newZone);

// Carries out-of-range clock and day fields (hour 25, minute 75, day 32)
// into a proper date.
// Returned: 1, or 0 (date unchanged) when the year leaves the range
int32_t DateNormalize(DateTime& date);

// Whether month, day, hour and minute make a date: month 1..12, day within
// the month (leap years Julian up to 1582, Gregorian after), hour 0..36,
// minute 0..60, and not 1582 October 5..14. Second and zone may be anything.
// Returned: 1 valid, 0 invalid
int32_t IsValidDate(const DateTime& date);
