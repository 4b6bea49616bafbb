// Q14 fixed-point vectors and 3x3 rotation matrices: 16384 = 1.0.
// The projections do their per-star work on these in integer arithmetic.
// The format lives in data/ because the built-in catalogue tables are
// stored in it, and data/ includes nothing of the libraries above it.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t kFixedOne = 16384;

using FixedVector = std::array<int32_t, 3>;
using FixedMatrix = std::array<int32_t, 9>;   // row-major
