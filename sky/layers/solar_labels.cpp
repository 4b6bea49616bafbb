#include "sky/layers/solar_labels.h"

#include "core/app_env.h"
#include "sky/catalog/object_names.h"
#include "sky/font_sets.h"
#include "sky/label_styles.h"
#include "sky/label_text.h"
#include "sky/view/clipping.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kNameSize = 64;

XFontSet FontSetOf(LabelKind kind)
{
    return GetFontSet(LabelStyleTable[kind].fontSet);
}

XRectangle LogicalExtentOf(LabelKind kind)
{
    const XFontSetExtents* extents = GetFontSetExtents(LabelStyleTable[kind].fontSet);
    return extents != nullptr ? extents->max_logical_extent : XRectangle{0, 0, 0, 0};
}

void DrawLabel(const Scene& scene, Drawable drawable, LabelKind kind, int x, int y, const char* text)
{
    XFontSet fontSet = FontSetOf(kind);
    // Xlib's coordinates are 16-bit: a label of a body far off the chart
    // would wrap round onto it.
    if (fontSet == nullptr || FitsXCoordinates(x, y) == 0) {
        return;
    }
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[LabelStyleTable[kind].color]);
    DrawLabelText(gAppEnv->display, drawable, fontSet, scene.gc, x, y, text, static_cast<int>(std::strlen(text)));
}

}  // namespace

void FormatSolarMagnitudeLabel(int32_t mag10, char* text, size_t size)
{
    if (mag10 >= 0 && mag10 < 100) {
        std::snprintf(text, size, "%02d", mag10);
    } else if (mag10 < 0 && mag10 > -100) {
        std::snprintf(text, size, "-%02d", -mag10);
    } else {
        std::snprintf(text, size, "%d", mag10);
    }
}

void DrawObjectNameLabel(const Scene& scene, Drawable drawable, int32_t id, int x, int y)
{
    char name[kNameSize];
    GetSolarBodyName(scene, id, 0, name, sizeof name);
    DrawLabel(scene, drawable, kLabelSolarName, x, y, name);
}

int DrawMagnitudeLabel(const Scene& scene, Drawable drawable, int32_t mag10, int x, int y, int r)
{
    char text[16];
    FormatSolarMagnitudeLabel(mag10, text, sizeof text);
    const int width = LabelTextWidth(FontSetOf(kLabelSolarMag), text, static_cast<int>(std::strlen(text)));
    const XRectangle extent = LogicalExtentOf(kLabelSolarMag);
    const int top = y + r * 11 / 10;
    DrawLabel(scene, drawable, kLabelSolarMag, x - width / 2, top - extent.y, text);
    return extent.width / 3 + width / 2;
}

void DrawDateLabel(const Scene& scene, Drawable drawable, int x, int y)
{
    char text[24];
    std::snprintf(text, sizeof text, "%d/%d", scene.time.date.month, scene.time.date.day);
    DrawLabel(scene, drawable, kLabelSolarDate, x, y, text);
}

void DrawObjectLabels(const Scene& scene, Drawable drawable, int32_t id, uint8_t flags, int32_t mag10, int x,
                      int y, int r)
{
    int column = r < 3 ? x + 3 : x + r * 11 / 10;
    if ((flags & kBodyMagnitude) != 0 && !IsSolarSystemView(scene.viewMode)) {
        const int room = DrawMagnitudeLabel(scene, drawable, mag10, x, y, r);
        column = r < room + 2 ? x + room + 2 : x + r * 11 / 10;
    }
    const bool name = (flags & kBodyName) != 0;
    const bool date = (flags & kBodyDate) != 0;
    if (name && date) {
        const XRectangle nameExtent = LogicalExtentOf(kLabelSolarName);
        DrawObjectNameLabel(scene, drawable, id, column, y - (nameExtent.height + nameExtent.y));
        DrawDateLabel(scene, drawable, column + 1, y + LogicalExtentOf(kLabelSolarDate).height);
    } else if (name) {
        DrawObjectNameLabel(scene, drawable, id, column, y);
    } else if (date) {
        DrawDateLabel(scene, drawable, column, y);
    }
}
