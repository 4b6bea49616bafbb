// Q14 fixed-point arithmetic (16384 = 1.0) for the per-star work of the
// projections: products, quotient, table arc cosine, arc sine and square
// root. Q14 angles are radians x 16384 (pi = 51471, pi/2 = 25735).
//
// Products and quotients are formed in 64 bits and held at the int32 ends
// when they would not fit, so no input is undefined behaviour.
#pragma once

#include <cstdint>

#include "astro/fixed_types.h"

constexpr int32_t kFixedPi = 51471;
constexpr int32_t kFixedHalfPi = 25735;

// Q14 product.
// Given:    a, b   Q14 values
// Returned: (a x b) >> 14, rounding toward minus infinity; held at the
//           int32 ends when it does not fit
int32_t FixedMul(int32_t a, int32_t b);

// Q14 quotient.
// Given:    a      Q14 dividend
//           b      Q14 divisor
// Returned: (a x 16384) / b truncated toward zero, held at the int32 ends
//           when it does not fit; a zero divisor gives INT32_MAX or
//           -INT32_MAX with the sign of a, and 0 when a is 0 too
int32_t FixedDiv(int32_t a, int32_t b);

// Given:    v      Q14 vector
//           m      Q14 matrix
// Returned: out    m v, each product shifted before summing
void FixedMatrixTimesVector(const FixedVector& v, const FixedMatrix& m, FixedVector& out);

// Depth along the view axis of a projection.
// Given:    v      Q14 vector
//           m      Q14 matrix
// Returned: the third row of m dotted with v (Q14)
int32_t FixedMatrixRow3Dot(const FixedVector& v, const FixedMatrix& m);

// Given:    v      Q14 vector
//           m      Q14 matrix
// Returned: out    out[1], out[2] from rows 2 and 3 of m; out[0] untouched
void FixedMatrixRows23TimesVector(const FixedVector& v, const FixedMatrix& m, FixedVector& out);

// Table arc cosine.
// Given:    x      Q14 cosine; beyond +-1 is taken as +-1
// Returned: Q14 radians in 0..51471
int32_t FixedAcos(int32_t x);

// Table arc sine.
// Given:    x      Q14 sine
// Returned: Q14 radians, 25735 - FixedAcos(x)
int32_t FixedAsin(int32_t x);

// Angle whose sine is a / hypot(a, b), for folding a direction into
// -90..90 degrees.
// Given:    a, b   Q14 components
// Returned: Q14 radians; 0 when the table length of (a, b) is below 80
int32_t FixedAngleOfVector(int32_t a, int32_t b);

// Table square root.
// Given:    x      Q14 value
// Returned: Q14 root; 0 for x < 0, 16384 for x > 16384
int32_t FixedSqrt(int32_t x);
