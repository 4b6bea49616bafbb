#include "sky/layers/solar_system_layer.h"

#include "astro/trig.h"
#include "core/app_env.h"
#include "sky/catalog/object_names.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_styles.h"
#include "sky/label_text.h"
#include "sky/layers/body_geometry.h"
#include "sky/layers/body_outlines.h"
#include "sky/layers/comet_layer.h"
#include "sky/layers/disk_drawing.h"
#include "sky/layers/moon_layer.h"
#include "sky/layers/orbit_layer.h"
#include "sky/layers/planet_layer.h"
#include "sky/layers/solar_labels.h"
#include "sky/view/clipping.h"
#include "sky/view/daylight.h"
#include "sky/view/projection.h"
#include "sky/view/screen_points.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int32_t kSunMagnitude10 = -267;
constexpr const char* kJovianNumberTexts[kJovianMoonCount] = {"I", "II", "III", "IV"};

void DrawSatelliteText(const Scene& scene, Drawable drawable, int x, int y, const char* text)
{
    const LabelStyle& style = LabelStyleTable[kLabelSatelliteName];
    XFontSet fontSet = GetFontSet(style.fontSet);
    if (fontSet == nullptr) {
        return;
    }
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[style.color]);
    DrawLabelText(gAppEnv->display, drawable, fontSet, scene.gc, x, y, text, static_cast<int>(std::strlen(text)));
}

int SatelliteFontHeight()
{
    const XFontSetExtents* extents = GetFontSetExtents(LabelStyleTable[kLabelSatelliteName].fontSet);
    return extents != nullptr ? extents->max_logical_extent.height : 0;
}

}  // namespace

void DrawSun(Scene& scene, Drawable drawable)
{
    ProjectedPoint p{};
    if (GetSolarBodyScreenPoint(scene, kSunId, p) == 0) {
        return;
    }
    if (IsSolarSystemView(scene.viewMode)) {
        const int32_t size = DrawBodySymbol(scene, drawable, p.x, p.y, kSunId);
        DrawObjectLabels(scene, drawable, kSunId, scene.sunFlags, kSunMagnitude10, p.x, p.y, size);
        return;
    }
    const int32_t r = std::max(BodyDiskRadius(scene, scene.sun.semidiameter), gAppEnv->minPlanetDiscRadius);
    if (BodyNearDrawingArea(scene, p.x, p.y, r) == 0) {
        return;
    }
    const unsigned long pixel = gAppEnv->pixels[SunColorIndex(scene)];
    if ((scene.sunFlags & kBodyOutline) == 0) {
        FillDisk(scene, drawable, p.x, p.y, r, pixel);
    } else {
        DrawDiskOutline(scene, drawable, p.x, p.y, r, pixel);
    }
    DrawObjectLabels(scene, drawable, kSunId, scene.sunFlags, kSunMagnitude10, p.x, p.y, r);
}

void DrawJovianSatellites(Scene& scene, Drawable drawable)
{
    const uint8_t flags = scene.jovianMoonFlags;
    if (IsSolarSystemView(scene.viewMode) || (scene.planetFlags[kJupiter] & kBodyShown) == 0 || (flags & kJovianMoonsShown) == 0) {
        return;
    }
    Display* display = gAppEnv->display;
    const unsigned long white = WhitePixel(display, DefaultScreen(display));
    for (int i = 0; i < kJovianMoonCount; ++i) {
        ProjectedPoint p{};
        if (ProjectPointDouble(scene, scene.jovianMoons[i].unitVector, p) == 0 || FitsXCoordinates(p.x, p.y) == 0) {
            continue;
        }
        XSetForeground(display, scene.gc, white);
        XDrawPoint(display, drawable, scene.gc, p.x, p.y);
        int nameX = p.x + 4;
        if ((flags & kJovianMoonNumbers) != 0) {
            DrawSatelliteText(scene, drawable, p.x + 4, p.y, kJovianNumberTexts[i]);
            nameX = p.x + 9;
        }
        if ((flags & kJovianMoonNames) != 0) {
            char name[64];
            GetSolarBodyName(scene, kFirstJovianMoonId + i, 0, name, sizeof name);
            DrawSatelliteText(scene, drawable, nameX, p.y + SatelliteFontHeight() - 4, name);
        }
    }
}

void DrawSolarSystemBodies(Scene& scene, RedrawRecord& redraw, int32_t moonDarkOffset)
{
    const Drawable drawable = redraw.drawable;
    // In the solar-system views the bodies are symbols on their orbits.
    if (IsSolarSystemView(scene.viewMode)) {
        DrawOrbits(scene, drawable);
    }
    DrawPlanets(scene, drawable, kPlanetCount - 1, 0, scene.background);
    DrawMinorPlanets(scene, drawable);
    DrawComets(scene, redraw, 0);
    DrawJovianSatellites(scene, drawable);
    DrawSun(scene, drawable);
    DrawMoon(scene, redraw, moonDarkOffset);
}

void DrawSolarSystemLayer(Scene& scene, RedrawRecord& redraw)
{
    DrawSolarSystemBodies(scene, redraw, 0);
}
