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

// The Moon for one instant and site. The cache fields at the end are what
// the update driver compares before recomputing: the Moon's own day, site
// and series precision of its last computation.
struct MoonRecord {
    double raJ2000;              // topocentric, mean equator of J2000, degrees
    double decJ2000;
    double raDate;               // topocentric, mean equator of date, degrees
    double decDate;
    double geoRaJ2000;           // geocentric, mean equator of J2000, degrees
    double geoDecJ2000;
    double eclipticLongitude;    // geocentric, mean ecliptic of date, degrees
    double eclipticLatitude;
    double azimuth;              // from the south through west, degrees
    double altitude;
    double distance;             // topocentric, km
    double geoDistance;          // geocentric, km
    double parallax;             // horizontal parallax, degrees (series only)
    double semidiameter;         // topocentric, degrees
    double geoSemidiameter;      // geocentric, degrees
    double axisPositionAngle;    // of the rotation axis, degrees
    double illuminatedFraction;  // 0..1
    double brightLimbAngle;      // degrees
    double librationLongitude;   // optical, degrees
    double librationLatitude;
    double age;                  // days since new moon
    double screenAngle;          // kept by the Moon drawing only
    double unitVector[3];        // of (raJ2000, decJ2000)
    FixedVector fixedVector;     // unitVector in Q14, truncated
    ObserverLocation cachedLocation; // site of the last computation
    int32_t cachedLevel;         // series precision level of it
    double julianDay;            // UT of the last computation
};

struct PlanetRecord {
    double raJ2000;              // geocentric, mean equator of J2000, degrees
    double decJ2000;
    double distance;             // Earth-planet, AU
    double illuminatedFraction;  // 0..1, kept while the planet is drawn as a disk
    double brightLimbAngle;      // degrees
    double unitVector[3];        // of (raJ2000, decJ2000)
    double julianDay;
    int32_t precisionLevel;
};

// One of Jupiter's four large satellites (Io, Europa, Ganymede, Callisto).
struct JovianMoonRecord {
    double unitVector[3];        // geocentric, mean equator of J2000
    FixedVector fixedVector;     // unitVector in Q14, truncated
    double julianDay;            // UT of the last computation; kept in the first record only
};

// The orbit curve of one planet (or the Earth) in the solar-system views:
// one turn round the ellipse, J2000 heliocentric equatorial, AU.
constexpr int kOrbitPathPoints = 96;
struct OrbitPath {
    double points[kOrbitPathPoints][3];
};

// The computed place of one loaded comet or minor planet, in arrays
// parallel to the element arrays of the scene.
struct SmallBodyRecord {
    char kind;                   // 'C' comet, 'M' minor planet, from its elements
    double raJ2000;              // geocentric, mean equator of J2000, [0, 360), degrees
    double decJ2000;
    double raDate;               // the same place on the mean equator of date, degrees
    double decDate;
    double helioDistance;        // r, AU
    double distance;             // Earth-body, AU
    double unitVector[3];        // geocentric, J2000 equatorial
    FixedVector fixedVector;     // unitVector in Q14, truncated
    double helioVector[3];       // J2000 equatorial, AU
    int32_t magnitude;           // visual, tenths
    int32_t orbitPointCount;     // 161 when an orbit path is held, else 0
    double (*orbitPath)[3];      // J2000 heliocentric, AU; owned, freed with the list
    double julianDay;            // UT of the stored place; 0.0 when just added
};

// A comet's two tails. Only the days of their last computation are held
// so far: the tail shapes come with the tail computation.
struct CometTail {
    double dustDay;              // UT of the dust-tail computation
    double ionDay;               // UT of the ion-tail computation
};
