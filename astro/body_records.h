// Computed places of the solar-system bodies. Every record keeps the
// Julian day (and for the Moon and planets the precision level and
// observer) of its last computation, so that the update before each redraw
// recomputes only what no longer matches.
#pragma once

#include "astro/fixed_types.h"
#include "astro/time_records.h"

// Precision level of the Moon and planet series: 2 and 3 select shorter
// series, anything else the full ones.
constexpr int32_t kFullPrecision = 9;

struct SunRecord {
    double julianDay;
};

struct MoonRecord {
    double julianDay;
    ObserverLocation observer;   // site of the last computation
    int32_t precisionLevel;
};

struct PlanetRecord {
    double julianDay;
    int32_t precisionLevel;
};

struct JovianMoonRecord {
    double julianDay;
};

// The orbit curve of one planet (or the Earth) in the solar-system views.
struct OrbitPath {
    int32_t pointCount;
};

struct SmallBodyRecord;
struct CometTail;
