#include "sky/layers/body_outlines.h"

#include "core/app_env.h"
#include "sky/view/clipping.h"

void FillBodyOutline(Scene& scene, Drawable drawable, const std::vector<ScreenPoint>& points, unsigned long pixel,
                     int winding)
{
    std::vector<ScreenPoint> clipped;
    ClipOutline(points, DrawingReach(scene), clipped);
    if (clipped.size() < 3) {
        return;
    }
    std::vector<XPoint> xpoints;
    xpoints.reserve(clipped.size());
    for (const ScreenPoint& p : clipped) {
        xpoints.push_back(XPoint{static_cast<short>(p.x), static_cast<short>(p.y)});
    }
    Display* display = gAppEnv->display;
    XSetForeground(display, scene.gc, pixel);
    if (winding != 0) {
        XSetFillRule(display, scene.gc, WindingRule);
    }
    XFillPolygon(display, drawable, scene.gc, xpoints.data(), static_cast<int>(xpoints.size()),
                 winding != 0 ? Nonconvex : Complex, CoordModeOrigin);
    if (winding != 0) {
        XSetFillRule(display, scene.gc, EvenOddRule);
    }
}

void DrawBodyPolyline(Scene& scene, RedrawRecord& redraw, const std::vector<ScreenPoint>& points, unsigned long pixel)
{
    std::vector<XSegment> segments;
    for (size_t i = 1; i < points.size(); ++i) {
        int32_t x1 = points[i - 1].x, y1 = points[i - 1].y, x2 = points[i].x, y2 = points[i].y;
        if (ClipSegment(redraw.clip, x1, y1, x2, y2) != 0 && FitsXCoordinates(x1, y1) && FitsXCoordinates(x2, y2)) {
            segments.push_back(XSegment{static_cast<short>(x1), static_cast<short>(y1), static_cast<short>(x2),
                                        static_cast<short>(y2)});
        }
    }
    if (segments.empty()) {
        return;
    }
    Display* display = gAppEnv->display;
    XSetForeground(display, scene.gc, pixel);
    XSetLineAttributes(display, scene.gc, static_cast<unsigned int>(gAppEnv->lineWidth), LineSolid, CapButt,
                       JoinMiter);
    XDrawSegments(display, redraw.drawable, scene.gc, segments.data(), static_cast<int>(segments.size()));
}

int BodyNearDrawingArea(const Scene& scene, int32_t x, int32_t y, double r)
{
    const PixelBounds reach = DrawingReach(scene);
    return x + r >= reach.left && x - r <= reach.right && y + r >= reach.top && y - r <= reach.bottom ? 1 : 0;
}
