// Hyperbolic sine and cosine for hyperbolic and near-parabolic orbits.
// Small arguments use short single-precision polynomials (relative error
// about 2e-7 for |x| <= 1); larger ones the exponential.
#pragma once

// Given:    x      |x| <= 1
// Returned: sinh x from the polynomial, in single precision
float SinhSmall(float x);

// Given:    x      |x| <= 1
// Returned: cosh x from the polynomial, in single precision
float CoshSmall(float x);

// Given:    x      any value
// Returned: sinh x; single-precision accuracy for |x| <= 2
double Sinh(double x);

// Given:    x      any value
// Returned: s      sinh x
//           c      cosh x; single-precision accuracy for |x| <= 2
void SinhCosh(double x, double& s, double& c);
