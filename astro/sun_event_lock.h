// The instant a sunrise/sunset time lock (command STIME) stands for on a
// date at a site. The canvas moves the clock there before each redraw, and
// LOCATE asks whether the event still happens at a new site.
#pragma once

#include "astro/time_records.h"

#include <cstdint>

// Lock kinds, as held in the Scene's animation state.
constexpr int32_t kSunLockNone = 0;
constexpr int32_t kSunLockSunriseMinutes = 1;   // sunrise plus value minutes
constexpr int32_t kSunLockSunsetMinutes = 2;    // sunset plus value minutes
constexpr int32_t kSunLockRisingAltitude = 3;   // Sun rising through value degrees
constexpr int32_t kSunLockSettingAltitude = 4;  // Sun setting through value degrees

// Time of the locked Sun event on the civil date of `date`.
// Given:    kind      kSunLock... (anything else: no event)
//           value     minutes after the event (kinds 1, 2; negative before)
//                     or the Sun's altitude in whole degrees (kinds 3, 4)
//           date      civil date and its zone (hours east of UT)
//           location  site: latitude, east longitude (degrees), height (m)
// Returned: jd        Julian day (UT) of the event plus the offset
//           1 when the event happens on the date, else 0 (jd unchanged)
int32_t SunEventLockTime(int32_t kind, int32_t value, const DateTime& date,
                         const ObserverLocation& location, double& jd);
