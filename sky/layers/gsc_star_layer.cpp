// The Guide Star Catalog layer.
#include "sky/layers/gsc_star_layer.h"

#include "astro/vector_math.h"
#include "core/app_env.h"
#include "core/regular_file.h"
#include "sky/catalog/gsc_paths.h"
#include "sky/catalog/gsc_region_file.h"
#include "sky/catalog/gsc_region_index.h"
#include "data/catalog_tables.h"
#include "sky/layers/gsc_selection.h"
#include "sky/layers/sao_star_layer.h"
#include "sky/view/projection.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/star_points.h"

#include <cstdio>

namespace {

constexpr int32_t kGscColourClass = 0;   // every catalogue star in ColorStar0

}  // namespace

void DrawGscMagnitudeLabel(const Scene& scene, Drawable drawable, const ProjectedPoint& p, int size, int32_t mag10)
{
    DrawSaoMagnitudeLabel(scene, drawable, p, size, mag10);
}

void DrawBrightStarLabelsOverGsc(const Scene& scene, Drawable drawable, int32_t last)
{
    DrawBrightStarLabelsOverSao(scene, drawable, last);
}

void DrawGscRegionFile(const Scene& scene, Drawable drawable, const char* path)
{
    UniqueFile file = OpenRegularFile(path);
    if (!file || !SeekGscTable(file.get()))
        return;
    bool magnitudes = (scene.displayFlags[kFlagStarLabels] & kStarMagFlag) != 0;
    char rows[kGscRowsPerRead * kGscRowSize];
    for (int count; (count = ReadGscRows(file.get(), rows)) > 0;)
        for (int r = 0; r < count; ++r) {
            GscStar star;
            if (!ParseGscRow(rows + r * kGscRowSize, star) || star.mag10 > scene.mag.starLimit)
                continue;
            const double place[2] = {star.ra, star.dec};
            FixedVector v;
            FixedVectorFromSpherical(place, v);
            ProjectedPoint p;
            if (!ProjectPoint(scene, v, p))
                continue;
            int size = DrawCatalogueStar(scene, drawable, p.x, p.y, star.mag10, kGscColourClass);
            if (magnitudes && star.mag10 <= scene.mag.starLabelLimit)
                DrawGscMagnitudeLabel(scene, drawable, p, size, star.mag10);
        }
}

void DrawGscStars(Scene& scene, Drawable drawable)
{
    if (!(scene.displayFlags[kFlagStars] & kStarFlag))
        return;
    if (gAppEnv->gscRegionIndex == nullptr && !LoadGscRegionIndex())
        return;
    StarPointBatch batch(scene, drawable);
    int letterCase = GscTreeCase();
    for (const GscChoice& choice : SelectGscRegions(scene, gAppEnv->gscRegionIndex)) {
        char path[kPathSize];
        if (FormatGscRegionPath(gAppEnv->gscDataPath, letterCase, GscZoneTable[choice.zone].directory, choice.region,
                                path, sizeof path))
            DrawGscRegionFile(scene, drawable, path);
    }
    int32_t last = 0;
    if (WantsBrightStarLabels(scene, last))
        DrawBrightStarLabelsOverGsc(scene, drawable, last);
}
