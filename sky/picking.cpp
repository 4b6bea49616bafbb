// Picking the object under the pointer.
#include "sky/picking.h"

#include "astro/trig.h"
#include "core/string_utils.h"
#include "data/catalog_tables.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_objects.h"
#include "sky/layers/disk_drawing.h"
#include "sky/layers/nebula_layer.h"
#include "sky/object_type.h"
#include "sky/scene.h"
#include "sky/ui_hooks.h"
#include "sky/view/object_positions.h"
#include "sky/view/screen_points.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int32_t kSmallestTolerance = 2;
constexpr double kTolerancePixels = 3.0;
constexpr int32_t kCloudToleranceFactor = 3;
constexpr int kCloudToFixedShift = 16;          // 2^30 units to Q14

constexpr int32_t kSolarBodySlots = 15;         // ids -3..11

constexpr int32_t kSmallBodyReach = 3;          // |dx|, |dy| below this hit
constexpr int32_t kSmallestBodyRadius = 2;
constexpr int32_t kSunMoonRadiusMin = 6;
constexpr int32_t kSunMoonRadiusMax = 200;
constexpr int32_t kDiskRadiusMin = 1;
constexpr int32_t kDiskRadiusMax = 150;

// With a star limit above 3.9 (IsStarLimitFainterThan39) these galaxies
// are picked without the nebula layer.
constexpr int32_t kBrightMessierNumbers[] = {31, 33, 42};

constexpr int32_t kLastNebulaId = kNebulaCount - 1;
constexpr int32_t kLastCloudId = 1;
constexpr int32_t kLastJovianMoonId = kJovianMoonCount - 1;

constexpr uint8_t kStarShownBit = 1;
constexpr uint8_t kUserObjectsShownBit = 1;     // AD

bool HorizontalView(const Scene& scene)
{
    return scene.viewMode == kModeHrz || scene.viewMode == kModeVola;
}

bool WithinTolerance(const FixedVector& a, const FixedVector& b, int32_t tolerance)
{
    for (int i = 0; i < 3; ++i) {
        if (std::abs(a[i] - b[i]) >= tolerance) {
            return false;
        }
    }
    return true;
}

void StorePick(Scene& scene, int32_t type, int32_t id)
{
    scene.pickedObject.type = type;
    scene.pickedObject.id = id;
}

// Reach of a Sun, Moon or planet in pixels: its disk where one is drawn
// with a size, else a couple of pixels.
int32_t SolarBodyReach(const Scene& scene, int32_t id)
{
    if (IsSolarSystemView(scene.viewMode)) {
        return kSmallestBodyRadius;
    }
    const double ppd = scene.view.pixelsPerDegree;
    int32_t r = kSmallestBodyRadius;
    if (id == kSunId || id == kMoonId) {
        const double radius = id == kSunId ? scene.sun.semidiameter : scene.moon.semidiameter;
        r = static_cast<int32_t>(std::clamp(radius * ppd + 0.5, 0.0, 1e6));
        r = std::clamp(r, kSunMoonRadiusMin, kSunMoonRadiusMax) * 2 / 3;
    } else if (id >= 0 && id < kPlanetCount && (scene.planetFlags[id] & kBodyOutline) != 0) {
        const double radius = scene.planets[id].diameter / 3600.0 * 0.5 * scene.diskMagnitude * ppd;
        r = static_cast<int32_t>(std::clamp(radius + 0.5, 0.0, 1e6));
        r = std::clamp(r, kDiskRadiusMin, kDiskRadiusMax) * 2 / 3;
    }
    return std::max(r, kSmallestBodyRadius);
}

bool ScreenHit(const ProjectedPoint& point, const PickSearch& search, int32_t reach, bool inclusive)
{
    const int32_t dx = std::abs(point.x - search.x);
    const int32_t dy = std::abs(point.y - search.y);
    return inclusive ? dx <= reach && dy <= reach : dx < reach && dy < reach;
}

bool FindSolarBody(Scene& scene, const PickSearch& search)
{
    const int32_t first = std::max(search.firstId[kPickSolarBodies], 0);
    const int32_t last = std::min(search.lastId[kPickSolarBodies], kSolarBodySlots - 1);
    for (int32_t index = first; index <= last; ++index) {
        const int32_t id = index + kEarthId;
        ProjectedPoint point{};
        if (GetSolarBodyScreenPoint(scene, id, point) != 0 &&
            ScreenHit(point, search, SolarBodyReach(scene, id), true)) {
            StorePick(scene, kObjectSolarBody, id);
            return true;
        }
    }
    return false;
}

bool FindSmallBody(Scene& scene, const PickSearch& search, int kind, int32_t base, int32_t count)
{
    const int32_t first = std::max(search.firstId[kind], base);
    const int32_t last = std::min(search.lastId[kind], base + count - 1);
    for (int32_t id = first; id <= last; ++id) {
        ProjectedPoint point{};
        if (GetSolarBodyScreenPoint(scene, id, point) != 0 &&
            ScreenHit(point, search, kSmallBodyReach, false)) {
            StorePick(scene, kObjectSolarBody, id);
            return true;
        }
    }
    return false;
}

bool FindStar(Scene& scene, const PickSearch& search)
{
    if ((scene.displayFlags[kFlagStars] & kStarShownBit) == 0) {
        return false;
    }
    const int32_t first = std::max(search.firstId[kPickStars], 0);
    const int32_t last = std::min(search.lastId[kPickStars], kBrightStarCount - 1);
    for (int32_t star = first; star <= last; ++star) {
        const BrightStarRecord& record = BrightStarTable[star];
        if (WithinTolerance(FixedVector{record.x, record.y, record.z}, search.direction,
                            search.tolerance)) {
            StorePick(scene, kObjectStar, star);
            return true;
        }
    }
    return false;
}

int32_t CatalogueStart(int catalogue)
{
    int32_t start = 0;
    for (int c = 0; c < catalogue; ++c) {
        start += NebulaCatalogCounts[c];
    }
    return start;
}

bool BrightMessierObject(const NebulaAttributes& record)
{
    const int32_t number = static_cast<int32_t>(record.word[1] & kNebulaNumberMask);
    return std::find(std::begin(kBrightMessierNumbers), std::end(kBrightMessierNumbers), number) !=
           std::end(kBrightMessierNumbers);
}

// A record listed again in a later catalogue stands in the earlier one
// already.
bool DuplicateRecord(const NebulaAttributes& record, int catalogue)
{
    return (catalogue > kMessier && (record.word[1] & kNebulaMessierFlag) != 0) ||
           (catalogue > kNgc && (record.word[1] & kNebulaNgcFlag) != 0);
}

bool FindNebula(Scene& scene, const PickSearch& search)
{
    const bool nebulaeShown = (scene.displayFlags[kFlagNebulae] & kNebulaFlag) != 0;
    const bool brightStars = IsStarLimitFainterThan39(scene) != 0;
    const int32_t first = std::max(search.firstId[kPickNebulae], 0);
    const int32_t last = std::min(search.lastId[kPickNebulae], kLastNebulaId);
    for (int catalogue = kMessier; catalogue <= kIc; ++catalogue) {
        const int32_t start = CatalogueStart(catalogue);
        const int32_t count = NebulaCatalogCounts[catalogue];
        const int32_t from = std::max(first, start);
        const int32_t to = std::min(last, start + count - 1);
        for (int32_t id = from; id <= to; ++id) {
            const NebulaAttributes& record = NebulaAttributeTable[catalogue][id - start];
            if (DuplicateRecord(record, catalogue)) {
                continue;
            }
            bool candidate = false;
            if (catalogue == kMessier && BrightMessierObject(record)) {
                candidate = brightStars || (nebulaeShown && NebulaPassesFilter(scene, record) != 0);
            } else if (scene.mag.nebulaBoundsInUse == 0 ||
                       NebulaMagnitude10(record) <= scene.mag.nebulaFaint) {
                candidate = nebulaeShown && NebulaPassesFilter(scene, record) != 0;
            } else {
                break;   // sorted brightest first: the rest is fainter still
            }
            if (candidate && WithinTolerance(NebulaPositionTable[id], search.direction, search.tolerance)) {
                StorePick(scene, kObjectNebula, id);
                return true;
            }
        }
    }
    return false;
}

bool FindJovianMoon(Scene& scene, const PickSearch& search)
{
    if (IsSolarSystemView(scene.viewMode) || (scene.planetFlags[kJupiter] & kBodyShown) == 0 ||
        (scene.jovianMoonFlags & kJovianMoonsShown) == 0) {
        return false;
    }
    const int32_t first = std::max(search.firstId[kPickJovianMoons], 0);
    const int32_t last = std::min(search.lastId[kPickJovianMoons], kLastJovianMoonId);
    for (int32_t moon = first; moon <= last; ++moon) {
        if (WithinTolerance(scene.jovianMoons[moon].fixedVector, search.direction, search.tolerance)) {
            StorePick(scene, kObjectJovianMoon, moon);
            return true;
        }
    }
    return false;
}

bool FindMagellanicCloud(Scene& scene, const PickSearch& search)
{
    if (IsStarLimitFainterThan39(scene) == 0) {
        return false;
    }
    const int32_t first = std::max(search.firstId[kPickMagellanicClouds], 0);
    const int32_t last = std::min(search.lastId[kPickMagellanicClouds], kLastCloudId);
    for (int32_t cloud = first; cloud <= last; ++cloud) {
        const MagellanicCloudRecord& record = MagellanicCloudTable[cloud];
        const FixedVector direction{record.x >> kCloudToFixedShift, record.y >> kCloudToFixedShift,
                                    record.z >> kCloudToFixedShift};
        if (WithinTolerance(direction, search.direction, kCloudToleranceFactor * search.tolerance)) {
            StorePick(scene, kObjectMagellanicCloud, cloud);
            return true;
        }
    }
    return false;
}

// Named points of the user-object files, where their marks are drawn; LINE
// and END records and points given in pixels are no objects to pick.
bool FindUserObject(Scene& scene, const PickSearch& search)
{
    if ((scene.displayFlags[kFlagUserObjects] & kUserObjectsShownBit) == 0) {
        return false;
    }
    const int32_t first = std::max(search.firstId[kPickUserObjects], 0);
    const int32_t last = search.lastId[kPickUserObjects];
    for (int32_t index = first; index <= last; ++index) {
        const UserObject* object = UserObjectAt(scene.userObjectFiles, scene.userObjectFileCount, index);
        if (object == nullptr) {
            return false;
        }
        if (object->kind <= kUserObjectLineEnd || object->type == kObjectScreen || object->name[0] == '\0') {
            continue;
        }
        ProjectedPoint point{};
        if (GetTargetScreenPoint(scene, object->type, object->id, object->longitude, object->latitude, point) != 0 &&
            ScreenHit(point, search, kSmallBodyReach, false)) {
            StorePick(scene, kObjectUserObject, index);
            return true;
        }
    }
    return false;
}

bool FindInKind(Scene& scene, const PickSearch& search, int32_t kind)
{
    switch (kind) {
    case kPickSolarBodies: return FindSolarBody(scene, search);
    case kPickComets: return FindSmallBody(scene, search, kind, kCometIdBase, scene.cometCount);
    case kPickMinorPlanets:
        return FindSmallBody(scene, search, kind, kMinorPlanetIdBase, scene.mplanetCount);
    case kPickStars: return FindStar(scene, search);
    case kPickNebulae: return FindNebula(scene, search);
    case kPickJovianMoons: return FindJovianMoon(scene, search);
    case kPickUserObjects: return FindUserObject(scene, search);
    case kPickMagellanicClouds: return FindMagellanicCloud(scene, search);
    // The view centre, constellations and kind 10 have nothing to find.
    default: return false;
    }
}

// The kind of a picked object and its id within that kind; -1 for a type
// that picking never gives.
int32_t KindOfPick(int32_t type, int32_t id, int32_t& kindId)
{
    kindId = id;
    switch (type) {
    case kObjectSolarBody:
        if (id >= kMinorPlanetIdBase) {
            return kPickMinorPlanets;
        }
        if (id >= kCometIdBase) {
            return kPickComets;
        }
        kindId = id - kEarthId;
        return kPickSolarBodies;
    case kObjectStar: return kPickStars;
    case kObjectNebula: return kPickNebulae;
    case kObjectJovianMoon: return kPickJovianMoons;
    case kObjectUserObject: return kPickUserObjects;
    case kObjectMagellanicCloud: return kPickMagellanicClouds;
    default: return -1;
    }
}

void SetFullRanges(Scene& scene, PickSearch& search)
{
    int32_t lastStar = 0;
    if (GetLastStarWithinLimit(scene, lastStar) == 0) {
        lastStar = 0;
    }
    search.firstId.fill(0);
    search.lastId.fill(-1);
    search.lastId[kPickSolarBodies] = kSolarBodySlots - 1;
    search.firstId[kPickComets] = kCometIdBase;
    search.lastId[kPickComets] = kCometIdBase + scene.cometCount - 1;
    search.firstId[kPickMinorPlanets] = kMinorPlanetIdBase;
    search.lastId[kPickMinorPlanets] = kMinorPlanetIdBase + scene.mplanetCount - 1;
    search.lastId[kPickStars] = lastStar;
    search.lastId[kPickNebulae] = kLastNebulaId;
    search.lastId[kPickJovianMoons] = kLastJovianMoonId;
    search.lastId[kPickUserObjects] = UserObjectTotal(scene.userObjectFiles, scene.userObjectFileCount) - 1;
    search.lastId[kPickMagellanicClouds] = kLastCloudId;
}

void ClearPick(PickedObject& picked)
{
    picked.picked = 0;
    picked.clickDataFlags = 0;
    picked.text[0] = '\0';
    picked.pointerX = -1;
    picked.pointerY = -1;
}

}  // namespace

int32_t PickTolerance(double pixelsPerDegree)
{
    if (!(pixelsPerDegree > 0.0)) {
        return kSmallestTolerance;
    }
    const double angle = std::min(kTolerancePixels / pixelsPerDegree, 90.0);
    const auto tolerance = static_cast<int32_t>(kFixedOne * std::sin(angle * kPi / 180.0));
    return std::max(tolerance, kSmallestTolerance);
}

int FindObjectsNearPoint(Scene& scene, const PickSearch& search)
{
    for (int32_t kind = search.startKind; kind <= search.endKind; ++kind) {
        if (FindInKind(scene, search, kind)) {
            return 1;
        }
    }
    return 0;
}

int FindNextObjectAt(Scene& scene, int32_t x, int32_t y)
{
    PickSearch search{};
    search.x = x - 1;
    search.y = y - 1;
    const ViewGeometry& view = scene.view;
    // The status line lies above the sky rectangle while it is shown.
    if ((scene.statusLine & 1) != 0 && search.y < view.skyRect.y) {
        return 0;
    }
    double v[3];
    if (ScreenToSky(scene, search.x, search.y, v) == 0) {
        return 0;
    }
    for (int i = 0; i < 3; ++i) {
        search.direction[i] = static_cast<int32_t>(v[i] * kFixedOne);
    }
    if (HorizontalView(scene)) {
        const int32_t* horizon = view.matrices[1].data() + 6;
        int64_t up = 0;
        for (int i = 0; i < 3; ++i) {
            up += int64_t{horizon[i]} * search.direction[i];
        }
        if (up < 0) {
            return 0;
        }
    }
    search.tolerance = PickTolerance(view.pixelsPerDegree);
    SetFullRanges(scene, search);

    PickedObject& picked = scene.pickedObject;
    // An object gone since it was picked (a shorter comet list) cannot be
    // continued from.
    if (picked.picked != 0 && ObjectExists(scene, picked.type, picked.id) == 0) {
        ClearPick(picked);
    }
    int32_t pickedId = 0;
    const int32_t pickedKind = picked.picked != 0 ? KindOfPick(picked.type, picked.id, pickedId) : -1;
    if (pickedKind < 0) {
        search.startKind = kPickViewCenter;
        search.endKind = kPickNothing;
        return FindObjectsNearPoint(scene, search);
    }
    // First after the picked object, then from the start up to it again.
    PickSearch after = search;
    after.startKind = pickedKind;
    after.endKind = kPickNothing;
    after.firstId[pickedKind] = pickedId + 1;
    if (FindObjectsNearPoint(scene, after) != 0) {
        return 1;
    }
    PickSearch before = search;
    before.startKind = kPickViewCenter;
    before.endKind = pickedKind;
    before.lastId[pickedKind] = pickedId;
    return FindObjectsNearPoint(scene, before);
}

int PickObjectAt(Scene& scene, int32_t x, int32_t y)
{
    PickedObject& picked = scene.pickedObject;
    if (FindNextObjectAt(scene, x, y) == 0) {
        if (picked.picked != 0) {
            ClearPick(picked);
        }
        return 0;
    }
    // A further pick at the same place keeps the first one's pixel,
    // quadrant and text.
    if (picked.picked == 0) {
        picked.picked = static_cast<uint8_t>(GetPickQuadrant(scene, x, y));
        picked.pointerX = static_cast<int16_t>(std::clamp(x, -32768, 32767));
        picked.pointerY = static_cast<int16_t>(std::clamp(y, -32768, 32767));
        ReadPickedClickData(scene);
    } else {
        UiUpdateInfoBoxButtons(scene);
    }
    return 1;
}

int32_t GetPickQuadrant(const Scene& scene, int32_t x, int32_t y)
{
    const XRectangle& rect = scene.view.skyRect;
    const int32_t cx = rect.x + rect.width / 2;
    const int32_t cy = rect.y + rect.height / 2;
    const int32_t right = x >= cx ? 1 : 0;
    const int32_t below = y >= cy ? 2 : 0;
    return 1 + right + below;
}

const char* ReadPickedClickData(Scene& scene)
{
    PickedObject& picked = scene.pickedObject;
    picked.clickDataFlags = 0;
    char text[kPickedTextSize];
    int hasImage = 0;
    if (FindClickDataText(scene, picked.type, picked.id, text, sizeof text, hasImage) == 0) {
        return nullptr;
    }
    CopyCut(picked.text, sizeof picked.text, text);
    picked.clickDataFlags = static_cast<uint8_t>((text[0] != '\0' ? kClickDataHasText : 0) |
                                                 (hasImage != 0 ? kClickDataHasImage : 0));
    return picked.text;
}
