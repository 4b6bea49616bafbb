// The Milky Way outline.
#include "sky/layers/milky_way_layer.h"

#include "core/app_env.h"
#include "data/catalog_tables.h"
#include "sky/colors.h"
#include "sky/pens.h"
#include "sky/view/wrap_segments.h"

namespace {

bool IsRunEnd(const FixedVector& v) { return v[0] == 0 && v[1] == 0 && v[2] == 0; }

}  // namespace

void DrawMilkyWayOutline(const Scene& scene, RedrawRecord& redraw)
{
    XSetLineAttributes(gAppEnv->display, scene.gc, static_cast<unsigned int>(gAppEnv->lineWidth), LineSolid,
                       CapButt, JoinMiter);
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[kColorMilkyWayLine]);
    const SegmentRun lines(scene, redraw);
    for (const FixedVector* run : MilkyWayTable) {
        Pen pen = PenMoveTo(run[0], scene, redraw);
        for (const FixedVector* v = run + 1; !IsRunEnd(*v); ++v) {
            PenLineTo(*v, pen);
        }
    }
}

void DrawMilkyWay(Scene& scene, RedrawRecord& redraw)
{
    if ((scene.displayFlags[kFlagMilkyWay] & kMilkyWayFlag) == 0 || scene.daylightLevel >= kMilkyWayDaylightLimit) {
        return;
    }
    DrawMilkyWayOutline(scene, redraw);
}
