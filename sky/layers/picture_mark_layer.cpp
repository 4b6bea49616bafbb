// Drawing the picture marks.
#include "sky/layers/picture_mark_layer.h"

#include "astro/body_ids.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "core/view_modes.h"
#include "data/catalog_tables.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/object_names.h"
#include "sky/colors.h"
#include "sky/layers/disk_drawing.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/user_object_layer.h"
#include "sky/object_type.h"
#include "sky/view/screen_points.h"

#include <vector>

namespace {

constexpr int kHalfMark = kPictureMarkSize / 2;
constexpr int kRowBytes = 2;

// The symbol as it looks, top to bottom.
constexpr const char* kPictureMarkRows[kPictureMarkSize] = {
    ".#.....#.", "...###...", ".#.###.#.", "...###...", ".#.###.#.",
    "...###...", ".#.###.#.", "...###...", ".#.....#.",
};

// The rows as X bitmap bytes.
constexpr std::array<unsigned char, kRowBytes * kPictureMarkSize> MarkBits()
{
    std::array<unsigned char, kRowBytes * kPictureMarkSize> bits{};
    for (int row = 0; row < kPictureMarkSize; ++row) {
        for (int col = 0; col < kPictureMarkSize; ++col) {
            if (kPictureMarkRows[row][col] == '#') {
                bits[row * kRowBytes + col / 8] |= static_cast<unsigned char>(1u << (col % 8));
            }
        }
    }
    return bits;
}

constexpr int32_t kJovianMoonStarLimit = 60;

// The marks of one redraw, sent to the server in one request per colour,
// not one copy or fill per mark. On a visual with writable colour cells
// the symbol is stippled: its set pixels take the mark colour. On other
// visuals it is copied with GXor from a picture whose set pixels are
// ColorBlack and whose clear ones are the mark colour, so the clear pixels
// show the mark colour and the set ones keep the chart's. Both are exact
// per pixel, and neither depends on the order of the marks.
struct MarkPixels {
    bool copied = gAppEnv->writableColorCells == 0;
    std::vector<XPoint> markColour;   // pixels that take (or OR in) ColorPictureMark
    std::vector<XPoint> black;        // pixels that OR in ColorBlack (copy only)

    void Add(int x, int y)
    {
        const SymbolPixels& symbol = Symbol();
        for (const XPoint& offset : symbol.set) {
            (copied ? black : markColour).push_back(XPoint{short(x + offset.x), short(y + offset.y)});
        }
        if (copied) {
            for (const XPoint& offset : symbol.clear) {
                markColour.push_back(XPoint{short(x + offset.x), short(y + offset.y)});
            }
        }
    }

    void Draw(const Scene& scene, Drawable drawable)
    {
        Display* display = gAppEnv->display;
        if (copied) {
            XSetFunction(display, scene.gc, GXor);
        }
        // ORing in a black of pixel 0 changes nothing.
        if (gAppEnv->pixels[kColorBlack] != 0) {
            DrawPoints(scene, drawable, black, gAppEnv->pixels[kColorBlack]);
        }
        DrawPoints(scene, drawable, markColour, gAppEnv->pixels[kColorPictureMark]);
        if (copied) {
            XSetFunction(display, scene.gc, GXcopy);
        }
    }

    static void DrawPoints(const Scene& scene, Drawable drawable, std::vector<XPoint>& points, unsigned long pixel)
    {
        if (points.empty()) {
            return;
        }
        XSetForeground(gAppEnv->display, scene.gc, pixel);
        // Xlib splits a long point list into requests of the size the
        // server takes.
        XDrawPoints(gAppEnv->display, drawable, scene.gc, points.data(), int(points.size()), CoordModeOrigin);
    }

    // The symbol's set and clear pixels, from its centre.
    struct SymbolPixels {
        std::vector<XPoint> set, clear;
    };

    static const SymbolPixels& Symbol()
    {
        static const SymbolPixels pixels = [] {
            SymbolPixels split;
            for (int row = 0; row < kPictureMarkSize; ++row) {
                for (int col = 0; col < kPictureMarkSize; ++col) {
                    const bool set = (PictureMarkBitmap[row * kRowBytes + col / 8] >> (col % 8)) & 1;
                    (set ? split.set : split.clear).push_back(XPoint{short(col - kHalfMark), short(row - kHalfMark)});
                }
            }
            return split;
        }();
        return pixels;
    }
};

// The mark of one index entry, on its object if the object is drawn now.
void DrawPictureMark(const Scene& scene, int32_t entry, MarkPixels& marks)
{
    ProjectedPoint point{};
    if (PictureMarkPosition(scene, entry, point) != 0) {
        marks.Add(point.x, point.y);
    }
}

bool StarShown(const Scene& scene, int32_t star)
{
    int32_t last = 0;
    return (scene.displayFlags[kFlagStars] & kStarFlag) != 0 && GetLastStarWithinLimit(scene, last) != 0 &&
           star <= last;
}

// A body bright enough for the star limit; the Earth, the Sun and the Moon
// always are.
bool BodyBrightEnough(const Scene& scene, int32_t id)
{
    const int32_t limit = scene.mag.starLimit;
    if (id >= kEarthId && id <= kMoonId) {
        return true;
    }
    if (id >= 0 && id < kPlanetCount) {
        return scene.planets[id].magnitude <= limit;
    }
    if (id >= kCometIdBase && id < kCometIdBase + scene.cometCount && scene.cometPositions != nullptr) {
        return scene.cometPositions[id - kCometIdBase].magnitude <= limit;
    }
    if (id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount &&
        scene.mplanetPositions != nullptr) {
        return scene.mplanetPositions[id - kMinorPlanetIdBase].magnitude <= limit;
    }
    return false;
}

bool IsMessier(const NebulaAttributes& record, uint32_t number)
{
    return (record.word[1] & kNebulaMessierFlag) != 0 && (record.word[1] & kNebulaNumberMask) == number;
}

// The nebula layer's own test, or the Milky Way's for M31 and M42.
bool NebulaShown(const Scene& scene, int32_t index)
{
    if (index < 0 || index >= GetNebulaCount()) {
        return false;
    }
    const NebulaAttributes& record = GetNebulaAttributes(index);
    const bool brightSky = IsStarLimitFainterThan39(scene) != 0;
    if (index < NebulaCatalogCounts[kMessier] && (IsMessier(record, 31) || IsMessier(record, 42)) && brightSky &&
        (scene.displayFlags[kFlagMilkyWay] & kMilkyWayFlag) != 0) {
        return true;
    }
    return (scene.displayFlags[kFlagNebulae] & kNebulaFlag) != 0 && NebulaPassesFilter(scene, record) != 0;
}

bool JovianMoonShown(const Scene& scene)
{
    return !IsSolarSystemView(scene.viewMode) && (scene.planetFlags[kJupiter] & kBodyShown) != 0 &&
           (scene.jovianMoonFlags & kJovianMoonsShown) != 0 && scene.mag.starLimit >= kJovianMoonStarLimit;
}

// Whether the object of an entry is drawn at all.
bool EntryObjectShown(const Scene& scene, const ClickDataIndex& entry)
{
    switch (entry.type) {
    case kObjectStar: return StarShown(scene, entry.id);
    case kObjectNebula: return NebulaShown(scene, entry.id);
    case kObjectJovianMoon: return JovianMoonShown(scene);
    case kObjectUserObject: return (scene.displayFlags[kFlagUserObjects] & kMarksShownFlag) != 0;
    case kObjectMagellanicCloud: return IsStarLimitFainterThan39(scene) != 0;
    default: return false;
    }
}

// The file read once from its start: the index holds the entries in file
// order, so each indexed ':' line is met in turn, and the mark goes on its
// object, if drawn, at the entry's first "@IMAGE" line. Reading straight
// through costs less than a seek to every entry, which the redraw would pay
// hundreds of times.
void ScanPictureMarks(Scene& scene, ClickDataStream& stream, MarkPixels& marks)
{
    const ClickDataIndex* index = scene.clickData;
    ClickDataLine line;
    int32_t next = 0;        // the next index entry to meet
    int32_t current = -1;    // the entry being read; -1: none, or marked already
    while ((index[next].type != -1 || current >= 0) && ReadDataLine(stream, line) != 0) {
        if (IsClickDataEntryLine(line) != 0) {
            const bool indexed = index[next].type != -1 && line.offset == index[next].offset;
            current = indexed ? next++ : -1;
        } else if (current >= 0 && AsciiCaseEqual(line.words[0], "@IMAGE") != 0) {
            DrawPictureMark(scene, current, marks);
            current = -1;
        }
    }
}

}  // namespace

const std::array<unsigned char, 2 * kPictureMarkSize> PictureMarkBitmap = MarkBits();

int PictureMarkPosition(const Scene& scene, int32_t entry, ProjectedPoint& out)
{
    const ClickDataIndex& item = scene.clickData[entry];
    if (item.type == kObjectSolarBody) {
        return BodyBrightEnough(scene, item.id) && GetSolarBodyScreenPoint(scene, item.id, out) != 0 ? 1 : 0;
    }
    if (!EntryObjectShown(scene, item)) {
        return 0;
    }
    return GetTargetScreenPoint(scene, item.type, item.id, 0.0, 0.0, out);
}

void DrawPictureMarks(Scene& scene, RedrawRecord& redraw)
{
    if ((scene.displayFlags[kFlagPictureMarks] & kPictureMarkFlag) == 0 || scene.clickData == nullptr) {
        return;
    }
    ClickDataStream stream(scene.clickDataText, scene.clickDataSize);
    if (stream.file == nullptr) {
        return;
    }
    MarkPixels marks;
    ScanPictureMarks(scene, stream, marks);
    marks.Draw(scene, redraw.drawable);
}
