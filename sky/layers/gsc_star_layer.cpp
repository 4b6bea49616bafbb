// The Guide Star Catalog layer.
#include "sky/layers/gsc_star_layer.h"

#include "astro/vector_math.h"
#include "core/app_env.h"
#include "core/regular_file.h"
#include "data/catalog_tables.h"
#include "sky/catalog/gsc_paths.h"
#include "sky/catalog/gsc_region_file.h"
#include "sky/catalog/gsc_region_index.h"
#include "sky/layers/gsc_selection.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/star_points.h"
#include "sky/view/projection.h"

#include <cstdio>

namespace {

constexpr int32_t kGscColourClass = 0;   // every catalogue star in ColorStar0

}  // namespace

void DrawGscRegionFile(const Scene& scene, RedrawRecord& redraw, const char* path)
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
            int size = DrawCatalogueStar(scene, redraw, p.x, p.y, star.mag10, kGscColourClass);
            if (magnitudes && star.mag10 <= scene.mag.starLabelLimit)
                DrawGscMagnitudeLabel(scene, redraw, p, size, star.mag10);
        }
}

void DrawGscStars(Scene& scene, RedrawRecord& redraw)
{
    if (!(scene.displayFlags[kFlagStars] & kStarFlag))
        return;
    if (gAppEnv->gscRegionIndex == nullptr && !LoadGscRegionIndex())
        return;
    StarPointBatch batch(scene, redraw);
    int letterCase = GscTreeCase();
    for (const GscChoice& choice : SelectGscRegions(scene, gAppEnv->gscRegionIndex)) {
        char path[kPathSize];
        if (FormatGscRegionPath(gAppEnv->gscDataPath, letterCase, GscZoneTable[choice.zone].directory, choice.region,
                                path, sizeof path))
            DrawGscRegionFile(scene, redraw, path);
    }
    int32_t last = 0;
    if (WantsBrightStarLabels(scene, last))
        DrawBrightStarLabelsOverGsc(scene, redraw, last);
}

// The SAO and the Guide Star Catalog layers label their stars alike.
void DrawGscMagnitudeLabel(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& p, int size, int32_t mag10)
{
    DrawStarFileMagnitudeLabel(scene, redraw, p, size, mag10);
}

void DrawBrightStarLabelsOverGsc(const Scene& scene, RedrawRecord& redraw, int32_t last)
{
    DrawBrightStarLabelsOverStarFile(scene, redraw, last);
}
