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
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/user_object_layer.h"
#include "sky/object_type.h"
#include "sky/view/screen_points.h"

namespace {

constexpr int kHalfMark = kPictureMarkSize / 2;
constexpr int kRowBytes = 2;

// The symbol as it looks, top to bottom.
constexpr const char* kPictureMarkRows[kPictureMarkSize] = {
    ".#.....#.", "...###...", ".#.###.#.", "...###...", ".#.###.#.",
    "...###...", ".#.###.#.", "...###...", ".#.....#.",
};

// The rows as X bitmap bytes; `inverted` sets the bits the symbol leaves
// empty instead.
constexpr std::array<unsigned char, kRowBytes * kPictureMarkSize> MarkBits(bool inverted)
{
    std::array<unsigned char, kRowBytes * kPictureMarkSize> bits{};
    for (int row = 0; row < kPictureMarkSize; ++row) {
        for (int col = 0; col < kPictureMarkSize; ++col) {
            if ((kPictureMarkRows[row][col] == '#') != inverted) {
                bits[row * kRowBytes + col / 8] |= static_cast<unsigned char>(1u << (col % 8));
            }
        }
    }
    return bits;
}

constexpr auto kInvertedMarkBits = MarkBits(true);

constexpr int32_t kBrightNebulaStarLimit = 39;   // fainter than 3.9 shows M31, M42 and the Clouds
constexpr int32_t kJovianMoonStarLimit = 60;

// The symbol made for one redraw: a bitmap to stipple with on visuals with
// writable colour cells, otherwise a pixmap of the screen's depth, black
// where the symbol is empty and the mark colour where it is set, ORed in.
struct MarkSymbol {
    Pixmap pixmap = None;
    bool stipple = false;

    explicit MarkSymbol(Drawable drawable)
    {
        Display* display = gAppEnv->display;
        stipple = gAppEnv->writableColorCells != 0;
        if (stipple) {
            pixmap = XCreateBitmapFromData(display, drawable, reinterpret_cast<const char*>(PictureMarkBitmap.data()),
                                           kPictureMarkSize, kPictureMarkSize);
            return;
        }
        // The inverted bits: so the ORed copy shows the symbol itself, as
        // the stipple does, and leaves the sky around it as it was.
        pixmap = XCreatePixmapFromBitmapData(
            display, drawable, const_cast<char*>(reinterpret_cast<const char*>(kInvertedMarkBits.data())),
            kPictureMarkSize, kPictureMarkSize, gAppEnv->pixels[kColorBlack], gAppEnv->pixels[kColorPictureMark],
            static_cast<unsigned int>(DefaultDepth(display, DefaultScreen(display))));
    }
    ~MarkSymbol()
    {
        if (pixmap != None) {
            XFreePixmap(gAppEnv->display, pixmap);
        }
    }
    MarkSymbol(const MarkSymbol&) = delete;
    MarkSymbol& operator=(const MarkSymbol&) = delete;
};

void DrawPictureMark(const Scene& scene, Drawable drawable, const MarkSymbol& symbol, int x, int y)
{
    Display* display = gAppEnv->display;
    const int left = x - kHalfMark;
    const int top = y - kHalfMark;
    if (symbol.stipple) {
        XSetForeground(display, scene.gc, gAppEnv->pixels[kColorPictureMark]);
        XSetStipple(display, scene.gc, symbol.pixmap);
        XSetTSOrigin(display, scene.gc, left, top);
        XSetFillStyle(display, scene.gc, FillStippled);
        XFillRectangle(display, drawable, scene.gc, left, top, kPictureMarkSize, kPictureMarkSize);
        XSetFillStyle(display, scene.gc, FillSolid);
        return;
    }
    XSetFunction(display, scene.gc, GXor);
    XCopyArea(display, symbol.pixmap, drawable, scene.gc, 0, 0, kPictureMarkSize, kPictureMarkSize, left, top);
    XSetFunction(display, scene.gc, GXcopy);
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
    const bool brightSky = scene.mag.starLimit > kBrightNebulaStarLimit;
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
    case kObjectMagellanicCloud: return scene.mag.starLimit > kBrightNebulaStarLimit;
    default: return false;
    }
}

// The entry's object, if drawn, then its lines up to the next entry: the
// mark goes on it at the first "@IMAGE" line.
void ScanPictureMarks(Scene& scene, Drawable drawable, ClickDataStream& stream, const MarkSymbol& symbol)
{
    ClickDataLine line;
    for (int32_t i = 0; scene.clickData[i].type != -1; ++i) {
        ProjectedPoint point{};
        if (PictureMarkPosition(scene, i, point) == 0 || SeekClickDataEntry(stream, scene.clickData[i], line) == 0) {
            continue;
        }
        while (ReadDataLine(stream, line) != 0 && IsClickDataEntryLine(line) == 0) {
            if (AsciiCaseEqual(line.words[0], "@IMAGE") != 0) {
                DrawPictureMark(scene, drawable, symbol, point.x, point.y);
                break;
            }
        }
    }
}

}  // namespace

const std::array<unsigned char, 2 * kPictureMarkSize> PictureMarkBitmap = MarkBits(false);

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

void DrawPictureMarks(Scene& scene, Drawable drawable)
{
    if ((scene.displayFlags[kFlagPictureMarks] & kPictureMarkFlag) == 0 || scene.clickData == nullptr) {
        return;
    }
    ClickDataStream stream(gAppEnv->clickDataFile);
    if (stream.file == nullptr) {
        return;
    }
    const MarkSymbol symbol(drawable);
    ScanPictureMarks(scene, drawable, stream, symbol);
}
