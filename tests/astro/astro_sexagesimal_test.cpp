// Degrees split into sign, degrees, minutes and seconds.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "astro/sexagesimal.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

SignedDms Dms(double degrees, bool rounded = false)
{
    SignedDms dms;
    (rounded ? DegreesToSignedDmRounded : DegreesToSignedDms)(degrees, dms);
    return dms;
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
