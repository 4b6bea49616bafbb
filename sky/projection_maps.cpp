// The two whole-sky maps: equidistant cylindrical (ALL1) and Aitoff (ALL2).
#include "sky/projection.h"

#include "astro/fixed_point.h"
#include "astro/trig.h"

#include <algorithm>
#include <cmath>

namespace {

// Latitudes beyond about 79.85 degrees are left out of the cylindrical map.
constexpr int32_t kCylinderLatitudeLimit = 16128;
// |z| above this counts as a pole of the Aitoff map.
constexpr int32_t kAitoffPoleZ = 16381;
// cos(longitude / 2) from which the Q14 tables are too coarse and the
// Aitoff map is computed in double precision (near the central meridian).
constexpr int32_t kAitoffDoubleHalf = 15872;

// A Q14 component in the high half of a word, as the wrap code reads it;
// held to 16 bits so that a vector a little off unit length cannot overflow.
int32_t HighHalf(int32_t component)
{
    return std::clamp(component, -32767, 32767) * 65536;
}

// Pixels of a Q14 angle at s / divisor pixels per radian, rounded.
int32_t ScaledAngle(int32_t angle, int32_t scale, int32_t divisor)
{
    return (FixedMul(angle, scale) + divisor / 2) / divisor;
}

// Near the central meridian: cos alpha, sin alpha and r = sin(latitude) /
// sin alpha, in double precision.
void AitoffNearMeridian(const FixedVector& u, int32_t& alpha, int32_t& r)
{
    const double z = u[2] / 16384.0;
    const double cosLatitude = std::sqrt(1.0 - z * z);
    const double halfSquared = std::max(u[0] / 16384.0 / cosLatitude * 0.5 + 0.5, 0.0);
    const double w = std::sqrt(halfSquared) * cosLatitude;
    // Rounding can leave w a hair above 1; the sine is then 0, not NaN.
    const double s = std::sqrt(std::max(1.0 - w * w, 0.0));
    alpha = static_cast<int32_t>(std::atan2(s, w) * 16384.0);
    r = s != 0.0 ? static_cast<int32_t>(std::clamp(16384.0 * z / s, -16384.0, 16384.0)) : kFixedOne;
}

}  // namespace

int ProjectCylindrical(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    out = {};
    const ViewGeometry& view = scene.view;
    const int32_t w = view.skyRect.width;
    // Two decimals of the scale while 100 x the pixel offsets fits the Q14 products.
    const int32_t divisor = w <= 1280 ? 100 : 10;
    const int32_t scale = static_cast<int32_t>(w / (2.0 * kPi) * divisor);

    FixedVector u;
    FixedMatrixTimesVector(v, view.matrices[0], u);
    out.altitude = HighHalf(u[2]);
    if (u[2] < -kCylinderLatitudeLimit || u[2] > kCylinderLatitudeLimit) {
        return 0;
    }
    const int32_t folded = FixedAngleOfVector(u[1], u[0]);
    const int32_t latitude = FixedAsin(u[2]);
    out.y = view.screenCentreY - ScaledAngle(latitude, scale, divisor);
    const int32_t offset = ScaledAngle(folded, scale, divisor);
    if (u[0] >= 0) {
        out.x = view.screenCentreX - offset;
    } else if (u[1] >= 0) {
        out.x = view.skyRect.x + offset;
    } else {
        out.x = view.skyRect.x + w + offset;
    }
    return 1;
}

void ProjectAitoffCore(const Scene& scene, const FixedVector& u, ProjectedPoint& out)
{
    out = {};
    const ViewGeometry& view = scene.view;
    out.altitude = HighHalf(u[2]);
    if (u[2] < -kAitoffPoleZ || u[2] > kAitoffPoleZ) {
        out.x = view.screenCentreX;
        out.y = view.screenCentreY - FixedMul(FixedMul(u[2], kFixedHalfPi), view.yScale);
        out.centre = kAitoffPoleCentre;
        return;
    }
    const int32_t cosLatitude = FixedSqrt(kFixedOne - FixedMul(u[2], u[2]));
    const int32_t cosLongitude = FixedDiv(u[0], cosLatitude);
    const int32_t half = FixedSqrt(cosLongitude / 2 + 8192);

    int32_t alpha = 0;
    int32_t r = 0;
    if (half < kAitoffDoubleHalf) {
        const int32_t w = FixedMul(cosLatitude, half);
        const int32_t s = FixedSqrt(kFixedOne - FixedMul(w, w));
        alpha = FixedAcos(w);
        r = s != 0 ? FixedDiv(u[2], s) : kFixedOne;
    } else {
        AitoffNearMeridian(u, alpha, r);
    }
    const int32_t dx = FixedMul(FixedMul(alpha, FixedSqrt(kFixedOne - FixedMul(r, r))), view.xScale);
    out.x = u[1] <= 0 ? view.screenCentreX + dx : view.screenCentreX - dx;
    out.y = view.screenCentreY - FixedMul(FixedMul(alpha, r), view.yScale);
    out.centre = HighHalf(half);
}

int ProjectAitoff(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    FixedVector u;
    FixedMatrixTimesVector(v, scene.view.matrices[0], u);
    ProjectAitoffCore(scene, u, out);
    return 1;
}
