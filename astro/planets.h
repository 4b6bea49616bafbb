// Geocentric places of the planets Mercury to Pluto (the Earth excluded),
// with distance, apparent diameter, magnitude and, for Jupiter and Saturn,
// the orientation of the axis or ring plane. Planet numbers are those of
// the scene: 0 Mercury, 1 Venus, 2 Mars, 3 Jupiter, 4 Saturn, 5 Uranus,
// 6 Neptune, 7 Pluto.
#pragma once

#include "astro/body_records.h"
#include "astro/time_records.h"

#include <cstdint>

// Every computed field of a planet's record for an instant.
// Given:    planet  0..7
//           t       instant; its Julian day (UT), time arguments, obliquity
//                   and precession matrix are used
//           sun     the Sun for the same instant: its Earth vector and distance
//           level   precision level of the series (2, 3: shorter; any
//                   other: full); no effect outside 1950-2060
// Returned: p       all fields but illuminatedFraction and brightLimbAngle;
//                   axisPositionAngle and axisAngle for Jupiter and Saturn only
//           1, or 0 for a planet number outside 0..7 (the record is then
//           left as it was)
// Notes:    geometric places: no light time, aberration or nutation.
int32_t PlanetPosition(int32_t planet, const AstroTime& t, const SunRecord& sun, PlanetRecord& p,
                       int32_t level);

// Heliocentric place: the periodic series strictly inside the series span
// (JD 2433282.5 to 2473459.5, both excluded), the mean elements elsewhere.
// Given:    planet    0..7
//           t         instant
//           level     precision level of the series
// Returned: ecliptic  {longitude, latitude}, degrees, mean ecliptic and
//                     equinox of date; the longitude in [0, 360) from the
//                     series, in (-180, 180] from the mean elements
//           r         heliocentric distance, AU
//           1, or 0 for a planet number outside 0..7 (outputs then zero)
int32_t PlanetHeliocentric(int32_t planet, const AstroTime& t, double ecliptic[2], double& r,
                           int32_t level);

// Orientation of Jupiter's rotation pole (268.0 + 0.1061 T, 64.5 - 0.0164 T
// on the equator of date, T in centuries from 1950.0).
// Given:    t       instant; its Julian day and precession matrix are used
//           p       Jupiter's record with raJ2000 and decJ2000 set
// Returned: angles  {position angle of the pole, from north through east,
//                   degrees in (-180, 180]; angle between the line of sight
//                   from the Earth and the pole, degrees in [0, 180]}
void JupiterAxis(const AstroTime& t, const PlanetRecord& p, double angles[2]);

// Orientation of the pole of Saturn's ring plane (node and inclination on
// the ecliptic of date as polynomials in centuries from J2000).
// Given:    t       instant
//           p       Saturn's record with raJ2000 and decJ2000 set
// Returned: angles  as for JupiterAxis; 90 - angles[1] is the latitude of the
//                   line of sight on the ring plane, positive when the
//                   Earth sees the southern face
void SaturnRing(const AstroTime& t, const PlanetRecord& p, double angles[2]);

// Direction cosines of a pole in the frame of a body's place on the sky.
// Given:    pole    {RA, Dec} of the pole, degrees
//           body    {RA, Dec} of the body, degrees, same frame
// Returned: c       c0 towards north and c1 towards east at the body (so
//                   atan2(c1, c0) is the pole's position angle), c2 along
//                   the line of sight (the cosine of the angle to the pole)
void ToBodyFrame(const double pole[2], const double body[2], double c[3]);
