// Heliocentric vectors in the fixed-point AU form some body records keep
// beside their double vectors.
#pragma once

#include <cstdint>

// Units of the fixed-point AU form: 25 AU / 2^30, so the int32 range spans
// plus or minus 50 AU.
constexpr double kFixedAUPerAU = 1073741824.0 / 25.0;

// Heliocentric vector to the fixed-point AU form.
// Given:    v      vector, AU (any frame)
// Returned: f      each component x 2^30 / 25, truncated toward zero; a
//                  component beyond +-50 AU is held at the int32 limit and a
//                  NaN becomes 0, so the conversion is always defined
void VectorToFixedAU(const double v[3], int32_t f[3]);
