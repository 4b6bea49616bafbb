#include "sky/view/projection.h"

#include "astro/fixed_point.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

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
    // Only 1 and 2 turn the chart; any other orientation (MIRROR takes
    // negative ones) draws it as 0, as the ground and picking do.
    const int32_t mirror = scene.viewMode == kModeVola ? 0 : scene.mirror;
    if (mirror == 1) {
        out.x = cx + dx;
        out.y = 2 * int32_t{view.skyRect.y} + int32_t{view.skyRect.height} - cy + dy;
    } else if (mirror == 2) {
        out.x = cx + dx;
        out.y = cy - dy;
    } else {
        out.x = cx - dx;
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
// Q14 twice. One product with one rounding: rounding the component times k
// first would cost up to three pixels a unit behind the observer, where the
// divisor is 100. The product fits 64 bits for every point of a chart; only
// a vector far outside the unit sphere needs the 128-bit form. Held within
// the projection range.
[[gnu::noinline]] int32_t WideScaledOffset(int32_t component, int32_t k, int32_t divisor, int32_t scale)
{
    constexpr __int128 limit = kProjectionLimit / 2;
    const __int128 wide = static_cast<__int128>(int64_t{component} * k) * (int64_t{divisor} * scale);
    const __int128 offset = wide >> 28;
    return static_cast<int32_t>(offset > limit ? limit : (offset < -limit ? -limit : offset));
}

inline int32_t ScaledOffset(int32_t component, int32_t k, int32_t divisor, int32_t scale)
{
    constexpr int64_t limit = kProjectionLimit / 2;
    int64_t product = 0;
    if (__builtin_mul_overflow(int64_t{component} * k, int64_t{divisor} * scale, &product)) {
        return WideScaledOffset(component, k, divisor, scale);
    }
    return static_cast<int32_t>(std::clamp(product >> 28, -limit, limit));
}

// The divisor of AzimuthalFactorFixed for a Q14 cosine below the small-angle
// range.
int32_t FactorDivisor(int32_t c)
{
    return c >= -4239 ? 1 : (c >= -15394 ? 10 : 100);
}

// AzimuthalFactorFixed for every Q14 cosine, worked out once: a table
// look-up instead of an arc cosine, a square root and a 64-bit division for
// each of the hundred thousand points of a redraw. Every k but the one
// straight behind the observer fits 16 bits, so the table is 64 KB and one
// read gives the factor; its divisor follows from the cosine. A 0 marks a
// cosine whose factor is worked out on the spot. The table is made at the
// first projection; a program that never projects never makes it.
using FactorTable = std::array<uint16_t, 2 * kFixedOne + 1>;

const FactorTable* gFactors = nullptr;

[[gnu::noinline]] const FactorTable* MakeFactors()
{
    auto* table = new FactorTable{};
    for (int32_t c = -kFixedOne; c <= kFixedOne; ++c) {
        int32_t k = 0;
        int32_t divisor = 1;
        AzimuthalFactorFixed(c, k, divisor);
        const bool fits = k > 0 && k <= UINT16_MAX && divisor == (c >= kSmallAngleStart ? 1 : FactorDivisor(c));
        (*table)[c + kFixedOne] = fits ? static_cast<uint16_t>(k) : 0;
    }
    gFactors = table;
    return table;
}

inline const FactorTable& Factors()
{
    return gFactors != nullptr ? *gFactors : *MakeFactors();
}

// Scales up to this (about 730 pixels per degree; the fast path ends at
// 80) keep the offset product of a direction in the unit range below 2^57:
// it needs no test for overflow, and shifted down it stays inside the
// projection range without being held there.
constexpr int32_t kPlainScaleLimit = 41943;

// Offsets of the Q14 form: the divisor's share of the scale is put back.
// The factor comes from the table where it has one.
void HeldFixedOffsets(const Scene& scene, int32_t centre, int32_t p, int32_t q, int32_t& dx,
                                        int32_t& dy)
{
    const uint32_t index = static_cast<uint32_t>(centre + kFixedOne);
    int32_t k = index <= 2 * kFixedOne ? Factors()[index] : 0;
    int32_t divisor = 1;
    if (k != 0) {
        divisor = centre >= kSmallAngleStart ? 1 : FactorDivisor(centre);
    } else {
        AzimuthalFactorFixed(centre, k, divisor);
    }
    dx = ScaledOffset(p, k, divisor, scene.view.xScale);
    dy = ScaledOffset(q, k, divisor, scene.view.yScale);
}

// The offsets of HeldFixedOffsets with plain 64-bit products, for a
// direction in the unit range whose factor is in the table, at a scale
// within kPlainScaleLimit; false when any of these does not hold.
[[gnu::always_inline]] inline bool PlainFixedOffsets(const Scene& scene, int32_t centre, int32_t p, int32_t q,
                                                     int32_t& dx, int32_t& dy)
{
    const int32_t xScale = scene.view.xScale;
    const int32_t yScale = scene.view.yScale;
    const uint32_t index = static_cast<uint32_t>(centre + kFixedOne);
    // Before the table is made the held way makes it.
    const int32_t k = gFactors != nullptr && index <= 2 * kFixedOne ? (*gFactors)[index] : 0;
    if (k == 0 || static_cast<uint32_t>(xScale + kPlainScaleLimit) > 2 * kPlainScaleLimit ||
        static_cast<uint32_t>(yScale + kPlainScaleLimit) > 2 * kPlainScaleLimit) {
        return false;
    }
    const int64_t divisor = centre >= kSmallAngleStart ? 1 : FactorDivisor(centre);
    dx = static_cast<int32_t>((int64_t{p} * k * (divisor * xScale)) >> 28);
    dy = static_cast<int32_t>((int64_t{q} * k * (divisor * yScale)) >> 28);
    return true;
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
    divisor = FactorDivisor(c);
    const int32_t sine = FixedSqrt(kFixedOne - FixedMul(c, c));
    k = FixedDiv(FixedAcos(c), divisor * sine);
    return k;
}

namespace {

// Components of a direction in -2^17..2^17 - 1: a catalogue's unit
// vectors, and room to spare.
constexpr int32_t kUnitRange = 1 << 17;

bool InUnitRange(const FixedVector& v)
{
    // Each shifted component below 2^18, tested at once.
    const uint32_t bits = static_cast<uint32_t>(v[0] + kUnitRange) | static_cast<uint32_t>(v[1] + kUnitRange) |
                          static_cast<uint32_t>(v[2] + kUnitRange);
    return bits < 2 * kUnitRange;
}

// A row of a view matrix dotted with a direction, as FixedRowDot. The view
// matrices are rotations (elements within +-16384), so for a direction in
// the unit range no product comes near the int32 ends and holding it there
// can be left out.
template <bool kUnitRange>
int32_t ViewRowDot(const FixedMatrix& m, int row, const FixedVector& v)
{
    if constexpr (!kUnitRange) {
        return FixedRowDot(m, row, v);
    }
    const int32_t* r = &m[3 * row];
    return static_cast<int32_t>(((int64_t{r[0]} * v[0]) >> kFixedShift) + ((int64_t{r[1]} * v[1]) >> kFixedShift) +
                                ((int64_t{r[2]} * v[2]) >> kFixedShift));
}

// The azimuthal modes from a Q14 direction: the horizontal modes cull
// against the horizon too and keep the horizon along the bottom; the precise
// path works in doubles where pixels are smaller than the Q14 steps. Most
// points of a chart are culled, so the depth is taken first and the other
// two rows only for the points that stay.
//
// A direction in the unit range (every catalogue's) takes the plain
// product for the centre, the most asked, and the plain offsets; any other
// the held ones, with the same results wherever both are defined. The
// altitude and the two screen rows are the Q14 row products, held, in
// every case.
int ProjectHeldAzimuthal(const Scene& scene, const FixedVector& v, bool horizontal, bool precise,
                         ProjectedPoint& out);

template <bool kUnitRange>
[[gnu::always_inline]] inline int ProjectAzimuthalOf(const Scene& scene, const FixedVector& v, bool horizontal,
                                                     bool precise, ProjectedPoint& out)
{
    // Read once and written once: `out` might lie over `v`.
    const FixedVector u = v;
    ProjectedPoint p{};
    const FixedMatrix& view = scene.view.matrices[0];
    p.centre = ViewRowDot<kUnitRange>(view, 0, u);
    int visible = p.centre >= scene.view.centreLimit ? 1 : 0;
    if (visible && horizontal) {
        p.altitude = FixedMatrixRow3Dot(u, scene.view.matrices[1]);
        visible = p.altitude >= scene.view.horizonLimit ? 1 : 0;
    }
    int32_t dx = 0;
    int32_t dy = 0;
    if (visible && precise) {
        visible = PreciseOffsets(scene, u, p.centre, dx, dy) ? 1 : 0;
    } else if (visible) {
        FixedVector rows{};
        FixedMatrixRows23TimesVector(u, view, rows);
        const int32_t across = rows[1];
        const int32_t up = rows[2];
        if constexpr (kUnitRange) {
            // Where the plain products do not serve, the point is taken
            // again from the start the held way; nothing has been written.
            if (!PlainFixedOffsets(scene, p.centre, across, up, dx, dy)) {
                return ProjectHeldAzimuthal(scene, v, horizontal, precise, out);
            }
        } else {
            HeldFixedOffsets(scene, p.centre, across, up, dx, dy);
        }
        dx += 1;
        dy += 1;
    }
    if (visible && horizontal) {
        PlaceHorizontal(scene, dx, dy, p);
    } else if (visible) {
        PlaceSky(scene, dx, dy, p);
    }
    out = p;
    return visible;
}

[[gnu::noinline]] int ProjectHeldAzimuthal(const Scene& scene, const FixedVector& v, bool horizontal, bool precise,
                                           ProjectedPoint& out)
{
    return ProjectAzimuthalOf<false>(scene, v, horizontal, precise, out);
}

[[gnu::always_inline]] inline int ProjectAzimuthal(const Scene& scene, const FixedVector& v, bool horizontal,
                                                   bool precise, ProjectedPoint& out)
{
    return InUnitRange(v) ? ProjectAzimuthalOf<true>(scene, v, horizontal, precise, out)
                          : ProjectHeldAzimuthal(scene, v, horizontal, precise, out);
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
        HeldFixedOffsets(scene, u[0], u[1], u[2], dx, dy);
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
