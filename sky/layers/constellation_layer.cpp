// Stick figures, boundaries and names of the constellations.
#include "sky/layers/constellation_layer.h"

#include "core/app_env.h"
#include "data/catalog_tables.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/pens.h"
#include "sky/view/projection.h"
#include "sky/view/wrap_segments.h"

#include <cstring>

namespace {

FixedVector FigureStar(uint32_t entry)
{
    const BrightStarRecord& star = BrightStarTable[entry & kFigureStarMask];
    return FixedVector{star.x, star.y, star.z};
}

FixedVector BoundaryPoint(const ConstellationBoundaryPoint& point)
{
    return FixedVector{point.x, point.y, point.z};
}

XFontSet NameFontSet() { return GetFontSet(kFontConstName); }

int NameFontHeight()
{
    const XFontSetExtents* extents = GetFontSetExtents(kFontConstName);
    return extents != nullptr ? extents->max_logical_extent.height : 0;
}

// Draws a text with its middle on column x.
void DrawCentredName(const Scene& scene, Drawable drawable, int x, int baseline, const char* text)
{
    const int length = static_cast<int>(std::strlen(text));
    const int width = LabelTextWidth(NameFontSet(), text, length);
    DrawLabelText(gAppEnv->display, drawable, NameFontSet(), scene.gc, x - width / 2, baseline, text, length);
}

}  // namespace

void DrawConstellationLineRange(const Scene& scene, RedrawRecord& redraw, int32_t first, int32_t end)
{
    int32_t i = first;
    while (i < end) {
        Pen pen = PenMoveTo(FigureStar(ConstellationLineTable[i]), scene, redraw);
        ++i;
        // A figure runs on to the next start entry, even past `end`.
        while ((ConstellationLineTable[i] & kFigureStartFlag) == 0) {
            PenLineTo(FigureStar(ConstellationLineTable[i]), pen);
            ++i;
        }
    }
}

void DrawConstellationLines(Scene& scene, RedrawRecord& redraw)
{
    if ((scene.displayFlags[kFlagConstellations] & kConsLineFlag) == 0) {
        return;
    }
    UseSolidPen(scene, gAppEnv->pixels[kColorConstLine]);
    const SegmentRun run(scene, redraw);
    DrawConstellationLineRange(scene, redraw, ConstellationLineIndex[0],
                               ConstellationLineIndex[kConstellationRows]);
}

void DrawConstellationNames(Scene& scene, RedrawRecord& redraw)
{
    const uint8_t flags = scene.displayFlags[kFlagConstellations];
    if ((flags & (kConsName1Flag | kConsName2Flag)) == 0 || NameFontSet() == nullptr) {
        return;
    }
    const int half = NameFontHeight() / 2;
    const int lines = ((flags & kConsName1Flag) ? 1 : 0) + ((flags & kConsName2Flag) ? 1 : 0);
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[kColorConstNameFont]);
    for (const ConstellationRecord& record : ConstellationTable) {
        ProjectedPoint p{};
        if (!ProjectPoint(scene, FixedVector{record.x, record.y, record.z}, p)) {
            continue;
        }
        int baseline = p.y - lines * half;
        if ((flags & kConsName2Flag) && record.displayName != nullptr) {
            DrawCentredName(scene, redraw.drawable, p.x, baseline, record.displayName);
            baseline += NameFontHeight();
        }
        if (flags & kConsName1Flag) {
            DrawCentredName(scene, redraw.drawable, p.x, baseline, record.abbreviation);
        }
    }
}

void DrawConstellationBoundaries(Scene& scene, RedrawRecord& redraw)
{
    if ((scene.displayFlags[kFlagConstellations] & kConsLimitFlag) == 0) {
        return;
    }
    UseDashedPen(scene, gAppEnv->pixels[kColorConstBorder]);
    {
        const SegmentRun run(scene, redraw);
        Pen pen = PenMoveTo(BoundaryPoint(ConstellationBoundaryTable[0]), scene, redraw);
        for (int32_t i = 1; ConstellationBoundaryTable[i].flag != -1; ++i) {
            const ConstellationBoundaryPoint& point = ConstellationBoundaryTable[i];
            if (point.flag == 1) {
                pen = PenMoveTo(BoundaryPoint(point), scene, redraw);
            } else {
                PenLineTo(BoundaryPoint(point), pen);
            }
        }
    }
    UseSolidPen(scene, gAppEnv->pixels[kColorConstBorder]);
}
