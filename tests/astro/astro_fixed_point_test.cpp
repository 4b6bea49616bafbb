// Q14 fixed point: the tables against independent computations, the table
// functions against the library's acos and sqrt within bounds derived from
// the table spacing, and the products and quotient at their limits.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

#include "astro/fixed_point.h"
#include "astro/math_tables.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

namespace {

constexpr double kQ14 = 16384.0;

double TrueAcos(int32_t x)
{
    return kQ14 * std::acos(x / kQ14);
}

double TrueSqrt(int32_t x)
{
    return kQ14 * std::sqrt(x / kQ14);
}

// Chord error bound h^2/8 max|f''| on a table segment of width h.
// f(a) = 16384 acos(a / 16384) is concave on [0, 16384] with
// |f''(a)| = u / (16384 (1 - u^2)^1.5), u = a / 16384, growing with a, so the
// maximum is at the right end of the segment.
double AcosChordBound(int32_t a)
{
    int32_t h;
    if (a < 14208) {
        h = 128;
    } else if (a < 16369) {
        h = 16;
    } else {
        return 0.0;   // the end run is read exactly
    }
    const double right = (a / h + 1) * h;
    const double u = right / kQ14;
    const double curvature = u / (kQ14 * std::pow(1.0 - u * u, 1.5));
    return h * h / 8.0 * curvature;
}

// f(x) = 16384 sqrt(x / 16384) = 128 sqrt(x), concave, |f''| = 32 x^-1.5,
// largest at the left end. From 0 the curvature is unbounded; there the
// chord from (0, 0) to (h, f(h)) is at most 128 sqrt(h) / 4 below the curve.
double SqrtChordBound(int32_t x)
{
    const int32_t h = x < 1024 ? 16 : 128;
    const double left = (x < 1024 ? x / 16 * 16 : 1024 + (x - 1024) / 128 * 128);
    if (left == 0.0) {
        return 128.0 * std::sqrt(double(h)) / 4.0;
    }
    return h * h / 8.0 * 32.0 * std::pow(left, -1.5);
}

} // namespace

TEST(FixedTables, AcosEntriesMatchTheFormulaAndTheQuotedRuns)
{
    // floor(16384 acos(x / 16384)) computed independently in long double.
    auto entry = [](int32_t x) {
        return static_cast<int32_t>(std::floor(16384.0L * std::acos(x / 16384.0L)));
    };
    ASSERT_EQ(FixedAcosTable.size(), 265u);
    for (int i = 0; i < kFixedAcosFineStart; ++i) {
        EXPECT_EQ(FixedAcosTable[i], entry(128 * i)) << "coarse " << i;
    }
    for (int i = kFixedAcosFineStart; i < kFixedAcosEndStart; ++i) {
        EXPECT_EQ(FixedAcosTable[i], entry(14208 + 16 * (i - kFixedAcosFineStart))) << "fine " << i;
    }
    for (int i = kFixedAcosEndStart; i < 265; ++i) {
        EXPECT_EQ(FixedAcosTable[i], entry(16369 + (i - kFixedAcosEndStart))) << "end " << i;
    }
    EXPECT_EQ(kFixedAcosFineStart, 112);
    EXPECT_EQ(kFixedAcosEndStart, 112 + 137);
    EXPECT_EQ(FixedAcosTable[0], 25735);
    EXPECT_EQ(FixedAcosTable[111], 8540);
    EXPECT_EQ(FixedAcosTable[112], 8540);
    EXPECT_EQ(FixedAcosTable[248], 0);
    const std::array<int32_t, 16> endRun = {701, 677, 652, 627, 600, 572, 543, 512,
                                            478, 443, 404, 362, 313, 256, 181, 0};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(FixedAcosTable[kFixedAcosEndStart + i], endRun[i]);
    }
}

TEST(FixedTables, SqrtEntriesMatchTheFormulaAndTheQuotedRuns)
{
    auto entry = [](int32_t x) {
        return static_cast<int32_t>(std::floor(16384.0L * std::sqrt(x / 16384.0L)));
    };
    ASSERT_EQ(FixedSqrtTable.size(), 186u);
    for (int i = 0; i < kFixedSqrtHighStart; ++i) {
        EXPECT_EQ(FixedSqrtTable[i], entry(16 * i)) << "low " << i;
    }
    for (int i = kFixedSqrtHighStart; i < 186; ++i) {
        EXPECT_EQ(FixedSqrtTable[i], entry(1024 + 128 * (i - kFixedSqrtHighStart))) << "high " << i;
    }
    EXPECT_EQ(kFixedSqrtHighStart, 65);
    const std::array<int32_t, 4> lowStart = {0, 512, 724, 886};
    const std::array<int32_t, 3> highStart = {4096, 4344, 4579};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(FixedSqrtTable[i], lowStart[i]);
    }
    EXPECT_EQ(FixedSqrtTable[64], 4096);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(FixedSqrtTable[65 + i], highStart[i]);
    }
    EXPECT_EQ(FixedSqrtTable[185], 16384);
}

TEST(FixedAcos, KnownValues)
{
    EXPECT_EQ(FixedAcos(16384), 0);
    EXPECT_EQ(FixedAcos(0), 25735);
    EXPECT_EQ(FixedAcos(-16384), 51471);
    EXPECT_EQ(FixedAcos(16368), 724);
    EXPECT_EQ(FixedAcos(16369), 701);
    EXPECT_EQ(FixedAcos(16383), 181);
    EXPECT_EQ(FixedAcos(20000), 0);
    EXPECT_EQ(FixedAcos(INT32_MIN), 51471);
    EXPECT_EQ(FixedAcos(-16369), 51471 - 701);
    // Interpolated steps truncate toward zero: 8794 + (-254 x 127) / 128 and
    // 1024 + (-300 x 15) / 16, not the floors 8541 and 742.
    EXPECT_EQ(FixedAcos(14207), 8542);
    EXPECT_EQ(FixedAcos(16367), 743);
    EXPECT_EQ(FixedAcos(-16367), 51471 - 743);
}

TEST(FixedAcos, WithinTheChordErrorOfTheTableEverywhere)
{
    // For a >= 0: entries are floors (up to 1 low), the interpolated step
    // is truncated toward zero (up to 1 high), and the chord lies below the
    // concave curve by at most AcosChordBound. Negative x mirror this about
    // pi, which adds the 0.85 of 51471.85 - 51471. So |error| < bound + 2.
    // The bound is below 1 unit over the coarse run and reaches 22.6 units
    // (1.4e-3 rad) on the last fine segment before the end run.
    double worst = 0.0;
    for (int32_t x = -16384; x <= 16384; ++x) {
        const double err = TrueAcos(x) - FixedAcos(x);
        const int32_t a = x < 0 ? -x : x;
        ASSERT_LT(std::fabs(err), AcosChordBound(a) + 2.0) << "x " << x;
        if (x >= 0) {
            ASSERT_GT(err, -1.0) << "x " << x;
        }
        worst = std::max(worst, std::fabs(err));
    }
    EXPECT_LT(worst, 25.0);
}

TEST(FixedAsin, IsTheComplementOfTheArcCosine)
{
    EXPECT_EQ(FixedAsin(0), 0);
    EXPECT_EQ(FixedAsin(16384), 25735);
    EXPECT_EQ(FixedAsin(-16384), 25735 - 51471);
    // asin(0.5) = pi/6 = 8578.6 in Q14.
    EXPECT_NEAR(FixedAsin(8192), kQ14 * kPi / 6, 2.0);
    EXPECT_NEAR(FixedAsin(-8192), -kQ14 * kPi / 6, 2.0);
}

TEST(FixedSqrt, KnownValues)
{
    EXPECT_EQ(FixedSqrt(16384), 16384);
    EXPECT_EQ(FixedSqrt(4096), 8192);
    EXPECT_EQ(FixedSqrt(1), 32);   // linear between the entries 0 and 512
    EXPECT_EQ(FixedSqrt(0), 0);
    EXPECT_EQ(FixedSqrt(-5), 0);
    EXPECT_EQ(FixedSqrt(INT32_MIN), 0);
    EXPECT_EQ(FixedSqrt(20000), 16384);
    EXPECT_EQ(FixedSqrt(INT32_MAX), 16384);
    EXPECT_EQ(FixedSqrt(1024), 4096);
    EXPECT_EQ(FixedSqrt(17), 512 + ((724 - 512) >> 4));
    EXPECT_EQ(FixedSqrt(1025), 4096 + ((4344 - 4096) >> 7));
    EXPECT_EQ(FixedSqrt(16383), 16319 + ((16384 - 16319) * 127 >> 7));
}

TEST(FixedSqrt, NeverAboveTheRootAndWithinTheChordErrorBelow)
{
    // Floored entries, a flooring shift and a chord under a concave curve:
    // the result never exceeds the true root, and is below it by less than
    // the chord bound plus 2 (one for the entries, one for the shift).
    // That is 130 units on the first segment (x < 16), 18 from 16, under 4
    // from 1024 on.
    for (int32_t x = 0; x <= 16384; ++x) {
        const double err = TrueSqrt(x) - FixedSqrt(x);
        ASSERT_GE(err, 0.0) << "x " << x;
        ASSERT_LT(err, SqrtChordBound(x) + 2.0) << "x " << x;
    }
}

TEST(FixedMul, RoundsTowardMinusInfinity)
{
    EXPECT_EQ(FixedMul(-1, 1), -1);
    EXPECT_EQ(FixedMul(16384, 16384), 16384);
    EXPECT_EQ(FixedMul(-16384, 8192), -8192);
    EXPECT_EQ(FixedMul(3, -5461), -1);   // -16383 / 16384 floors to -1
    EXPECT_EQ(FixedMul(0, -7), 0);
    std::mt19937_64 rng(21);
    std::uniform_int_distribution<int32_t> value(-40000, 40000);
    for (int i = 0; i < 100000; ++i) {
        const int32_t a = value(rng);
        const int32_t b = value(rng);
        ASSERT_EQ(FixedMul(a, b), std::floor(double(a) * b / kQ14)) << a << " x " << b;
    }
}

TEST(FixedMul, ProductBeyondInt32IsHeldAtTheEnds)
{
    // In 32 bits these products overflow (undefined behaviour).
    EXPECT_EQ(FixedMul(INT32_MAX, INT32_MAX), INT32_MAX);
    EXPECT_EQ(FixedMul(INT32_MIN, INT32_MAX), INT32_MIN);
    EXPECT_EQ(FixedMul(INT32_MIN, INT32_MIN), INT32_MAX);
    // Large factors whose Q14 product still fits come out exact.
    EXPECT_EQ(FixedMul(1 << 24, 1 << 20), 1 << 30);
    EXPECT_EQ(FixedMul(-(1 << 24), 1 << 20), -(1 << 30));
}

TEST(FixedDiv, TruncatesTowardZero)
{
    EXPECT_EQ(FixedDiv(8192, 16384), 8192);
    EXPECT_EQ(FixedDiv(16384, 8192), 32768);
    EXPECT_EQ(FixedDiv(-1, 3), -5461);
    EXPECT_EQ(FixedDiv(1, -3), -5461);
    EXPECT_EQ(FixedDiv(-16384, -16384), 16384);
    // The largest dividend the 32-bit form allowed, and beyond it.
    EXPECT_EQ(FixedDiv(131071, 16384), 131071);
    EXPECT_EQ(FixedDiv(-131072, 16384), -131072);
    EXPECT_EQ(FixedDiv(131072 * 4, 16384 * 4), 131072);
}

TEST(FixedDiv, ZeroDivisorAndOverflowGiveTheHeldLimit)
{
    EXPECT_EQ(FixedDiv(5, 0), INT32_MAX);
    EXPECT_EQ(FixedDiv(-5, 0), -INT32_MAX);
    EXPECT_EQ(FixedDiv(0, 0), 0);
    EXPECT_EQ(FixedDiv(INT32_MIN, 0), -INT32_MAX);
    EXPECT_EQ(FixedDiv(131072, 1), INT32_MAX);
    EXPECT_EQ(FixedDiv(-131073, 1), INT32_MIN);
    EXPECT_EQ(FixedDiv(INT32_MIN, -1), INT32_MAX);
    // A held quotient still gives a sane angle downstream.
    EXPECT_EQ(FixedAsin(FixedDiv(7, 0)), 25735);
    EXPECT_EQ(FixedAsin(FixedDiv(-7, 0)), 25735 - 51471);
}

TEST(FixedMatrix, ProductsFollowTheDoubleRotation)
{
    // Each Q14 element and component is truncated (up to 1 unit), each
    // product floored (1 unit): per output component at most 3 x (1 + 1)
    // plus 3 for the three floors, so 9 units.
    double m[9];
    RotationZY(57.3, -21.9, m);
    FixedMatrix fm;
    FixedFromMatrix(m, fm);
    std::mt19937_64 rng(22);
    std::uniform_real_distribution<double> lon(0.0, 360.0);
    std::uniform_real_distribution<double> lat(-90.0, 90.0);
    for (int i = 0; i < 10000; ++i) {
        const double s[2] = {lon(rng), lat(rng)};
        double v[3];
        double w[3];
        VectorFromSpherical(s, v);
        MatrixTimesVector(v, m, w);
        FixedVector fv;
        FixedFromVector(v, fv);
        FixedVector out;
        FixedMatrixTimesVector(fv, fm, out);
        for (int k = 0; k < 3; ++k) {
            ASSERT_NEAR(out[k], kQ14 * w[k], 9.0) << k;
        }
        EXPECT_EQ(FixedMatrixRow3Dot(fv, fm), out[2]);
        FixedVector partial{-12345, 0, 0};
        FixedMatrixRows23TimesVector(fv, fm, partial);
        EXPECT_EQ(partial[0], -12345);   // left as it was
        EXPECT_EQ(partial[1], out[1]);
        EXPECT_EQ(partial[2], out[2]);
    }
}

TEST(FixedMatrix, HugeElementsDoNotOverflowTheSum)
{
    const FixedMatrix m{INT32_MAX, INT32_MAX, INT32_MAX, 0, 0, 0, INT32_MIN, INT32_MIN, INT32_MIN};
    const FixedVector v{16384, 16384, 16384};
    FixedVector out;
    FixedMatrixTimesVector(v, m, out);
    EXPECT_EQ(out[0], INT32_MAX);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(out[2], INT32_MIN);
}

TEST(FixedAngleOfVector, FoldsTheDirectionIntoAHalfTurn)
{
    EXPECT_EQ(FixedAngleOfVector(50, 50), 0);   // table length below 80
    EXPECT_EQ(FixedAngleOfVector(0, 0), 0);
    EXPECT_EQ(FixedAngleOfVector(0, 16384), 0);
    EXPECT_EQ(FixedAngleOfVector(16384, 0), 25735);
    EXPECT_EQ(FixedAngleOfVector(-16384, 0), 25735 - 51471);
    // Errors: the table length of a unit vector is within 4 units of 16384
    // and the quotient truncates, so the sine a / L is off by up to 5 units;
    // the arc sine multiplies that by its slope 1 / cos t, and its table
    // adds the chord bound plus 2. So the bound grows to about 0.1 degree
    // at 60 degrees and is widest at the ends.
    for (double t = -89.0; t <= 89.0; t += 0.25) {
        for (double bSign : {1.0, -1.0}) {
            const double rad = t * kRadiansPerDegree;
            const int32_t a = static_cast<int32_t>(kQ14 * std::sin(rad));
            const int32_t b = static_cast<int32_t>(bSign * kQ14 * std::cos(rad));
            const int32_t q = static_cast<int32_t>(std::fabs(kQ14 * std::sin(rad)));
            const double bound = AcosChordBound(q) + 2.0 + 5.0 / std::cos(rad);
            ASSERT_NEAR(FixedAngleOfVector(a, b), kQ14 * rad, bound) << t;
        }
    }
    // Components far beyond unit length are held, not overflowed.
    EXPECT_EQ(FixedAngleOfVector(INT32_MAX, INT32_MAX), 25735);
}
