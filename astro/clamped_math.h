// Inverse trigonometry and square roots whose arguments are first held to
// their domain. A sine built from table values or a polynomial in time can
// stray a hair past 1, and a NaN that reaches an integer conversion is
// undefined behaviour, so the body computations use these throughout.
#pragma once

#include "astro/trig.h"

#include <algorithm>
#include <cmath>

// Given:    x      any value; below 0 counts as 0, NaN as 0
// Returned: square root of x
inline double ClampedSqrt(double x)
{
    return x > 0.0 ? std::sqrt(x) : 0.0;
}

// Arc sine in the form atan2(s, sqrt(1 - s^2)).
// Given:    s      sine; held to [-1, 1], NaN counts as 0
// Returned: degrees in [-90, 90]
inline double AsinDeg(double s)
{
    const double c = std::isnan(s) ? 0.0 : std::clamp(s, -1.0, 1.0);
    return std::atan2(c, ClampedSqrt(1.0 - c * c)) * kDegreesPerRadian;
}

// Given:    c      cosine; held to [-1, 1], NaN counts as 1
// Returned: degrees in [0, 180]
inline double AcosDeg(double c)
{
    const double x = std::isnan(c) ? 1.0 : std::clamp(c, -1.0, 1.0);
    return std::atan2(ClampedSqrt(1.0 - x * x), x) * kDegreesPerRadian;
}
