#include "sky/layers/planet_layer.h"

#include "astro/clamped_math.h"
#include "astro/trig.h"
#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/layers/body_geometry.h"
#include "sky/layers/body_outlines.h"
#include "sky/layers/orbit_layer.h"
#include "sky/layers/solar_labels.h"
#include "sky/layers/star_layer.h"
#include "sky/view/clipping.h"
#include "sky/view/screen_points.h"
#include "sky/view/view_setup.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kJupiterRatio = 0.9333;
constexpr double kLitDisk = 0.01;             // below this a planet's disk is dark
constexpr int32_t kPlanetExtinctionAltitude = 1536;
constexpr double kRingsReach = 2.26;          // outer edge of the A ring, in globe radii

struct PlanetColours {
    int32_t disk;          // ColorIndex of the disk
    int32_t pointClass;    // star colour class 0..9 of the point
};

constexpr std::array<PlanetColours, kPlanetCount> kPlanetColours = {{
    {kColorPlanet, 4},            // Mercury
    {kColorPlanet, 4},            // Venus
    {kColorMarsDisk, 9},
    {kColorJupiterDisk, 6},
    {kColorSaturnDisk, 7},
    {kColorOuterPlanetsDisk, 1},  // Uranus
    {kColorOuterPlanetsDisk, 1},  // Neptune
    {kColorOuterPlanetsDisk, 1},  // Pluto
}};

double Radians(double degrees) { return degrees / kDegreesPerRadian; }

void AppendEllipsePoint(int32_t cx, int32_t cy, double radius, double ratio, double angle, int t, double aspect,
                        std::vector<ScreenPoint>& points)
{
    const double u = std::cos(Radians(t)) * radius, v = ratio * std::sin(Radians(t)) * radius;
    const double c = std::cos(Radians(angle)), s = std::sin(Radians(angle));
    points.push_back(ScreenPoint{cx + RoundToNearest(u * c - v * s), cy - RoundToNearest((v * c + u * s) * aspect)});
}

// A planet as a star-like point; the symbol's size places the labels.
int DrawPlanetPoint(const Scene& scene, Drawable drawable, int32_t index, const ProjectedPoint& p)
{
    int32_t mag10 = scene.planets[index].magnitude;
    int32_t colourClass = kPlanetColours[index].pointClass;
    if (scene.viewMode == kModeHrz && p.altitude < kPlanetExtinctionAltitude) {
        ApplyHorizonExtinction(p.altitude, mag10, colourClass);
    }
    return DrawStar(scene, drawable, p.x, p.y, mag10, colourClass);
}

int32_t DrawPlanetDisk(Scene& scene, Drawable drawable, int32_t index, const ProjectedPoint& p, int32_t darkIndex)
{
    const PlanetRecord& planet = scene.planets[index];
    const int32_t r = PlanetDiskRadius(scene, planet.diameter);
    const double reach = index == kSaturn ? r * kRingsReach + 1.0 : r;
    if (BodyNearDrawingArea(scene, p.x, p.y, reach) == 0) {
        return r;
    }
    const bool mirrored = PositionAnglesMirrored(scene) != 0;
    const double r0 = planet.diameter / 7200.0 / kDegreesPerRadian * scene.view.pixelsPerRadianX;
    const double screenAngle =
        ScreenPositionAngle(scene, planet.raJ2000, planet.decJ2000, static_cast<int32_t>(std::min(r0, 1e6)), p.x, p.y);
    const double limbAngle = screenAngle + (mirrored ? -planet.brightLimbAngle : planet.brightLimbAngle);
    const double axisAngle = screenAngle + (mirrored ? -planet.axisPositionAngle : planet.axisPositionAngle);
    const unsigned long diskPixel = gAppEnv->pixels[kPlanetColours[index].disk];
    if (index == kJupiter) {
        FillOblateDisk(scene, drawable, p.x, p.y, r, kJupiterRatio, axisAngle, diskPixel);
    } else if (index == kSaturn) {
        DrawSaturn(scene, drawable, p.x, p.y, r, axisAngle, planet.axisAngle);
    } else if (planet.illuminatedFraction > kLitDisk) {
        FillDisk(scene, drawable, p.x, p.y, r, diskPixel);
        FillLitPhase(scene, drawable, p.x, p.y, r, planet.illuminatedFraction, limbAngle, darkIndex);
    } else {
        FillDisk(scene, drawable, p.x, p.y, r, gAppEnv->pixels[darkIndex]);
    }
    return r;
}

}  // namespace

int32_t PlanetDiskRadius(const Scene& scene, double diameter)
{
    const double r = diameter / 3600.0 * 0.5 * scene.diskMagnitude / kDegreesPerRadian * scene.view.pixelsPerRadianX;
    const int32_t rounded = static_cast<int32_t>(std::clamp(r + 0.5, 0.0, kLargestDiskRadius));
    return rounded < 2 ? 1 : rounded;
}

double SaturnGlobeRatio(double axisAngle)
{
    const double s = std::sin(Radians(axisAngle)), c = std::cos(Radians(axisAngle));
    return 0.8923 / std::sqrt(s * s + 0.79619929 * c * c);
}

void RingHalfPoints(int32_t cx, int32_t cy, double inner, double outer, double ratio, double angle, int from, int to,
                    double aspect, std::vector<ScreenPoint>& points)
{
    points.clear();
    for (int t = from; t <= to; t += 5) {
        AppendEllipsePoint(cx, cy, outer, ratio, angle, t, aspect, points);
    }
    for (int t = to; t >= from; t -= 5) {
        AppendEllipsePoint(cx, cy, inner, ratio, angle, t, aspect, points);
    }
}

void FillRingHalf(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double ratio, double angle,
                  int from, int to)
{
    std::vector<ScreenPoint> points;
    RingHalfPoints(cx, cy, 1.503 * r, 1.943 * r, ratio, angle, from, to, PixelAspect(), points);
    FillBodyOutline(scene, drawable, points, gAppEnv->pixels[kColorSaturnRingB], 1);
    RingHalfPoints(cx, cy, 1.989 * r, 2.26 * r, ratio, angle, from, to, PixelAspect(), points);
    FillBodyOutline(scene, drawable, points, gAppEnv->pixels[kColorSaturnRingA], 1);
}

void DrawSaturnRings(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double ratio, double angle,
                     int front)
{
    if (front != 0) {
        FillRingHalf(scene, drawable, cx, cy, r, ratio, angle, 0, 180);
    } else {
        FillRingHalf(scene, drawable, cx, cy, r, ratio, angle, 180, 360);
    }
}

void DrawSaturn(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double angle, double axisAngle)
{
    const double ringRatio = std::cos(Radians(axisAngle));
    DrawSaturnRings(scene, drawable, cx, cy, r, ringRatio, angle, 0);
    FillOblateDisk(scene, drawable, cx, cy, r, SaturnGlobeRatio(axisAngle), angle,
                   gAppEnv->pixels[kColorSaturnDisk]);
    DrawSaturnRings(scene, drawable, cx, cy, r, ringRatio, angle, 1);
}

void DrawPlanets(Scene& scene, Drawable drawable, int32_t first, int32_t last, int32_t darkIndex)
{
    for (int32_t index = first; index >= last; --index) {
        ProjectedPoint p{};
        if (index < 0 || index >= kPlanetCount || GetSolarBodyScreenPoint(scene, index, p) == 0) {
            continue;
        }
        const uint8_t flags = scene.planetFlags[index];
        int32_t radius = 0;
        if (IsSolarSystemView(scene.viewMode)) {
            radius = DrawBodySymbol(scene, drawable, p.x, p.y, index);
        } else if ((flags & kBodyOutline) != 0) {
            radius = DrawPlanetDisk(scene, drawable, index, p, darkIndex);
        } else if (FitsXCoordinates(p.x, p.y) != 0) {
            radius = DrawPlanetPoint(scene, drawable, index, p);
        } else {
            continue;
        }
        DrawObjectLabels(scene, drawable, index, flags, scene.planets[index].magnitude, p.x, p.y, radius);
    }
}
