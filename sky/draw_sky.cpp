#include "sky/draw_sky.h"

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/sun_event_lock.h"
#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/layers/comet_layer.h"
#include "sky/layers/compass_labels.h"
#include "sky/layers/constellation_layer.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/ground_layer.h"
#include "sky/layers/map_masks.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/picture_mark_layer.h"
#include "sky/layers/solar_system_layer.h"
#include "sky/layers/star_layer_choice.h"
#include "sky/layers/user_object_layer.h"
#include "sky/redraw_record.h"
#include "sky/solar_system_update.h"
#include "sky/ui_hooks.h"
#include "sky/view/daylight.h"
#include "sky/view/limiting_magnitude.h"
#include "sky/view/targets.h"
#include "sky/view/view_setup.h"

#include <algorithm>

namespace {

constexpr double kQ14ToDouble = 1.0 / 16384.0;
constexpr int32_t kDarkStarLevel = 20;   // at this daylight level or darker faint stars stay grey

// Layers of the fixed drawing order, each given the redraw's record. Each
// is drawn inside its own WidenViewLimits/RestoreViewLimits bracket when it
// has a margin.
struct SkyLayer {
    void (*draw)(Scene& scene, RedrawRecord& redraw);
    int32_t margin;          // Q14; 0: drawn with the tight limits
    int32_t horizonLimit;    // Q14, with a margin only
};

void MaskAitoffLayer(Scene& scene, RedrawRecord& redraw)
{
    if (ViewFamilyOf(scene.viewMode) == kFamilyAitoff) {
        MaskAitoffMap(scene, redraw.drawable);
    }
}

// The ground of the horizontal view with its compass letters, or what
// hides the parts of a map that are not sky (the planisphere's letters
// stand on its mask).
void GroundOrMaskLayer(Scene& scene, RedrawRecord& redraw)
{
    const Drawable drawable = redraw.drawable;
    if (scene.viewMode == kModeHrz) {
        DrawGround(scene, redraw);
    } else if (ViewFamilyOf(scene.viewMode) == kFamilyCylinder) {
        MaskCylindricalMap(scene, drawable);
    } else if (scene.viewMode == kModeVola) {
        MaskPlanisphere(scene, drawable);
        DrawPlanisphereDirections(scene, drawable);
    }
}

constexpr SkyLayer kSkyLayers[] = {
    {DrawMilkyWay, 2048, -8192},     // the Milky Way, first of all
    {DrawCometTailLayer, 2048, -8192},   // comet tails, first pass of the comets
    {MaskAitoffLayer, 2048, -8192},  // the Aitoff ellipse's outside, before grids and lines
    {DrawGrids, 2048, -8192},        // coordinate grids and circles
    {DrawConstellationBoundaries, 2048, -8192},
    {DrawConstellationLines, 2048, -8192},
    {DrawMarkShapeLayer, 4096, -16384},   // sky-mark and user-object outlines
    {DrawStarLayer, 0, 0},           // stars (SAO file, Guide Star Catalog or built-in)
    {DrawConstellationNames, 0, 0},
    {DrawNebulae, 0, 0},             // Messier, NGC and IC objects
    {DrawSolarSystemLayer, 2048, -8192},   // orbits, planets, minor planets, comets, satellites, Sun, Moon
    {DrawMarkPointLayer, 4096, -16384},   // sky-mark and user-object points and names
    {GroundOrMaskLayer, 1024, -8192},
    {DrawMarkPointOnTopLayer, 4096, -16384},   // their points given in horizontal coordinates, over the ground
    {DrawPictureMarks, 0, 0},        // marks on the objects that have pictures
};

void DrawLayers(Scene& scene, RedrawRecord& redraw)
{
    for (const SkyLayer& layer : kSkyLayers) {
        if (layer.margin == 0) {
            layer.draw(scene, redraw);
            continue;
        }
        ViewLimitsSave save{};
        WidenViewLimits(layer.margin, layer.horizonLimit, scene, save);
        layer.draw(scene, redraw);
        RestoreViewLimits(scene, save);
    }
}

// Bodies are recomputed for the scene's instant before anything is drawn.
void UpdateBodies(Scene& scene)
{
    UpdateSolarSystem(scene);
    scene.lastSolarUpdate = scene.time.julianDay;
}

// The sky's colour under the chart. In trace mode the previous chart stays,
// unless the pixmap is new and holds nothing yet.
void PaintBackground(Scene& scene, Drawable drawable)
{
    if (scene.trace != 0 && scene.pixmapNew == 0) {
        return;
    }
    if (ViewFamilyOf(scene.viewMode) == kFamilyAitoff) {
        FillAitoffBackground(scene, drawable);
    } else if (scene.viewMode == kModeVola) {
        FillPlanisphereBackground(scene, drawable);
    } else {
        UseColor(scene, scene.background);
        XRectangle rect = scene.view.skyRect;
        XFillRectangles(gAppEnv->display, drawable, scene.gc, &rect, 1);
    }
}

// The status strip across the top: its ground and the rule under it; the
// status bar's texts and icons are drawn over it by the main window.
void DrawStatusStrip(Scene& scene, Drawable drawable)
{
    if ((scene.statusLine & 1) == 0) {
        return;
    }
    const int height = StatusLineHeight();
    const XRectangle rect{0, 0, scene.view.skyRect.width, static_cast<unsigned short>(height)};
    Display* display = gAppEnv->display;
    UseColor(scene, kColorStatusBackground);
    XFillRectangle(display, drawable, scene.gc, 0, 0, rect.width, rect.height);
    XSetForeground(display, scene.gc, BlackPixel(display, DefaultScreen(display)));
    XDrawLine(display, drawable, scene.gc, 0, height - 1, rect.width, height - 1);
    if (gCanvasHooks.drawStatusBar != nullptr) {
        gCanvasHooks.drawStatusBar(scene, drawable, rect);
    }
}

}  // namespace

void WidenViewLimits(int32_t margin, int32_t horizonLimit, Scene& scene, ViewLimitsSave& save)
{
    ViewGeometry& view = scene.view;
    save = ViewLimitsSave{view.centreLimitDouble, view.horizonLimitDouble, view.centreLimit, view.horizonLimit};
    view.centreLimit = std::max(view.centreLimit - margin, kLowestWidenedCentreLimit);
    view.centreLimitDouble = view.centreLimit * kQ14ToDouble;
    view.horizonLimit = horizonLimit;
    view.horizonLimitDouble = horizonLimit * kQ14ToDouble;
}

void RestoreViewLimits(Scene& scene, const ViewLimitsSave& save)
{
    ViewGeometry& view = scene.view;
    view.centreLimitDouble = save.centreLimit;
    view.horizonLimitDouble = save.horizonLimit;
    view.centreLimit = save.centreLimitFixed;
    view.horizonLimit = save.horizonLimitFixed;
}

void ApplySunEventTime(Scene& scene)
{
    AstroTimeFromDate(scene.time.date, scene.time.location, scene.time);
    double eventDay = 0.0;
    if (SunEventLockTime(scene.animation.sunEventLock, scene.animation.sunEventValue,
                         scene.time.date, scene.time.location, eventDay) == 0) {
        return;   // no lock, or no such event today: the clock stays as set
    }
    // The clock becomes the event's, in the date's own zone; an offset that
    // would carry it out of the supported years leaves it as set.
    AstroTime locked{};
    AstroTimeFromJulianDay(eventDay, scene.time.date.zone, scene.time.location, locked);
    if (locked.date.year >= kFirstYear && locked.date.year <= kLastYear) {
        scene.time = locked;
    }
}

void UpdateViewCenter(Scene& scene)
{
    if (scene.keepCentred != 0 && scene.viewMode == kModeHrz) {
        scene.centring = 1;
    }
    if (scene.centring == 0) {
        return;
    }
    if (scene.viewMode != kModeHrz) {
        scene.targetType &= ~kRecentreTarget;
    }
    UpdateViewCenterFromTarget(scene);
    if (gCanvasHooks.refreshScrollBars != nullptr) {
        gCanvasHooks.refreshScrollBars(scene);
    }
    if (scene.centring == 1) {
        scene.centring = 0;
    }
}

void DrawSky(Scene& scene, Drawable drawable)
{
    ApplySunEventTime(scene);
    ComputeViewScale(scene);
    UpdateBodies(scene);
    UpdateViewCenter(scene);
    ComputeViewMatrices(scene);
    ComputeDaylightLevel(scene);
    scene.mag.faintStarColor = scene.daylightLevel <= kDarkStarLevel ? kColorDarkStar : scene.background;
    if (!gAppEnv->writableColorCells) {
        SetSkyColors(scene);
    }
    UpdateLimitingMagnitude(scene);
    PaintBackground(scene, drawable);
    RedrawRecord redraw = StartRedraw(scene, drawable);
    DrawLayers(scene, redraw);
    DrawStatusStrip(scene, drawable);
    if (gAppEnv->writableColorCells) {
        // Cells already drawn with take their new colours now.
        SetSkyColors(scene);
    }
}
