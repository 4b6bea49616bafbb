// Periodic terms of the Moon's short series (1950-2060), written by
// tools/gen_moon_series.py into astro/moon_series_tables.cpp.
#pragma once

#include <array>

// One term: amplitude x sin(phase + rate x t) (the parallax uses cos), with
// the amplitude and phase in degrees, the rate in degrees per Julian year
// and t in Julian years from 1975 January 0.0 (YearsSince1975).
struct MoonSeriesTerm {
    double amplitude;
    double phase;
    double rate;
};

// Rows by decreasing amplitude, so that a prefix is a coarser series.
extern const std::array<MoonSeriesTerm, 44> MoonLongitudeTable;
extern const std::array<MoonSeriesTerm, 29> MoonLatitudeTable;
extern const std::array<MoonSeriesTerm, 8> MoonParallaxTable;
