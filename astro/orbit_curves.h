// The orbits of Mercury to Pluto and of the Earth as closed curves for the
// solar-system views, from the mean elements of the long-range model.
#pragma once

#include "astro/body_records.h"
#include "astro/kepler.h"
#include "astro/time_records.h"

// Points of an orbit in steps of 3.75 degrees of eccentric anomaly, one
// quadrant computed and mirrored. The eccentricity is held at 0 or more.
// Given:    el     elements (only a and e are used)
// Returned: x, y   97 points in the orbit plane, AU, origin at the Sun, x
//                  towards the perihelion; point 96 equals point 0
void OrbitEllipsePoints(const PlanetElements& el, double x[97], double y[97]);

// Rotation from an orbit plane to an equator, from the sines and cosines of
// the argument of perihelion (w), the node (n), the inclination (i) and the
// obliquity (e), so that each caller picks its own sine.
// Returned: m      row-major 3x3; the third column is 0
void OrbitPlaneRotation(double m[9], double sinW, double cosW, double sinN, double cosN, double sinI, double cosI,
                        double sinE, double cosE);

// Rotation from the orbit plane to the mean equator of date.
// Given:    omega       argument of perihelion, degrees
//           node        longitude of the ascending node, degrees
//           inclination degrees
//           year        decimal year of the obliquity; more than 40
//                       centuries before J2000 the obliquity is 23.83253,
//                       more than 40 after 23.05253
// Returned: m           row-major 3x3; the third column is 0, since points
//                       in the orbit plane have z = 0
void OrbitPlaneMatrix(double m[9], double omega, double node, double inclination, double year);

// The nine orbit curves for an instant, in the order of kOrbitPathBodies:
// Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto.
// Given:    t      instant; its Julian day is used
// Returned: paths  96 points each, heliocentric, J2000 equatorial, AU
void PlanetOrbitPaths(const AstroTime& t, OrbitPath paths[kOrbitPathCount]);
