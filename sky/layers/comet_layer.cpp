#include "sky/layers/comet_layer.h"

#include "astro/vector_math.h"
#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/layers/orbit_layer.h"
#include "sky/layers/solar_labels.h"
#include "sky/layers/star_layer.h"
#include "sky/pens.h"
#include "sky/view/clipping.h"
#include "sky/view/screen_points.h"
#include "sky/view/wrap_segments.h"

#include <algorithm>

namespace {

constexpr int32_t kTailPass = 1;
constexpr int32_t kTailsGoneAtDaylight = 13;
constexpr int32_t kTailsShortenAfterDaylight = 3;
constexpr double kFarthestFromSun = 100.0;   // AU, solar-system views
constexpr int32_t kMarkerLabelRadius = 5;
constexpr int32_t kCometColourClass = 0;
constexpr int32_t kMinorPlanetColourClass = 4;
constexpr int32_t kBrightestCometBelowLimit = 20;   // tenths of a magnitude

bool Drawn(const Scene& scene, const SmallBodyRecord& place, uint8_t flags, char kind)
{
    if (place.kind != kind || (flags & kBodyShown) == 0)
        return false;
    return !IsSolarSystemView(scene.viewMode) || place.helioDistance <= kFarthestFromSun;
}

int ProjectTailDirection(const Scene& scene, const double direction[3], ProjectedPoint& out)
{
    const int32_t family = ViewFamilyOf(scene.viewMode);
    if (family == kFamilySky)
        return ProjectPointDouble(scene, direction, out);
    if (family == kFamilyCylinder || family == kFamilyAitoff || family == kFamilyPlanisphere) {
        FixedVector fixed;
        FixedFromVector(direction, fixed);
        return ProjectPoint(scene, fixed, out);
    }
    out = {};
    return 0;
}

// Points kept at a daylight level: all ten up to level 3, then fewer.
int32_t PointsInDaylight(int32_t count, int32_t level)
{
    if (level <= kTailsShortenAfterDaylight)
        return count;
    return static_cast<int32_t>(count * (12 - level) / 9.0 + 0.5);
}

void Join(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& a, int visibleA, const ProjectedPoint& b,
          int visibleB)
{
    if (visibleA != 0 && visibleB != 0)
        DrawProjectedSegment(scene, redraw, a, b);
}

// The marker: the symbol of the solar-system views or a star-like point,
// then the labels.
void DrawMarker(Scene& scene, Drawable drawable, int32_t id, uint8_t flags, int32_t mag10, int32_t starMag10,
                int32_t colourClass)
{
    ProjectedPoint p{};
    if (GetSolarBodyScreenPoint(scene, id, p) == 0 || FitsXCoordinates(p.x, p.y) == 0)
        return;
    int32_t radius = kMarkerLabelRadius;
    if (IsSolarSystemView(scene.viewMode))
        radius = DrawBodySymbol(scene, drawable, p.x, p.y, id);
    else
        DrawStar(scene, drawable, p.x, p.y, starMag10, colourClass);
    DrawObjectLabels(scene, drawable, id, flags, mag10, p.x, p.y, radius);
}

} // namespace

int ProjectDustTailPoint(const Scene& scene, int32_t comet, int32_t step, int32_t force, ProjectedPoint& out)
{
    return ProjectTailDirection(scene, scene.cometTails[comet].dustDirections[step][force], out);
}

int ProjectIonTailPoint(const Scene& scene, int32_t comet, int32_t step, ProjectedPoint& out)
{
    return ProjectTailDirection(scene, scene.cometTails[comet].ionDirections[step], out);
}

void DrawIonTail(const Scene& scene, RedrawRecord& redraw, int32_t comet, int32_t n)
{
    if (n <= 0)
        return;
    UseSolidPen(scene, gAppEnv->pixels[kColorCometIonTail]);
    ProjectedPoint previous{};
    int previousVisible = ProjectIonTailPoint(scene, comet, 0, previous);
    for (int32_t j = 1; j < n; ++j) {
        ProjectedPoint p{};
        const int visible = ProjectIonTailPoint(scene, comet, j, p);
        Join(scene, redraw, previous, previousVisible, p, visible);
        previous = p;
        previousVisible = visible;
    }
}

void DrawDustTail(const Scene& scene, RedrawRecord& redraw, int32_t comet, int32_t n)
{
    if (n <= 0)
        return;
    UseSolidPen(scene, gAppEnv->pixels[kColorCometDustTail]);
    ProjectedPoint before[2];
    int beforeVisible[2];
    for (int32_t j = 0; j < n; ++j) {
        ProjectedPoint p[2];
        int visible[2];
        for (int m = 0; m < 2; ++m)
            visible[m] = ProjectDustTailPoint(scene, comet, j, m, p[m]);
        Join(scene, redraw, p[0], visible[0], p[1], visible[1]);
        if (j > 0)
            for (int m = 0; m < 2; ++m)
                Join(scene, redraw, p[m], visible[m], before[m], beforeVisible[m]);
        std::copy(p, p + 2, before);
        std::copy(visible, visible + 2, beforeVisible);
    }
}

void DrawCometTails(const Scene& scene, RedrawRecord& redraw, int32_t comet)
{
    if (scene.daylightLevel >= kTailsGoneAtDaylight)
        return;
    const CometTail& tail = scene.cometTails[comet];
    const uint8_t flags = scene.cometFlags[comet];
    if ((flags & kBodyIonTail) != 0)
        DrawIonTail(scene, redraw, comet, PointsInDaylight(tail.ionCount, scene.daylightLevel));
    if ((flags & kBodySpotOrDustTail) != 0)
        DrawDustTail(scene, redraw, comet, PointsInDaylight(tail.dustCount, scene.daylightLevel));
}

void DrawCometMarker(Scene& scene, Drawable drawable, int32_t comet)
{
    const int32_t mag10 = scene.cometPositions[comet].magnitude;
    DrawMarker(scene, drawable, kCometIdBase + comet, scene.cometFlags[comet], mag10,
               std::max(scene.mag.starLimit - kBrightestCometBelowLimit, mag10), kCometColourClass);
}

void DrawMinorPlanetMarker(Scene& scene, Drawable drawable, int32_t minorPlanet)
{
    const int32_t mag10 = scene.mplanetPositions[minorPlanet].magnitude;
    DrawMarker(scene, drawable, kMinorPlanetIdBase + minorPlanet, scene.mplanetFlags[minorPlanet], mag10, mag10,
               kMinorPlanetColourClass);
}

void DrawComets(Scene& scene, RedrawRecord& redraw, int32_t pass)
{
    if (pass == kTailPass && IsSolarSystemView(scene.viewMode))
        return;   // the solar-system views show no tails
    for (int32_t i = 0; i < scene.cometCount; ++i) {
        if (!Drawn(scene, scene.cometPositions[i], scene.cometFlags[i], 'C'))
            continue;
        if (pass == kTailPass)
            DrawCometTails(scene, redraw, i);
        else
            DrawCometMarker(scene, redraw.drawable, i);
    }
}

void DrawMinorPlanets(Scene& scene, Drawable drawable)
{
    for (int32_t i = 0; i < scene.mplanetCount; ++i)
        if (Drawn(scene, scene.mplanetPositions[i], scene.mplanetFlags[i], 'M'))
            DrawMinorPlanetMarker(scene, drawable, i);
}

void DrawCometTailLayer(Scene& scene, RedrawRecord& redraw)
{
    DrawComets(scene, redraw, kTailPass);
}
