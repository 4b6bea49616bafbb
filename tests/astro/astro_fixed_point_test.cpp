// Q14 fixed point: the tables against independent computations, the table
// functions against the library's acos and sqrt within bounds derived from
// the table spacing, the products and quotient at their limits, and the
// conversions between doubles and Q14 (against ERFA).
#include <gtest/gtest.h>

#include <erfa.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "astro/fixed_point.h"
#include "astro/math_tables.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

namespace {

constexpr double kQ14 = 16384.0;
constexpr int32_t kHalfPi = 25735;   // Q14 of pi / 2, floored
constexpr int32_t kPiQ14 = 51471;    // Q14 of pi, floored

// floor(16384 f(x / 16384)), computed independently in long double.
int32_t Entry(long double (*f)(long double), int32_t x)
{
    return static_cast<int32_t>(std::floor(16384.0L * f(x / 16384.0L)));
}

// Chord error bound h^2/8 max|f''| on a table segment of width h.
// f(a) = 16384 acos(a / 16384) is concave on [0, 16384] with
// |f''(a)| = u / (16384 (1 - u^2)^1.5), u = a / 16384, growing with a, so the
// maximum is at the right end of the segment.
double AcosChordBound(int32_t a)
{
    if (a >= 16369)
        return 0.0;   // the end run is read exactly
    const int32_t h = a < 14208 ? 128 : 16;
    const double u = (a / h + 1) * h / kQ14;
    return h * h / 8.0 * u / (kQ14 * std::pow(1.0 - u * u, 1.5));
}

// f(x) = 16384 sqrt(x / 16384) = 128 sqrt(x), concave, |f''| = 32 x^-1.5,
// largest at the left end. From 0 the curvature is unbounded; there the
// chord from (0, 0) to (h, f(h)) is at most 128 sqrt(h) / 4 below the curve.
double SqrtChordBound(int32_t x)
{
    const int32_t h = x < 1024 ? 16 : 128;
    const double left = (x < 1024 ? x / 16 * 16 : 1024 + (x - 1024) / 128 * 128);
    return left == 0.0 ? 128.0 * std::sqrt(double(h)) / 4.0 : h * h / 8.0 * 32.0 * std::pow(left, -1.5);
}

} // namespace

TEST(FixedTables, EntriesMatchTheFormulaAndTheQuotedRuns)
{
    auto acos = [](long double x) { return std::acos(x); };
    auto sqrt = [](long double x) { return std::sqrt(x); };
    ASSERT_EQ(FixedAcosTable.size(), 265u);
    ASSERT_EQ(kFixedAcosFineStart, 112);
    ASSERT_EQ(kFixedAcosEndStart, 112 + 137);
    for (int i = 0; i < 265; ++i) {
        const int32_t x = i < kFixedAcosFineStart ? 128 * i
                          : i < kFixedAcosEndStart ? 14208 + 16 * (i - kFixedAcosFineStart)
                                                   : 16369 + (i - kFixedAcosEndStart);
        EXPECT_EQ(FixedAcosTable[i], Entry(acos, x)) << "acos entry " << i;
    }
    ASSERT_EQ(FixedSqrtTable.size(), 186u);
    ASSERT_EQ(kFixedSqrtHighStart, 65);
    for (int i = 0; i < 186; ++i) {
        const int32_t x = i < kFixedSqrtHighStart ? 16 * i : 1024 + 128 * (i - kFixedSqrtHighStart);
        EXPECT_EQ(FixedSqrtTable[i], Entry(sqrt, x)) << "sqrt entry " << i;
    }
    const std::array<int32_t, 16> acosEnd = {701, 677, 652, 627, 600, 572, 543, 512,
                                             478, 443, 404, 362, 313, 256, 181, 0};
    EXPECT_TRUE(std::equal(acosEnd.begin(), acosEnd.end(), FixedAcosTable.begin() + kFixedAcosEndStart));
    EXPECT_EQ(FixedAcosTable[111], 8540);
    EXPECT_EQ(FixedAcosTable[112], 8540);
    const std::array<int32_t, 7> sqrtRuns = {0, 512, 724, 886, 4096, 4344, 4579};
    EXPECT_TRUE(std::equal(sqrtRuns.begin(), sqrtRuns.begin() + 4, FixedSqrtTable.begin()));
    EXPECT_TRUE(std::equal(sqrtRuns.begin() + 4, sqrtRuns.end(), FixedSqrtTable.begin() + kFixedSqrtHighStart));
}

TEST(FixedTableFunctions, KnownValues)
{
    struct Row {
        int32_t (*f)(int32_t);
        int32_t x, expected;
    };
    const Row rows[] = {
        {FixedAcos, 16384, 0}, {FixedAcos, 0, kHalfPi}, {FixedAcos, -16384, kPiQ14},
        {FixedAcos, 16368, 724}, {FixedAcos, 16369, 701}, {FixedAcos, 16383, 181},
        {FixedAcos, 20000, 0}, {FixedAcos, INT32_MIN, kPiQ14}, {FixedAcos, -16369, kPiQ14 - 701},
        // Interpolated steps truncate toward zero: 8794 + (-254 x 127) / 128
        // and 1024 + (-300 x 15) / 16, not the floors 8541 and 742.
        {FixedAcos, 14207, 8542}, {FixedAcos, 16367, 743}, {FixedAcos, -16367, kPiQ14 - 743},
        {FixedAsin, 0, 0}, {FixedAsin, 16384, kHalfPi}, {FixedAsin, -16384, kHalfPi - kPiQ14},
        {FixedSqrt, 16384, 16384}, {FixedSqrt, 4096, 8192}, {FixedSqrt, 0, 0},
        {FixedSqrt, 1, 32},   // linear between the entries 0 and 512
        {FixedSqrt, -5, 0}, {FixedSqrt, INT32_MIN, 0}, {FixedSqrt, 20000, 16384},
        {FixedSqrt, INT32_MAX, 16384}, {FixedSqrt, 1024, 4096},
        {FixedSqrt, 17, 512 + ((724 - 512) >> 4)}, {FixedSqrt, 1025, 4096 + ((4344 - 4096) >> 7)},
        {FixedSqrt, 16383, 16319 + ((16384 - 16319) * 127 >> 7)},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.f(r.x), r.expected) << "x " << r.x;
    // asin(0.5) = pi/6 = 8578.6 in Q14.
    EXPECT_NEAR(FixedAsin(8192), kQ14 * kPi / 6, 2.0);
    EXPECT_NEAR(FixedAsin(-8192), -kQ14 * kPi / 6, 2.0);
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
        const double err = kQ14 * std::acos(x / kQ14) - FixedAcos(x);
        ASSERT_LT(std::fabs(err), AcosChordBound(std::abs(x)) + 2.0) << "x " << x;
        if (x >= 0) {
            ASSERT_GT(err, -1.0) << "x " << x;
        }
        worst = std::max(worst, std::fabs(err));
    }
    EXPECT_LT(worst, 25.0);
}

TEST(FixedSqrt, NeverAboveTheRootAndWithinTheChordErrorBelow)
{
    // Floored entries, a flooring shift and a chord under a concave curve:
    // the result never exceeds the true root, and is below it by less than
    // the chord bound plus 2 (one for the entries, one for the shift).
    // That is 130 units on the first segment (x < 16), 18 from 16, under 4
    // from 1024 on.
    for (int32_t x = 0; x <= 16384; ++x) {
        const double err = kQ14 * std::sqrt(x / kQ14) - FixedSqrt(x);
        ASSERT_GE(err, 0.0) << "x " << x;
        ASSERT_LT(err, SqrtChordBound(x) + 2.0) << "x " << x;
    }
}

TEST(FixedMulDiv, RoundAsStatedAndHoldTheLimits)
{
    // The product floors (rounds toward minus infinity), the quotient
    // truncates toward zero; what passes int32 is held at its ends (in 32
    // bits these products overflow, which is undefined); a zero divisor
    // gives the held limit of the dividend's sign.
    struct Row {
        int32_t (*f)(int32_t, int32_t);
        int32_t a, b, expected;
    };
    const Row rows[] = {
        {FixedMul, -1, 1, -1}, {FixedMul, 16384, 16384, 16384}, {FixedMul, -16384, 8192, -8192},
        {FixedMul, 3, -5461, -1},   // -16383 / 16384 floors to -1
        {FixedMul, 0, -7, 0}, {FixedMul, INT32_MAX, INT32_MAX, INT32_MAX},
        {FixedMul, INT32_MIN, INT32_MAX, INT32_MIN}, {FixedMul, INT32_MIN, INT32_MIN, INT32_MAX},
        {FixedMul, 1 << 24, 1 << 20, 1 << 30}, {FixedMul, -(1 << 24), 1 << 20, -(1 << 30)},
        {FixedDiv, 8192, 16384, 8192}, {FixedDiv, 16384, 8192, 32768}, {FixedDiv, -1, 3, -5461},
        {FixedDiv, 1, -3, -5461}, {FixedDiv, -16384, -16384, 16384},
        // The largest dividend the 32-bit form allowed, and beyond it.
        {FixedDiv, 131071, 16384, 131071}, {FixedDiv, -131072, 16384, -131072},
        {FixedDiv, 131072 * 4, 16384 * 4, 131072}, {FixedDiv, 5, 0, INT32_MAX},
        {FixedDiv, -5, 0, -INT32_MAX}, {FixedDiv, 0, 0, 0}, {FixedDiv, INT32_MIN, 0, -INT32_MAX},
        {FixedDiv, 131072, 1, INT32_MAX}, {FixedDiv, -131073, 1, INT32_MIN},
        {FixedDiv, INT32_MIN, -1, INT32_MAX},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.f(r.a, r.b), r.expected) << r.a << ", " << r.b;
    // A held quotient still gives a sane angle downstream.
    EXPECT_EQ(FixedAsin(FixedDiv(7, 0)), kHalfPi);
    EXPECT_EQ(FixedAsin(FixedDiv(-7, 0)), kHalfPi - kPiQ14);

    std::mt19937_64 rng(21);
    std::uniform_int_distribution<int32_t> value(-40000, 40000);
    for (int i = 0; i < 100000; ++i) {
        const int32_t a = value(rng), b = value(rng);
        ASSERT_EQ(FixedMul(a, b), std::floor(double(a) * b / kQ14)) << a << " x " << b;
    }
}

TEST(FixedMatrix, ProductsFollowTheDoubleRotationAndHoldHugeSums)
{
    // Each Q14 element and component is truncated (up to 1 unit), each
    // product floored (1 unit): per output component at most 3 x (1 + 1)
    // plus 3 for the three floors, so 9 units.
    double m[9];
    RotationZY(57.3, -21.9, m);
    FixedMatrix fm;
    FixedFromMatrix(m, fm);
    std::mt19937_64 rng(22);
    std::uniform_real_distribution<double> lon(0.0, 360.0), lat(-90.0, 90.0);
    for (int i = 0; i < 10000; ++i) {
        const double s[2] = {lon(rng), lat(rng)};
        double v[3], w[3];
        VectorFromSpherical(s, v);
        MatrixTimesVector(v, m, w);
        FixedVector fv, out;
        FixedFromVector(v, fv);
        FixedMatrixTimesVector(fv, fm, out);
        for (int k = 0; k < 3; ++k)
            ASSERT_NEAR(out[k], kQ14 * w[k], 9.0) << k;
        EXPECT_EQ(FixedMatrixRow3Dot(fv, fm), out[2]);
        FixedVector partial{-12345, 0, 0};
        FixedMatrixRows23TimesVector(fv, fm, partial);
        EXPECT_EQ(partial, (FixedVector{-12345, out[1], out[2]}));   // the first left as it was
    }
    const FixedMatrix huge{INT32_MAX, INT32_MAX, INT32_MAX, 0, 0, 0, INT32_MIN, INT32_MIN, INT32_MIN};
    FixedVector out;
    FixedMatrixTimesVector(FixedVector{16384, 16384, 16384}, huge, out);
    EXPECT_EQ(out, (FixedVector{INT32_MAX, 0, INT32_MIN}));
}

TEST(FixedAngleOfVector, FoldsTheDirectionIntoAHalfTurn)
{
    for (auto [a, b, angle] : {std::tuple{50, 50, 0},   // table length below 80
                               {0, 0, 0}, {0, 16384, 0}, {16384, 0, kHalfPi}, {-16384, 0, kHalfPi - kPiQ14},
                               {INT32_MAX, INT32_MAX, kHalfPi}})   // held, not overflowed
        EXPECT_EQ(FixedAngleOfVector(a, b), angle) << a << ", " << b;
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
            const double bound = AcosChordBound(std::abs(a)) + 2.0 + 5.0 / std::cos(rad);
            ASSERT_NEAR(FixedAngleOfVector(a, b), kQ14 * rad, bound) << t;
        }
    }
}

TEST(FixedConversion, TruncatesTowardZeroAndHoldsNaNAndHugeValues)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct VectorRow {
        double v[3];
        FixedVector f;
    };
    for (const VectorRow& r : {VectorRow{{0.99999, -0.99999, 0.0}, {16383, -16383, 0}},
                               VectorRow{{nan, 1e10, -inf}, {0, INT32_MAX, INT32_MIN}}}) {
        FixedVector f;
        FixedFromVector(r.v, f);
        EXPECT_EQ(f, r.f);
    }
    struct PlaceRow {
        double s[2];
        FixedVector f;
    };
    for (const PlaceRow& r : {PlaceRow{{0, 0}, {16384, 0, 0}}, PlaceRow{{123, 90}, {0, 0, 16384}},
                              PlaceRow{{nan, nan}, {0, 0, 0}}}) {
        FixedVector f;
        FixedVectorFromSpherical(r.s, f);
        EXPECT_EQ(f, r.f) << r.s[0] << ", " << r.s[1];
    }
    // cos 30 = 0.8660254 -> 14188.96 truncated; the table sine of 30 is
    // exactly 0.5 -> 8192.
    double m[9];
    RotationZ(30.0, m);
    FixedMatrix fm;
    FixedFromMatrix(m, fm);
    EXPECT_EQ(fm, (FixedMatrix{14188, 8192, 0, -8192, 14188, 0, 0, 0, 16384}));
    const double bad[9] = {nan, inf, -inf, 1e12, -1e12, 0.5, 0, 0, 0};
    FixedFromMatrix(bad, fm);
    EXPECT_EQ(fm, (FixedMatrix{0, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, 8192, 0, 0, 0}));
}

TEST(FixedConversion, PlaceOfAFixedVectorOfAnyLengthMatchesErfa)
{
    // [0, 360) here, unlike SphericalFromVector; the null vector is (0, 0).
    for (auto [f, lon, lat] : {std::tuple{FixedVector{16384, 0, 0}, 0.0, 0.0}, {FixedVector{0, 0, 0}, 0.0, 0.0},
                               {FixedVector{0, 0, -5}, 0.0, -90.0}}) {
        double s[2];
        SphericalFromFixedVector(f, s);
        EXPECT_EQ(s[0], lon);
        EXPECT_EQ(s[1], lat);
    }
    std::mt19937_64 rng(14);
    std::uniform_int_distribution<int32_t> component(-40000, 40000);
    for (int i = 0; i < 10000; ++i) {
        const FixedVector f{component(rng), component(rng), component(rng)};
        double p[3] = {double(f[0]), double(f[1]), double(f[2])}, theta, phi, s[2];
        eraC2s(p, &theta, &phi);
        SphericalFromFixedVector(f, s);
        ASSERT_GE(s[0], 0.0);
        ASSERT_LT(s[0], 360.0);
        ASSERT_LT(std::fabs(std::remainder(s[0] - theta * kDegreesPerRadian, 360.0)), 1e-12);
        ASSERT_NEAR(s[1], phi * kDegreesPerRadian, 1e-12);
    }
}

TEST(FixedConversion, RoundTripThroughQ14KeepsThePlaceToTheGrid)
{
    // One Q14 step is 1/16384 rad = 12.6 arcseconds; truncation of each
    // component moves the direction by at most sqrt(3) steps.
    constexpr double kBound = 1.8 / 16384 * kDegreesPerRadian;
    std::mt19937_64 rng(15);
    std::uniform_real_distribution<double> lon(0.0, 360.0), lat(-89.0, 89.0);
    for (int i = 0; i < 10000; ++i) {
        const double s[2] = {lon(rng), lat(rng)};
        FixedVector f;
        double back[2];
        FixedVectorFromSpherical(s, f);
        SphericalFromFixedVector(f, back);
        ASSERT_LT(std::fabs(back[1] - s[1]), kBound);
        ASSERT_LT(std::fabs(std::remainder(back[0] - s[0], 360.0)) * std::cos(s[1] * kRadiansPerDegree), kBound);
    }
}
