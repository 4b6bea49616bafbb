// The SAO star layer.
#include "sky/layers/sao_star_layer.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "data/catalog_tables.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/sao_star_file.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/star_points.h"
#include "sky/layers/star_view_circle.h"
#include "sky/view/projection.h"

#include <cstring>

int IsSaoFileAvailable() { return IsReadableRegularFile(gAppEnv->saoFile); }

int SaoZoneMeetsView(const StarViewCircle& view, int32_t z)
{
    const SaoZone& zone = SaoZoneTable[z];
    const double centre[2] = {zone.ra, zone.dec};
    return StarViewDistance(view.centre, centre) < view.radius + zone.radius;
}

void DrawSaoZone(const Scene& scene, RedrawRecord& redraw, FILE* file, int32_t count)
{
    bool magnitudes = (scene.displayFlags[kFlagStarLabels] & kStarMagFlag) != 0;
    SaoStarRecord star;
    for (int32_t i = 0; i < count && ReadSaoStarRecord(file, star); ++i) {
        if (star.mag10 > scene.mag.starLimit)
            return;
        ProjectedPoint p;
        if (!ProjectPoint(scene, star.v, p))
            continue;
        int size = DrawCatalogueStar(scene, redraw, p.x, p.y, star.mag10, star.colourClass);
        if (magnitudes && star.mag10 <= scene.mag.starLabelLimit)
            DrawSaoMagnitudeLabel(scene, redraw, p, size, star.mag10);
    }
}

int DrawSaoStars(Scene& scene, RedrawRecord& redraw)
{
    if (!(scene.displayFlags[kFlagStars] & kStarFlag))
        return 1;
    UniqueFile file = OpenRegularFile(gAppEnv->saoFile);
    if (!file || !CheckSaoStarFile(file.get()))
        return 0;
    StarPointBatch batch(scene, redraw);
    StarViewCircle view;
    ComputeStarViewCircle(scene, view);
    for (int32_t z = 0; z < kSaoZoneCount; ++z) {
        if (SaoZoneMeetsView(view, z) && std::fseek(file.get(), SaoZoneTable[z].offset, SEEK_SET) == 0)
            DrawSaoZone(scene, redraw, file.get(), SaoZoneRecordCount(z));
    }
    file.reset();
    int32_t last = 0;
    if (WantsBrightStarLabels(scene, last))
        DrawBrightStarLabelsOverSao(scene, redraw, last);
    return 1;
}

// The SAO and the Guide Star Catalog layers label their stars alike.
void DrawSaoMagnitudeLabel(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& p, int size, int32_t mag10)
{
    DrawStarFileMagnitudeLabel(scene, redraw, p, size, mag10);
}

void DrawBrightStarLabelsOverSao(const Scene& scene, RedrawRecord& redraw, int32_t last)
{
    DrawBrightStarLabelsOverStarFile(scene, redraw, last);
}
