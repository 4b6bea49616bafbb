// The two whole-sky maps: equidistant cylindrical (ALL1) and Aitoff (ALL2).
#include "sky/view/projection.h"

#include "astro/fixed_point.h"
#include "astro/trig.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Latitudes beyond about 79.85 degrees are left out of the cylindrical map.
constexpr int32_t kCylinderLatitudeLimit = 16128;
// |z| above this counts as a pole of the Aitoff map.
constexpr int32_t kAitoffPoleZ = 16381;
// cos(longitude / 2), or |r|, from which the Q14 tables are too coarse
// and the Aitoff map is computed in double precision.
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

// The longitude folded into -90..90 degrees: the angle whose sine is
// u.y / hypot(u.x, u.y). Near +-90 degrees the arc sine of a Q14 ratio
// close to 1 is off by a degree or more, so there it is taken as 90
// degrees less the well-conditioned angle of the other component.
int32_t FoldedLongitude(const FixedVector& u)
{
    const int32_t x = std::abs(u[0]);
    if (std::abs(u[1]) <= x) {
        return FixedAngleOfVector(u[1], u[0]);
    }
    const int32_t rest = kFixedHalfPi - FixedAngleOfVector(x, u[1]);
    return u[1] >= 0 ? rest : -rest;
}

// The Aitoff quantities in double precision where the Q14 tables are too
// coarse: near the central meridian, near the poles, and wherever r is
// close to 1. Returned in Q14: alpha (the angle from the map centre),
// r = sin(latitude) / sin(alpha) and sqrt(1 - r^2). The latitude's cosine
// comes from the x and y components and the longitude from both (from z
// or x alone it would be off by up to a degree there), and the root of
// 1 - r^2 is formed as cos(latitude) |sin(longitude / 2)| / sin(alpha).
void AitoffInDouble(const FixedVector& u, int32_t& alpha, int32_t& r, int32_t& rootRest)
{
    const double x = u[0];
    const double y = u[1];
    const double length = std::sqrt(x * x + y * y + double(u[2]) * u[2]);
    alpha = 0;
    r = kFixedOne;
    rootRest = 0;
    if (length == 0.0) {
        return;
    }
    const double z = u[2] / length;
    const double cosLatitude = std::hypot(x, y) / length;
    const double halfLongitude = std::atan2(y, x) * 0.5;
    const double w = cosLatitude * std::cos(halfLongitude);
    const double s = std::sqrt(std::max(1.0 - w * w, 0.0));
    alpha = static_cast<int32_t>(std::atan2(s, w) * 16384.0);
    if (s == 0.0) {
        return;
    }
    r = static_cast<int32_t>(16384.0 * std::clamp(z / s, -1.0, 1.0));
    rootRest = static_cast<int32_t>(16384.0 * std::min(cosLatitude * std::fabs(std::sin(halfLongitude)) / s, 1.0));
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
    const int32_t folded = FoldedLongitude(u);
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
    const bool nearPole = u[2] < -kAitoffPoleZ || u[2] > kAitoffPoleZ;
    const int32_t cosLatitude = FixedSqrt(kFixedOne - FixedMul(u[2], u[2]));
    const int32_t cosLongitude = FixedDiv(u[0], cosLatitude);
    const int32_t half = FixedSqrt(cosLongitude / 2 + 8192);

    int32_t alpha = 0;
    int32_t r = 0;
    int32_t rootRest = 0;
    bool inDouble = nearPole || half >= kAitoffDoubleHalf;
    if (!inDouble) {
        const int32_t w = FixedMul(cosLatitude, half);
        const int32_t s = FixedSqrt(kFixedOne - FixedMul(w, w));
        alpha = FixedAcos(w);
        r = s != 0 ? FixedDiv(u[2], s) : kFixedOne;
        // With r close to 1 (high latitudes) the Q14 root of 1 - r^2 is coarse.
        inDouble = std::abs(r) >= kAitoffDoubleHalf;
        rootRest = FixedSqrt(kFixedOne - FixedMul(r, r));
    }
    if (inDouble) {
        AitoffInDouble(u, alpha, r, rootRest);
    }
    const int32_t dx = FixedMul(FixedMul(alpha, rootRest), view.xScale);
    out.x = u[1] <= 0 ? view.screenCentreX + dx : view.screenCentreX - dx;
    out.y = view.screenCentreY - FixedMul(FixedMul(alpha, r), view.yScale);
    out.centre = nearPole ? kAitoffPoleCentre : HighHalf(half);
}

int ProjectAitoff(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    FixedVector u;
    FixedMatrixTimesVector(v, scene.view.matrices[0], u);
    ProjectAitoffCore(scene, u, out);
    return 1;
}
