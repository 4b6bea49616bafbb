// Computed places of the solar-system bodies. Every record keeps the
// Julian day (and for the Moon and planets the precision level and
// observer) of its last computation, so that the update before each redraw
// recomputes only what no longer matches.
#pragma once

#include "astro/body_ids.h"
#include "astro/time_records.h"
#include "data/fixed_types.h"

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
    double geometricEarth[3];    // the same from VSOP87B (GeometricEarth): no
                                 // nutation, 1e-6 AU; the comets' Earth
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

// One planet (Mercury to Pluto, the Earth excluded) as seen from the centre
// of the Earth. The last two fields are what the update driver compares
// before recomputing.
struct PlanetRecord {
    double raJ2000;              // geocentric, mean equator of J2000, degrees, (0, 360]
    double decJ2000;
    double helioLongitude;       // heliocentric, mean ecliptic and equinox of date, degrees
    double helioLatitude;
    double distance;             // Earth-planet, AU
    double helioDistance;        // Sun-planet, AU
    double diameter;             // apparent, arcseconds
    int32_t magnitude;           // visual magnitude x 10, rounded half up
    double illuminatedFraction;  // 0..1, set by the update driver when phases are shown
    double brightLimbAngle;      // degrees, set with illuminatedFraction
    double axisPositionAngle;    // of Jupiter's pole or Saturn's ring pole, degrees
    double axisAngle;            // line of sight to that pole, degrees (Jupiter, Saturn)
    double unitVector[3];        // geocentric, J2000 equatorial
    FixedVector fixedVector;     // unitVector in Q14, truncated
    double helioVector[3];       // heliocentric, J2000 equatorial, AU
    double julianDay;            // UT of the last computation
    int32_t cachedLevel;         // series precision level of it
};

// One of Jupiter's four large satellites (Io, Europa, Ganymede, Callisto).
struct JovianMoonRecord {
    double unitVector[3];        // geocentric, mean equator of J2000
    FixedVector fixedVector;     // unitVector in Q14, truncated
    double julianDay;            // UT of the last computation; kept in the first record only
};

// The orbit curve of one planet (or the Earth) in the solar-system views:
// one turn round the ellipse, J2000 heliocentric equatorial, AU. There are
// nine, of these bodies in this order.
constexpr int kOrbitPathPoints = 96;
constexpr int kOrbitPathCount = 9;
constexpr int32_t kOrbitPathBodies[kOrbitPathCount] = {kMercury, kVenus,  kEarthId, kMars, kJupiter,
                                                       kSaturn,  kUranus, kNeptune, kPluto};
struct OrbitPath {
    double points[kOrbitPathPoints][3];
};

// The computed place of one loaded comet or minor planet, in arrays
// parallel to the element arrays of the scene.
// The place is worked out on the mean equator of a reference epoch that the
// caller chooses: J2000 for the Scene's comet and minor-planet lists, the
// instant itself for the rise and set search.
struct SmallBodyRecord {
    char kind;                   // 'C' comet, 'M' minor planet, from its elements
    double raReference;          // geocentric, mean equator of the reference epoch, [0, 360), degrees
    double decReference;
    double raDate;               // the same place on the mean equator of date, degrees
    double decDate;
    double helioDistance;        // r, AU
    double distance;             // Earth-body, AU
    double unitVector[3];        // geocentric, equatorial of the reference epoch
    FixedVector fixedVector;     // unitVector in Q14, truncated
    double helioVector[3];       // equatorial of the reference epoch, AU
    int32_t magnitude;           // visual, tenths
    int32_t orbitPointCount;     // 161 when an orbit path is held, else 0
    double (*orbitPath)[3];      // J2000 heliocentric, AU; owned, freed with the list
    double julianDay;            // UT of the stored place; 0.0 when just added
};

// The elements of one loaded comet or minor planet, as its element-file
// record gives them (fields in the record's order).
struct OrbitalElements {
    char kind;                   // 'C' comet, 'M' minor planet
    char number[7];              // columns 2-7
    char designation[11];        // "%-10s", leading blanks dropped
    char name[31];               // columns 20-49 as they stand
    char secondName[16];         // "%-15s" of columns 188-202, leading blanks dropped
    double perihelionTime;       // Julian day
    double eccentricity;
    double perihelionDistance;   // q, AU
    double argumentOfPerihelion; // degrees
    double node;                 // degrees
    double inclination;          // degrees
    double equinoxYear;
    double h, k;                 // magnitude = H + 5 log10 delta + K log10 r
    double dustTailLength, ionTailLength, dustForce;
    char sourceLine[208];        // the 205-character line with its CR LF
};

// A comet's two tails: ten emission times each (0 now, 9 the oldest), the
// dust tail with a weak and a strong radiation force (0, 1) whose particles
// fan out into a curved band, the ion tail along one straight stream.
constexpr int kTailSteps = 10;
struct CometTail {
    int32_t dustCount;                       // 10 when the dust tail is valid, else 0
    double dustDirections[kTailSteps][2][3]; // geocentric J2000 unit vectors
    double dustPositions[kTailSteps][2][3];  // heliocentric J2000, AU
    double dustDay;                          // UT of the dust-tail computation
    int32_t ionCount;                        // 10 when the ion tail is valid, else 0
    double ionDirections[kTailSteps][3];     // geocentric J2000 unit vectors
    double ionPositions[kTailSteps][3];      // heliocentric J2000, AU
    double ionDay;                           // UT of the ion-tail computation
};
