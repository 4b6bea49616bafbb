#include "astro/calendar.h"

#include <algorithm>
#include <cmath>
#include <ctime>

const std::array<int32_t, 13> MonthDaysTable = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

namespace {

// First Julian day counted in the Gregorian calendar: 1582 October 15.0.
constexpr double kGregorianStartJd = 2299160.5;

// Julian days beyond these (about a million years from now either way) are
// clamped before any conversion to an integer, so that no input can
// overflow the year, month or clock fields.
constexpr double kLowestJd = -4.0e8;
constexpr double kHighestJd = 4.0e8;

// Clock arithmetic beyond this many seconds (some 30 million years) can land
// on no representable date and would lose the clock to rounding.
constexpr double kMaxClockSeconds = 1.0e15;

constexpr int64_t kMillisecondsPerDay = 86400000;

double ClampJulianDay(double jd)
{
    if (std::isnan(jd))
        return kHighestJd;
    return std::clamp(jd, kLowestJd, kHighestJd);
}

bool IsLeapYear(int32_t year)
{
    if (year <= 1582)
        return year % 4 == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Floor division for the month carry: month 0 is December of the year before.
int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int32_t SaturateToInt32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The days the Gregorian reform dropped go to the nearest existing day on
// the same side of the gap.
void SkipReformGap(DateTime& date)
{
    if (date.year != 1582 || date.month != 10)
        return;
    if (date.day >= 5 && date.day <= 9)
        date.day = 4;
    else if (date.day >= 10 && date.day <= 14)
        date.day = 15;
}

} // namespace

void GetCurrentDate(DateTime& date, double zone)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    local.tm_mday = 1;
    localtime_r(&now, &local);
    date.year = local.tm_year + 1900;
    date.month = local.tm_mon + 1;
    date.day = local.tm_mday;
    date.hour = local.tm_hour;
    date.minute = local.tm_min;
    date.second = local.tm_sec;
    date.zone = zone;
}

double JulianDayFromCalendar(double year, double month, double day)
{
    // January and February count as months 13 and 14 of the year before.
    if (month < 3) {
        month += 12;
        year -= 1;
    }
    double jd = std::floor(365.25 * year) + std::floor(30.59 * (month - 2)) + day + 1721086.5;
    // Gregorian leap-year correction from 1582 October 15 on.
    if (jd > kGregorianStartJd)
        jd += 2 + std::floor(year / 400) - std::floor(year / 100);
    return jd;
}

void CalendarFromJulianDay(double jd, int32_t& year, int32_t& month, double& day)
{
    jd = ClampJulianDay(jd);
    double z = std::floor(jd + 0.5);
    double f = (jd + 0.5) - z;
    double a = z;
    if (z >= kGregorianStartJd) {
        double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - std::floor(alpha * 0.25);
    }
    double b = a + 1524;
    double c = std::floor((b - 122.1) / 365.25);
    double d = std::floor(365.25 * c);
    double e = std::floor((b - d) / 30.6001);
    day = b - d - std::floor(30.6001 * e) + f;
    month = static_cast<int32_t>(e < 13.5 ? e - 1 : e - 13);
    year = static_cast<int32_t>(month > 2 ? c - 4716 : c - 4715);
}

double JulianDayFromDate(const DateTime& date)
{
    return JulianDayFromCalendar(date.year, date.month, date.day) + date.hour / 24.0 +
           date.minute / 1440.0 + date.second / 86400.0 - date.zone / 24.0;
}

void DateFromJulianDay(double jd, DateTime& date)
{
    // Round the day fraction to the millisecond before splitting it: the
    // fraction of 10:00:00 is not exact in binary and would otherwise come
    // back as 09:59:59.99999.
    jd = ClampJulianDay(jd);
    double dayNumber = std::floor(jd + 0.5);
    int64_t ms = std::llround((jd + 0.5 - dayNumber) * kMillisecondsPerDay);
    if (ms >= kMillisecondsPerDay) {
        dayNumber += 1;
        ms -= kMillisecondsPerDay;
    }
    double day = 0;
    CalendarFromJulianDay(dayNumber - 0.5, date.year, date.month, day);
    date.day = static_cast<int32_t>(day);
    date.hour = static_cast<int32_t>(ms / 3600000);
    date.minute = static_cast<int32_t>(ms / 60000 % 60);
    date.second = static_cast<double>(ms % 60000) / 1000.0;
}

int32_t DateApplyInterval(DateTime& date, const DateInterval& interval, int32_t subtract)
{
    const int32_t sign = subtract ? -1 : 1;
    // Work on the local calendar: the zone must never move the day.
    DateTime copy = date;
    copy.zone = 0;

    double t = 3600.0 * date.hour + 60.0 * date.minute + date.second +
               sign * (3600.0 * interval.hours + 60.0 * interval.minutes + interval.seconds);
    if (!std::isfinite(t) || std::fabs(t) > kMaxClockSeconds)
        return 0;

    // Whole days, and the clock of the day in [0, 86400); the two checks
    // catch the rounding of t - 86400 days at either end.
    double days = std::floor(t / 86400);
    t -= 86400 * days;
    if (t < 0) {
        t += 86400;
        days -= 1;
    }
    if (t >= 86400) {
        t -= 86400;
        days += 1;
    }
    const int32_t hour = static_cast<int32_t>(t / 3600);
    const int32_t minute = static_cast<int32_t>(t / 60) - 60 * hour;
    const double second = t - 3600.0 * hour - 60.0 * minute;

    // Days through Julian days, so month ends, leap days and the 1582 gap
    // are crossed correctly; noon keeps the round trip clear of midnight.
    copy.hour = 12;
    copy.minute = 0;
    copy.second = 0;
    double jd = JulianDayFromDate(copy) + days + sign * static_cast<double>(interval.days);
    DateFromJulianDay(jd, copy);

    // Months, keeping the total count of months, then years.
    int64_t months = 12 * static_cast<int64_t>(copy.year) + (copy.month - 1) +
                     sign * static_cast<int64_t>(interval.months);
    int64_t years = FloorDiv(months, 12);
    copy.month = static_cast<int32_t>(months - 12 * years + 1);
    copy.year = SaturateToInt32(years + sign * static_cast<int64_t>(interval.years));

    SkipReformGap(copy);
    // January 31 plus one month is February 31, which the round trip
    // through the Julian day carries to March 3.
    DateFromJulianDay(JulianDayFromDate(copy), copy);

    date.year = copy.year;
    date.month = copy.month;
    date.day = copy.day;
    date.hour = hour;
    date.minute = minute;
    date.second = second;
    return 1;
}

int32_t DateAddInterval(DateTime& date, const DateInterval& interval, int32_t subtract)
{
    const DateTime before = date;
    if (!DateApplyInterval(date, interval, subtract) || date.year < kFirstYear ||
        date.year > kLastYear) {
        date = before;
        return 0;
    }
    return 1;
}

int32_t DateChangeZone(DateTime& date, double newZone)
{
    DateInterval shift{};
    shift.seconds = (newZone - date.zone) * 3600;
    return DateAddInterval(date, shift, 0);
}

int32_t DateNormalize(DateTime& date)
{
    return DateChangeZone(date, date.zone);
}

int32_t IsValidDate(const DateTime& date)
{
    if (date.month < 1 || date.month > 12)
        return 0;
    int32_t monthDays = MonthDaysTable[date.month];
    if (date.month == 2 && IsLeapYear(date.year))
        monthDays += 1;
    if (date.day < 1 || date.day > monthDays)
        return 0;
    // The clock may run on past midnight, to 36 hours and 60 minutes.
    if (date.hour < 0 || date.hour > 36 || date.minute < 0 || date.minute > 60)
        return 0;
    if (date.year == 1582 && date.month == 10 && date.day >= 5 && date.day <= 14)
        return 0;
    return 1;
}
