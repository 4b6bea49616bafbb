#include "sky/redraw_record.h"

#include "core/view_modes.h"

WrapState SetWrapMode(const Scene& scene)
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

XRectangle SetClipRectangle(const Scene& scene) { return scene.view.skyRect; }

RedrawRecord StartRedraw(const Scene& scene, Drawable drawable)
{
    RedrawRecord redraw;
    redraw.drawable = drawable;
    redraw.wrap = SetWrapMode(scene);
    redraw.clip = SetClipRectangle(scene);
    return redraw;
}
