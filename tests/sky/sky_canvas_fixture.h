// A real canvas for the redraw tests: the application shell of the
// program, a drawing area in a shell of its own, the palette, the font sets
// and the scene's GC, all made once per test program (the palette's cells
// are taken from the server only once, as in the program).
#pragma once

#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "core/app_env.h"
#include "sky/canvas.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/scene.h"
#include "tests/harness/test_toplevel.h"

#include <X11/Shell.h>
#include <X11/Xutil.h>
#include <Xm/DrawingA.h>
#include <string>
#include <vector>

namespace canvastest {

struct CanvasWorld {
    XtAppContext app = nullptr;
    Widget top = nullptr;
    Widget shell = nullptr;
    Widget area = nullptr;
    int fontsLoaded = 0;
};

// Resource lines merged into the screen's database before the palette and
// the font sets read theirs.
inline std::vector<std::string>& ExtraResources()
{
    static std::vector<std::string> lines;
    return lines;
}

inline CanvasWorld& World()
{
    static CanvasWorld world = [] {
        CanvasWorld w;
        ResetAppEnv();
        w.top = OpenTestToplevel(w.app);
        gAppEnv->screen = XtScreen(w.top);
        XrmDatabase database = XtScreenDatabase(XtScreen(w.top));
        for (const std::string& line : ExtraResources()) {
            XrmPutLineResource(&database, line.c_str());
        }
        w.shell = XtVaAppCreateShell("canvas", "UVola", topLevelShellWidgetClass, gAppEnv->display,
                                     XtNallowShellResize, True, nullptr);
        w.area = XtVaCreateManagedWidget("DrawingArea", xmDrawingAreaWidgetClass, w.shell, XmNwidth, 320,
                                         XmNheight, 240, XmNresizePolicy, XmRESIZE_NONE, nullptr);
        XtRealizeWidget(w.shell);
        InitPaletteAndPlanetNames();
        w.fontsLoaded = LoadFontSets();
        return w;
    }();
    return world;
}

// Tokyo at noon on a spring day: the Sun is up.
inline void SetNoonTime(Scene& scene)
{
    const DateTime date{2024, 3, 20, 12, 0, 0.0, 9.0};
    const ObserverLocation tokyo{35.68, 139.77, 40.0};
    AstroTimeFromDate(date, tokyo, scene.time);
}

// A fresh scene on the world's drawing area, at its current size, with no
// pixmap yet and start-up over.
inline void PrepareScene(Scene& scene)
{
    CanvasWorld& world = World();
    if (scene.backPixmap != None && scene.gc != nullptr) {
        XFreePixmap(gAppEnv->display, scene.backPixmap);
    }
    FreeSceneGC(scene);
    scene = Scene{};
    ResetScene(scene);
    // The tests set the view by hand: the redraw must not turn it toward
    // the reset's target (the horizon, kept at the bottom edge).
    scene.keepCentred = 0;
    scene.centring = 0;
    scene.drawingArea = world.area;
    SetNoonTime(scene);
    CreateSceneGC(scene);
    gAppEnv->startingUp = 0;
    gCanvasHooks = CanvasHooks{};
}

inline void ResizeArea(int width, int height)
{
    XtVaSetValues(World().area, XmNwidth, width, XmNheight, height, nullptr);
}

// The whole of a drawable, read back.
struct Snapshot {
    XImage* image = nullptr;
    Snapshot(Drawable drawable, int width, int height)
    {
        XSync(gAppEnv->display, False);
        image = XGetImage(gAppEnv->display, drawable, 0, 0, width, height, AllPlanes, ZPixmap);
    }
    ~Snapshot()
    {
        if (image != nullptr) {
            XDestroyImage(image);
        }
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    unsigned long Pixel(int x, int y) const { return XGetPixel(image, x, y); }
};

inline void PixmapSize(Pixmap pixmap, unsigned int& width, unsigned int& height)
{
    Window root;
    int x, y;
    unsigned int border, depth;
    XGetGeometry(gAppEnv->display, pixmap, &root, &x, &y, &width, &height, &border, &depth);
}

// The colour a pixel shows, 8 bits per channel.
inline Rgb8 ColorOfPixel(unsigned long pixel)
{
    XColor color{};
    color.pixel = pixel;
    XQueryColor(gAppEnv->display, gAppEnv->colormap, &color);
    return Rgb8{color.red >> 8, color.green >> 8, color.blue >> 8};
}

}  // namespace canvastest
