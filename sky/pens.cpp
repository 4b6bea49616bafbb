#include "sky/pens.h"

#include "core/app_env.h"
#include "sky/view/wrap_segments.h"

Pen PenMoveTo(const FixedVector& v, const Scene& scene, RedrawRecord& redraw)
{
    Pen pen{};
    pen.scene = &scene;
    pen.redraw = &redraw;
    pen.visible = ProjectPoint(scene, v, pen.last);
    return pen;
}

void PenLineTo(const FixedVector& v, Pen& pen)
{
    ProjectedPoint point;
    const int visible = ProjectPoint(*pen.scene, v, point);
    if (visible && pen.visible) {
        DrawProjectedSegment(*pen.scene, *pen.redraw, pen.last, point);
    }
    pen.last = point;
    pen.visible = visible;
}

void UseSolidPen(const Scene& scene, unsigned long pixel)
{
    XSetForeground(gAppEnv->display, scene.gc, pixel);
    XSetLineAttributes(gAppEnv->display, scene.gc, static_cast<unsigned int>(gAppEnv->lineWidth), LineSolid,
                       CapButt, JoinMiter);
}

void UseDashedPen(const Scene& scene, unsigned long pixel)
{
    static const char kDefaultDashes[] = {4, 4};
    XSetForeground(gAppEnv->display, scene.gc, pixel);
    XSetLineAttributes(gAppEnv->display, scene.gc, static_cast<unsigned int>(gAppEnv->lineWidth), LineOnOffDash,
                       CapButt, JoinMiter);
    XSetDashes(gAppEnv->display, scene.gc, 0, kDefaultDashes, 2);
}
