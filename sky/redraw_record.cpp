#include "sky/redraw_record.h"

#include "core/view_modes.h"

WrapState WrapStateOf(const Scene& scene)
{
    WrapState wrap{};
    const int32_t family = ViewFamilyOf(scene.viewMode);
    if (family == kFamilyCylinder) {
        wrap.mode = kWrapCylinder;
        wrap.leftEdge = scene.view.skyRect.x;
        wrap.rightEdge = int32_t{scene.view.skyRect.x} + scene.view.skyRect.width + 1;
        wrap.halfWidth = (wrap.rightEdge - wrap.leftEdge) / 2;
    } else if (family == kFamilyAitoff) {
        wrap.mode = kWrapEllipse;
        wrap.centreColumn = scene.view.screenCentreX;
    } else {
        wrap.mode = kWrapNone;
    }
    return wrap;
}

RedrawRecord StartRedraw(const Scene& scene, Drawable drawable)
{
    RedrawRecord redraw;
    redraw.drawable = drawable;
    redraw.clip = scene.view.skyRect;
    redraw.wrap = WrapStateOf(scene);
    return redraw;
}
