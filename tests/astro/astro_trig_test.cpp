// Table sine and cosine against the library's full-precision sine, the
// angle normalisations, and matrices, vectors and spherical places against
// ERFA.
#include <gtest/gtest.h>

#include <erfa.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

#include "astro/math_tables.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

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

// Matrix elements are table sines and cosines, each within kSinBound, so
// element-wise 2e-6 and in a row dot product 4e-6 plus rounding.
constexpr double kElementBound = 2e-6;
constexpr double kOrthonormalBound = 4.5e-6;
constexpr double kArcsecond = 1.0 / 3600.0;

void ExpectMatrixNear(const double a[9], const double b[9], double bound)
{
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(a[i], b[i], bound) << "element " << i;
}

void ExpectOrthonormal(const double m[9])
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(m[3 * i] * m[3 * j] + m[3 * i + 1] * m[3 * j + 1] + m[3 * i + 2] * m[3 * j + 2],
                        i == j ? 1.0 : 0.0, kOrthonormalBound) << "rows " << i << ", " << j;
}

double AngleDifference(double a, double b)
{
    return std::fabs(std::remainder(a - b, 360.0));
}

// Place of a direction and back: latitude and, unless at a pole where it
// is lost in the rounding, longitude (scaled to the parallel) within an
// arcsecond.
void ExpectRoundTrip(double lon, double lat, bool withLongitude = true)
{
    const double s[2] = {lon, lat};
    double v[3], back[2];
    VectorFromSpherical(s, v);
    SphericalFromVector(v, back);
    ASSERT_LT(std::fabs(back[1] - lat), kArcsecond) << lon << ", " << lat;
    if (withLongitude) {
        ASSERT_LT(AngleDifference(back[0], lon) * std::cos(lat * kRadiansPerDegree), kArcsecond) << lon << ", " << lat;
    }
}

} // namespace

TEST(SineTable, EntriesMatchTheRoundedSine)
{
    // round(1e9 sin(k x 0.1 degree)) computed independently in long double.
    for (int k = 0; k <= 900; ++k) {
        const long double s = std::sin(static_cast<long double>(k) * 3.14159265358979323846L / 1800.0L);
        EXPECT_EQ(SineTable[k], std::llround(1e9L * s)) << "entry " << k;
    }
}

TEST(SinDeg, ExactAtTheQuadrantsWhateverTheTurn)
{
    const double sine[4] = {0.0, 1.0, 0.0, -1.0};
    for (double turn : {-1080.0, -720.0, -360.0, 0.0, 360.0, 720.0, 3600.0}) {
        for (int q = 0; q < 4; ++q) {
            EXPECT_EQ(SinDeg(turn + 90.0 * q), sine[q]) << turn << " + " << 90 * q;
            EXPECT_EQ(CosDeg(turn + 90.0 * q), sine[(q + 1) % 4]) << turn << " + " << 90 * q;
        }
    }
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

TEST(SinDeg, InterpolatesTheAngleTruncatedToATenThousandthOfADegree)
{
    // Separates the table and its interpolation from the angle truncation.
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> angle(-400.0, 400.0);
    for (int i = 0; i < 200000; ++i) {
        const double x = angle(rng);
        ASSERT_NEAR(SinDeg(x), TrueSinDeg(std::trunc(x * 10000.0) / 10000.0), kInterpolationBound) << x;
    }
    EXPECT_EQ(SinDeg(30.00004), SinDeg(30.0));
    EXPECT_NE(SinDeg(30.0001), SinDeg(30.0));
    EXPECT_EQ(SinDeg(-30.00004), SinDeg(-30.0));
    EXPECT_EQ(SinDeg(-30.0), -SinDeg(30.0));
}

TEST(SinDeg, HugeAnglesAreReducedFirstAndNonFiniteGiveNaN)
{
    for (double x : {1e6, -1e6, 200000.0, -200000.0, 123456789.123, -9.87e12, 1e300}) {
        EXPECT_EQ(SinDeg(x), SinDeg(std::fmod(x, 360.0))) << x;
        EXPECT_NEAR(SinDeg(x), TrueSinDeg(x), kSinBound) << x;
    }
    // Just below the reduction threshold the scaled angle still fits.
    EXPECT_NEAR(SinDeg(199999.9999), TrueSinDeg(199999.9999), kSinBound);
    for (double x : {kNaN, kInf, -kInf}) {
        EXPECT_TRUE(std::isnan(SinDeg(x)));
        EXPECT_TRUE(std::isnan(CosDeg(x)));
    }
}

TEST(SinIntDeg, ReadsTheTableAtEveryWholeDegreeWithoutOverflow)
{
    for (int32_t a = -1080; a <= 1080; ++a) {
        ASSERT_NEAR(SinIntDeg(a), std::sin(a * kRadiansPerDegree), 1e-9) << a;
        ASSERT_NEAR(CosIntDeg(a), std::cos(a * kRadiansPerDegree), 1e-9) << a;
    }
    EXPECT_EQ(std::tuple(SinIntDeg(90), SinIntDeg(270), CosIntDeg(180)), std::tuple(1.0, -1.0, -1.0));
    EXPECT_EQ(SinIntDeg(181), -SinIntDeg(1));
    // INT32_MAX = 5965232 x 360 + 127 and INT32_MIN = -5965232 x 360 - 128.
    for (auto [a, reduced] : {std::pair{INT32_MAX, 127}, std::pair{INT32_MIN, -128}}) {
        EXPECT_NEAR(SinIntDeg(a), std::sin(reduced * kRadiansPerDegree), 1e-9);
        EXPECT_NEAR(CosIntDeg(a), std::cos(reduced * kRadiansPerDegree), 1e-9);
    }
}

TEST(Normalize, BringsAnglesAndHoursIntoOneTurn)
{
    struct Row {
        double (*normalize)(double);
        double in, out;
    };
    const Row rows[] = {
        {NormalizeDegrees, -0.0, 0.0},      {NormalizeDegrees, 360.0, 0.0},
        {NormalizeDegrees, -1.0, 359.0},    {NormalizeDegrees, 720.5, 0.5},
        {NormalizeDegrees, -720.0, 0.0},    {NormalizeLatitude, 45.0, 45.0},
        {NormalizeLatitude, -45.0, -45.0},  {NormalizeLatitude, 100.0, 90.0},   // clamped, not reflected
        {NormalizeLatitude, -100.0, -90.0}, {NormalizeLatitude, 350.0, -10.0},
        {NormalizeLatitude, 190.0, -90.0},  {NormalizeLatitude, 180.0, 90.0},
        {NormalizeHours, 25.0, 1.0},        {NormalizeHours, -1.0, 23.0},
        {NormalizeHours, 24.0, 0.0},        {NormalizeHours, -36.5, 11.5},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(r.normalize(r.in), r.out, 1e-12) << r.in;
    EXPECT_FALSE(std::signbit(NormalizeDegrees(-0.0)));
    EXPECT_LT(NormalizeDegrees(-1e-20), 360.0);   // not 360 for a tiny negative angle
    for (auto [in, out] : {std::pair{0, 0}, {360, 0}, {-1, 359}, {-360, 0}, {725, 5}, {INT32_MAX, 127},
                           {INT32_MIN, 232}})
        EXPECT_EQ(NormalizeIntDegrees(in), out) << in;

    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> angle(-1e5, 1e5);
    for (int i = 0; i < 100000; ++i) {
        const double x = angle(rng);
        const double r = NormalizeDegrees(x);
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 360.0);
        ASSERT_NEAR(std::remainder(r - std::fmod(std::fmod(x, 360.0) + 360.0, 360.0), 360.0), 0.0, 1e-9) << x;
    }
}

TEST(Atan2Safe, IsZeroAtTheOriginWhateverTheSigns)
{
    // Plain atan2 gives -pi for (-0, -0) and pi for (0, -0).
    for (auto [y, x, angle] : {std::tuple{0.0, 0.0, 0.0}, {-0.0, -0.0, 0.0}, {0.0, -0.0, 0.0}, {0.0, -1.0, kPi},
                               {1.0, 0.0, kPi / 2}, {-1.0, -1.0, std::atan2(-1.0, -1.0)}})
        EXPECT_EQ(Atan2Safe(y, x), angle) << y << ", " << x;
}

TEST(Rotations, MatchErfaFrameRotations)
{
    struct Axis {
        void (*ours)(double, double[9]);
        void (*erfa)(double, double[3][3]);
    };
    const Axis axes[] = {{RotationX, eraRx}, {RotationY, eraRy}, {RotationZ, eraRz}};
    for (double angle : {0.0, 23.4392911, 90.0, -47.25, 180.0, 271.3, 1000.0}) {
        const double rad = angle * kRadiansPerDegree;
        double r[3][3], expected[9], m[9];
        for (const Axis& axis : axes) {
            eraIr(r);
            axis.erfa(rad, r);
            std::memcpy(expected, r, sizeof expected);
            axis.ours(angle, m);
            ExpectMatrixNear(m, expected, kElementBound);
            ExpectOrthonormal(m);
        }
        // Rotation about z by a, then about the new y by b = 0.7 a.
        eraIr(r);
        eraRz(rad, r);
        eraRy(0.7 * rad, r);
        std::memcpy(expected, r, sizeof expected);
        RotationZY(angle, 0.7 * angle, m);
        ExpectMatrixNear(m, expected, 2 * kElementBound);
        ExpectOrthonormal(m);
    }
}

TEST(MatrixProducts, MatchErfaAndMayOverwriteTheirFactors)
{
    const double a[9] = {1, 2, 3, -4, 5, 6, 7, -8, 9.5};
    const double b[9] = {0.5, -1, 2, 3, 0.25, -2, 1, 1, 1};
    double ra[3][3], rb[3][3], rp[3][3], expected[9];
    std::memcpy(ra, a, sizeof a);
    std::memcpy(rb, b, sizeof b);
    eraRxr(ra, rb, rp);
    std::memcpy(expected, rp, sizeof expected);
    double p[9], left[9], right[9];
    std::memcpy(left, a, sizeof a);
    std::memcpy(right, b, sizeof b);
    MatrixMultiply(a, b, p);
    MatrixMultiply(left, b, left);
    MatrixMultiply(a, right, right);
    for (const double* product : {p, left, right})
        ExpectMatrixNear(product, expected, 1e-12);

    double m[9], r[3][3], v[3] = {0.3, -0.5, 0.8}, w[3], expectedV[3];
    RotationZY(40.0, 25.0, m);
    std::memcpy(r, m, sizeof m);
    eraRxp(r, v, expectedV);
    MatrixTimesVector(v, m, w);
    MatrixTimesVector(v, m, v);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(w[i], expectedV[i], 1e-15);
        EXPECT_EQ(v[i], w[i]);
    }
}

TEST(MatrixInverse, UndoesAGeneralMatrixAndTransposesARotation)
{
    const double a[9] = {2, -1, 0.5, 1, 3, -2, 0, 4, 1};
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    double inv[9], product[9];
    MatrixInverse(a, inv);
    MatrixMultiply(a, inv, product);
    ExpectMatrixNear(product, identity, 1e-12);
    MatrixMultiply(inv, a, product);
    ExpectMatrixNear(product, identity, 1e-12);

    double rotation[9], same[9];
    RotationZY(123.4, -56.7, rotation);
    std::memcpy(same, rotation, sizeof same);
    MatrixInverse(same, same);   // in place
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(same[3 * i + j], rotation[3 * j + i], 2 * kOrthonormalBound);
}

TEST(Vectors, ScaleSubtractAndLength)
{
    const double a[3] = {3, 4, 12}, b[3] = {1, -1, 2};
    double scaled[3], difference[3];
    EXPECT_EQ(VectorLength(a), 13.0);
    VectorScale(a, -0.5, scaled);
    VectorSubtract(a, b, difference);
    EXPECT_EQ(std::vector<double>(scaled, scaled + 3), (std::vector<double>{-1.5, -2.0, -6.0}));
    EXPECT_EQ(std::vector<double>(difference, difference + 3), (std::vector<double>{2.0, 5.0, 10.0}));
}

TEST(Spherical, BothWaysMatchErfa)
{
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> lon(-360.0, 720.0), lat(-90.0, 90.0), component(-2.0, 2.0);
    for (int i = 0; i < 10000; ++i) {
        const double s[2] = {lon(rng), lat(rng)};
        double expected[3], v[3];
        eraS2c(s[0] * kRadiansPerDegree, s[1] * kRadiansPerDegree, expected);
        VectorFromSpherical(s, v);
        for (int k = 0; k < 3; ++k)   // products of two table values
            ASSERT_NEAR(v[k], expected[k], 2 * kElementBound) << s[0] << ", " << s[1];

        double p[3] = {component(rng), component(rng), component(rng)}, theta, phi, back[2];
        eraC2s(p, &theta, &phi);
        SphericalFromVector(p, back);
        ASSERT_GT(back[0], 0.0);
        ASSERT_LE(back[0], 360.0);
        ASSERT_LT(AngleDifference(back[0], theta * kDegreesPerRadian), 1e-12);
        ASSERT_NEAR(back[1], phi * kDegreesPerRadian, 1e-12);
    }
}

TEST(Spherical, PlacesOfTheAxesWithLongitudeZeroAs360)
{
    const double rows[][5] = {{1, 0, 0, 360, 0}, {0, 0, 1, 360, 90}, {0, -1, 0, 270, 0}};
    for (const auto& r : rows) {
        double s[2];
        SphericalFromVector(r, s);
        EXPECT_EQ(s[0], r[3]) << r[0] << r[1] << r[2];
        EXPECT_EQ(s[1], r[4]) << r[0] << r[1] << r[2];
    }
}

TEST(Spherical, RoundTripKeepsThePlaceEverywhereAndNearThePoles)
{
    std::mt19937_64 rng(13);
    std::uniform_real_distribution<double> lon(0.0, 360.0), lat(-90.0, 90.0);
    for (int i = 0; i < 100000; ++i)
        ExpectRoundTrip(lon(rng), lat(rng));
    // Near a pole z = sin(lat) from the table is up to 3.8e-7 short; taken
    // alone (asin z) that would be minutes of arc at 89.95 degrees.
    for (double depth = 0.0; depth <= 0.1; depth += 1e-5)
        for (double l : {0.0, 37.5, 181.0, 300.25}) {
            ExpectRoundTrip(l, 90.0 - depth, false);
            ExpectRoundTrip(l, depth - 90.0, false);
        }
}

TEST(Spherical, NonFinitePlaceGivesNaN)
{
    const double s[2] = {kNaN, 10.0};
    double v[3], back[2];
    VectorFromSpherical(s, v);
    EXPECT_TRUE(std::isnan(v[0]) && std::isnan(v[1]));
    SphericalFromVector(v, back);
    EXPECT_TRUE(std::isnan(back[0]));
}
