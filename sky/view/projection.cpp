#include "sky/view/projection.h"

#include "astro/fixed_point.h"

#include <array>
#include <cmath>

namespace {

// Near the view axis (within about 10.1 degrees) the table arc cosine is
// too coarse for theta / sin theta; this table holds (theta / sin theta - 1)
// x 16384, truncated, for the Q14 cosines 16129..16384 (0 on the axis).
constexpr int32_t kSmallAngleStart = 16129;

std::array<int8_t, 256> BuildSmallAngleTable()
{
    std::array<int8_t, 256> table{};
    for (int32_t c = kSmallAngleStart; c < kFixedOne; ++c) {
        const double theta = std::acos(c / 16384.0);
        table[c - kSmallAngleStart] = static_cast<int8_t>((theta / std::sin(theta) - 1.0) * 16384.0);
    }
    return table;
}

const std::array<int8_t, 256> kSmallAngleTable = BuildSmallAngleTable();

// A double pixel offset as an integer, truncated; far-off points are held
// at the projection limit. NaN is refused.
bool TruncatePixel(double offset, int32_t& pixel)
{
    if (std::isnan(offset)) {
        return false;
    }
    if (offset > kProjectionLimit / 2) {
        pixel = kProjectionLimit / 2;
    } else if (offset < -kProjectionLimit / 2) {
        pixel = -kProjectionLimit / 2;
    } else {
        pixel = static_cast<int32_t>(offset);
    }
    return true;
}

// Screen place of the offsets (X, Y) from the projection centre in the
// horizontal modes. Turned by 180 degrees, the projection centre moves to
// the same distance from the top edge so that the horizon stays in view.
void PlaceHorizontal(const Scene& scene, int32_t dx, int32_t dy, ProjectedPoint& out)
{
    const ViewGeometry& view = scene.view;
    const int32_t cx = view.screenCentreX;
    const int32_t cy = view.screenCentreY;
    if (scene.viewMode == kModeVola || scene.mirror == 0) {
        out.x = cx - dx;
        out.y = cy - dy;
    } else if (scene.mirror == 1) {
        out.x = cx + dx;
        out.y = 2 * int32_t{view.skyRect.y} + int32_t{view.skyRect.height} - cy + dy;
    } else {
        out.x = cx + dx;
        out.y = cy - dy;
    }
}

// The same for the sky views; the solar-system views are never mirrored.
void PlaceSky(const Scene& scene, int32_t dx, int32_t dy, ProjectedPoint& out)
{
    const int32_t cx = scene.view.screenCentreX;
    const int32_t cy = scene.view.screenCentreY;
    const int32_t mirror = ViewFamilyOf(scene.viewMode) == kFamilySky ? scene.mirror : 0;
    if (mirror == 1) {
        out.x = cx + dx;
        out.y = cy + dy;
    } else if (mirror == 2) {
        out.x = cx + dx;
        out.y = cy - dy;
    } else {
        out.x = cx - dx;
        out.y = cy - dy;
    }
}

// Pixel offset of a screen component: component x k x divisor x scale,
// Q14 twice. One product in 128 bits with one rounding: rounding the
// component times k first would cost up to three pixels a unit behind the
// observer, where the divisor is 100. Held within the projection range.
int32_t ScaledOffset(int32_t component, int32_t k, int32_t divisor, int32_t scale)
{
    const __int128 product = static_cast<__int128>(int64_t{component} * k) * (int64_t{divisor} * scale);
    const __int128 offset = product >> 28;
    const __int128 limit = kProjectionLimit / 2;
    return static_cast<int32_t>(offset > limit ? limit : (offset < -limit ? -limit : offset));
}

// AzimuthalFactorFixed for every Q14 cosine, worked out once: a table
// look-up instead of an arc cosine, a square root and a 64-bit division for
// each of the hundred thousand points of a redraw.
struct FactorTable {
    std::array<int32_t, 2 * kFixedOne + 1> k;
    std::array<int8_t, 2 * kFixedOne + 1> divisor;
};

const FactorTable& Factors()
{
    static const FactorTable* table = [] {
        auto* t = new FactorTable;
        for (int32_t c = -kFixedOne; c <= kFixedOne; ++c) {
            int32_t divisor = 1;
            AzimuthalFactorFixed(c, t->k[c + kFixedOne], divisor);
            t->divisor[c + kFixedOne] = static_cast<int8_t>(divisor);
        }
        return t;
    }();
    return *table;
}

// Offsets of the Q14 form: the divisor's share of the scale is put back.
void FixedOffsets(const Scene& scene, int32_t centre, int32_t p, int32_t q, int32_t& dx, int32_t& dy)
{
    int32_t k = 0;
    int32_t divisor = 1;
    if (centre >= -kFixedOne && centre <= kFixedOne) {
        const FactorTable& table = Factors();
        k = table.k[centre + kFixedOne];
        divisor = table.divisor[centre + kFixedOne];
    } else {
        AzimuthalFactorFixed(centre, k, divisor);
    }
    dx = ScaledOffset(p, k, divisor, scene.view.xScale);
    dy = ScaledOffset(q, k, divisor, scene.view.yScale);
}

// theta / sin theta for the cosine c of the angle to the view axis.
double AzimuthalFactor(double c)
{
    if (!(c < 1.0)) {
        return 1.0;
    }
    const double s = std::sqrt(1.0 - c * c);
    return s > 0.0 ? std::atan2(s, c) / s : 1.0;
}

// Offsets of the double forms, (P, Q) being the screen components of the
// unit vector in the view frame.
bool DoubleOffsets(const Scene& scene, double c, double p, double q, int32_t& dx, int32_t& dy)
{
    const double k = AzimuthalFactor(c);
    return TruncatePixel(p * k * scene.view.pixelsPerRadianX, dx) &&
           TruncatePixel(q * k * scene.view.pixelsPerRadianY, dy);
}

bool PreciseOffsets(const Scene& scene, const FixedVector& v, int32_t centre, int32_t& dx, int32_t& dy)
{
    const double* m = scene.view.matricesDouble[0];
    const double x = v[0] / 16384.0;
    const double y = v[1] / 16384.0;
    const double z = v[2] / 16384.0;
    const double p = m[3] * x + m[4] * y + m[5] * z;
    const double q = m[6] * x + m[7] * y + m[8] * z;
    return DoubleOffsets(scene, centre / 16384.0, p, q, dx, dy);
}

double RowDot(const double* m, int row, const double v[3])
{
    return m[3 * row] * v[0] + m[3 * row + 1] * v[1] + m[3 * row + 2] * v[2];
}

int32_t TruncateQ14(double value)
{
    return static_cast<int32_t>(std::fmax(-2.0, std::fmin(2.0, value)) * 16384.0);
}

}  // namespace

int32_t AzimuthalFactorFixed(int32_t c, int32_t& k, int32_t& divisor)
{
    if (c >= kSmallAngleStart) {
        k = kFixedOne + kSmallAngleTable[(c < kFixedOne ? c : kFixedOne) - kSmallAngleStart];
        divisor = 1;
        return k;
    }
    // Far from the axis the quotient would pass the Q14 range of the
    // products that follow, so part of the scale moves into the divisor.
    // The divisor goes into the denominator: dividing the arc cosine first
    // would cost it one or two digits, several pixels behind the observer.
    divisor = c >= -4239 ? 1 : (c >= -15394 ? 10 : 100);
    const int32_t sine = FixedSqrt(kFixedOne - FixedMul(c, c));
    k = FixedDiv(FixedAcos(c), divisor * sine);
    return k;
}

namespace {

// The azimuthal modes from a Q14 direction: the horizontal modes cull
// against the horizon too and keep the horizon along the bottom; the precise
// path works in doubles where pixels are smaller than the Q14 steps. Most
// points of a chart are culled, so the depth is taken first and the other
// two rows only for the points that stay.
int ProjectAzimuthal(const Scene& scene, const FixedVector& v, bool horizontal, bool precise,
                     ProjectedPoint& out)
{
    out = {};
    const FixedMatrix& view = scene.view.matrices[0];
    out.centre = FixedRowDot(view, 0, v);
    if (out.centre < scene.view.centreLimit) {
        return 0;
    }
    if (horizontal) {
        out.altitude = FixedMatrixRow3Dot(v, scene.view.matrices[1]);
        if (out.altitude < scene.view.horizonLimit) {
            return 0;
        }
    }
    int32_t dx = 0;
    int32_t dy = 0;
    if (precise) {
        if (!PreciseOffsets(scene, v, out.centre, dx, dy)) {
            return 0;
        }
    } else {
        FixedOffsets(scene, out.centre, FixedRowDot(view, 1, v), FixedRowDot(view, 2, v), dx, dy);
        dx += 1;
        dy += 1;
    }
    if (horizontal) {
        PlaceHorizontal(scene, dx, dy, out);
    } else {
        PlaceSky(scene, dx, dy, out);
    }
    return 1;
}

}  // namespace

int ProjectAzimuthalHorizonFixed(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    return ProjectAzimuthal(scene, v, true, false, out);
}

int ProjectAzimuthalFixed(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    return ProjectAzimuthal(scene, v, false, false, out);
}

int ProjectAzimuthalHorizonPrecise(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    return ProjectAzimuthal(scene, v, true, true, out);
}

int ProjectAzimuthalPrecise(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    return ProjectAzimuthal(scene, v, false, true, out);
}

namespace {

// The azimuthal modes from a double direction, culled and placed as the
// Q14 forms are.
int ProjectAzimuthalFromDouble(const Scene& scene, const double v[3], bool horizontal, ProjectedPoint& out)
{
    out = {};
    const double* m = scene.view.matricesDouble[0];
    const double c = RowDot(m, 0, v);
    out.centre = TruncateQ14(c);
    if (!(c >= scene.view.centreLimitDouble)) {
        return 0;
    }
    if (horizontal) {
        const double altitude = RowDot(scene.view.matricesDouble[1], 2, v);
        out.altitude = TruncateQ14(altitude);
        if (!(altitude >= scene.view.horizonLimitDouble)) {
            return 0;
        }
    }
    int32_t dx = 0;
    int32_t dy = 0;
    if (!DoubleOffsets(scene, c, RowDot(m, 1, v), RowDot(m, 2, v), dx, dy)) {
        return 0;
    }
    if (horizontal) {
        PlaceHorizontal(scene, dx, dy, out);
    } else {
        PlaceSky(scene, dx, dy, out);
    }
    return 1;
}

}  // namespace

int ProjectAzimuthalHorizonDouble(const Scene& scene, const double v[3], ProjectedPoint& out)
{
    return ProjectAzimuthalFromDouble(scene, v, true, out);
}

int ProjectAzimuthalDouble(const Scene& scene, const double v[3], ProjectedPoint& out)
{
    return ProjectAzimuthalFromDouble(scene, v, false, out);
}

int ProjectAzimuthalInFrame(const FixedMatrix& frame, const Scene& scene, const FixedVector& v,
                            ProjectedPoint& out)
{
    out = {};
    FixedVector u;
    FixedMatrixTimesVector(v, frame, u);
    out.centre = u[0];
    if (u[0] < scene.view.centreLimit) {
        return 0;
    }
    int32_t dx = 0;
    int32_t dy = 0;
    if (scene.view.pixelsPerDegree < kPrecisePixelsPerDegree) {
        FixedOffsets(scene, u[0], u[1], u[2], dx, dy);
    } else {
        const double k = AzimuthalFactor(u[0] / 16384.0);
        const double x = u[1] / 16384.0 * k * scene.view.pixelsPerRadianX;
        const double y = u[2] / 16384.0 * k * scene.view.pixelsPerRadianY;
        // Ground polygons go to Xlib as they are: refuse what 16 bits cannot hold.
        if (!(x >= -32768.0 && x <= 32767.0 && y >= -32768.0 && y <= 32767.0)) {
            return 0;
        }
        dx = static_cast<int32_t>(x);
        dy = static_cast<int32_t>(y);
    }
    // The ground is drawn in the horizontal orientation whatever the mode.
    const ViewGeometry& view = scene.view;
    const int32_t cx = view.screenCentreX;
    const int32_t cy = view.screenCentreY;
    dx += 1;
    dy += 1;
    if (scene.mirror == 1) {
        out.x = cx + dx;
        out.y = 2 * int32_t{view.skyRect.y} + int32_t{view.skyRect.height} - cy + dy;
    } else if (scene.mirror == 2) {
        out.x = cx + dx;
        out.y = cy - dy;
    } else {
        out.x = cx - dx;
        out.y = cy - dy;
    }
    return 1;
}

int ProjectPoint(const Scene& scene, const FixedVector& v, ProjectedPoint& out)
{
    const bool fast = scene.view.pixelsPerDegree < kPrecisePixelsPerDegree;
    switch (scene.viewMode) {
    case kModeHrz:
    case kModeVola:
        return fast ? ProjectAzimuthalHorizonFixed(scene, v, out)
                    : ProjectAzimuthalHorizonPrecise(scene, v, out);
    case kModeEqt:
    case kModeEcl:
    case kModeGal:
    case kModeSol1:
    case kModeSol2:
    case kModeSol3:
        return fast ? ProjectAzimuthalFixed(scene, v, out) : ProjectAzimuthalPrecise(scene, v, out);
    case kModeAll1Eqt:
    case kModeAll1Ecl:
    case kModeAll1Gal:
        return ProjectCylindrical(scene, v, out);
    case kModeAll2Eqt:
    case kModeAll2Ecl:
    case kModeAll2Gal:
        return ProjectAitoff(scene, v, out);
    default:
        out = {};
        return 0;
    }
}

int ProjectPointDouble(const Scene& scene, const double v[3], ProjectedPoint& out)
{
    switch (scene.viewMode) {
    case kModeHrz:
    case kModeVola:
        return ProjectAzimuthalHorizonDouble(scene, v, out);
    case kModeEqt:
    case kModeEcl:
    case kModeGal:
    case kModeSol1:
    case kModeSol2:
    case kModeSol3:
        return ProjectAzimuthalDouble(scene, v, out);
    default:
        out = {};
        return 0;
    }
}
