#include "astro/coordinates.h"

#include "astro/astro_constants.h"
#include "astro/precession.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <algorithm>
#include <cmath>

namespace {

// a x b x c into m.
void Product3(const double a[9], const double b[9], const double c[9], double m[9])
{
    MatrixMultiply(a, b, m);
    MatrixMultiply(m, c, m);
}

// Matrix from a frame to the mean equator of J2000.
void FrameToJ2000(const AstroTime& t, CoordFrame from, double m[9])
{
    double a[9], b[9], c[9];
    switch (from) {
    case kFrameHrz:
        PrecessionMatrix(t.julianDay, kJ2000, a);
        RotationZ(-t.localSiderealTime, b);
        RotationY(t.location.latitude - 90, c);
        Product3(a, b, c, m);
        break;
    case kFrameEqtB1950:
        PrecessionMatrix(kB1950, kJ2000, m);
        break;
    case kFrameEqtDate:
        PrecessionMatrix(t.julianDay, kJ2000, m);
        break;
    case kFrameEcl:
        PrecessionMatrix(t.julianDay, kJ2000, a);
        RotationX(-t.obliquity, b);
        MatrixMultiply(a, b, m);
        break;
    case kFrameGal:
        RotationZ(-kGalacticPoleRaPlus90, a);
        RotationX(-kGalacticPoleColatitude, b);
        RotationZ(kGalacticNodeLongitude, c);
        Product3(a, b, c, m);
        break;
    default:
        SetIdentity(m);
        break;
    }
}

// Matrix from the mean equator of J2000 to a frame.
void J2000ToFrame(const AstroTime& t, CoordFrame to, double m[9])
{
    double a[9], b[9], c[9];
    switch (to) {
    case kFrameHrz:
        RotationY(90 - t.location.latitude, a);
        RotationZ(t.localSiderealTime, b);
        PrecessionMatrix(kJ2000, t.julianDay, c);
        Product3(a, b, c, m);
        break;
    case kFrameEqtB1950:
        PrecessionMatrix(kJ2000, kB1950, m);
        break;
    case kFrameEqtDate:
        PrecessionMatrix(kJ2000, t.julianDay, m);
        break;
    case kFrameEcl:
        RotationX(t.obliquity, a);
        PrecessionMatrix(kJ2000, t.julianDay, b);
        MatrixMultiply(a, b, m);
        break;
    case kFrameGal:
        RotationZ(-kGalacticNodeLongitude, a);
        RotationX(kGalacticPoleColatitude, b);
        RotationZ(kGalacticPoleRaPlus90, c);
        Product3(a, b, c, m);
        break;
    default:
        SetIdentity(m);
        break;
    }
}

} // namespace

void RotateSpherical(const double in[2], double out[2], const double m[9])
{
    double v[3];
    VectorFromSpherical(in, v);
    MatrixTimesVector(v, m, v);
    // The table-made vector is not exactly of unit length; taking the
    // latitude from z and the length in the plane keeps it exact near a pole.
    out[0] = NormalizeDegrees(std::atan2(v[1], v[0]) * kDegreesPerRadian);
    out[1] = std::atan2(v[2], std::hypot(v[0], v[1])) * kDegreesPerRadian;
}

void AngularSeparation(const double p1[2], const double p2[2], double& positionAngle,
                       double& distance)
{
    const double l1 = p1[0] * kRadiansPerDegree, b1 = p1[1] * kRadiansPerDegree;
    const double l2 = p2[0] * kRadiansPerDegree, b2 = p2[1] * kRadiansPerDegree;

    double angle = std::atan2(std::cos(b2) * std::sin(l2 - l1),
                              std::sin(b2) * std::cos(b1) -
                                  std::cos(b2) * std::sin(b1) * std::cos(l2 - l1)) *
                   kDegreesPerRadian;
    if (angle <= 0)
        angle += 360;
    positionAngle = angle;

    // Haversine form; rounding can push h past 1 for antipodal points.
    const double sinHalfLat = std::sin((b1 - b2) / 2);
    const double sinHalfLon = std::sin((l1 - l2) / 2);
    const double h = std::clamp(
        sinHalfLat * sinHalfLat + std::cos(b1) * std::cos(b2) * sinHalfLon * sinHalfLon, 0.0, 1.0);
    distance = 2 * std::atan2(std::sqrt(h), std::sqrt(1 - h)) * kDegreesPerRadian;
}

void ConvertCoordinates(const AstroTime& t, CoordFrame from, const double in[2], CoordFrame to,
                        double out[2])
{
    if (from == to) {
        out[0] = in[0];
        out[1] = in[1];
        return;
    }
    double position[2] = {in[0], in[1]};
    // Azimuth runs from south through west, against the frame's longitude.
    if (from == kFrameHrz)
        position[0] = -position[0];

    double m[9];
    double v[3];
    VectorFromSpherical(position, v);
    FrameToJ2000(t, from, m);
    MatrixTimesVector(v, m, v);
    J2000ToFrame(t, to, m);
    MatrixTimesVector(v, m, v);
    if (to == kFrameHrz)
        v[1] = -v[1];
    SphericalFromVector(v, out);
}
