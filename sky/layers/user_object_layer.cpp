// Drawing the user-object files and the sky marks.
#include "sky/layers/user_object_layer.h"

#include "astro/coordinates.h"
#include "core/app_env.h"
#include "sky/catalog/user_objects.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/layers/star_layer.h"
#include "sky/view/clipping.h"
#include "sky/view/screen_points.h"
#include "sky/view/wrap_segments.h"

#include <cstring>

namespace {

constexpr int kLabelGap = 6;   // pixels between a point and its name

// A LINE's dash pattern: the dash list X draws it with; any pattern not in
// the table is solid.
struct DashPattern {
    int32_t pattern;
    char dashes[6];
    int count;
};

constexpr DashPattern kDashPatterns[] = {
    {0x5555, {1, 1}, 2},
    {0xf99f, {4, 1, 1, 1}, 4},
    {0xf0f0, {4, 2}, 2},
    {0xffea, {4, 1, 1, 1, 1, 1}, 6},
};

void SetLinePattern(const Scene& scene, int32_t pattern, const XGCValues& saved)
{
    Display* display = gAppEnv->display;
    for (const DashPattern& dash : kDashPatterns) {
        if (dash.pattern == pattern) {
            XSetLineAttributes(display, scene.gc, static_cast<unsigned int>(saved.line_width), LineOnOffDash,
                               saved.cap_style, saved.join_style);
            XSetDashes(display, scene.gc, 0, dash.dashes, dash.count);
            return;
        }
    }
    XSetLineAttributes(display, scene.gc, static_cast<unsigned int>(saved.line_width), LineSolid,
                       saved.cap_style, saved.join_style);
}

void DrawName(const Scene& scene, Drawable drawable, const UserObject& record, const ProjectedPoint& point,
              int gap)
{
    XFontSet fontSet = GetFontSet(kFontUserObjectName);
    const XFontSetExtents* extents = GetFontSetExtents(kFontUserObjectName);
    if (fontSet == nullptr || extents == nullptr) {
        return;
    }
    const int length = static_cast<int>(std::strlen(record.name));
    int x = point.x + gap;
    if (record.kind == kUserObjectMark && record.a == 0) {
        x = point.x - LabelTextWidth(fontSet, record.name, length) / 2;
    }
    const int baseline = point.y - extents->max_logical_extent.y;
    if (FitsXCoordinates(x, baseline) == 0) {
        return;
    }
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[record.colour]);
    DrawLabelText(gAppEnv->display, drawable, fontSet, scene.gc, x, baseline, record.name, length);
}

bool IsPointKind(uint8_t kind)
{
    return kind >= kUserObjectStar && kind <= kUserObjectPoint;
}

bool Shown(const Scene& scene, int flagIndex)
{
    return (scene.displayFlags[flagIndex] & kMarksShownFlag) != 0;
}

bool NamesShown(const Scene& scene, int flagIndex)
{
    return (scene.displayFlags[flagIndex] & kMarkNamesFlag) != 0;
}

void DrawShapesOf(Scene& scene, RedrawRecord& redraw, const UserObjectFile* files, int32_t count, int flagIndex)
{
    if (!Shown(scene, flagIndex)) {
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        DrawMarkShape(scene, redraw, files[i].objects);
    }
}

void DrawPointsOf(Scene& scene, Drawable drawable, const UserObjectFile* files, int32_t count, int flagIndex,
                  int pass)
{
    if (!Shown(scene, flagIndex)) {
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        DrawMarkPoints(scene, drawable, files[i].objects, NamesShown(scene, flagIndex) ? 1 : 0, pass);
    }
}

}  // namespace

int ProjectMarkVertex(const Scene& scene, const UserObject& record, ProjectedPoint& out)
{
    return GetTargetScreenPoint(scene, record.type, record.id, record.longitude, record.latitude, out);
}

void DrawMarkShape(const Scene& scene, RedrawRecord& redraw, const UserObject* records)
{
    Display* display = gAppEnv->display;
    XGCValues saved{};
    XGetGCValues(display, scene.gc, GCLineWidth | GCLineStyle | GCCapStyle | GCJoinStyle, &saved);
    bool drawing = false;
    bool havePrevious = false;
    bool previousVisible = false;
    ProjectedPoint previous{};
    for (const UserObject* record = records; record->kind != kUserObjectArrayEnd; ++record) {
        if (record->kind == kUserObjectLine) {
            drawing = true;
            havePrevious = false;
            XSetForeground(display, scene.gc, gAppEnv->pixels[record->b]);
            SetLinePattern(scene, record->a, saved);
        } else if (record->kind == kUserObjectLineEnd) {
            drawing = false;
        } else if (drawing) {
            ProjectedPoint point{};
            const bool visible = ProjectMarkVertex(scene, *record, point) != 0;
            if (havePrevious && visible && previousVisible) {
                DrawProjectedSegment(scene, redraw, previous, point);
            }
            previous = point;
            previousVisible = visible;
            havePrevious = true;
        }
    }
    XChangeGC(display, scene.gc, GCLineStyle, &saved);
}

void DrawMarkPoints(const Scene& scene, Drawable drawable, const UserObject* records, int withNames, int pass)
{
    for (const UserObject* record = records; record->kind != kUserObjectArrayEnd; ++record) {
        const bool horizontal = record->type == kFrameHrz;
        if (!IsPointKind(record->kind) || horizontal != (pass == 0)) {
            continue;
        }
        // Only a star has a symbol: a point without a name to show (the
        // outlines' vertices) draws nothing and need not be projected.
        const bool named = withNames != 0 && record->name[0] != '\0';
        if (record->kind != kUserObjectStar && !named) {
            continue;
        }
        ProjectedPoint point{};
        if (ProjectMarkVertex(scene, *record, point) == 0) {
            continue;
        }
        int gap = kLabelGap;
        if (record->kind == kUserObjectStar) {
            gap = DrawStar(scene, drawable, point.x, point.y, record->a, record->b);
        } else if (record->kind == kUserObjectPoint) {
            gap = 0;
        }
        if (named) {
            DrawName(scene, drawable, *record, point, gap);
        }
    }
}

void DrawUserObjectShapes(Scene& scene, RedrawRecord& redraw)
{
    DrawShapesOf(scene, redraw, scene.userObjectFiles, scene.userObjectFileCount, kFlagUserObjects);
}

void DrawUserObjectPoints(Scene& scene, Drawable drawable)
{
    DrawPointsOf(scene, drawable, scene.userObjectFiles, scene.userObjectFileCount, kFlagUserObjects, 1);
}

void DrawUserObjectPointsOnTop(Scene& scene, Drawable drawable)
{
    DrawPointsOf(scene, drawable, scene.userObjectFiles, scene.userObjectFileCount, kFlagUserObjects, 0);
}

void DrawSkyMarkShapes(Scene& scene, RedrawRecord& redraw)
{
    DrawShapesOf(scene, redraw, gAppEnv->skyMarks, gAppEnv->skyMarkCount, kFlagSkyMarks);
}

void DrawSkyMarkPoints(Scene& scene, Drawable drawable)
{
    DrawPointsOf(scene, drawable, gAppEnv->skyMarks, gAppEnv->skyMarkCount, kFlagSkyMarks, 1);
}

void DrawSkyMarkPointsOnTop(Scene& scene, Drawable drawable)
{
    DrawPointsOf(scene, drawable, gAppEnv->skyMarks, gAppEnv->skyMarkCount, kFlagSkyMarks, 0);
}

void DrawMarkShapeLayer(Scene& scene, RedrawRecord& redraw)
{
    DrawSkyMarkShapes(scene, redraw);
    DrawUserObjectShapes(scene, redraw);
}

void DrawMarkPointLayer(Scene& scene, RedrawRecord& redraw)
{
    DrawSkyMarkPoints(scene, redraw.drawable);
    DrawUserObjectPoints(scene, redraw.drawable);
}

void DrawMarkPointOnTopLayer(Scene& scene, RedrawRecord& redraw)
{
    DrawSkyMarkPointsOnTop(scene, redraw.drawable);
    DrawUserObjectPointsOnTop(scene, redraw.drawable);
}
