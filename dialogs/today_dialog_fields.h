// The texts of the What's Today table, computed from the Scene without a
// widget: the date in the Scene's date style, the Julian and modified
// Julian day, the site, the Sun's dawn, rise, meridian, set and dusk, the
// Moon's age, rise, meridian and set, the same three events of the eight
// planets and of up to eight comets and minor planets. The dialog in
// dialogs/today_dialog.cpp only copies them into its labels.
#pragma once

#include "astro/rise_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct Scene;

constexpr int kTodayObjectRows = 8;
constexpr int kTodayNameWidth = 12;        // a comet's or minor planet's name, cut or padded

// Rise, meridian and set of one row, "%2d:%02d" local time or "--:--".
struct TodayEvents {
    std::string rise, transit, set;
};

struct TodayObjectRow {
    std::string name;
    TodayEvents events;
};

struct TodayTexts {
    std::string date, jd, mjd, site;
    std::string dawn;                       // the Sun rising through -18 degrees
    TodayEvents sun;
    std::string dusk;                       // the Sun setting through -18 degrees
    std::string moonAge;
    TodayEvents moon;
    std::array<TodayEvents, 8> planets;     // Mercury, Venus, Mars .. Pluto
    std::array<TodayObjectRow, kTodayObjectRows> smallBodies;   // comets first
};

// Every text of the table for the Scene's date and site.
// Given:    scene  time (date, zone, site), date style, Sun and Moon
//                  records, loaded comets and minor planets
TodayTexts ComputeTodayTexts(const Scene& scene);

// One event as the table shows it: the local time of the event rounded to
// the minute (30 seconds and more go up; the hour is not wrapped, so the
// last half minute of the day shows 24:00), or "--:--" when the event does
// not happen in the local day.
// Given:    day       the day, from SetupRiseSetDay for the Scene's date
//           objectId  -2 Sun, -1 Moon, 0..7 planets, a loaded comet
//                     (10000 + i) or minor planet (20000 + i)
//           kind      kEventRise, kEventTransit or kEventSet
//           altitude  degrees; 0 is the visible horizon
std::string FormatEventTime(const Scene& scene, const RiseSetDay& day, int32_t objectId,
                            int32_t kind, double altitude);

// The date label: era and year (before year 1, BC and 1 - year), month
// and day, by the date style (1 Japanese, 2 European, else English with the
// month's name).
std::string FormatTodayDate(int32_t year, int32_t month, int32_t day, int32_t dateStyle);
