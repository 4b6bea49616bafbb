#include "sky/layers/disk_drawing.h"

#include "astro/trig.h"
#include "core/app_env.h"
#include "sky/font_sets.h"
#include "sky/view/view_setup.h"

#include <algorithm>

namespace {

constexpr int kOutlineStep = 5;          // degrees between outline points
constexpr int kTerminatorPoints = 37;    // -90, -85, ..., +90
constexpr int kDarkLimbPoints = 36;      // b0 + 5, ..., b0 + 180
// Clipping adds edges along the reach's sides; this keeps them off the
// pixmap (and well inside X's 16-bit range for any window that fits it).
constexpr int32_t kReachMargin = 256;

// A wide window's right edge plus the margin must still be an X coordinate.
constexpr int32_t kXCoordinateMax = 32767;

ScreenPoint OffsetPoint(int32_t cx, int32_t cy, double dx, double dy)
{
    return ScreenPoint{cx + RoundToNearest(dx), cy - RoundToNearest(dy)};
}

bool Inside(const ScreenPoint& p, int edge, const PixelBounds& b)
{
    switch (edge) {
    case 0: return p.x >= b.left;
    case 1: return p.x <= b.right;
    case 2: return p.y >= b.top;
    default: return p.y <= b.bottom;
    }
}

// Where the segment p-q crosses the edge's line (doubles: the ends may lie
// anywhere in 32 bits).
ScreenPoint CrossEdge(const ScreenPoint& p, const ScreenPoint& q, int edge, const PixelBounds& b)
{
    const double px = p.x, py = p.y, qx = q.x, qy = q.y;
    if (edge < 2) {
        const double x = edge == 0 ? b.left : b.right;
        const double y = py + (qy - py) * (x - px) / (qx - px);
        return ScreenPoint{static_cast<int32_t>(x), RoundToNearest(y)};
    }
    const double y = edge == 2 ? b.top : b.bottom;
    const double x = px + (qx - px) * (y - py) / (qy - py);
    return ScreenPoint{RoundToNearest(x), static_cast<int32_t>(y)};
}

void ClipToEdge(const std::vector<ScreenPoint>& in, int edge, const PixelBounds& b, std::vector<ScreenPoint>& out)
{
    out.clear();
    if (in.empty()) {
        return;
    }
    ScreenPoint previous = in.back();
    bool previousInside = Inside(previous, edge, b);
    for (const ScreenPoint& current : in) {
        const bool currentInside = Inside(current, edge, b);
        if (currentInside != previousInside) {
            out.push_back(CrossEdge(previous, current, edge, b));
        }
        if (currentInside) {
            out.push_back(current);
        }
        previous = current;
        previousInside = currentInside;
    }
}

// The outline clipped to the scene's reach, as X points; empty when
// nothing of it can be seen.
std::vector<XPoint> ToXPoints(const Scene& scene, const std::vector<ScreenPoint>& points)
{
    std::vector<ScreenPoint> clipped;
    ClipOutline(points, DrawingReach(scene), clipped);
    std::vector<XPoint> xpoints;
    if (clipped.size() < 3) {
        return xpoints;
    }
    xpoints.reserve(clipped.size() + 1);
    for (const ScreenPoint& p : clipped) {
        xpoints.push_back(XPoint{static_cast<short>(p.x), static_cast<short>(p.y)});
    }
    return xpoints;
}

void FillOutline(Scene& scene, Drawable drawable, const std::vector<ScreenPoint>& points, unsigned long pixel)
{
    std::vector<XPoint> xpoints = ToXPoints(scene, points);
    if (xpoints.empty()) {
        return;
    }
    XSetForeground(gAppEnv->display, scene.gc, pixel);
    XFillPolygon(gAppEnv->display, drawable, scene.gc, xpoints.data(), static_cast<int>(xpoints.size()), Complex,
                 CoordModeOrigin);
}

// A disk of radius 0 is its centre pixel (a polygon of one repeated point
// would fill nothing).
bool DrawCentrePointIfDot(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, unsigned long pixel)
{
    if (r != 0) {
        return false;
    }
    const PixelBounds reach = DrawingReach(scene);
    if (cx >= reach.left && cx <= reach.right && cy >= reach.top && cy <= reach.bottom) {
        XSetForeground(gAppEnv->display, scene.gc, pixel);
        XDrawPoint(gAppEnv->display, drawable, scene.gc, cx, cy);
    }
    return true;
}

}  // namespace

int32_t RoundToNearest(double value)
{
    return static_cast<int32_t>(value >= 0.0 ? value + 0.5 : value - 0.5);
}

void DiskPoints(int32_t cx, int32_t cy, int32_t r, double aspect, std::vector<ScreenPoint>& points)
{
    points.clear();
    for (int a = 0; a <= 360; a += kOutlineStep) {
        points.push_back(OffsetPoint(cx, cy, r * CosIntDeg(a), r * SinIntDeg(a) * aspect));
    }
}

void OblateDiskPoints(int32_t cx, int32_t cy, int32_t r, double ratio, double angle, double aspect,
                      std::vector<ScreenPoint>& points)
{
    const double cosP = CosDeg(angle);
    const double sinP = SinDeg(angle);
    points.clear();
    for (int a = 0; a <= 360; a += kOutlineStep) {
        const double u = CosIntDeg(a);
        const double v = ratio * SinIntDeg(a);
        points.push_back(OffsetPoint(cx, cy, (u * cosP - v * sinP) * r, (v * cosP + u * sinP) * r * aspect));
    }
}

int LitPhasePoints(int32_t cx, int32_t cy, int32_t r, double fraction, double limbAngle, double aspect,
                   std::vector<ScreenPoint>& points)
{
    points.clear();
    double k = fraction;
    if ((1.0 - k) * (2.0 * r + 1.0) < 0.4) {
        return 0;
    }
    const double crescentMinimum = 1.0 / (r + 1.0);
    if (k > 0.01 && k <= crescentMinimum) {
        k = crescentMinimum;
    }
    const double theta = NormalizeDegrees(limbAngle + 90.0);
    const double cosT = CosDeg(theta);
    const double sinT = SinDeg(theta);
    for (int a = -90; a <= 90; a += kOutlineStep) {
        const double u = (1.0 - 2.0 * k) * r * CosIntDeg(a);
        const double v = r * SinIntDeg(a);
        points.push_back(OffsetPoint(cx, cy, u * cosT - v * sinT, (u * sinT + v * cosT) * aspect));
    }
    const int32_t b0 = kOutlineStep * static_cast<int32_t>(NormalizeDegrees(theta + 90.0) / kOutlineStep);
    for (int i = 1; i <= kDarkLimbPoints; ++i) {
        const int32_t b = b0 + i * kOutlineStep;
        points.push_back(OffsetPoint(cx, cy, r * CosIntDeg(b), r * SinIntDeg(b) * aspect));
    }
    static_assert(kTerminatorPoints + kDarkLimbPoints == kDiskOutlinePoints);
    return 1;
}

PixelBounds DrawingReach(const Scene& scene)
{
    const XRectangle& sky = scene.view.skyRect;
    const int32_t right = sky.x + sky.width + kReachMargin;
    const int32_t bottom = sky.y + sky.height + StatusLineHeight() + kReachMargin;
    return PixelBounds{-kReachMargin, -kReachMargin, std::min(right, kXCoordinateMax),
                       std::min(bottom, kXCoordinateMax)};
}

void ClipOutline(const std::vector<ScreenPoint>& points, const PixelBounds& bounds,
                 std::vector<ScreenPoint>& clipped)
{
    std::vector<ScreenPoint> scratch = points;
    for (int edge = 0; edge < 4; ++edge) {
        ClipToEdge(scratch, edge, bounds, clipped);
        scratch.swap(clipped);
    }
    clipped.swap(scratch);
}

void FillDisk(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, unsigned long pixel)
{
    if (DrawCentrePointIfDot(scene, drawable, cx, cy, r, pixel)) {
        return;
    }
    std::vector<ScreenPoint> points;
    DiskPoints(cx, cy, r, PixelAspect(), points);
    FillOutline(scene, drawable, points, pixel);
}

void DrawDiskOutline(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, unsigned long pixel)
{
    if (DrawCentrePointIfDot(scene, drawable, cx, cy, r, pixel)) {
        return;
    }
    std::vector<ScreenPoint> points;
    DiskPoints(cx, cy, r, PixelAspect(), points);
    std::vector<XPoint> xpoints = ToXPoints(scene, points);
    if (xpoints.empty()) {
        return;
    }
    // Clipping may have opened the ring where it crossed the reach's edges.
    const XPoint first = xpoints.front();
    if (xpoints.back().x != first.x || xpoints.back().y != first.y) {
        xpoints.push_back(first);
    }
    Display* display = gAppEnv->display;
    XSetForeground(display, scene.gc, pixel);
    XSetLineAttributes(display, scene.gc, static_cast<unsigned int>(gAppEnv->lineWidth), LineSolid, CapButt,
                       JoinMiter);
    XDrawLines(display, drawable, scene.gc, xpoints.data(), static_cast<int>(xpoints.size()), CoordModeOrigin);
}

void FillOblateDisk(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double ratio,
                    double angle, unsigned long pixel)
{
    if (DrawCentrePointIfDot(scene, drawable, cx, cy, r, pixel)) {
        return;
    }
    std::vector<ScreenPoint> points;
    OblateDiskPoints(cx, cy, r, ratio, angle, PixelAspect(), points);
    FillOutline(scene, drawable, points, pixel);
}

void FillLitPhase(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double fraction,
                  double limbAngle, int32_t colorIndex)
{
    if (colorIndex < 0 || colorIndex >= kPixelTableSize) {
        return;
    }
    std::vector<ScreenPoint> points;
    if (LitPhasePoints(cx, cy, r, fraction, limbAngle, PixelAspect(), points) == 0) {
        return;
    }
    FillOutline(scene, drawable, points, gAppEnv->pixels[colorIndex]);
}

int IsStarLimitFainterThan39(const Scene& scene)
{
    return scene.mag.starLimit > 39 ? 1 : 0;
}
