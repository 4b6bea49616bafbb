#include "sky/view/wrap_segments.h"

#include "astro/fixed_point.h"
#include "core/app_env.h"
#include "sky/redraw_shortcuts.h"
#include "sky/view/clipping.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr int32_t kWrapNone = 0;
constexpr int32_t kWrapCylinder = 1;
constexpr int32_t kWrapEllipse = 2;

// Both ends within about 5 degrees of the same pole: the segment is short
// on the sphere even when its ends lie on both sides of the centre column.
constexpr int32_t kNearPoleAltitude = 0x3FC00000;
// cos(longitude / 2) at most 2048 / 16384: beyond about 165.6 degrees.
constexpr int32_t kNearBackMeridianCentre = 0x8000001;

WrapState wrapState;

// The open run of lines.
struct PendingSegments {
    Display* display = nullptr;
    Drawable drawable = None;
    GC gc = nullptr;
    std::vector<XSegment> segments;
};

PendingSegments pending;

void SortLeftFirst(const ProjectedPoint*& a, const ProjectedPoint*& b)
{
    if (a->x > b->x) {
        std::swap(a, b);
    }
}

}  // namespace

void SetWrapMode(const Scene& scene)
{
    wrapState = WrapState{};
    const int32_t family = ViewFamilyOf(scene.viewMode);
    if (family == kFamilyCylinder) {
        wrapState.mode = kWrapCylinder;
        wrapState.leftEdge = scene.view.skyRect.x;
        wrapState.rightEdge = int32_t{scene.view.skyRect.x} + scene.view.skyRect.width + 1;
        wrapState.halfWidth = (wrapState.rightEdge - wrapState.leftEdge) / 2;
    } else if (family == kFamilyAitoff) {
        wrapState.mode = kWrapEllipse;
        wrapState.centreColumn = scene.view.screenCentreX;
    } else {
        wrapState.mode = kWrapNone;
    }
}

const WrapState& CurrentWrapState()
{
    return wrapState;
}

void DrawClippedLine(const Scene& scene, Drawable drawable, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2)
{
    if (!ClipSegment(x1, y1, x2, y2) || !FitsXCoordinates(x1, y1) || !FitsXCoordinates(x2, y2)) {
        return;
    }
    if (pending.drawable != None && pending.drawable == drawable) {
        pending.segments.push_back(XSegment{static_cast<short>(x1), static_cast<short>(y1), static_cast<short>(x2),
                                            static_cast<short>(y2)});
        return;
    }
    XDrawLine(gAppEnv->display, drawable, scene.gc, x1, y1, x2, y2);
}

SegmentRun::SegmentRun(const Scene& scene, Drawable drawable)
    : opened_(pending.drawable == None && drawable != None && gRedrawShortcuts.batchSize > 1)
{
    if (opened_) {
        pending.display = gAppEnv->display;
        pending.drawable = drawable;
        pending.gc = scene.gc;
    }
}

SegmentRun::~SegmentRun()
{
    if (opened_) {
        FlushSegmentRun();
        pending.drawable = None;
    }
}

void FlushSegmentRun()
{
    if (pending.drawable == None || pending.segments.empty()) {
        return;
    }
    XDrawSegments(pending.display, pending.drawable, pending.gc, pending.segments.data(),
                  static_cast<int>(pending.segments.size()));
    pending.segments.clear();
}

int SegmentWrapsCylinder(const ProjectedPoint& a, const ProjectedPoint& b)
{
    return std::abs(int64_t{a.x} - b.x) >= wrapState.halfWidth;
}

int SegmentCrossesEllipseBack(const ProjectedPoint& a, const ProjectedPoint& b)
{
    const int32_t mc = wrapState.centreColumn;
    if ((a.x < mc && b.x < mc) || (a.x > mc && b.x > mc)) {
        return 0;
    }
    if ((a.altitude > kNearPoleAltitude && b.altitude > kNearPoleAltitude) ||
        (a.altitude < -kNearPoleAltitude && b.altitude < -kNearPoleAltitude)) {
        return 0;
    }
    if (a.x == mc || b.x == mc) {
        return a.centre < kNearBackMeridianCentre || b.centre < kNearBackMeridianCentre;
    }
    // Half longitudes adding up to more than 90 degrees: the short way round
    // passes behind the map.
    return FixedAcos(a.centre >> 16) + FixedAcos(b.centre >> 16) > kFixedHalfPi;
}

void SplitAtEllipseEdge(const Scene& scene, const ProjectedPoint& a, const ProjectedPoint& b,
                        ProjectedPoint& left, ProjectedPoint& right)
{
    const ProjectedPoint* first = &a;
    const ProjectedPoint* second = &b;
    SortLeftFirst(first, second);
    // The mean latitude's z, each half truncated so that the sum cannot overflow.
    const int32_t z = (first->altitude >> 16) / 2 + (second->altitude >> 16) / 2;
    const FixedVector back = {-FixedSqrt(kFixedOne - FixedMul(z, z)), 0, z};
    ProjectedPoint edge;
    ProjectAitoffCore(scene, back, edge);
    const int32_t mc = wrapState.centreColumn;
    const int32_t d = std::abs(edge.x - mc);
    left = ProjectedPoint{mc - d, edge.y, 0, 0};
    right = ProjectedPoint{mc + d, edge.y, 0, 0};
}

void DrawSplitSegment(const Scene& scene, Drawable drawable, const ProjectedPoint& a,
                      const ProjectedPoint& b)
{
    const ProjectedPoint* first = &a;
    const ProjectedPoint* second = &b;
    SortLeftFirst(first, second);
    ProjectedPoint left;
    ProjectedPoint right;
    SplitAtEllipseEdge(scene, *first, *second, left, right);
    DrawClippedLine(scene, drawable, first->x, first->y, left.x, left.y);
    DrawClippedLine(scene, drawable, second->x, second->y, right.x, right.y);
}

void DrawProjectedSegment(const Scene& scene, Drawable drawable, const ProjectedPoint& a,
                          const ProjectedPoint& b)
{
    if (wrapState.mode == kWrapCylinder && SegmentWrapsCylinder(a, b)) {
        // Each end is joined to the other's image one map width away.
        const int32_t w = wrapState.rightEdge - wrapState.leftEdge;
        if (a.x >= b.x) {
            DrawClippedLine(scene, drawable, a.x - w, a.y, b.x, b.y);
            DrawClippedLine(scene, drawable, a.x, a.y, b.x + w, b.y);
        } else {
            DrawClippedLine(scene, drawable, a.x, a.y, b.x - w, b.y);
            DrawClippedLine(scene, drawable, a.x + w, a.y, b.x, b.y);
        }
        return;
    }
    if (wrapState.mode == kWrapEllipse && SegmentCrossesEllipseBack(a, b)) {
        DrawSplitSegment(scene, drawable, a, b);
        return;
    }
    DrawClippedLine(scene, drawable, a.x, a.y, b.x, b.y);
}
