// The hyperbolic functions against the library's sinh and cosh: the
// single-precision polynomials and their ranges, and the refinement the
// orbits take them through.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "astro/hyperbolic.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The small-argument polynomials have single-precision coefficients and
// arithmetic. Measured against the library over |x| <= 2, on a 1e-5 grid:
// sinh is within 3.4e-7 of cosh x (which bounds |sinh x|), cosh within
// 7.0e-7 relative (the middle range's 2 cosh^2 - 1 doubles the
// polynomial's error). Beyond 2 the exponential is exact to 5e-14 up to
// |x| = 700.
constexpr double kSmallSinhBound = 4e-7;
constexpr double kSmallCoshBound = 8e-7;
constexpr double kLargeBound = 1e-13;
// The refined pair, relative and divided by max(1, |x|), wherever sinh x
// is finite.
constexpr double kRefinedBound = 1e-15;   // measured 5.4e-16

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

// cosh x - 1 against 2 sinh^2(x / 2), which loses nothing near 0; a few
// ulps, times |x| beyond 1 (the exponential's own error), everywhere from
// 1e-300 to where sinh x overflows.
TEST(Hyperbolic, RefinedPairIsDoublePrecisionAndKeepsCoshMinusOneNearZero)
{
    double worst = 0.0;
    for (double x = 1e-300; x < 710.0; x *= 1.37) {
        for (double signedX : {x, -x}) {
            double s, c;
            SinhCosh(signedX, s, c);
            const double coshMinusOne = RefineSinhCosh(signedX, s, c);
            const double half = std::sinh(signedX / 2.0);
            const double scale = std::fmax(1.0, std::fabs(signedX));
            worst = std::fmax(worst, std::fabs(s - std::sinh(signedX)) / std::fabs(std::sinh(signedX)) / scale);
            worst = std::fmax(worst, std::fabs(coshMinusOne - 2.0 * half * half) / (2.0 * half * half) / scale);
        }
    }
    EXPECT_LT(worst, kRefinedBound);
    std::printf("worst %.3g relative\n", worst);
    double s = 0.0, c = 0.0;
    SinhCosh(0.0, s, c);
    EXPECT_EQ(c, static_cast<double>(0.99999982f));   // the polynomial misses 1
    EXPECT_EQ(RefineSinhCosh(0.0, s, c), 0.0);
    EXPECT_EQ(s, 0.0);
    for (double x : {kNaN, 800.0, -800.0}) {
        SinhCosh(x, s, c);
        EXPECT_FALSE(std::isfinite(RefineSinhCosh(x, s, c))) << x;
        EXPECT_FALSE(std::isfinite(s)) << x;
    }
}
