#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/scene.h"

GC CreateSceneGC(Scene& scene)
{
    scene.background = kFirstRampCell;
    scene.backPixmap = None;
    scene.gc = XCreateGC(gAppEnv->display, XtWindow(scene.drawingArea), 0, nullptr);
    return scene.gc;
}
