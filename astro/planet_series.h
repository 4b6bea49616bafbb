// Short periodic series of the planets for 1950-2060: heliocentric ecliptic
// longitude, latitude and radius of Mercury to Pluto (the Earth excluded).
// Venus and Mars follow a Kepler form whose anomaly is perturbed by table
// terms, Jupiter and Saturn one with the great inequality in the mean
// anomaly; Mercury, Uranus, Neptune and Pluto are trigonometric sums in time.
// Planet numbers are those of the scene: 0 Mercury, 1 Venus, 2 Mars,
// 3 Jupiter, 4 Saturn, 5 Uranus, 6 Neptune, 7 Pluto.
#pragma once

#include "astro/time_records.h"

#include <cstdint>

// Heliocentric place of a planet from its periodic series.
// Given:    planet    0..7
//           t         instant; its years since 1975 (Venus to Saturn) or
//                     centuries since J2000 (the others) are used
//           level     2 or 3: the shorter series; anything else: full
// Returned: ecliptic  {longitude in [0, 360), latitude}, degrees, mean
//                     ecliptic and equinox of date
//           r         heliocentric distance, AU
//           1, or 0 for a planet number outside 0..7 (outputs then zero)
// Notes:    meant for 1950-2060. The full series keep within 0.007 degree
//           in longitude, 0.0011 in latitude and 1e-4 relative in r of
//           VSOP87 (Pluto: of Meeus's theory); the residuals of each planet
//           head planet_series_tables.cpp. Level 3 errs by up to 0.7 degree.
int32_t PlanetSeries(int32_t planet, const AstroTime& t, double ecliptic[2], double& r,
                     int32_t level);

// Venus or Mars: mean longitude with the equation of the centre d (two
// terms and the anomaly table), reduction to the ecliptic and the centre
// table; latitude from the argument of latitude; log10 of the radius.
// Given:    planet    1 Venus, 2 Mars
//           t         Julian years since 1975.0 (YearsSince1975)
//           level     2 or 3 drop the anomaly table; anything else: full
// Returned: ecliptic  {longitude in [0, 360), latitude}, degrees, of date
//           r         heliocentric distance, AU
void VenusMarsSeries(int32_t planet, double t, double ecliptic[2], double& r, int32_t level);

// Jupiter or Saturn: mean anomaly with the great inequality and the anomaly
// table, a four-term equation of the centre, latitude and radius terms.
// Given:    planet    3 Jupiter, 4 Saturn
//           t         Julian years since 1975.0 (YearsSince1975)
//           level     2 or 3: fewer anomaly terms; anything else: full
// Returned: ecliptic  {longitude in [0, 360), latitude}, degrees, of date
//           r         heliocentric distance, AU
void JupiterSaturnSeries(int32_t planet, double t, double ecliptic[2], double& r, int32_t level);

// Mercury, Uranus, Neptune or Pluto: base terms and cosine tables.
// Given:    planet    0 Mercury, 5 Uranus, 6 Neptune, 7 Pluto
//           T         Julian centuries since J2000 (CenturiesSinceJ2000)
//           level     2 or 3: fewer terms; anything else: full
// Returned: ecliptic  {longitude in [0, 360), latitude}, degrees, of date
//           r         heliocentric distance, AU
void OtherPlanetSeries(int32_t planet, double T, double ecliptic[2], double& r, int32_t level);
