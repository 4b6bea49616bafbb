// A real canvas for the redraw tests: the application shell of the
// program, a drawing area in a shell of its own, the palette, the font sets
// and the scene's GC, all made once per test program (the palette's cells
// are taken from the server only once, as in the program); the chart read
// back, and a fixture for the layer tests.
#pragma once

#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "core/app_env.h"
#include "sky/canvas.h"
#include "sky/colors.h"
#include "sky/draw_sky.h"
#include "sky/font_sets.h"
#include "sky/scene.h"
#include "sky/view/projection.h"
#include "tests/harness/test_toplevel.h"

#include <X11/Shell.h>
#include <X11/Xutil.h>
#include <Xm/DrawingA.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
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

// For a namespace-scope initialiser, before the first World().
inline bool AddResources(std::initializer_list<const char*> lines)
{
    ExtraResources().insert(ExtraResources().end(), lines.begin(), lines.end());
    return true;
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

inline unsigned long Cell(int index) { return gAppEnv->pixels[index]; }

// The whole of a drawable, read back.
struct Snapshot {
    XImage* image = nullptr;
    int width, height;
    Snapshot(Drawable drawable, int w, int h) : width(w), height(h)
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
    Snapshot(Snapshot&& other) noexcept : image(other.image), width(other.width), height(other.height)
    {
        other.image = nullptr;
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    unsigned long Pixel(int x, int y) const { return XGetPixel(image, x, y); }
    // Pixels of a colour in the box from (left, top) to (right, bottom),
    // both included, within the image.
    int CountIn(int left, int top, int right, int bottom, unsigned long pixel) const
    {
        int n = 0;
        for (int y = std::max(top, 0); y <= std::min(bottom, height - 1); ++y)
            for (int x = std::max(left, 0); x <= std::min(right, width - 1); ++x)
                n += Pixel(x, y) == pixel;
        return n;
    }
    int Count(unsigned long pixel) const { return CountIn(0, 0, width - 1, height - 1, pixel); }
    // Whether any pixel within `radius` of (x, y) has the colour.
    bool Near(int x, int y, int radius, unsigned long pixel) const
    {
        return CountIn(x - radius, y - radius, x + radius, y + radius, pixel) > 0;
    }
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

// J2000 right ascension and declination (degrees) to a Q14 vector.
inline FixedVector Direction(double ra, double dec)
{
    const double d = M_PI / 180.0;
    return FixedVector{static_cast<int32_t>(16384 * std::cos(dec * d) * std::cos(ra * d)),
                       static_cast<int32_t>(16384 * std::cos(dec * d) * std::sin(ra * d)),
                       static_cast<int32_t>(16384 * std::sin(dec * d))};
}

// The chart as a PPM picture in UVOLA_SHOT_DIR, when that is set, for a
// person to look at.
inline void SaveShot(const Scene& scene, int width, int height, const char* name)
{
    const char* dir = std::getenv("UVOLA_SHOT_DIR");
    if (!dir)
        return;
    const Snapshot shot(scene.backPixmap, width, height);
    FILE* file = std::fopen((std::string(dir) + "/" + name + ".ppm").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb8 c = ColorOfPixel(shot.Pixel(x, y));
            const unsigned char rgb[3] = {static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
                                          static_cast<unsigned char>(c.blue)};
            std::fwrite(rgb, 1, 3, file);
        }
    std::fclose(file);
}

// A chart of the world's drawing area for the layer tests: a dark sky
// (midnight at Tokyo) with no layer drawn until the test turns it on, read
// back whole.
class ChartTest : public ::testing::Test {
protected:
    void OpenChart(int w, int h, int32_t mode = kModeEqt, double longitude = 0.0, double latitude = 0.0,
                   double field = 120.0)
    {
        ASSERT_NE(World().area, nullptr);
        width = w;
        height = h;
        ResizeArea(w, h);
        PrepareScene(scene);
        View(mode, longitude, latitude, field);
        scene.time.date.hour = 0;
        for (int byte : {kFlagStars, kFlagStarLabels, kFlagConstellations, kFlagMilkyWay, kFlagNebulae,
                         kFlagGridNumbers, kFlagHorizontalGrid, kFlagEquatorial, kFlagOtherGrids, kFlagLineNumbers})
            scene.displayFlags[byte] = 0;
    }

    // The view mode, the centre in the mode's frame and the field, degrees.
    void View(int32_t mode, double longitude, double latitude, double field)
    {
        scene.viewMode = mode;
        scene.view.centreLongitude = longitude;
        scene.view.centreLatitude = latitude;
        scene.view.fieldOfView = field;
    }

    void Drive()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    Snapshot Shot() const { return Snapshot(scene.backPixmap, width, height); }
    int CountOf(int colour) const { return Shot().Count(Cell(colour)); }

    // Paints the whole chart in one colour, for a layer drawn on its own.
    void Clear(int colour)
    {
        XSetForeground(gAppEnv->display, scene.gc, Cell(colour));
        XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, 0, 0, width, height);
    }

    // Pixel of a direction, which the test expects on the chart.
    ProjectedPoint Place(const FixedVector& v) const
    {
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPoint(scene, v, p), 1) << v[0] << " " << v[1] << " " << v[2];
        return p;
    }

    // Clear of the sky rectangle's edges and the status line.
    bool InsideSky(int x, int y, int margin = 2) const
    {
        const XRectangle& sky = scene.view.skyRect;
        return x >= sky.x + margin && x < sky.x + sky.width - margin && y >= sky.y + margin
               && y < sky.y + sky.height - margin;
    }

    void SaveShot(const char* name) const { canvastest::SaveShot(scene, width, height, name); }

    static inline Scene chartScene;
    Scene& scene = chartScene;
    int width = 0;
    int height = 0;
};

}  // namespace canvastest
