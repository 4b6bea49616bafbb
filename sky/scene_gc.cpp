#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/scene.h"

GC CreateSceneGC(Scene& scene)
{
    scene.background = kFirstRampCell;
    scene.backPixmap = None;
    scene.backPixmapWidth = 0;
    scene.backPixmapHeight = 0;
    Display* display = gAppEnv->display;
    const Window window = XtWindow(scene.drawingArea);
    XGCValues values{};
    values.graphics_exposures = False;
    scene.gc = XCreateGC(display, window, GCGraphicsExposures, &values);
    values.function = GXor;
    scene.symbolGc = XCreateGC(display, window, GCFunction | GCGraphicsExposures, &values);
    return scene.gc;
}

void FreeSceneGC(Scene& scene)
{
    for (GC* gc : {&scene.gc, &scene.symbolGc}) {
        if (*gc != nullptr) {
            XFreeGC(gAppEnv->display, *gc);
            *gc = nullptr;
        }
    }
}
