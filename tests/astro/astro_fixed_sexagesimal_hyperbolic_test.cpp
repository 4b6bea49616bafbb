// Degrees split into sign, degrees, minutes and seconds, and the
// hyperbolic functions against the library's sinh and cosh.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "astro/hyperbolic.h"
#include "astro/sexagesimal.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

SignedDms Dms(double degrees, bool rounded = false)
{
    SignedDms dms;
    (rounded ? DegreesToSignedDmRounded : DegreesToSignedDms)(degrees, dms);
    return dms;
}

// The small-argument polynomials have single-precision coefficients and
// arithmetic. Measured against the library over |x| <= 2, on a 1e-5 grid:
// sinh is within 3.4e-7 of cosh x (which bounds |sinh x|), cosh within
// 7.0e-7 relative (the middle range's 2 cosh^2 - 1 doubles the
// polynomial's error). Beyond 2 the exponential is exact to 5e-14 up to
// |x| = 700.
constexpr double kSmallSinhBound = 4e-7;
constexpr double kSmallCoshBound = 8e-7;
constexpr double kLargeBound = 1e-13;

void ExpectHyperbolicWithin(double x, double sinhBound, double coshBound)
{
    const double cosh = std::cosh(x);
    double s, c;
    SinhCosh(x, s, c);
    ASSERT_LE(std::fabs(Sinh(x) - std::sinh(x)), sinhBound * cosh) << x;
    ASSERT_LE(std::fabs(s - std::sinh(x)), sinhBound * cosh) << x;
    ASSERT_LE(std::fabs(c - cosh), coshBound * cosh) << x;
}

} // namespace

TEST(Sexagesimal, SplitsTheMagnitudeKeepsTheSignAndRoundsMinutesWithCarry)
{
    struct Row {
        double degrees;
        bool rounded;
        int sign, d, m;
        double s;   // not compared for rounded rows
    };
    const double sirius = -(16 + 42.0 / 60 + 58.0 / 3600);
    const double x = 10 + 59.95 / 60;
    const Row rows[] = {
        {-12.5, false, -1, 12, 30, 0.0}, {12.5, false, 1, 12, 30, 0.0}, {0.0, false, 1, 0, 0, 0.0},
        {-0.0, false, 1, 0, 0, 0.0},      // counts as positive: no "-0 00 00"
        {-0.25, false, -1, 0, 15, 0.0},   // below a degree the sign alone says south or west
        {sirius, false, -1, 16, 42, 58.0}, {359.999, false, 1, 359, 59, 56.4},
        {x, false, 1, 10, 59, 57.0},
        // 10 degrees 59.95 minutes shows as 11 00, and so does its negative;
        // 59.45 minutes stays 59; half a minute rounds up either side of 0.
        {12.9999, true, 1, 13, 0, 0}, {x, true, 1, 11, 0, 0}, {-x, true, -1, 11, 0, 0},
        {10 + 59.45 / 60, true, 1, 10, 59, 0}, {0.3 / 60, true, 1, 0, 0, 0}, {0.6 / 60, true, 1, 0, 1, 0},
        {-0.6 / 60, true, -1, 0, 1, 0}, {-0.0, true, 1, 0, 0, 0},
    };
    for (const Row& r : rows) {
        const SignedDms got = Dms(r.degrees, r.rounded);
        EXPECT_EQ(got.sign, r.sign) << r.degrees << (r.rounded ? " rounded" : "");
        EXPECT_EQ(got.degrees, r.d) << r.degrees << (r.rounded ? " rounded" : "");
        EXPECT_EQ(got.minutes, r.m) << r.degrees << (r.rounded ? " rounded" : "");
        if (!r.rounded) {
            EXPECT_NEAR(got.seconds, r.s, 1e-6) << r.degrees;
        }
    }
}

TEST(Sexagesimal, SplitRebuildsTheAngleAndRoundedMinutesAreTheNearest)
{
    std::mt19937_64 rng(31);
    std::uniform_real_distribution<double> angle(-400.0, 400.0);
    for (int i = 0; i < 100000; ++i) {
        const double x = angle(rng);
        const SignedDms d = Dms(x);
        ASSERT_TRUE(d.minutes >= 0 && d.minutes <= 59 && d.seconds >= 0.0 && d.seconds < 60.0) << x;
        ASSERT_NEAR(d.sign * (d.degrees + d.minutes / 60.0 + d.seconds / 3600.0), x, 1e-9) << x;
        const SignedDms r = Dms(x, true);
        ASSERT_LE(r.minutes, 59);
        ASSERT_LE(std::fabs(r.sign * (r.degrees + r.minutes / 60.0) - x), 0.5 / 60 + 1e-12) << x;
    }
}

TEST(Sexagesimal, NonFiniteAndHugeAnglesAreNotUndefined)
{
    const SignedDms nan = Dms(kNaN);
    EXPECT_EQ(nan.degrees, 0);
    EXPECT_EQ(nan.minutes, 0);
    EXPECT_TRUE(std::isnan(nan.seconds));
    const SignedDms huge = Dms(-1e300);
    EXPECT_EQ(huge.sign, -1);
    EXPECT_EQ(huge.degrees, std::numeric_limits<int32_t>::max());
    const SignedDms inf = Dms(std::numeric_limits<double>::infinity());
    EXPECT_EQ(inf.degrees, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(inf.minutes, 0);   // fmod of infinity is NaN
}

TEST(Hyperbolic, WithinThePolynomialAccuracyBelowTwoAndTheExponentialsBeyond)
{
    for (double x = -2.0; x <= 2.0; x += 1e-4) {
        ExpectHyperbolicWithin(x, kSmallSinhBound, kSmallCoshBound);
        double s, c;
        SinhCosh(x, s, c);
        ASSERT_EQ(s, Sinh(x)) << x;
    }
    for (double x = 2.001; x <= 700.0; x *= 1.01) {
        ExpectHyperbolicWithin(x, kLargeBound, kLargeBound);
        ExpectHyperbolicWithin(-x, kLargeBound, kLargeBound);
    }
    EXPECT_NEAR(SinhSmall(0.5f), std::sinh(0.5), 1e-7);
    EXPECT_NEAR(CoshSmall(0.5f), std::cosh(0.5), 2e-7);
    EXPECT_EQ(Sinh(0.0), 0.0);
    double s, c;
    SinhCosh(kNaN, s, c);
    EXPECT_TRUE(std::isnan(s) && std::isnan(c) && std::isnan(Sinh(kNaN)));
}

TEST(Hyperbolic, SinhIsOddCoshEvenAndBothContinuousAcrossTheRangeBoundaries)
{
    for (double x : {0.3, 1.0, 1.5, 2.0, 2.5, 10.0}) {
        double s1, c1, s2, c2;
        SinhCosh(x, s1, c1);
        SinhCosh(-x, s2, c2);
        EXPECT_EQ(s1, -s2) << x;
        EXPECT_DOUBLE_EQ(c1, c2) << x;
        EXPECT_EQ(Sinh(x), -Sinh(-x)) << x;
    }
    // The measured steps at |x| = 1 and 2 are 1.3e-7 (sinh) and 4.0e-7
    // (cosh) relative: a few single-precision units.
    for (double edge : {1.0, 2.0, -1.0, -2.0}) {
        const double beyond = std::nextafter(edge, 2 * edge);
        double s1, c1, s2, c2;
        SinhCosh(edge, s1, c1);
        SinhCosh(beyond, s2, c2);
        EXPECT_LE(std::fabs(s2 - s1), 2e-7 * std::fabs(s1)) << edge;
        EXPECT_LE(std::fabs(c2 - c1), 5e-7 * c1) << edge;
        EXPECT_LE(std::fabs(Sinh(beyond) - Sinh(edge)), 2e-7 * std::fabs(s1)) << edge;
    }
}
