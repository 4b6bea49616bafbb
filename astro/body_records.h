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

// The Sun seen from the centre of the Earth, and the Earth's heliocentric
// place that every planet, comet and satellite computation starts from.
struct SunRecord {
    double raJ2000;              // geocentric, mean equator of J2000, degrees
    double decJ2000;
    double raDate;               // mean equator of date, degrees
    double decDate;
    double eclipticLongitude;    // geometric, mean ecliptic of date, [0, 360)
    double eclipticLatitude;     // always 0
    double azimuth;              // from the south through west; set by the update driver
    double altitude;
    double distance;             // Earth-Sun, AU
    double semidiameter;         // degrees
    double eclipseMagnitude;     // -1.0 when the Moon does not cover the Sun
    double eclipsePositionAngle; // degrees, the Moon's centre seen from the Sun's
    double axisPositionAngle;    // P, degrees
    double heliographicLatitude; // B0, degrees
    double eta;                  // degrees
    double heliographicLongitude; // L0, degrees
    int32_t earthVectorFixed[3]; // earthVector in units of 25 AU / 2^30
    double unitVector[3];        // of (raJ2000, decJ2000)
    FixedVector fixedVector;     // unitVector in Q14, truncated
    double earthVector[3];       // Earth from the Sun, J2000 equatorial, AU
    double julianDay;            // UT of the last computation
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

// The orbit curve of one planet (or the Earth) in the solar-system views:
// one turn round the ellipse, J2000 heliocentric equatorial, AU.
constexpr int kOrbitPathPoints = 96;
struct OrbitPath {
    double points[kOrbitPathPoints][3];
};

struct SmallBodyRecord;
struct CometTail;
