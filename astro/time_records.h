// The time records passed around the whole system: a local calendar date
// with its zone, a calendar interval, an observer's place, and an instant
// seen from a place with every quantity derived from it.
#pragma once

#include <cstdint>

// A local calendar date and clock time. Years use astronomical numbering
// (year 0 exists) and are held within -29999..30000.
struct DateTime {
    int32_t year;
    int32_t month;      // 1..12
    int32_t day;        // 1..31
    int32_t hour;
    int32_t minute;
    double second;      // fractions allowed
    double zone;        // hours east of UT: local time = UT + zone
};

// A signed calendar interval; any field may be negative or exceed its
// calendar range (13 months, 90 minutes, 100000 seconds are all legal).
struct DateInterval {
    int32_t years;
    int32_t months;
    int32_t days;
    int32_t hours;
    int32_t minutes;
    double seconds;
};

struct ObserverLocation {
    double latitude;    // geodetic degrees, north positive
    double longitude;   // degrees, east positive
    double height;      // metres above sea level
};

// One instant seen from one place. Fields from localSiderealTime on are
// functions of julianDay and the longitude only and are always recomputed
// together; julianDay and date describe the same instant.
struct AstroTime {
    DateTime date;
    ObserverLocation location;
    double localSiderealTime;    // degrees, [0, 360)
    double julianDay;            // UT
    double yearsSince1975;
    double centuriesSinceJ2000;
    double obliquity;            // mean obliquity of date, degrees
    double sinObliquity;
    double cosObliquity;
    double precessionToJ2000[9]; // row-major, mean equator of date to J2000
};

// Julian day that stands for "never computed" in every cached record.
constexpr double kNeverJulianDay = 40000000.0;
