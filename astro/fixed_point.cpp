// Q14 fixed-point products, quotient and table functions.
#include "astro/fixed_point.h"

#include <algorithm>
#include <limits>

#include "astro/math_tables.h"

namespace {


// Where the arc-cosine table changes from one run to the next.
constexpr int32_t kAcosFineFrom = 14208;
constexpr int32_t kAcosEndFrom = 16369;
constexpr int32_t kAcosFineFirstIndex = kAcosFineFrom >> 4;
// Where the square-root table changes from the low run to the high one.
constexpr int32_t kSqrtHighFrom = 1024;
// A length this short gives no usable direction.
constexpr int32_t kShortestLength = 80;



// Arc cosine of 0 <= a <= 16383 from the table, without the sign fold.
int32_t AcosOfMagnitude(int32_t a)
{
    const auto& t = FixedAcosTable;
    if (a < kAcosFineFrom) {
        const int32_t i = a >> 7;
        const int32_t r = a & 127;
        return t[i] + (t[i + 1] - t[i]) * r / 128;
    }
    if (a < kAcosEndFrom) {
        const int32_t i = kFixedAcosFineStart + (a >> 4) - kAcosFineFirstIndex;
        const int32_t r = a & 15;
        return t[i] + (t[i + 1] - t[i]) * r / 16;
    }
    return t[kFixedAcosEndStart + a - kAcosEndFrom];
}

} // namespace


int32_t FixedDiv(int32_t a, int32_t b)
{
    if (b == 0) {
        // The quotient's limit: as large as it can be, with the sign of a.
        return a == 0 ? 0 : (a > 0 ? INT32_MAX : -INT32_MAX);
    }
    return FixedSaturate(int64_t{a} * kFixedOne / b);
}




int32_t FixedAcos(int32_t x)
{
    if (x > kFixedOne - 1) {
        return 0;
    }
    if (x < -(kFixedOne - 1)) {
        return kFixedPi;
    }
    const int32_t v = AcosOfMagnitude(x < 0 ? -x : x);
    return x >= 0 ? v : kFixedPi - v;
}

int32_t FixedAsin(int32_t x)
{
    return kFixedHalfPi - FixedAcos(x);
}

int32_t FixedAngleOfVector(int32_t a, int32_t b)
{
    const int32_t squares = FixedSaturate(int64_t{FixedMul(a, a)} + FixedMul(b, b));
    const int32_t length = FixedSqrt(squares);
    if (length < kShortestLength) {
        return 0;
    }
    return FixedAsin(FixedDiv(a, length));
}

int32_t FixedSqrt(int32_t x)
{
    if (x > kFixedOne) {
        return kFixedOne;
    }
    if (x < 0) {
        return 0;
    }
    const auto& t = FixedSqrtTable;
    if (x < kSqrtHighFrom) {
        const int32_t i = x >> 4;
        return t[i] + (((t[i + 1] - t[i]) * (x & 15)) >> 4);
    }
    const int32_t i = kFixedSqrtHighStart + ((x - kSqrtHighFrom) >> 7);
    const int32_t r = x & 127;
    // At 16384 the fraction is 0 and there is no entry after the table.
    if (r == 0) {
        return t[i];
    }
    return t[i] + (((t[i + 1] - t[i]) * r) >> 7);
}
