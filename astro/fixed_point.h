// Q14 fixed-point arithmetic (16384 = 1.0) for the per-star work of the
// projections: products, quotient, table arc cosine, arc sine and square
// root. Q14 angles are radians x 16384 (pi = 51471, pi/2 = 25735).
//
// Products and quotients are formed in 64 bits and held at the int32 ends
// when they would not fit, so no input is undefined behaviour.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "data/fixed_types.h"

constexpr int32_t kFixedPi = 51471;
constexpr int32_t kFixedHalfPi = 25735;
constexpr int kFixedShift = 14;   // fraction bits

// A 64-bit intermediate held at the int32 ends.
inline int32_t FixedSaturate(int64_t value)
{
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t highest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, lowest, highest));
}

// Q14 product.
// Given:    a, b   Q14 values
// Returned: (a x b) >> 14, rounding toward minus infinity; held at the
//           int32 ends when it does not fit
// Inline, with the matrix products below: the projections call them for
// every star of every redraw.
inline int32_t FixedMul(int32_t a, int32_t b)
{
    // 64-bit product; the shift of a negative value is arithmetic.
    return FixedSaturate((int64_t{a} * b) >> kFixedShift);
}

// Q14 quotient.
// Given:    a      Q14 dividend
//           b      Q14 divisor
// Returned: (a x 16384) / b truncated toward zero, held at the int32 ends
//           when it does not fit; a zero divisor gives INT32_MAX or
//           -INT32_MAX with the sign of a, and 0 when a is 0 too
int32_t FixedDiv(int32_t a, int32_t b);

// One row of a Q14 matrix dotted with a vector, each product shifted before
// summing as FixedMul does.
inline int32_t FixedRowDot(const FixedMatrix& m, int row, const FixedVector& v)
{
    const int64_t p0 = (int64_t{m[3 * row]} * v[0]) >> kFixedShift;
    const int64_t p1 = (int64_t{m[3 * row + 1]} * v[1]) >> kFixedShift;
    const int64_t p2 = (int64_t{m[3 * row + 2]} * v[2]) >> kFixedShift;
    // Held one by one as FixedMul holds them, which only a product beyond
    // the int32 ends needs: the projections' rotations of unit vectors
    // never make one, and take the one predictable test.
    constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
    constexpr uint64_t kSpan = uint64_t{1} << 32;
    if (__builtin_expect((static_cast<uint64_t>(p0 - kLow) | static_cast<uint64_t>(p1 - kLow) |
                          static_cast<uint64_t>(p2 - kLow)) < kSpan, 1))
        return FixedSaturate(p0 + p1 + p2);
    return FixedSaturate(int64_t{FixedSaturate(p0)} + FixedSaturate(p1) + FixedSaturate(p2));
}

// Given:    v      Q14 vector
//           m      Q14 matrix
// Returned: out    m v, each product shifted before summing
inline void FixedMatrixTimesVector(const FixedVector& v, const FixedMatrix& m, FixedVector& out)
{
    const FixedVector in = v;   // out may be v
    out[0] = FixedRowDot(m, 0, in);
    out[1] = FixedRowDot(m, 1, in);
    out[2] = FixedRowDot(m, 2, in);
}

// Depth along the view axis of a projection.
// Given:    v      Q14 vector
//           m      Q14 matrix
// Returned: the third row of m dotted with v (Q14)
inline int32_t FixedMatrixRow3Dot(const FixedVector& v, const FixedMatrix& m)
{
    return FixedRowDot(m, 2, v);
}

// Given:    v      Q14 vector
//           m      Q14 matrix
// Returned: out    out[1], out[2] from rows 2 and 3 of m; out[0] untouched
inline void FixedMatrixRows23TimesVector(const FixedVector& v, const FixedMatrix& m, FixedVector& out)
{
    const FixedVector in = v;   // out may be v
    out[1] = FixedRowDot(m, 1, in);
    out[2] = FixedRowDot(m, 2, in);
}

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
