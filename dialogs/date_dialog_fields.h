// The date dialog's plain halves: the Scene read into the values its rows
// and its Sun-event lock part show, the present instant for Now, and the
// values turned into the DATE and STIME texts OK runs before "DRIVE", or the
// message key of a refusal. No widget is touched here.
#pragma once

#include "astro/time_records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct Scene;

// Year, month, day, hour, minute: the date fields, whatever order a layout
// shows them in.
constexpr int kDateFieldCount = 5;
enum DateField { kDateYear = 0, kDateMonth, kDateDay, kDateHour, kDateMinute };

// The lock part: the time of day held at minutes before or after sunrise
// or sunset while the date changes.
struct SunLockValues {
    bool locked = false;     // ToggleStime
    bool sunrise = false;    // ToggleRise; else ToggleSet
    bool before = false;     // ToggleBefore; else ToggleAfter
    // EditStimeMin's number (GetTextFieldInt), shown "%d"; none while the
    // field is empty, which is not the same as a text with no number in it.
    std::optional<int64_t> minutes;
};

// The fields of a date as the rows show them: each "%d", the month kept
// within 1..12.
std::array<std::string, kDateFieldCount> DateFieldTexts(const DateTime& date);

// The lock part for the Scene: on, with sunrise or sunset, for the minute
// locks; off with sunset chosen for none and for the altitude locks, which
// the dialog cannot show. The minutes are the lock value's magnitude, its
// sign the before/after choice.
SunLockValues ReadSunLockValues(const Scene& scene);

// The present instant as a date in a zone: the system clock's UT plus the
// zone, so the date OK sends back with that zone is now.
// Given:    julianDay  the clock now (UT)
//           zone       hours east of UT (the Scene's)
DateTime DateNowInZone(double julianDay, double zone);

// The DATE text of OK: "DATE y,m,d,h,min,0.000000,zone" with the Scene's
// zone; the seconds are always 0. Only a date that does not exist is
// refused: a field with no number in it reads as 0 (GetTextFieldInt), so an
// empty hour is hour 0 and an empty day no date at all.
// Given:    date  the fields' numbers, by DateField (the month-name layout
//                 puts its chosen month there)
//           zone  the Scene's zone, hours east of UT
// Returned: text  the DATE text, when the date exists
//           null, or "messageInputValidDate" for a date that does not exist
const char* ComposeDateText(const std::array<int, kDateFieldCount>& date, double zone,
                            std::string& text);

// The STIME text of OK: "STIME NONE" with the lock off, else
// "STIME SUNRISE|SUNSET +|-nMIN". Empty minutes count as -1.
// Returned: text  the STIME text, when accepted
//           null, or "messageLockTimeMinimum" for minutes outside 0..90
const char* ComposeStimeText(const SunLockValues& lock, std::string& text);
