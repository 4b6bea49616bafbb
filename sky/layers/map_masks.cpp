#include "sky/layers/map_masks.h"

#include "astro/trig.h"
#include "core/app_env.h"
#include "sky/view/view_setup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr int32_t kFullCircle = 360 * 64;   // XFillArc's angle unit is 1/64 degree
constexpr int32_t kSineOne = 32767;

// sin(i degrees) x 32767 for i = 0..90, truncated.
const std::array<int32_t, 91>& QuarterSine()
{
    static const std::array<int32_t, 91> table = [] {
        std::array<int32_t, 91> t{};
        for (int i = 0; i <= 90; ++i) {
            t[i] = static_cast<int32_t>(std::sin(i * kPi / 180.0) * kSineOne);
        }
        return t;
    }();
    return table;
}

int16_t Short(int64_t v)
{
    return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

// A filled band; a band of no height (a window too wide or too small for
// it) is left out rather than handed to Xlib as a huge unsigned size.
void FillBand(const Scene& scene, Drawable drawable, int64_t x, int64_t y, int64_t w, int64_t h)
{
    if (w <= 0 || h <= 0) {
        return;
    }
    const int16_t left = Short(x);
    const int16_t top = Short(y);
    const int64_t width = std::min<int64_t>(x + w - left, UINT16_MAX);
    const int64_t height = std::min<int64_t>(y + h - top, UINT16_MAX);
    if (width <= 0 || height <= 0) {
        return;
    }
    XFillRectangle(gAppEnv->display, drawable, scene.gc, left, top, static_cast<unsigned>(width),
                   static_cast<unsigned>(height));
}

void FillSkyRectangle(const Scene& scene, Drawable drawable)
{
    const XRectangle& rect = scene.view.skyRect;
    FillBand(scene, drawable, rect.x, rect.y, rect.width, rect.height);
}

// An ellipse of half-width r and half-height r / divisor around the centre.
void FillEllipse(const Scene& scene, Drawable drawable, int32_t r, int32_t yDivisor)
{
    if (r <= 0) {
        return;
    }
    const int32_t cx = scene.view.screenCentreX;
    const int32_t cy = scene.view.screenCentreY;
    XFillArc(gAppEnv->display, drawable, scene.gc, Short(cx - r), Short(cy - r / yDivisor),
             static_cast<unsigned>(2 * r), static_cast<unsigned>(2 * r / yDivisor), 0, kFullCircle);
}

// The two side pieces between a half circle or half ellipse and the
// rectangle's edge columns.
void FillSides(const Scene& scene, Drawable drawable, int32_t r, int32_t step, int32_t yDivisor,
               int64_t rightColumn)
{
    const int32_t cx = scene.view.screenCentreX;
    const int32_t cy = scene.view.screenCentreY;
    const int64_t leftColumn = scene.view.skyRect.x;
    const int32_t halfHeight = r / yDivisor;
    std::array<XPoint, kHalfEllipsePoints> points{};
    for (int32_t flip = 0; flip <= 1; ++flip) {
        const int n = BuildHalfEllipse(points.data(), cx, cy, r, step, flip, yDivisor);
        const int64_t column = flip ? leftColumn : rightColumn;
        points[n + 1] = XPoint{Short(column), Short(int64_t{cy} + halfHeight)};
        points[n + 2] = XPoint{Short(column), Short(int64_t{cy} - halfHeight)};
        XFillPolygon(gAppEnv->display, drawable, scene.gc, points.data(), n + 3, Complex,
                     CoordModeOrigin);
    }
}

int32_t AitoffRadius(const Scene& scene)
{
    return std::max((int32_t{scene.view.skyRect.width} - 2) / 2, 0);
}

}  // namespace

int BuildHalfEllipse(XPoint* points, int32_t cx, int32_t cy, int32_t r, int32_t step, int32_t flip,
                     int32_t yDivisor)
{
    const std::array<int32_t, 91>& sine = QuarterSine();
    const int n = 180 / step;
    const double aspect = PixelAspect();
    for (int i = 0, a = 90; a >= 0; ++i, a -= step) {
        int64_t dx = int64_t{r} * sine[90 - a] / kSineOne;
        if (flip) {
            dx = -dx;
        }
        const int64_t dy0 = int64_t{r} * sine[a] / kSineOne;
        const int64_t dy = static_cast<int64_t>(dy0 * aspect) / yDivisor;
        points[i] = XPoint{Short(cx + dx), Short(cy - dy)};
        points[n - i] = XPoint{Short(cx + dx), Short(cy + dy)};
    }
    return n;
}

void FillPlanisphereBackground(const Scene& scene, Drawable drawable)
{
    UseColor(scene, kColorPlanisphereBack);
    FillSkyRectangle(scene, drawable);
    UseColor(scene, scene.background);
    FillEllipse(scene, drawable, std::max(scene.view.circleRadius, 0), 1);
}

void FillAitoffBackground(const Scene& scene, Drawable drawable)
{
    UseColor(scene, kColorPlanisphereBack);
    FillSkyRectangle(scene, drawable);
    UseColor(scene, scene.background);
    FillEllipse(scene, drawable, AitoffRadius(scene), 2);
}

void MaskAitoffMap(const Scene& scene, Drawable drawable)
{
    const XRectangle& rect = scene.view.skyRect;
    const int32_t r = AitoffRadius(scene);
    const int64_t cy = scene.view.screenCentreY;
    const int64_t band = rect.height / 2 - r;
    UseColor(scene, kColorPlanisphereBack);
    // Bands a radius above and below the centre, where the window is that
    // tall; the sides below reach the ellipse's top and bottom.
    if (cy - r > rect.y) {
        FillBand(scene, drawable, rect.x, rect.y, rect.width, band);
    }
    if (cy + r < int64_t{rect.y} + rect.height + 1) {
        FillBand(scene, drawable, rect.x, int64_t{rect.y} + rect.height / 2 + r, rect.width, band);
    }
    const int32_t step = rect.width > 5000 ? 2 : rect.width >= 1001 ? 3 : rect.width >= 501 ? 5 : 9;
    FillSides(scene, drawable, r, step, 2, int64_t{rect.x} + rect.width);
}

void MaskCylindricalMap(const Scene& scene, Drawable drawable)
{
    const XRectangle& rect = scene.view.skyRect;
    // Pixel distance of latitude 70 degrees from the equator.
    const double distance = 0.5 * kPi * scene.view.pixelsPerRadianY * 70.0 / 90.0;
    const int64_t b = static_cast<int64_t>(std::clamp(distance, 0.0, 1.0e9));
    const int64_t band = rect.height / 2 + 1 - b;
    UseColor(scene, kColorPlanisphereBack);
    FillBand(scene, drawable, rect.x, rect.y, rect.width, band);
    FillBand(scene, drawable, rect.x, int64_t{scene.view.screenCentreY} + b - 1, rect.width, band);
}

void MaskPlanisphere(const Scene& scene, Drawable drawable)
{
    const XRectangle& rect = scene.view.skyRect;
    const int32_t r = std::max(scene.view.circleRadius, 0);
    const int64_t cy = scene.view.screenCentreY;
    UseColor(scene, kColorPlanisphereBack);
    FillBand(scene, drawable, rect.x, rect.y, rect.width, cy - r - rect.y);
    FillBand(scene, drawable, rect.x, cy + r, rect.width, int64_t{rect.y} + rect.height - (cy + r));
    const int32_t step = rect.width <= 500 ? 9 : 5;
    FillSides(scene, drawable, r, step, 1, int64_t{rect.x} + rect.width + 1);
}
