// Matrices, vectors and spherical positions against ERFA, and the
// conversions to Q14.
#include <gtest/gtest.h>

#include <erfa.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "astro/trig.h"
#include "astro/vector_math.h"

namespace {

// Matrix elements are table sines and cosines, each within 2e-6 of the
// true value (see the sine tests), so element-wise and in products of two
// rows: 2e-6 per element, 4e-6 + rounding for a row dot product.
constexpr double kElementBound = 2e-6;
constexpr double kOrthonormalBound = 4.5e-6;
constexpr double kArcsecond = 1.0 / 3600.0;

void ErfaMatrix(const double r[3][3], double m[9])
{
    std::memcpy(m, r, 9 * sizeof(double));
}

void ExpectMatrixNear(const double a[9], const double b[9], double bound)
{
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(a[i], b[i], bound) << "element " << i;
    }
}

void ExpectOrthonormal(const double m[9])
{
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const double dot = m[3 * i] * m[3 * j] + m[3 * i + 1] * m[3 * j + 1] + m[3 * i + 2] * m[3 * j + 2];
            EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, kOrthonormalBound) << "rows " << i << ", " << j;
        }
    }
}

double AngleDifference(double a, double b)
{
    return std::fabs(std::remainder(a - b, 360.0));
}

} // namespace

TEST(Rotations, MatchErfaFrameRotations)
{
    for (double angle : {0.0, 23.4392911, 90.0, -47.25, 180.0, 271.3, 1000.0}) {
        const double rad = angle * kRadiansPerDegree;
        double r[3][3];
        double expected[9];
        double m[9];

        eraIr(r);
        eraRx(rad, r);
        ErfaMatrix(r, expected);
        RotationX(angle, m);
        ExpectMatrixNear(m, expected, kElementBound);
        ExpectOrthonormal(m);

        eraIr(r);
        eraRy(rad, r);
        ErfaMatrix(r, expected);
        RotationY(angle, m);
        ExpectMatrixNear(m, expected, kElementBound);
        ExpectOrthonormal(m);

        eraIr(r);
        eraRz(rad, r);
        ErfaMatrix(r, expected);
        RotationZ(angle, m);
        ExpectMatrixNear(m, expected, kElementBound);
        ExpectOrthonormal(m);

        // Rotation about z by a, then about the new y by b = 0.7 a.
        eraIr(r);
        eraRz(rad, r);
        eraRy(0.7 * rad, r);
        ErfaMatrix(r, expected);
        RotationZY(angle, 0.7 * angle, m);
        ExpectMatrixNear(m, expected, 2 * kElementBound);
        ExpectOrthonormal(m);
    }
}

TEST(Rotations, RotationZTurnsTheFrameNotTheVector)
{
    const double place[2] = {100.0, 20.0};
    double v[3];
    double m[9];
    double turned[3];
    double s[2];
    VectorFromSpherical(place, v);
    RotationZ(30.0, m);
    MatrixTimesVector(v, m, turned);
    SphericalFromVector(turned, s);
    EXPECT_NEAR(s[0], 70.0, 1e-4);
    EXPECT_NEAR(s[1], 20.0, 1e-4);
}

TEST(MatrixMultiply, MatchesErfaAndMayOverwriteEitherFactor)
{
    const double a[9] = {1, 2, 3, -4, 5, 6, 7, -8, 9.5};
    const double b[9] = {0.5, -1, 2, 3, 0.25, -2, 1, 1, 1};
    double ra[3][3];
    double rb[3][3];
    double rp[3][3];
    std::memcpy(ra, a, sizeof a);
    std::memcpy(rb, b, sizeof b);
    eraRxr(ra, rb, rp);
    double expected[9];
    ErfaMatrix(rp, expected);

    double p[9];
    MatrixMultiply(a, b, p);
    ExpectMatrixNear(p, expected, 1e-12);

    double left[9];
    std::memcpy(left, a, sizeof a);
    MatrixMultiply(left, b, left);
    ExpectMatrixNear(left, expected, 1e-12);

    double right[9];
    std::memcpy(right, b, sizeof b);
    MatrixMultiply(a, right, right);
    ExpectMatrixNear(right, expected, 1e-12);
}

TEST(MatrixInverse, UndoesAGeneralMatrixAndTransposesARotation)
{
    const double a[9] = {2, -1, 0.5, 1, 3, -2, 0, 4, 1};
    double inv[9];
    double product[9];
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    MatrixInverse(a, inv);
    MatrixMultiply(a, inv, product);
    ExpectMatrixNear(product, identity, 1e-12);
    MatrixMultiply(inv, a, product);
    ExpectMatrixNear(product, identity, 1e-12);

    double rotation[9];
    RotationZY(123.4, -56.7, rotation);
    double same[9];
    std::memcpy(same, rotation, sizeof same);
    MatrixInverse(same, same);   // in place
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_NEAR(same[3 * i + j], rotation[3 * j + i], 2 * kOrthonormalBound);
        }
    }
}

TEST(MatrixTimesVector, MatchesErfaAndMayOverwriteTheVector)
{
    double m[9];
    RotationZY(40.0, 25.0, m);
    double r[3][3];
    std::memcpy(r, m, sizeof m);
    double p[3] = {0.3, -0.5, 0.8};
    double expected[3];
    eraRxp(r, p, expected);
    double w[3];
    MatrixTimesVector(p, m, w);
    MatrixTimesVector(p, m, p);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(w[i], expected[i], 1e-15);
        EXPECT_EQ(p[i], w[i]);
    }
}

TEST(Vectors, ScaleSubtractAndLength)
{
    const double a[3] = {3, 4, 12};
    const double b[3] = {1, -1, 2};
    double out[3];
    EXPECT_EQ(VectorLength(a), 13.0);
    VectorScale(a, -0.5, out);
    EXPECT_EQ(out[0], -1.5);
    EXPECT_EQ(out[1], -2.0);
    EXPECT_EQ(out[2], -6.0);
    VectorSubtract(a, b, out);
    EXPECT_EQ(out[0], 2.0);
    EXPECT_EQ(out[1], 5.0);
    EXPECT_EQ(out[2], 10.0);
}

TEST(Spherical, VectorOfAPlaceMatchesErfa)
{
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> lon(-360.0, 720.0);
    std::uniform_real_distribution<double> lat(-90.0, 90.0);
    for (int i = 0; i < 10000; ++i) {
        const double s[2] = {lon(rng), lat(rng)};
        double expected[3];
        eraS2c(s[0] * kRadiansPerDegree, s[1] * kRadiansPerDegree, expected);
        double v[3];
        VectorFromSpherical(s, v);
        for (int k = 0; k < 3; ++k) {
            // Products of two table values, each within 2e-6.
            ASSERT_NEAR(v[k], expected[k], 2 * kElementBound) << s[0] << ", " << s[1];
        }
    }
}

TEST(Spherical, PlaceOfAVectorMatchesErfa)
{
    std::mt19937_64 rng(12);
    std::uniform_real_distribution<double> component(-2.0, 2.0);
    for (int i = 0; i < 10000; ++i) {
        double v[3] = {component(rng), component(rng), component(rng)};
        double theta;
        double phi;
        eraC2s(v, &theta, &phi);
        double s[2];
        SphericalFromVector(v, s);
        ASSERT_GT(s[0], 0.0);
        ASSERT_LE(s[0], 360.0);
        ASSERT_LT(AngleDifference(s[0], theta * kDegreesPerRadian), 1e-12);
        ASSERT_NEAR(s[1], phi * kDegreesPerRadian, 1e-12);
    }
}

TEST(Spherical, LongitudeZeroIsReportedAs360)
{
    double s[2];
    const double east[3] = {1, 0, 0};
    SphericalFromVector(east, s);
    EXPECT_EQ(s[0], 360.0);
    EXPECT_EQ(s[1], 0.0);
    const double pole[3] = {0, 0, 1};
    SphericalFromVector(pole, s);
    EXPECT_EQ(s[1], 90.0);
    const double south[3] = {0, -1, 0};
    SphericalFromVector(south, s);
    EXPECT_EQ(s[0], 270.0);
}

TEST(Spherical, LatitudeComesFromTheDirectionNotTheLength)
{
    // A vector a little longer or shorter than 1, as table-made vectors
    // are, and one far off unit length: the place is that of the direction.
    for (double scale : {1.0 - 4e-7, 1.0 + 4e-7, 0.5, 3.0}) {
        double v[3] = {0.01 * scale, 0.02 * scale, 0.99975 * scale};
        double s[2];
        SphericalFromVector(v, s);
        const double expected = std::atan2(0.99975, std::hypot(0.01, 0.02)) * kDegreesPerRadian;
        EXPECT_NEAR(s[1], expected, 1e-12) << scale;
    }
}

TEST(Spherical, RoundTripKeepsThePlaceEverywhere)
{
    std::mt19937_64 rng(13);
    std::uniform_real_distribution<double> lon(0.0, 360.0);
    std::uniform_real_distribution<double> lat(-90.0, 90.0);
    for (int i = 0; i < 100000; ++i) {
        const double s[2] = {lon(rng), lat(rng)};
        double v[3];
        double back[2];
        VectorFromSpherical(s, v);
        SphericalFromVector(v, back);
        ASSERT_LT(std::fabs(back[1] - s[1]), kArcsecond) << s[0] << ", " << s[1];
        ASSERT_LT(AngleDifference(back[0], s[0]) * std::cos(s[1] * kRadiansPerDegree), kArcsecond)
            << s[0] << ", " << s[1];
    }
}

TEST(Spherical, RoundTripKeepsTheLatitudeNearThePoles)
{
    // Near a pole z = sin(lat) from the table is up to 3.8e-7 short; taken
    // alone (asin z) that would be minutes of arc at 89.95 degrees.
    for (double depth = 0.0; depth <= 0.1; depth += 1e-5) {
        for (double pole : {90.0, -90.0}) {
            const double lat = pole > 0 ? pole - depth : pole + depth;
            for (double lon : {0.0, 37.5, 181.0, 300.25}) {
                const double s[2] = {lon, lat};
                double v[3];
                double back[2];
                VectorFromSpherical(s, v);
                SphericalFromVector(v, back);
                ASSERT_LT(std::fabs(back[1] - lat), kArcsecond) << lon << ", " << lat;
            }
        }
    }
    // Within 1e-4 degree of the pole in particular.
    const double s[2] = {10.0, 89.99995};
    double v[3];
    double back[2];
    VectorFromSpherical(s, v);
    SphericalFromVector(v, back);
    EXPECT_LT(std::fabs(back[1] - 89.99995), kArcsecond);
}

TEST(Spherical, NonFinitePlaceGivesNaN)
{
    const double s[2] = {std::numeric_limits<double>::quiet_NaN(), 10.0};
    double v[3];
    VectorFromSpherical(s, v);
    EXPECT_TRUE(std::isnan(v[0]));
    EXPECT_TRUE(std::isnan(v[1]));
    double back[2];
    SphericalFromVector(v, back);
    EXPECT_TRUE(std::isnan(back[0]));
}

TEST(FixedConversion, TruncatesTowardZero)
{
    const double v[3] = {0.99999, -0.99999, 0.0};
    FixedVector f;
    FixedFromVector(v, f);
    EXPECT_EQ(f, (FixedVector{16383, -16383, 0}));

    const double east[2] = {0.0, 0.0};
    FixedVectorFromSpherical(east, f);
    EXPECT_EQ(f, (FixedVector{16384, 0, 0}));
    const double north[2] = {123.0, 90.0};
    FixedVectorFromSpherical(north, f);
    EXPECT_EQ(f, (FixedVector{0, 0, 16384}));

    double m[9];
    RotationZ(30.0, m);
    FixedMatrix fm;
    FixedFromMatrix(m, fm);
    // cos 30 = 0.8660254 -> 14188.96 truncated; the table sine of 30 is
    // exactly 0.5 -> 8192.
    EXPECT_EQ(fm, (FixedMatrix{14188, 8192, 0, -8192, 14188, 0, 0, 0, 16384}));
}

TEST(FixedConversion, NaNAndHugeValuesAreHeld)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double v[3] = {nan, 1e10, -inf};
    FixedVector f;
    FixedFromVector(v, f);
    EXPECT_EQ(f, (FixedVector{0, INT32_MAX, INT32_MIN}));

    const double m[9] = {nan, inf, -inf, 1e12, -1e12, 0.5, 0, 0, 0};
    FixedMatrix fm;
    FixedFromMatrix(m, fm);
    EXPECT_EQ(fm, (FixedMatrix{0, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, 8192, 0, 0, 0}));

    const double bad[2] = {nan, nan};
    FixedVectorFromSpherical(bad, f);
    EXPECT_EQ(f, (FixedVector{0, 0, 0}));
}

TEST(FixedConversion, PlaceOfAFixedVectorOfAnyLength)
{
    double s[2];
    SphericalFromFixedVector(FixedVector{16384, 0, 0}, s);
    EXPECT_EQ(s[0], 0.0);   // [0, 360) here, unlike SphericalFromVector
    EXPECT_EQ(s[1], 0.0);
    SphericalFromFixedVector(FixedVector{0, 0, 0}, s);
    EXPECT_EQ(s[0], 0.0);
    EXPECT_EQ(s[1], 0.0);
    SphericalFromFixedVector(FixedVector{0, 0, -5}, s);
    EXPECT_EQ(s[1], -90.0);

    std::mt19937_64 rng(14);
    std::uniform_int_distribution<int32_t> component(-40000, 40000);
    for (int i = 0; i < 10000; ++i) {
        const FixedVector f{component(rng), component(rng), component(rng)};
        double p[3] = {double(f[0]), double(f[1]), double(f[2])};
        double theta;
        double phi;
        eraC2s(p, &theta, &phi);
        SphericalFromFixedVector(f, s);
        ASSERT_GE(s[0], 0.0);
        ASSERT_LT(s[0], 360.0);
        ASSERT_LT(AngleDifference(s[0], theta * kDegreesPerRadian), 1e-12);
        ASSERT_NEAR(s[1], phi * kDegreesPerRadian, 1e-12);
    }
}

TEST(FixedConversion, RoundTripThroughQ14KeepsThePlaceToTheGrid)
{
    // One Q14 step is 1/16384 rad = 12.6 arcseconds; truncation of each
    // component moves the direction by at most sqrt(3) steps.
    constexpr double kBound = 1.8 / 16384 * kDegreesPerRadian;
    std::mt19937_64 rng(15);
    std::uniform_real_distribution<double> lon(0.0, 360.0);
    std::uniform_real_distribution<double> lat(-89.0, 89.0);
    for (int i = 0; i < 10000; ++i) {
        const double s[2] = {lon(rng), lat(rng)};
        FixedVector f;
        double back[2];
        FixedVectorFromSpherical(s, f);
        SphericalFromFixedVector(f, back);
        ASSERT_LT(std::fabs(back[1] - s[1]), kBound);
        ASSERT_LT(AngleDifference(back[0], s[0]) * std::cos(s[1] * kRadiansPerDegree), kBound);
    }
}
