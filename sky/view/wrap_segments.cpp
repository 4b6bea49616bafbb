#include "sky/view/wrap_segments.h"

#include "astro/fixed_point.h"
#include "core/app_env.h"
#include "sky/redraw_shortcuts.h"
#include "sky/view/clipping.h"

#include <cstdlib>
#include <utility>

namespace {

// Both ends within about 5 degrees of the same pole: the segment is short
// on the sphere even when its ends lie on both sides of the centre column.
constexpr int32_t kNearPoleAltitude = 0x3FC00000;
// cos(longitude / 2) at most 2048 / 16384: beyond about 165.6 degrees.
constexpr int32_t kNearBackMeridianCentre = 0x8000001;

void SortLeftFirst(const ProjectedPoint*& a, const ProjectedPoint*& b)
{
    if (a->x > b->x) {
        std::swap(a, b);
    }
}

}  // namespace

void DrawClippedLine(const Scene& scene, RedrawRecord& redraw, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (!ClipSegment(redraw.clip, x1, y1, x2, y2) || !FitsXCoordinates(x1, y1) || !FitsXCoordinates(x2, y2)) {
        return;
    }
    if (redraw.segments.open) {
        redraw.segments.segments.push_back(XSegment{static_cast<short>(x1), static_cast<short>(y1),
                                                    static_cast<short>(x2), static_cast<short>(y2)});
        return;
    }
    XDrawLine(gAppEnv->display, redraw.drawable, scene.gc, x1, y1, x2, y2);
}

SegmentRun::SegmentRun(const Scene& scene, RedrawRecord& redraw)
    : redraw_(redraw), opened_(!redraw.segments.open && redraw.drawable != None && gRedrawShortcuts.batchSize > 1)
{
    if (opened_) {
        redraw.segments.open = true;
        redraw.segments.gc = scene.gc;
    }
}

SegmentRun::~SegmentRun()
{
    if (opened_) {
        FlushSegmentRun(redraw_);
        redraw_.segments.open = false;
    }
}

void FlushSegmentRun(RedrawRecord& redraw)
{
    PendingSegments& pending = redraw.segments;
    if (!pending.open || pending.segments.empty()) {
        return;
    }
    XDrawSegments(gAppEnv->display, redraw.drawable, pending.gc, pending.segments.data(),
                  static_cast<int>(pending.segments.size()));
    pending.segments.clear();
}

int SegmentWrapsCylinder(const WrapState& wrap, const ProjectedPoint& a, const ProjectedPoint& b)
{
    return std::abs(int64_t{a.x} - b.x) >= wrap.halfWidth;
}

int SegmentCrossesEllipseBack(const WrapState& wrap, const ProjectedPoint& a, const ProjectedPoint& b)
{
    const int32_t mc = wrap.centreColumn;
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

void SplitAtEllipseEdge(const Scene& scene, const WrapState& wrap, const ProjectedPoint& a, const ProjectedPoint& b,
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
    const int32_t mc = wrap.centreColumn;
    const int32_t d = std::abs(edge.x - mc);
    left = ProjectedPoint{mc - d, edge.y, 0, 0};
    right = ProjectedPoint{mc + d, edge.y, 0, 0};
}

void DrawSplitSegment(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& a, const ProjectedPoint& b)
{
    const ProjectedPoint* first = &a;
    const ProjectedPoint* second = &b;
    SortLeftFirst(first, second);
    ProjectedPoint left;
    ProjectedPoint right;
    SplitAtEllipseEdge(scene, redraw.wrap, *first, *second, left, right);
    DrawClippedLine(scene, redraw, first->x, first->y, left.x, left.y);
    DrawClippedLine(scene, redraw, second->x, second->y, right.x, right.y);
}

void DrawProjectedSegment(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& a, const ProjectedPoint& b)
{
    const WrapState& wrap = redraw.wrap;
    if (wrap.mode == kWrapCylinder && SegmentWrapsCylinder(wrap, a, b)) {
        // Each end is joined to the other's image one map width away.
        const int32_t w = wrap.rightEdge - wrap.leftEdge;
        if (a.x >= b.x) {
            DrawClippedLine(scene, redraw, a.x - w, a.y, b.x, b.y);
            DrawClippedLine(scene, redraw, a.x, a.y, b.x + w, b.y);
        } else {
            DrawClippedLine(scene, redraw, a.x, a.y, b.x - w, b.y);
            DrawClippedLine(scene, redraw, a.x + w, a.y, b.x, b.y);
        }
        return;
    }
    if (wrap.mode == kWrapEllipse && SegmentCrossesEllipseBack(wrap, a, b)) {
        DrawSplitSegment(scene, redraw, a, b);
        return;
    }
    DrawClippedLine(scene, redraw, a.x, a.y, b.x, b.y);
}
