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

// SinhCosh's results taken to double precision, for the orbits. A
// hyperbola just beyond e = 1 has a semi-axis of 10^5 AU and more, and its
// places come from a (e - cosh H): the polynomials' single precision, and
// their cosh 0 of 0.99999982, would put such a comet's perihelion a tenth
// of an AU out. So two Newton steps take the sinh to double precision, and
// cosh x - 1 comes from it without the cancellation of the difference.
// Given:    x      any value
//           s, c   SinhCosh's sinh and cosh of x
// Returned: s      sinh x to double precision
//           cosh x - 1 to double precision (relative); both are not
//           finite when x is not, or when sinh x overflows
double RefineSinhCosh(double x, double& s, double c);
