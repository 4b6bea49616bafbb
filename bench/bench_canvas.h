// The canvas of the drawing benchmarks: the program's own start-up steps
// for a 1280 x 1024 drawing area, once, on the display of $DISPLAY (run the
// benchmarks under tests/harness/uvola-test-env --xvfb).
#pragma once

#include "astro/astro_time.h"
#include "core/app_env.h"
#include "data/fallback_resources.h"
#include "sky/canvas.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/layers/status_line.h"
#include "sky/scene.h"

#include <X11/Shell.h>
#include <Xm/DrawingA.h>
#include <Xm/Xm.h>

constexpr Dimension kBenchWidth = 1280;
constexpr Dimension kBenchHeight = 1024;

inline Scene gBenchScene;

// Returned: false when there is no display or no font set.
inline bool OpenBenchCanvas()
{
    static const bool opened = [] {
        ResetAppEnv();
        static char name[] = "uvola";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        XtAppContext app = nullptr;
        Widget top = XtOpenApplication(&app, "UVola", nullptr, 0, &argc, argv, FallbackResourceList(),
                                       applicationShellWidgetClass, nullptr, 0);
        if (top == nullptr) {
            return false;
        }
        XtVaSetValues(top, XmNwidth, kBenchWidth, XmNheight, kBenchHeight, nullptr);
        Widget area = XtVaCreateManagedWidget("DrawingArea", xmDrawingAreaWidgetClass, top, XmNwidth,
                                              kBenchWidth, XmNheight, kBenchHeight, nullptr);
        XtRealizeWidget(top);
        gAppEnv->toplevel = top;
        gAppEnv->display = XtDisplay(top);
        gAppEnv->screen = XtScreen(top);
        InitPaletteAndPlanetNames();
        if (!LoadFontSets()) {
            return false;
        }
        ResetScene(gBenchScene);
        gBenchScene.drawingArea = area;
        const DateTime date{2024, 3, 20, 22, 0, 0.0, 9.0};
        AstroTimeFromDate(date, ObserverLocation{35.68, 139.77, 40.0}, gBenchScene.time);
        CreateSceneGC(gBenchScene);
        gCanvasHooks.drawStatusBar = DrawStatusBar;   // as the program hooks it at start-up
        gAppEnv->startingUp = 0;
        return true;
    }();
    return opened;
}
