// Degrees split into sign, degrees, minutes and seconds, and the
// hyperbolic functions against the library's sinh and cosh.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "astro/hyperbolic.h"
#include "astro/sexagesimal.h"

namespace {

void ExpectDms(double degrees, const SignedDms& got, int sign, int d, int m, double s)
{
    EXPECT_EQ(got.sign, sign) << degrees;
    EXPECT_EQ(got.degrees, d) << degrees;
    EXPECT_EQ(got.minutes, m) << degrees;
    EXPECT_NEAR(got.seconds, s, 1e-6) << degrees;
}

SignedDms Dms(double degrees)
{
    SignedDms dms;
    DegreesToSignedDms(degrees, dms);
    return dms;
}

SignedDms DmRounded(double degrees)
{
    SignedDms dms;
    DegreesToSignedDmRounded(degrees, dms);
    return dms;
}

} // namespace

TEST(Sexagesimal, SplitsTheMagnitudeAndKeepsTheSign)
{
    ExpectDms(-12.5, Dms(-12.5), -1, 12, 30, 0.0);
    ExpectDms(12.5, Dms(12.5), 1, 12, 30, 0.0);
    ExpectDms(0.0, Dms(0.0), 1, 0, 0, 0.0);
    // -0.0 counts as positive: no "-0 00 00".
    ExpectDms(-0.0, Dms(-0.0), 1, 0, 0, 0.0);
    // Below one degree the sign is all that says south or west.
    ExpectDms(-0.25, Dms(-0.25), -1, 0, 15, 0.0);
    const double sirius = -(16 + 42.0 / 60 + 58.0 / 3600);
    ExpectDms(sirius, Dms(sirius), -1, 16, 42, 58.0);
    ExpectDms(359.999, Dms(359.999), 1, 359, 59, 56.4);
}

TEST(Sexagesimal, SplitRebuildsTheAngle)
{
    std::mt19937_64 rng(31);
    std::uniform_real_distribution<double> angle(-400.0, 400.0);
    for (int i = 0; i < 100000; ++i) {
        const double x = angle(rng);
        const SignedDms d = Dms(x);
        ASSERT_GE(d.minutes, 0);
        ASSERT_LE(d.minutes, 59);
        ASSERT_GE(d.seconds, 0.0);
        ASSERT_LT(d.seconds, 60.0);
        const double back = d.sign * (d.degrees + d.minutes / 60.0 + d.seconds / 3600.0);
        ASSERT_NEAR(back, x, 1e-9) << x;
    }
}

TEST(Sexagesimal, RoundedMinutesCarryIntoTheDegrees)
{
    ExpectDms(12.9999, DmRounded(12.9999), 1, 13, 0, DmRounded(12.9999).seconds);
    // 10 degrees 59.95 minutes shows as 11 00, and so does its negative.
    const double x = 10 + 59.95 / 60;
    EXPECT_EQ(Dms(x).minutes, 59);
    EXPECT_EQ(DmRounded(x).degrees, 11);
    EXPECT_EQ(DmRounded(x).minutes, 0);
    EXPECT_EQ(DmRounded(-x).sign, -1);
    EXPECT_EQ(DmRounded(-x).degrees, 11);
    EXPECT_EQ(DmRounded(-x).minutes, 0);
    // 59.45 minutes stays 59.
    EXPECT_EQ(DmRounded(10 + 59.45 / 60).degrees, 10);
    EXPECT_EQ(DmRounded(10 + 59.45 / 60).minutes, 59);
    // Half a minute and more rounds up, on either side of zero.
    EXPECT_EQ(DmRounded(0.3 / 60).minutes, 0);
    EXPECT_EQ(DmRounded(0.6 / 60).minutes, 1);
    EXPECT_EQ(DmRounded(-0.6 / 60).minutes, 1);
    EXPECT_EQ(DmRounded(-0.6 / 60).sign, -1);
    EXPECT_EQ(DmRounded(-0.0).sign, 1);
    EXPECT_EQ(DmRounded(-0.0).minutes, 0);
}

TEST(Sexagesimal, RoundedMinutesAreTheNearest)
{
    std::mt19937_64 rng(32);
    std::uniform_real_distribution<double> angle(-400.0, 400.0);
    for (int i = 0; i < 100000; ++i) {
        const double x = angle(rng);
        const SignedDms d = DmRounded(x);
        ASSERT_LE(d.minutes, 59);
        const double shown = d.sign * (d.degrees + d.minutes / 60.0);
        ASSERT_LE(std::fabs(shown - x), 0.5 / 60 + 1e-12) << x;
    }
}

TEST(Sexagesimal, NonFiniteAndHugeAnglesAreNotUndefined)
{
    const SignedDms nan = Dms(std::numeric_limits<double>::quiet_NaN());
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

// The small-argument polynomials have single-precision coefficients and
// arithmetic. Measured against the library over |x| <= 2, on a 1e-5 grid:
// sinh is within 3.4e-7 of cosh x (which bounds |sinh x|), cosh within
// 7.0e-7 relative (the middle range's 2 cosh^2 - 1 doubles the
// polynomial's error). Beyond 2 the exponential is exact to 5e-14 up to
// |x| = 700.
constexpr double kSmallSinhBound = 4e-7;
constexpr double kSmallCoshBound = 8e-7;
constexpr double kLargeBound = 1e-13;

TEST(Hyperbolic, SmallArgumentsWithinThePolynomialAccuracy)
{
    for (double x = -2.0; x <= 2.0; x += 1e-4) {
        const double cosh = std::cosh(x);
        double s;
        double c;
        SinhCosh(x, s, c);
        ASSERT_LE(std::fabs(Sinh(x) - std::sinh(x)), kSmallSinhBound * cosh) << x;
        ASSERT_LE(std::fabs(s - std::sinh(x)), kSmallSinhBound * cosh) << x;
        ASSERT_LE(std::fabs(c - cosh), kSmallCoshBound * cosh) << x;
        ASSERT_EQ(s, Sinh(x)) << x;
    }
    EXPECT_NEAR(SinhSmall(0.5f), std::sinh(0.5), 1e-7);
    EXPECT_NEAR(CoshSmall(0.5f), std::cosh(0.5), 2e-7);
    EXPECT_EQ(Sinh(0.0), 0.0);
}

TEST(Hyperbolic, LargeArgumentsFromTheExponential)
{
    for (double x = 2.001; x <= 700.0; x *= 1.01) {
        for (double signedX : {x, -x}) {
            const double cosh = std::cosh(signedX);
            double s;
            double c;
            SinhCosh(signedX, s, c);
            ASSERT_LE(std::fabs(Sinh(signedX) - std::sinh(signedX)), kLargeBound * cosh) << signedX;
            ASSERT_LE(std::fabs(s - std::sinh(signedX)), kLargeBound * cosh) << signedX;
            ASSERT_LE(std::fabs(c - cosh), kLargeBound * cosh) << signedX;
        }
    }
}

TEST(Hyperbolic, SinhIsOddAndCoshEven)
{
    for (double x : {0.3, 1.0, 1.5, 2.0, 2.5, 10.0}) {
        double s1;
        double c1;
        double s2;
        double c2;
        SinhCosh(x, s1, c1);
        SinhCosh(-x, s2, c2);
        EXPECT_EQ(s1, -s2) << x;
        EXPECT_DOUBLE_EQ(c1, c2) << x;
        EXPECT_EQ(Sinh(x), -Sinh(-x)) << x;
    }
}

TEST(Hyperbolic, ContinuousAcrossTheRangeBoundaries)
{
    // The measured steps at |x| = 1 and 2 are 1.3e-7 (sinh) and 4.0e-7
    // (cosh) relative: a few single-precision units.
    for (double edge : {1.0, 2.0, -1.0, -2.0}) {
        const double beyond = std::nextafter(edge, 2 * edge);
        double s1;
        double c1;
        double s2;
        double c2;
        SinhCosh(edge, s1, c1);
        SinhCosh(beyond, s2, c2);
        EXPECT_LE(std::fabs(s2 - s1), 2e-7 * std::fabs(s1)) << edge;
        EXPECT_LE(std::fabs(c2 - c1), 5e-7 * c1) << edge;
        EXPECT_LE(std::fabs(Sinh(beyond) - Sinh(edge)), 2e-7 * std::fabs(s1)) << edge;
    }
}

TEST(Hyperbolic, NaNGivesNaN)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double s;
    double c;
    SinhCosh(nan, s, c);
    EXPECT_TRUE(std::isnan(s));
    EXPECT_TRUE(std::isnan(c));
    EXPECT_TRUE(std::isnan(Sinh(nan)));
}
