// Kepler's and Barker's equations for the orbits of comets, minor planets
// and tail particles. Each is Newton's method, the elliptic and hyperbolic
// ones kept inside a bracket that holds the root so that no start can send
// them astray; each stops after at most 50 steps and then reports failure.
#pragma once

// E - e sin E = M, 0 <= e < 1.
// Given:    m      mean anomaly, radians, any value
//           e      eccentricity
// Returned: E      eccentric anomaly, radians, within pi of 0 (to 1e-12)
//           true, or false when 50 steps did not converge
bool SolveEllipticKepler(double m, double e, double& E);

// e sinh H - s H = M, e > 1: s = +1 for an attracting Sun, s = -1 for a
// particle that radiation pressure drives away (the far branch).
// Given:    m      mean anomaly, radians
//           e      eccentricity
//           s      +1 or -1
// Returned: H      hyperbolic anomaly (relative accuracy 1e-12)
//           true, or false when 50 steps did not converge
bool SolveHyperbolicKepler(double m, double e, double s, double& H);

// Barker's equation s^3 / 3 + s = W (s = tan of half the true anomaly).
// Given:    w      W
//           s      start value (W itself, or a previous solution)
// Returned: s      the solution, once a step moves it by at most 1e-6
//           true, or false when 50 steps did not converge (from s = W
//           that takes |W| beyond 1e12)
bool SolveBarker(double w, double& s);
