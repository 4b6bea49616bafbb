// The long-range planetary model: mean orbital elements as polynomials in
// time, with tabulated corrections for the mutual perturbations of Jupiter
// and Saturn, solved through Kepler's equation. It gives the planets'
// heliocentric places outside 1950-2060 and the elements of the orbit
// curves. Planet numbers are those of the scene: 0 Mercury, 1 Venus,
// 2 Mars, 3 Jupiter, 4 Saturn, 5 Uranus, 6 Neptune, 7 Pluto; -3 is the Earth.
#pragma once

#include "astro/body_ids.h"
#include "astro/kepler.h"
#include "astro/time_records.h"

#include <cstdint>

// Heliocentric place of a planet from its mean elements.
// Given:    planet    0..7
//           t         instant; its Julian day is used (as dynamical time)
// Returned: ecliptic  {longitude in (-180, 180], latitude}, degrees, mean
//                     ecliptic and equinox of date
//           r         heliocentric distance, AU
//           1, or 0 for a planet number outside 0..7 (outputs then zero)
int32_t PlanetByElements(int32_t planet, const AstroTime& t, double ecliptic[2], double& r);

// Mean elements of the inner planets, Jupiter and Saturn from the cubic
// polynomials about 1900 (without the Jupiter and Saturn corrections).
// Given:    planet    0..4
//           jd        Julian day
// Returned: el        elements, angles in [0, 360)
//           1, or 0 for a planet number outside 0..4 (elements then zero)
int32_t PlanetElements1900(int32_t planet, double jd, PlanetElements& el);

// Mean elements of Uranus, Neptune and Pluto from quadratics about J2000.
// Given:    outer     0 Uranus, 1 Neptune, 2 Pluto
//           T         Julian centuries from J2000
// Returned: el        elements, angles in [0, 360)
//           1, or 0 for a number outside 0..2 (elements then zero)
int32_t OuterPlanetElementsJ2000(int32_t outer, double T, PlanetElements& el);

// Corrections of Jupiter's mean longitude, perihelion and eccentricity for
// the perturbations by Saturn: a 925-year term for the great inequality and
// grids over the two arguments of the shorter terms.
// Given:    t         instant; its Julian day is used
//           el        Jupiter's mean elements
// Returned: el        corrected elements, angles in [0, 360)
void JupiterPerturbations(const AstroTime& t, PlanetElements& el);

// Corrections of Saturn's mean longitude, perihelion, eccentricity and
// semi-major axis for the perturbations by Jupiter (950-year term and grids).
// Given:    t         instant; its Julian day is used
//           el        Saturn's mean elements
// Returned: el        corrected elements, angles in [0, 360)
void SaturnPerturbations(const AstroTime& t, PlanetElements& el);

// Value of a 13 x 13 grid at a point, interpolated bilinearly between the
// nodes every 30 degrees (rows follow y, columns x).
// Given:    x, y      degrees, held to [0, 360] (NaN counts as 0)
//           grid      169 signed bytes, row by row
// Returned: the interpolated value, grid units
double InterpolateGrid13(double x, double y, const int8_t* grid);

// Elements from which the orbits of the solar-system views are drawn.
// Given:    body      -3 the Earth (the Sun's mean elements turned by 180
//                     degrees, in the ecliptic), 0..7 the planets
//           t         instant; its Julian day is used
// Returned: el        elements, angles in [0, 360)
//           1, or 0 for any other body number (elements then zero)
int32_t BodyOrbitElements(int32_t body, const AstroTime& t, PlanetElements& el);
