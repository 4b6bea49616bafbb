#include "sky/layers/moon_layer.h"

#include "astro/clamped_math.h"
#include "astro/coordinates.h"
#include "astro/eclipse.h"
#include "astro/trig.h"
#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/layers/body_geometry.h"
#include "sky/layers/body_outlines.h"
#include "sky/layers/solar_labels.h"
#include "sky/view/daylight.h"
#include "sky/view/projection.h"
#include "sky/view/screen_points.h"
#include "sky/view/view_setup.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEarthRadiusKm = 6378.16;
constexpr double kUmbraFactor = 0.76;      // the umbra's radius against the Earth's parallax
constexpr double kVisiblePhase = 0.005;    // below this the Moon shows no lit limb
constexpr double kTotalUmbral = 0.999;
constexpr int kArcStep = 5;                // degrees between arc points
constexpr int kTerminatorStep = 10;

double Radians(double degrees) { return degrees / kDegreesPerRadian; }

// Points of a circle arc from `from` to `to` degrees (from <= to): its
// two ends and the multiples of 5 degrees between them. Angles count
// counter-clockwise from +x with y upwards.
void AppendArc(int32_t cx, int32_t cy, double radius, double from, double to, double aspect,
               std::vector<ScreenPoint>& points)
{
    auto add = [&](double angle) {
        points.push_back(ScreenPoint{cx + RoundToNearest(radius * std::cos(Radians(angle))),
                                     cy - RoundToNearest(radius * std::sin(Radians(angle)) * aspect)});
    };
    add(from);
    for (double angle = std::floor(from / kArcStep) * kArcStep + kArcStep; angle < to; angle += kArcStep) {
        add(angle);
    }
    add(to);
}

// The umbra placed from the Moon's point: at the overlap's distance in the
// direction of its position angle, turned by the screen angle, both scaled
// by `scale` pixels per degree.
void ShadowFromMoonPoint(const EarthShadow& shadow, const ProjectedPoint& moonPoint, double scale,
                         double screenAngle, double positionAngle, int32_t& sx, int32_t& sy, int32_t& radius)
{
    const double angle = positionAngle - 180.0 + screenAngle + 90.0;
    const double distance = shadow.distance * scale;
    radius = static_cast<int32_t>(std::min(shadow.radius * scale, 1.0e7));
    sx = moonPoint.x - RoundToNearest(std::cos(Radians(angle)) * distance);
    sy = moonPoint.y + RoundToNearest(std::sin(Radians(angle)) * distance);
}

// Where the umbra stands on the chart: its centre and radius in pixels. A
// Moon drawn larger than its true size carries the shadow with it, scaled
// alike about the Moon's centre.
void ShadowOnScreen(const Scene& scene, const EarthShadow& shadow, const ProjectedPoint& moonPoint, int32_t r0,
                    double screenAngle, double positionAngle, int32_t& sx, int32_t& sy, int32_t& radius)
{
    const MoonRecord& moon = scene.moon;
    const int32_t minimum = gAppEnv->minPlanetDiscRadius;
    if (r0 < minimum) {
        ShadowFromMoonPoint(shadow, moonPoint, minimum / moon.semidiameter, screenAngle, positionAngle, sx, sy,
                            radius);
        return;
    }
    // The anti-Sun point moved by the Moon's parallax, as the topocentric
    // Moon is seen against it.
    double v[3];
    UnitVector(scene.sun.raJ2000 + 180.0 + (moon.raJ2000 - moon.geoRaJ2000),
               -scene.sun.decJ2000 + (moon.decJ2000 - moon.geoDecJ2000), v);
    ProjectedPoint centre{};
    if (ProjectPointDouble(scene, v, centre) == 0) {
        // Beyond the cull while the Moon is on the chart's edge: placed
        // from the Moon instead of left at the origin.
        ShadowFromMoonPoint(shadow, moonPoint, scene.view.pixelsPerDegree, screenAngle, positionAngle, sx, sy,
                            radius);
        return;
    }
    sx = centre.x;
    sy = centre.y;
    radius = static_cast<int32_t>(std::min(shadow.radius * scene.view.pixelsPerDegree, 1.0e7));
}

// The Moon at new moon during a solar eclipse: its true-size offset from
// the Sun scaled as its disk is, so that the enlarged Moon covers the
// enlarged Sun as the real ones do.
ProjectedPoint EclipsingMoonPoint(const Scene& scene, const ProjectedPoint& moonPoint, int32_t r0)
{
    const int32_t minimum = gAppEnv->minPlanetDiscRadius;
    if (r0 >= minimum) {
        return moonPoint;
    }
    const double scale = static_cast<double>(minimum) / std::max(r0, 1);
    double v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = scene.sun.unitVector[i] + (scene.moon.unitVector[i] - scene.sun.unitVector[i]) * scale;
    }
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (double& c : v) {
        c /= length;
    }
    ProjectedPoint moved{};
    return ProjectPointDouble(scene, v, moved) != 0 ? moved : moonPoint;
}

}  // namespace

EarthShadow EarthShadowOnMoon(const SunRecord& sun, const MoonRecord& moon)
{
    EarthShadow shadow{-1.0, 0.0, 0.0, 0.0};
    shadow.radius = kUmbraFactor * std::atan(kEarthRadiusKm / moon.geoDistance) * kDegreesPerRadian;
    double antiSun[2] = {sun.raJ2000 + 180.0, -sun.decJ2000};
    if (antiSun[0] >= 360.0) {
        antiSun[0] -= 360.0;
    }
    const double moonPlace[2] = {moon.geoRaJ2000, moon.geoDecJ2000};
    const double s = moon.geoSemidiameter;
    if (DisksOverlap(moonPlace, antiSun, shadow.radius + s, shadow.positionAngle, shadow.distance) == 0) {
        return shadow;
    }
    shadow.magnitude = (shadow.radius - (shadow.distance - s)) / (2.0 * s);
    return shadow;
}

void MoonShadowOutline(int32_t mx, int32_t my, int32_t r, int32_t sx, int32_t sy, int32_t R, int fill, double aspect,
                       std::vector<ScreenPoint>& points)
{
    points.clear();
    if ((mx == sx && my == sy) || r <= 0 || R <= 0) {
        return;
    }
    const double dx = mx - sx, dy = sy - my;   // y upwards
    const double d = std::hypot(dx, dy);
    const double rr = r, RR = R;
    const double c = (RR * RR + d * d - rr * rr) / (2.0 * RR * d);
    if (!(c >= -1.0 && c <= 1.0)) {
        return;
    }
    const double alpha = AcosDeg(c);
    const double phi = std::atan2(dy, dx) * kDegreesPerRadian;
    AppendArc(sx, sy, RR, phi - alpha, phi + alpha, aspect, points);
    if (fill == 0) {
        return;
    }
    // Rounding of the pixel radii can put the Moon's cosine a hair past 1.
    const double beta = AcosDeg((rr * rr + d * d - RR * RR) / (2.0 * rr * d));
    AppendArc(mx, my, rr, phi + 180.0 - beta, phi + 180.0 + beta, aspect, points);
}

int DrawMoonDisk(Scene& scene, RedrawRecord& redraw, int32_t mx, int32_t my, int32_t r, int32_t sx, int32_t sy, int32_t R,
                 int fill)
{
    std::vector<ScreenPoint> points;
    MoonShadowOutline(mx, my, r, sx, sy, R, fill, PixelAspect(), points);
    if (points.empty()) {
        return 0;
    }
    const unsigned long pixel = gAppEnv->pixels[kColorMoonEclipse];
    if (fill != 0) {
        FillBodyOutline(scene, redraw.drawable, points, pixel, 0);
    } else {
        DrawBodyPolyline(scene, redraw, points, pixel);
    }
    return 1;
}

void DrawTerminator(Scene& scene, RedrawRecord& redraw, int32_t cx, int32_t cy, int32_t r, double fraction,
                    double limbAngle, unsigned long pixel)
{
    const double theta = Radians(limbAngle + 90.0);
    const double aspect = PixelAspect();
    std::vector<ScreenPoint> points;
    for (int a = -90; a <= 90; a += kTerminatorStep) {
        const double u = (1.0 - 2.0 * fraction) * r * std::cos(Radians(a));
        const double v = r * std::sin(Radians(a));
        points.push_back(ScreenPoint{cx + RoundToNearest(u * std::cos(theta) - v * std::sin(theta)),
                                     cy - RoundToNearest((u * std::sin(theta) + v * std::cos(theta)) * aspect)});
    }
    DrawBodyPolyline(scene, redraw, points, pixel);
}

int32_t MoonMagnitude10(double illuminatedFraction)
{
    const double i = AcosDeg(2.0 * illuminatedFraction - 1.0);
    const double magnitude = -12.73 + 0.026 * i + 4.0e-9 * i * i * i * i;
    return static_cast<int32_t>(std::floor(magnitude * 10.0 + 0.5));
}

void DrawMoon(Scene& scene, RedrawRecord& redraw, int32_t darkOffset)
{
    const Drawable drawable = redraw.drawable;
    MoonRecord& moon = scene.moon;
    ProjectedPoint p{};
    if (GetSolarBodyScreenPoint(scene, kMoonId, p) == 0) {
        return;
    }
    const int32_t minimum = gAppEnv->minPlanetDiscRadius;
    const int32_t r0 = BodyDiskRadius(scene, moon.semidiameter);
    const int32_t r = std::max(r0, minimum);
    int32_t litIndex = kColorStar3;
    if (ViewFrameOf(scene.viewMode) == kFrameHrz) {
        ColorIndexByAltitude(moon.altitude, litIndex);
    }
    const unsigned long lit = gAppEnv->pixels[litIndex];
    const unsigned long dark = gAppEnv->pixels[scene.background + darkOffset];
    const bool outline = (scene.moonFlags & kBodyOutline) != 0;
    const bool mirrored = PositionAnglesMirrored(scene) != 0;
    const double screenAngle = ScreenPositionAngle(scene, moon.raJ2000, moon.decJ2000, r0, p.x, p.y);
    const double limbAngle = screenAngle + (mirrored ? -moon.brightLimbAngle : moon.brightLimbAngle);

    const EarthShadow shadow = EarthShadowOnMoon(scene.sun, moon);
    const double m = shadow.magnitude;
    moon.screenAngle = m;
    if (BodyNearDrawingArea(scene, p.x, p.y, std::max(r, 2 * minimum)) == 0) {
        return;
    }
    if (m < 0.0) {
        const double k = moon.illuminatedFraction;
        if (k > kVisiblePhase) {
            if (outline) {
                DrawDiskOutline(scene, drawable, p.x, p.y, r, lit);
                DrawTerminator(scene, redraw, p.x, p.y, r, k, limbAngle, lit);
            } else {
                FillDisk(scene, drawable, p.x, p.y, r, lit);
                FillLitPhase(scene, drawable, p.x, p.y, r, k, limbAngle, scene.background + darkOffset);
            }
        } else if (outline) {
            DrawDiskOutline(scene, drawable, p.x, p.y, r, lit);
        } else if (scene.sun.eclipseMagnitude >= 0.0) {
            p = EclipsingMoonPoint(scene, p, r0);
            FillDisk(scene, drawable, p.x, p.y, r, dark);
        } else if (r0 >= minimum) {
            FillDisk(scene, drawable, p.x, p.y, r, dark);
        }
    } else if (m > kTotalUmbral) {
        if (outline) {
            DrawDiskOutline(scene, drawable, p.x, p.y, r, lit);
        } else {
            FillDisk(scene, drawable, p.x, p.y, r, gAppEnv->pixels[kColorMoonEclipse]);
        }
    } else {
        int32_t sx = 0, sy = 0, shadowRadius = 0;
        const double positionAngle = mirrored ? -shadow.positionAngle : shadow.positionAngle;
        ShadowOnScreen(scene, shadow, p, r0, screenAngle, positionAngle, sx, sy, shadowRadius);
        if (outline) {
            DrawDiskOutline(scene, drawable, p.x, p.y, r, lit);
            DrawMoonDisk(scene, redraw, p.x, p.y, r, sx, sy, shadowRadius, 0);
        } else {
            FillDisk(scene, drawable, p.x, p.y, r, lit);
            if (DrawMoonDisk(scene, redraw, p.x, p.y, r, sx, sy, shadowRadius, 1) == 0) {
                FillDisk(scene, drawable, p.x, p.y, r, m > 0.5 ? gAppEnv->pixels[kColorMoonEclipse] : lit);
            }
        }
    }
    DrawObjectLabels(scene, drawable, kMoonId, scene.moonFlags, MoonMagnitude10(moon.illuminatedFraction), p.x, p.y,
                     r);
}
