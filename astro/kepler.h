// Mean orbital elements of a planet and the heliocentric place they give
// through Kepler's equation.
#pragma once

#include <cstdint>

// Elements referred to the mean ecliptic and equinox of date; angles in
// degrees.
struct PlanetElements {
    double meanLongitude;    // L
    double argPerihelion;    // omega: longitude of perihelion minus the node
    double node;             // Omega
    double semiMajorAxis;    // a, AU
    double eccentricity;     // e
    double inclination;      // i
};

constexpr int kKeplerMaxSteps = 50;

// The eccentricity the solution and the orbit curves use: the Earth's
// polynomial turns negative some 25000 years ahead, which would put the
// perihelion on the wrong side; below 0 (or NaN) counts as 0.
inline double HeldEccentricity(double e)
{
    return e > 0.0 ? e : 0.0;
}

// Heliocentric ecliptic place of a body from its elements. Kepler's
// equation E = M + e sin E is solved by fixed-point iteration from E = M
// until two values differ by at most 1e-5 radian, at most 50 steps. The
// eccentricity is held at 0 or more (HeldEccentricity); a and e are used as
// given, never normalised as angles.
// Given:    el        elements (ecliptic and equinox of date)
// Returned: ecliptic  {longitude in (-180, 180], latitude in [-90, 90]},
//                     degrees, same frame as the elements
//           r         heliocentric distance, AU
//           1 when the iteration converged, 0 when it stopped after 50
//           steps (the outputs then hold the last iterate)
int32_t KeplerToEcliptic(const PlanetElements& el, double ecliptic[2], double& r);
