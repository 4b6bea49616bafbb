// Places of Jupiter's four large satellites, Io, Europa, Ganymede and
// Callisto: circular orbits at uniform speed in a plane tilted like
// Jupiter's equator, projected onto the sky round Jupiter's geocentric
// place. Each satellite stands where it is at the instant itself, not
// where it was when the light now seen left it: Io moves five to seven
// degrees along its orbit in that time, so a satellite seen crossing
// Jupiter can stand up to an eighth of its orbit radius from the place the
// sky shows. No perturbations, shadows or eclipses either.
#pragma once

#include "astro/body_records.h"
#include "astro/time_records.h"

#include <array>

constexpr int kJovianMoonTableSize = 4;

// Mean orbit of one satellite.
struct JovianMoonElements {
    double meanLatitudeJ2000;    // mean argument of latitude at JD 2451545.0, degrees
    double rate;                 // degrees per Julian century
    double radius;               // orbit radius, AU
};

// Io, Europa, Ganymede, Callisto, in that order.
extern const std::array<JovianMoonElements, kJovianMoonTableSize> JovianMoonTable;

// Geocentric directions of the four satellites.
// Given:    t        instant; its Julian day (UT) and precession matrix to
//                    J2000 are used
//           jupiter  Jupiter's record for the same instant: unitVector
//                    (geocentric, J2000) and distance (AU) are used
// Returned: moons    unitVector (geocentric, J2000) and fixedVector of each
//                    satellite, in the table's order; julianDay untouched
void JovianMoonPositions(const AstroTime& t, const PlanetRecord& jupiter,
                         JovianMoonRecord moons[kJovianMoonTableSize]);

// JovianMoonPositions, then the instant's Julian day is stored in the first
// record, the one the update driver compares.
// Given:    t, jupiter  as for JovianMoonPositions
// Returned: moons       as for JovianMoonPositions; moons[0].julianDay = t's
void UpdateJovianMoons(const AstroTime& t, const PlanetRecord& jupiter,
                       JovianMoonRecord moons[kJovianMoonTableSize]);
