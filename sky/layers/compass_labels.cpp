#include "sky/layers/compass_labels.h"

#include "astro/trig.h"
#include "core/app_env.h"
#include "core/messages.h"
#include "data/fixed_types.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/view/projection.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace {


XFontSet DirectionFontSet() { return GetFontSet(kFontDirName); }

XRectangle DirectionExtent()
{
    const XFontSetExtents* extents = GetFontSetExtents(kFontDirName);
    return extents != nullptr ? extents->max_logical_extent : XRectangle{0, 0, 0, 0};
}

void DrawDirectionText(const Scene& scene, Drawable drawable, int32_t color, int x, int baseline,
                       const char* text)
{
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[color]);
    XmbDrawString(gAppEnv->display, drawable, DirectionFontSet(), scene.gc, x, baseline, text,
                  static_cast<int>(std::strlen(text)));
}

// The horizon point of compass point n in the horizontal frame (longitude
// from the south through the east): the cosines and sines of 0, 22.5, 45
// and 67.5 degrees, turned by quarter turns.
FixedVector HorizonDirection(int n)
{
    static const std::array<std::array<int32_t, 2>, 4> kFirstQuadrant = [] {
        std::array<std::array<int32_t, 2>, 4> t{};
        for (int k = 0; k < 4; ++k) {
            t[k] = {static_cast<int32_t>(kFixedOne * CosDeg(22.5 * k)), static_cast<int32_t>(kFixedOne * SinDeg(22.5 * k))};
        }
        return t;
    }();
    const int32_t c = kFirstQuadrant[n % 4][0];
    const int32_t s = kFirstQuadrant[n % 4][1];
    switch (n / 4) {
    case 0: return FixedVector{c, s, 0};
    case 1: return FixedVector{-s, c, 0};
    case 2: return FixedVector{-c, -s, 0};
    default: return FixedVector{s, -c, 0};
    }
}

}  // namespace

void DirectionName(int n, char name[kDirectionNameSize])
{
    char key[32];
    std::snprintf(key, sizeof key, "messageDirection%02d", n);
    GetMessage(key, name, kDirectionNameSize);
}

void DrawHorizonDirections(Scene& scene, Drawable drawable, const FixedMatrix& matrix)
{
    if (DirectionFontSet() == nullptr) {
        return;
    }
    const XRectangle extent = DirectionExtent();
    const FixedMatrix saved = scene.view.matrices[0];
    scene.view.matrices[0] = matrix;
    for (int n = 0; n < kDirectionCount; ++n) {
        ProjectedPoint at{};
        if (!ProjectPoint(scene, HorizonDirection(n), at)) {
            continue;
        }
        char name[kDirectionNameSize];
        DirectionName(n, name);
        const int x = at.x - static_cast<int>(std::strlen(name)) * extent.width / 2;
        int baseline = at.y - 1 + extent.height;
        if (scene.mirror == 1) {
            baseline -= DirectionFontHeight();
        }
        DrawDirectionText(scene, drawable, n % 4 == 0 ? kColorDirection1Font : kColorDirection2Font, x, baseline,
                          name);
    }
    scene.view.matrices[0] = saved;
}

void DrawPlanisphereDirections(const Scene& scene, Drawable drawable)
{
    if (DirectionFontSet() == nullptr) {
        return;
    }
    const XRectangle extent = DirectionExtent();
    const ViewGeometry& view = scene.view;
    const int height = extent.height;
    const int radius = std::min(int{view.skyRect.width}, int{view.skyRect.height}) - height * 11 / 10;
    const int half = radius / 2;
    for (int k = 0; k < 4; ++k) {
        const double angle = -view.hrzCentreAzimuth - 90.0 - 90.0 * k;
        char name[kDirectionNameSize];
        DirectionName(4 * k, name);
        const int x = view.screenCentreX + static_cast<int>(half * CosDeg(angle)) - extent.width / 2;
        const int baseline = view.screenCentreY - static_cast<int>(half * SinDeg(angle)) + height / 2;
        DrawDirectionText(scene, drawable, kColorDirection1Font, x, baseline, name);
    }
}
