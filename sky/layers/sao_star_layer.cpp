// The SAO star layer.
#include "sky/layers/sao_star_layer.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "sky/catalog/sao_star_file.h"
#include "data/catalog_tables.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/layers/star_view_circle.h"
#include "sky/catalog/object_names.h"
#include "sky/view/projection.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/star_points.h"

#include <cstring>

namespace {

constexpr uint8_t kVariableFlag = 16;
constexpr uint8_t kBrightStarNameFlags = kStarNameFlag | kBayerFlag | kFlamsteedFlag | kVariableFlag;
constexpr int kLabelSymbolSize = 4;

}  // namespace

int IsSaoFileAvailable() { return IsReadableRegularFile(gAppEnv->saoFile); }

int WantsBrightStarLabels(const Scene& scene, int32_t& last)
{
    return (scene.displayFlags[kFlagStarLabels] & kBrightStarNameFlags) && GetLastStarWithinLimit(scene, last);
}

void DrawSaoMagnitudeLabel(const Scene& scene, Drawable drawable, const ProjectedPoint& p, int size, int32_t mag10)
{
    XFontSet font = GetFontSet(kFontStarMag);
    XFontSetExtents* extents = GetFontSetExtents(kFontStarMag);
    if (!font || !extents)
        return;
    char text[16];
    FormatStarMagnitudeLabel(mag10, text, sizeof text);
    int length = static_cast<int>(std::strlen(text));
    int x = p.x - LabelTextWidth(font, text, length) / 2;
    int y = p.y + size * 11 / 10 - extents->max_logical_extent.y;
    FlushStarPoints();   // the label covers the symbols drawn before it
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[kColorStarMagFont]);
    DrawLabelText(gAppEnv->display, drawable, font, scene.gc, x, y, text, length);
}

void DrawBrightStarLabelsOverSao(const Scene& scene, Drawable drawable, int32_t last)
{
    // The labels keep clear of the symbols however large STARSIZE makes them.
    const int scale = StarSymbolScale(scene.view.starSize);
    for (int32_t n = last; n >= 0; --n) {
        const BrightStarRecord& star = BrightStarTable[n];
        ProjectedPoint p;
        if (ProjectPoint(scene, FixedVector{star.x, star.y, star.z}, p))
            DrawStarLabels(scene, drawable, n, p.x, p.y, p.altitude, p.centre, StarMagnitude10(star),
                           kLabelSymbolSize * scale, 0);
    }
}

int SaoZoneMeetsView(const StarViewCircle& view, int32_t z)
{
    const SaoZone& zone = SaoZoneTable[z];
    const double centre[2] = {zone.ra, zone.dec};
    return StarViewDistance(view.centre, centre) < view.radius + zone.radius;
}

void DrawSaoZone(const Scene& scene, Drawable drawable, FILE* file, int32_t count)
{
    bool magnitudes = (scene.displayFlags[kFlagStarLabels] & kStarMagFlag) != 0;
    SaoStarRecord star;
    for (int32_t i = 0; i < count && ReadSaoStarRecord(file, star); ++i) {
        if (star.mag10 > scene.mag.starLimit)
            return;
        ProjectedPoint p;
        if (!ProjectPoint(scene, star.v, p))
            continue;
        int size = DrawCatalogueStar(scene, drawable, p.x, p.y, star.mag10, star.colourClass);
        if (magnitudes && star.mag10 <= scene.mag.starLabelLimit)
            DrawSaoMagnitudeLabel(scene, drawable, p, size, star.mag10);
    }
}

int DrawSaoStars(Scene& scene, Drawable drawable)
{
    if (!(scene.displayFlags[kFlagStars] & kStarFlag))
        return 1;
    UniqueFile file = OpenRegularFile(gAppEnv->saoFile);
    if (!file || !CheckSaoStarFile(file.get()))
        return 0;
    StarPointBatch batch(scene, drawable);
    StarViewCircle view;
    ComputeStarViewCircle(scene, view);
    for (int32_t z = 0; z < kSaoZoneCount; ++z) {
        if (SaoZoneMeetsView(view, z) && std::fseek(file.get(), SaoZoneTable[z].offset, SEEK_SET) == 0)
            DrawSaoZone(scene, drawable, file.get(), SaoZoneRecordCount(z));
    }
    file.reset();
    int32_t last = 0;
    if (WantsBrightStarLabels(scene, last))
        DrawBrightStarLabelsOverSao(scene, drawable, last);
    return 1;
}
