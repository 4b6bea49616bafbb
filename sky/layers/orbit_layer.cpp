#include "sky/layers/orbit_layer.h"

#include "astro/coordinates.h"
#include "astro/orbit_curves.h"
#include "astro/trig.h"
#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/layers/solar_labels.h"
#include "sky/pens.h"
#include "sky/view/clipping.h"
#include "sky/view/screen_points.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// Planet paths are held this long (days of scene time) before they are
// computed again: the orbits change that slowly.
constexpr double kOrbitPathLifetime = 365252.0;
constexpr int32_t kMinimumPathSlots = 162;
constexpr uint8_t kShownWithOrbit = kBodyShown | kBodyOrbit;
constexpr uint8_t kSolarGrid = 16;           // "SOL_GRID"
constexpr int32_t kEarthLabelRadius = 3;
constexpr double kArrowLength = 9.0;
constexpr double kAxisShare = 0.4;           // of the view's size
constexpr double kLongestEquinoxAxis = 120.0;  // AU

uint8_t PathBodyFlags(const Scene& scene, int32_t body)
{
    return body == kEarthId ? scene.earthFlags : scene.planetFlags[body];
}

void DrawPoints(const Scene& scene, Drawable drawable, const XPoint* points, int count, int32_t colorIndex)
{
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[colorIndex]);
    XDrawPoints(gAppEnv->display, drawable, scene.gc, const_cast<XPoint*>(points), count, CoordModeOrigin);
}

// The symbol patterns, as offsets from the body's pixel.
struct Symbol {
    int32_t size;
    int count;
    const XPoint* offsets;
};
constexpr XPoint kDot[] = {{0, 0}};
constexpr XPoint kSquare2[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
constexpr XPoint kSquare3[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {0, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
constexpr XPoint kPlus[] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr XPoint kSun[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {0, 0}, {1, 0}, {-1, 1},
                           {0, 1},   {1, 1},  {-2, 0}, {2, 0},  {0, -2}, {0, 2}};

bool SymbolOf(const Scene& scene, int32_t id, Symbol& symbol, int32_t& colorIndex)
{
    const bool comet = id >= kCometIdBase && id < kCometIdBase + scene.cometCount;
    const bool minorPlanet = id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount;
    if (comet || minorPlanet) {
        symbol = {1, 1, kDot};
        colorIndex = kColorStar3;
        return true;
    }
    switch (id) {
    case kSunId:
        symbol = {5, 13, kSun};
        colorIndex = kColorPlanet;
        return true;
    case kEarthId:
        symbol = {2, 4, kSquare2};
        colorIndex = kColorEarth;
        return true;
    case 0:
    case 1:
        symbol = {2, 4, kSquare2};
        colorIndex = kColorPlanet;
        return true;
    case 2:
        symbol = {2, 4, kSquare2};
        colorIndex = kColorMarsDisk;
        return true;
    case 3:
        symbol = {4, 9, kSquare3};
        colorIndex = kColorJupiterDisk;
        return true;
    case 4:
        symbol = {4, 9, kSquare3};
        colorIndex = kColorSaturnDisk;
        return true;
    case 5:
    case 6:
    case 7:
        symbol = {3, 5, kPlus};
        colorIndex = kColorOuterPlanetsDisk;
        return true;
    default:
        return false;
    }
}

// One end of an axis from the Sun's point: dim when it points away from
// the viewer; the positive end gets its arrow head.
void DrawAxisEnd(const Scene& scene, Drawable drawable, const ProjectedPoint& sun, ProjectedPoint end,
                 bool positive)
{
    if (scene.viewMode == kModeSol2)
        end.x = sun.x;   // the axis stands upright in this view
    if (FitsXCoordinates(end.x, end.y) == 0 || FitsXCoordinates(sun.x, sun.y) == 0)
        return;
    UseSolidPen(scene, gAppEnv->pixels[end.centre > sun.centre ? kColorDarkStar : kColorSolarAxis]);
    XDrawLine(gAppEnv->display, drawable, scene.gc, sun.x, sun.y, end.x, end.y);
    if (positive)
        DrawArrowHead(scene, drawable, sun.x, sun.y, end.x, end.y);
}

// An axis along an ecliptic direction, `length` AU each way from the Sun.
void DrawAxis(const Scene& scene, Drawable drawable, const ProjectedPoint& sun, double latitude, double length)
{
    const double ecliptic[2] = {0.0, latitude};
    double equatorial[2], v[3];
    ConvertCoordinates(scene.time, kFrameEcl, ecliptic, kFrameEqt, equatorial);
    const double a = equatorial[0] * kRadiansPerDegree, d = equatorial[1] * kRadiansPerDegree;
    v[0] = std::cos(d) * std::cos(a);
    v[1] = std::cos(d) * std::sin(a);
    v[2] = std::sin(d);
    for (double sign : {1.0, -1.0}) {
        const double end[3] = {sign * length * v[0], sign * length * v[1], sign * length * v[2]};
        ProjectedPoint p{};
        if (ProjectSolarSystemPoint(scene, end, p) != 0)
            DrawAxisEnd(scene, drawable, sun, p, sign > 0.0);
    }
}

void DrawAxes(const Scene& scene, Drawable drawable)
{
    const double origin[3] = {0.0, 0.0, 0.0};
    ProjectedPoint sun{};
    if (ProjectSolarSystemPoint(scene, origin, sun) == 0)
        return;
    const ViewGeometry& view = scene.view;
    const double poleLength = kAxisShare * view.solarViewWidth * view.verticalField / view.fieldOfView;
    DrawAxis(scene, drawable, sun, 90.0, poleLength);
    DrawAxis(scene, drawable, sun, 0.0, kAxisShare * std::min(view.solarViewWidth, kLongestEquinoxAxis));
}

int32_t LargestSmallBodyPath(const SmallBodyRecord* places, int32_t count)
{
    int32_t largest = 0;
    for (int32_t i = 0; places != nullptr && i < count; ++i)
        if (places[i].orbitPath != nullptr)
            largest = std::max(largest, places[i].orbitPointCount + 1);
    return largest;
}

void DrawSmallBodyPaths(const Scene& scene, Drawable drawable, const SmallBodyRecord* places, const uint8_t* flags,
                        int32_t count, char kind, int32_t colorIndex, int* visible, XPoint* pixels)
{
    for (int32_t i = 0; places != nullptr && i < count; ++i) {
        const SmallBodyRecord& place = places[i];
        if (place.kind == kind && (flags[i] & kShownWithOrbit) == kShownWithOrbit && place.orbitPath != nullptr)
            DrawOrbitPolyline(scene, drawable, place.orbitPath, place.orbitPointCount, 0, visible, pixels,
                              colorIndex);
    }
}

} // namespace

int32_t DrawBodySymbol(const Scene& scene, Drawable drawable, int32_t x, int32_t y, int32_t id)
{
    Symbol symbol;
    int32_t colorIndex;
    if (!SymbolOf(scene, id, symbol, colorIndex))
        return 0;
    if (FitsXCoordinates(x, y) == 0)
        return symbol.size;
    XPoint points[13];
    for (int n = 0; n < symbol.count; ++n)
        points[n] = {static_cast<short>(x + symbol.offsets[n].x), static_cast<short>(y + symbol.offsets[n].y)};
    DrawPoints(scene, drawable, points, symbol.count, colorIndex);
    return symbol.size;
}

void DrawArrowHead(const Scene& scene, Drawable drawable, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    if (x0 == x1 && y0 == y1)
        return;
    const double phi = std::atan2(static_cast<double>(y0 - y1), static_cast<double>(x0 - x1)) * kDegreesPerRadian;
    for (double turn : {-30.0, 30.0}) {
        const double a = (phi + turn) * kRadiansPerDegree;
        XDrawLine(gAppEnv->display, drawable, scene.gc, x1, y1, x1 + static_cast<int>(std::lround(kArrowLength * std::cos(a))),
                  y1 + static_cast<int>(std::lround(kArrowLength * std::sin(a))));
    }
}

void DrawOrbitPolyline(const Scene& scene, Drawable drawable, const double (*points)[3], int32_t n, int32_t closed,
                       int* visible, XPoint* pixels, int32_t colorIndex)
{
    if (n < 1)
        return;
    for (int32_t k = 0; k < n; ++k) {
        ProjectedPoint p{};
        // A pixel beyond 16 bits would wrap round into a stray line.
        visible[k] = ProjectSolarSystemPoint(scene, points[k], p) != 0 && p.x >= SHRT_MIN && p.x <= SHRT_MAX &&
                     p.y >= SHRT_MIN && p.y <= SHRT_MAX;
        pixels[k] = {static_cast<short>(visible[k] ? p.x : 0), static_cast<short>(visible[k] ? p.y : 0)};
    }
    const int32_t last = closed != 0 ? 0 : n - 1;
    visible[n] = visible[last];
    pixels[n] = pixels[last];
    UseSolidPen(scene, gAppEnv->pixels[colorIndex]);
    for (int32_t start = 0; start <= n;) {
        if (visible[start] == 0) {
            ++start;
            continue;
        }
        int32_t end = start;
        while (end + 1 <= n && visible[end + 1] != 0)
            ++end;
        if (end > start)
            XDrawLines(gAppEnv->display, drawable, scene.gc, pixels + start, end - start + 1, CoordModeOrigin);
        start = end + 1;
    }
}

void DrawOrbits(Scene& scene, Drawable drawable)
{
    const int32_t slots = std::max({kMinimumPathSlots, LargestSmallBodyPath(scene.cometPositions, scene.cometCount),
                                    LargestSmallBodyPath(scene.mplanetPositions, scene.mplanetCount)});
    int* visible = static_cast<int*>(std::malloc(sizeof(int) * slots));
    XPoint* pixels = static_cast<XPoint*>(std::malloc(sizeof(XPoint) * slots));
    if (visible == nullptr || pixels == nullptr) {
        std::free(visible);
        std::free(pixels);
        return;
    }
    if (std::fabs(scene.time.julianDay - scene.orbitPathDay) > kOrbitPathLifetime) {
        PlanetOrbitPaths(scene.time, scene.orbitPaths);
        scene.orbitPathDay = scene.time.julianDay;
    }
    for (int n = 0; n < kOrbitPathCount; ++n)
        if ((PathBodyFlags(scene, kOrbitPathBodies[n]) & kShownWithOrbit) == kShownWithOrbit)
            DrawOrbitPolyline(scene, drawable, scene.orbitPaths[n].points, kOrbitPathPoints, 1, visible, pixels,
                              kColorOrbit);
    DrawSmallBodyPaths(scene, drawable, scene.cometPositions, scene.cometFlags, scene.cometCount, 'C',
                       kColorOrbitComet, visible, pixels);
    DrawSmallBodyPaths(scene, drawable, scene.mplanetPositions, scene.mplanetFlags, scene.mplanetCount, 'M',
                       kColorOrbitMinorPlanet, visible, pixels);
    if ((scene.displayFlags[kFlagOtherGrids] & kSolarGrid) != 0)
        DrawAxes(scene, drawable);
    ProjectedPoint earth{};
    if (GetSolarBodyScreenPoint(scene, kEarthId, earth) != 0) {
        DrawBodySymbol(scene, drawable, earth.x, earth.y, kEarthId);
        DrawObjectLabels(scene, drawable, kEarthId, scene.earthFlags, 0, earth.x, earth.y, kEarthLabelRadius);
    }
    std::free(visible);
    std::free(pixels);
}
