// Table sine and cosine against the library's full-precision sine, and the
// angle normalisations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "astro/math_tables.h"
#include "astro/trig.h"

namespace {

double TrueSinDeg(double degrees)
{
    return std::sin(std::fmod(degrees, 360.0) * kRadiansPerDegree);
}

// Bounds of the table sine:
// - truncating the angle to 0.0001 degree moves it by up to 1.745e-6 rad;
// - linear interpolation over 0.1 degree (h = 1.745e-3 rad) is off by at
//   most h^2/8 |sin''| = 3.81e-7;
// - entry rounding and the integer interpolation add 1.5e-9.
// The first error is largest where the slope cos x is 1, the second where
// the curvature sin x is 1, so together at most
// sqrt(1.745^2 + 0.381^2) 1e-6 + 1.5e-9 = 1.788e-6 < 2e-6.
constexpr double kSinBound = 2e-6;
constexpr double kInterpolationBound = 3.82e-7;

} // namespace

TEST(SineTable, EntriesMatchTheRoundedSine)
{
    // An independent computation of round(1e9 sin(k x 0.1 degree)) in
    // long double, against the generated table.
    for (int k = 0; k <= 900; ++k) {
        const long double s = std::sin(static_cast<long double>(k) * 3.14159265358979323846L / 1800.0L);
        EXPECT_EQ(SineTable[k], std::llround(1e9L * s)) << "entry " << k;
    }
    EXPECT_EQ(SineTable[0], 0);
    EXPECT_EQ(SineTable[300], 500000000);
    EXPECT_EQ(SineTable[900], 1000000000);
}

TEST(SinDeg, ExactAtTheQuadrantsWhateverTheTurn)
{
    for (double turn : {-1080.0, -720.0, -360.0, 0.0, 360.0, 720.0, 3600.0}) {
        EXPECT_EQ(SinDeg(turn + 0.0), 0.0) << turn;
        EXPECT_EQ(SinDeg(turn + 90.0), 1.0) << turn;
        EXPECT_EQ(SinDeg(turn + 180.0), 0.0) << turn;
        EXPECT_EQ(SinDeg(turn + 270.0), -1.0) << turn;
        EXPECT_EQ(CosDeg(turn + 0.0), 1.0) << turn;
        EXPECT_EQ(CosDeg(turn + 90.0), 0.0) << turn;
        EXPECT_EQ(CosDeg(turn + 180.0), -1.0) << turn;
        EXPECT_EQ(CosDeg(turn + 270.0), 0.0) << turn;
    }
    EXPECT_EQ(SinDeg(-90.0), -1.0);
    EXPECT_EQ(SinDeg(-270.0), 1.0);
}

TEST(SinDeg, WithinTwoMillionthsOverAMillionAngles)
{
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> angle(-1000.0, 1000.0);
    double worst = 0.0;
    for (int i = 0; i < 1000000; ++i) {
        const double x = angle(rng);
        const double err = std::fabs(SinDeg(x) - TrueSinDeg(x));
        worst = std::max(worst, err);
        ASSERT_LE(err, kSinBound) << "angle " << x;
        ASSERT_LE(std::fabs(CosDeg(x) - TrueSinDeg(x + 90.0)), kSinBound) << "angle " << x;
    }
    // The truncation alone reaches 1.7e-6 somewhere in a million angles:
    // the table is not accidentally more accurate than it claims.
    EXPECT_GT(worst, 1.5e-6);
}

TEST(SinDeg, InterpolatesTheTruncatedAngleWithinTheChordError)
{
    // Separates the table and its interpolation from the angle truncation.
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> angle(-400.0, 400.0);
    for (int i = 0; i < 200000; ++i) {
        const double x = angle(rng);
        const double truncated = std::trunc(x * 10000.0) / 10000.0;
        ASSERT_NEAR(SinDeg(x), TrueSinDeg(truncated), kInterpolationBound) << "angle " << x;
    }
}

TEST(SinDeg, TruncatesTheAngleToATenThousandthOfADegree)
{
    EXPECT_NEAR(SinDeg(30.0), 0.5, 1e-9);
    EXPECT_EQ(SinDeg(30.00004), SinDeg(30.0));
    EXPECT_NE(SinDeg(30.0001), SinDeg(30.0));
    EXPECT_EQ(SinDeg(-30.00004), SinDeg(-30.0));
    EXPECT_EQ(SinDeg(-30.0), -SinDeg(30.0));
}

TEST(SinDeg, HugeAnglesAreReducedFirst)
{
    for (double x : {1e6, -1e6, 200000.0, -200000.0, 123456789.123, -9.87e12, 1e300}) {
        const double reduced = std::fmod(x, 360.0);
        EXPECT_EQ(SinDeg(x), SinDeg(reduced)) << x;
        EXPECT_NEAR(SinDeg(x), TrueSinDeg(x), kSinBound) << x;
    }
    // Just below the reduction threshold the scaled angle still fits.
    EXPECT_NEAR(SinDeg(199999.9999), TrueSinDeg(199999.9999), kSinBound);
}

TEST(SinDeg, NonFiniteAngleGivesNaN)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {std::numeric_limits<double>::quiet_NaN(), inf, -inf}) {
        EXPECT_TRUE(std::isnan(SinDeg(x)));
        EXPECT_TRUE(std::isnan(CosDeg(x)));
    }
}

TEST(SinIntDeg, ReadsTheTableAtEveryWholeDegree)
{
    for (int32_t a = -1080; a <= 1080; ++a) {
        ASSERT_NEAR(SinIntDeg(a), std::sin(a * kRadiansPerDegree), 1e-9) << a;
        ASSERT_NEAR(CosIntDeg(a), std::cos(a * kRadiansPerDegree), 1e-9) << a;
    }
    EXPECT_EQ(SinIntDeg(90), 1.0);
    EXPECT_EQ(SinIntDeg(270), -1.0);
    EXPECT_EQ(SinIntDeg(181), -SinIntDeg(1));
    EXPECT_EQ(CosIntDeg(180), -1.0);
}

TEST(SinIntDeg, ExtremeIntegersDoNotOverflow)
{
    // INT32_MAX = 5965232 x 360 + 127 and INT32_MIN = -5965232 x 360 - 128.
    EXPECT_NEAR(SinIntDeg(INT32_MAX), std::sin(127 * kRadiansPerDegree), 1e-9);
    EXPECT_NEAR(CosIntDeg(INT32_MAX), std::cos(127 * kRadiansPerDegree), 1e-9);
    EXPECT_NEAR(SinIntDeg(INT32_MIN), std::sin(-128 * kRadiansPerDegree), 1e-9);
    EXPECT_NEAR(CosIntDeg(INT32_MIN), std::cos(-128 * kRadiansPerDegree), 1e-9);
}

TEST(NormalizeDegrees, BringsEveryAngleIntoOneTurn)
{
    EXPECT_EQ(NormalizeDegrees(-0.0), 0.0);
    EXPECT_FALSE(std::signbit(NormalizeDegrees(-0.0)));
    EXPECT_EQ(NormalizeDegrees(360.0), 0.0);
    EXPECT_EQ(NormalizeDegrees(-1.0), 359.0);
    EXPECT_NEAR(NormalizeDegrees(720.5), 0.5, 1e-12);
    EXPECT_EQ(NormalizeDegrees(-720.0), 0.0);
    // A tiny negative angle must not come back as 360.
    EXPECT_LT(NormalizeDegrees(-1e-20), 360.0);
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> angle(-1e5, 1e5);
    for (int i = 0; i < 100000; ++i) {
        const double x = angle(rng);
        const double r = NormalizeDegrees(x);
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 360.0);
        // The same direction: the remainder agrees with fmod to rounding.
        const double expected = std::fmod(std::fmod(x, 360.0) + 360.0, 360.0);
        ASSERT_NEAR(std::remainder(r - expected, 360.0), 0.0, 1e-9) << x;
    }
}

TEST(NormalizeLatitude, ClampsRatherThanReflects)
{
    EXPECT_EQ(NormalizeLatitude(45.0), 45.0);
    EXPECT_EQ(NormalizeLatitude(-45.0), -45.0);
    EXPECT_EQ(NormalizeLatitude(100.0), 90.0);
    EXPECT_EQ(NormalizeLatitude(-100.0), -90.0);
    EXPECT_EQ(NormalizeLatitude(350.0), -10.0);
    EXPECT_EQ(NormalizeLatitude(190.0), -90.0);
    EXPECT_EQ(NormalizeLatitude(180.0), 90.0);
}

TEST(NormalizeIntDegrees, GivesZeroTo359)
{
    EXPECT_EQ(NormalizeIntDegrees(0), 0);
    EXPECT_EQ(NormalizeIntDegrees(360), 0);
    EXPECT_EQ(NormalizeIntDegrees(-1), 359);
    EXPECT_EQ(NormalizeIntDegrees(-360), 0);
    EXPECT_EQ(NormalizeIntDegrees(725), 5);
    EXPECT_EQ(NormalizeIntDegrees(INT32_MAX), 127);
    EXPECT_EQ(NormalizeIntDegrees(INT32_MIN), 232);
}

TEST(NormalizeHours, BringsHoursIntoOneDay)
{
    EXPECT_NEAR(NormalizeHours(25.0), 1.0, 1e-12);
    EXPECT_NEAR(NormalizeHours(-1.0), 23.0, 1e-12);
    EXPECT_EQ(NormalizeHours(24.0), 0.0);
    EXPECT_NEAR(NormalizeHours(-36.5), 11.5, 1e-12);
}

TEST(Atan2Safe, IsZeroAtTheOriginWhateverTheSigns)
{
    EXPECT_EQ(Atan2Safe(0.0, 0.0), 0.0);
    EXPECT_EQ(Atan2Safe(-0.0, -0.0), 0.0);   // plain atan2 gives -pi
    EXPECT_EQ(Atan2Safe(0.0, -0.0), 0.0);    // plain atan2 gives pi
    EXPECT_EQ(Atan2Safe(0.0, -1.0), kPi);
    EXPECT_EQ(Atan2Safe(1.0, 0.0), kPi / 2);
    EXPECT_EQ(Atan2Safe(-1.0, -1.0), std::atan2(-1.0, -1.0));
}
