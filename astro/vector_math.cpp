// Double-precision matrices, vectors and spherical positions, and their
// conversion to Q14 fixed point.
#include "astro/vector_math.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "astro/trig.h"

namespace {

// Q14 value of a double, truncated toward zero. A NaN or a value beyond
// the int32 range would make the conversion undefined, so NaN gives 0
// and the rest is held at the ends of the range.
int32_t FixedFromDouble(double value)
{
    const double scaled = value * kFixedOne;
    if (std::isnan(scaled)) {
        return 0;
    }
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(scaled, kLowest, kHighest));
}

void SetRows(double m[9], double a0, double a1, double a2, double b0, double b1, double b2,
             double c0, double c1, double c2)
{
    m[0] = a0; m[1] = a1; m[2] = a2;
    m[3] = b0; m[4] = b1; m[5] = b2;
    m[6] = c0; m[7] = c1; m[8] = c2;
}

} // namespace

void MatrixMultiply(const double a[9], const double b[9], double p[9])
{
    // Copies first, so that the product may overwrite either factor.
    double x[9];
    double y[9];
    std::memcpy(x, a, sizeof x);
    std::memcpy(y, b, sizeof y);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            p[3 * i + j] = x[3 * i] * y[j] + x[3 * i + 1] * y[3 + j] + x[3 * i + 2] * y[6 + j];
        }
    }
}

void RotationX(double angle, double m[9])
{
    const double s = SinDeg(angle);
    const double c = CosDeg(angle);
    SetRows(m, 1, 0, 0, 0, c, s, 0, -s, c);
}

void RotationY(double angle, double m[9])
{
    const double s = SinDeg(angle);
    const double c = CosDeg(angle);
    SetRows(m, c, 0, -s, 0, 1, 0, s, 0, c);
}

void RotationZ(double angle, double m[9])
{
    const double s = SinDeg(angle);
    const double c = CosDeg(angle);
    SetRows(m, c, s, 0, -s, c, 0, 0, 0, 1);
}

void RotationZY(double a, double b, double m[9])
{
    double z[9];
    RotationZ(a, z);
    RotationY(b, m);
    MatrixMultiply(m, z, m);
}

void MatrixInverse(const double m[9], double inv[9])
{
    double c[9];
    // Cofactors, transposed (the adjugate).
    c[0] = m[4] * m[8] - m[5] * m[7];
    c[1] = m[2] * m[7] - m[1] * m[8];
    c[2] = m[1] * m[5] - m[2] * m[4];
    c[3] = m[5] * m[6] - m[3] * m[8];
    c[4] = m[0] * m[8] - m[2] * m[6];
    c[5] = m[2] * m[3] - m[0] * m[5];
    c[6] = m[3] * m[7] - m[4] * m[6];
    c[7] = m[1] * m[6] - m[0] * m[7];
    c[8] = m[0] * m[4] - m[1] * m[3];
    const double det = m[0] * c[0] + m[1] * c[3] + m[2] * c[6];
    for (int i = 0; i < 9; ++i) {
        inv[i] = c[i] / det;
    }
}

void MatrixTimesVector(const double v[3], const double m[9], double w[3])
{
    const double x = v[0];
    const double y = v[1];
    const double z = v[2];
    for (int i = 0; i < 3; ++i) {
        w[i] = m[3 * i] * x + m[3 * i + 1] * y + m[3 * i + 2] * z;
    }
}

void VectorScale(const double v[3], double s, double w[3])
{
    for (int i = 0; i < 3; ++i) {
        w[i] = s * v[i];
    }
}

void VectorSubtract(const double a[3], const double b[3], double d[3])
{
    for (int i = 0; i < 3; ++i) {
        d[i] = a[i] - b[i];
    }
}

double VectorLength(const double v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

void VectorFromSpherical(const double s[2], double v[3])
{
    const double cosLat = CosDeg(s[1]);
    v[0] = cosLat * CosDeg(s[0]);
    v[1] = cosLat * SinDeg(s[0]);
    v[2] = SinDeg(s[1]);
}

void SphericalFromVector(const double v[3], double s[2])
{
    double lon = Atan2Safe(v[1], v[0]) * kDegreesPerRadian;
    if (lon <= 0.0) {
        lon += 360.0;
    }
    // From the direction, not from z alone: z of a table-made vector is a
    // few 1e-7 off, which near a pole is minutes of arc in asin(z).
    s[0] = lon;
    s[1] = std::atan2(v[2], std::hypot(v[0], v[1])) * kDegreesPerRadian;
}

void FixedVectorFromSpherical(const double s[2], FixedVector& f)
{
    double v[3];
    VectorFromSpherical(s, v);
    FixedFromVector(v, f);
}

void FixedFromVector(const double v[3], FixedVector& f)
{
    for (int i = 0; i < 3; ++i) {
        f[i] = FixedFromDouble(v[i]);
    }
}

void SphericalFromFixedVector(const FixedVector& f, double s[2])
{
    const double x = f[0];
    const double y = f[1];
    const double z = f[2];
    double lon = Atan2Safe(y, x) * kDegreesPerRadian;
    if (lon < 0.0) {
        lon += 360.0;
    }
    s[0] = lon;
    // The same as asin(z / length), without the 0 / 0 of the zero vector.
    s[1] = Atan2Safe(z, std::hypot(x, y)) * kDegreesPerRadian;
}

void FixedFromMatrix(const double m[9], FixedMatrix& f)
{
    for (int i = 0; i < 9; ++i) {
        f[i] = FixedFromDouble(m[i]);
    }
}

void SetIdentity(double m[9])
{
    for (int i = 0; i < 9; ++i)
        m[i] = (i % 4 == 0) ? 1.0 : 0.0;
}
