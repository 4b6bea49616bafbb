// MODE, MAG, INCMAG, DECMAG, STARSIZE and STARDATA: the view mode and the
// limiting magnitudes of stars, star names and nebulae.
#include "astro/coordinates.h"
#include "astro/trig.h"
#include "command/argument_keywords.h"
#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "core/app_env.h"
#include "core/keywords.h"
#include "core/regular_file.h"
#include "sky/catalog/gsc_paths.h"
#include "sky/catalog/gsc_region_index.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/sao_star_file.h"
#include "sky/layers/star_layer.h"
#include "sky/scene.h"
#include "sky/view/view_setup.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

constexpr int32_t kTargetTypeMask = 0x7fff;

// Stored magnitudes (tenths) stay within this, from MAG and however often
// INCMAG or DECMAG run: the redraw takes the star limit less the automatic
// one, star magnitudes and its own offsets in int32, which a limit near the
// ends of int32 would overflow.
constexpr int64_t kTenthsBound = 1000000000;
constexpr int32_t kFaintestRequestFloor = -20;    // DECMAG STAR stops at -2.0
constexpr int32_t kDefaultStarLabelLimit = 14;
constexpr int32_t kDefaultNebulaFaint = 110;
constexpr int32_t kDefaultNebulaBright = 0;

constexpr int32_t kBuiltInCap = 65;
constexpr int32_t kSaoCap = 95;
constexpr int32_t kGscCap = 170;

// Stores a magnitude in tenths worked out from the argument text; one
// beyond the bound is refused with that text.
bool StoreTenths(int32_t& limit, double tenths, const char* text)
{
    if (!(std::fabs(tenths) <= static_cast<double>(kTenthsBound))) {
        StkSetError("stkErrorIllegalParam", text);
        return false;
    }
    limit = static_cast<int32_t>(tenths);
    return true;
}

// A magnitude argument in tenths, truncated toward zero (4.55 gives 45).
// An omitted one is refused with an empty parameter: no kind has a step
// to fall back on.
bool MagnitudeTenths(const char* text, int32_t& tenths)
{
    double value = 0.0;
    if (text == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return false;
    }
    return StkRealArgument(text, value) == 1 && StoreTenths(tenths, std::trunc(value * 10.0), text);
}

bool LookupKind(const char* text, const KeywordEntry* table, int32_t& kind)
{
    if (StkMatchWord(text, table, kind) == 0) {
        StkSetError("stkErrorIllegalParam", text);
        return false;
    }
    return true;
}

// The view centre carried from the old mode's frame into the new one: the
// horizontal frame keeps azimuth/altitude, every other frame
// longitude/latitude.
void CarryViewCentre(Scene& scene, CoordFrame oldFrame, CoordFrame newFrame)
{
    ViewGeometry& view = scene.view;
    double centre[2];
    if (newFrame != kFrameHrz) {
        if (oldFrame == kFrameHrz) {
            centre[0] = view.hrzCentreAzimuth;
            centre[1] = view.hrzCentreAltitude;
        } else {
            centre[0] = view.centreLongitude;
            centre[1] = view.centreLatitude;
        }
        ConvertCoordinates(scene.time, oldFrame, centre, newFrame, centre);
        view.centreLongitude = NormalizeDegrees(centre[0]);
        view.centreLatitude = centre[1];
        return;
    }
    if (oldFrame != kFrameHrz) {
        centre[0] = view.centreLongitude;
        centre[1] = view.centreLatitude;
        ConvertCoordinates(scene.time, oldFrame, centre, kFrameHrz, centre);
        view.hrzCentreAzimuth = NormalizeDegrees(centre[0]);
        view.hrzCentreAltitude = centre[1];
    }
    view.hrzCentreAltitude = std::max(view.hrzCentreAltitude, 0.0);
}

// The solar-system views have no Moon to follow, the others no Earth.
void DropTargetWithoutPlace(Scene& scene)
{
    if (scene.centring == 0 || (scene.targetType & kTargetTypeMask) != kObjectSolarBody) {
        return;
    }
    const bool solar = IsSolarSystemView(scene.viewMode);
    if (scene.targetId == (solar ? kMoonId : kEarthId)) {
        scene.centring = 0;
    }
}

// A magnitude limit of MAG: the value in tenths, or without one the
// limit INIT leaves.
void SetMagnitude(int32_t& limit, const char* value, int32_t fallback)
{
    int32_t tenths = fallback;
    if (value == nullptr || MagnitudeTenths(value, tenths)) {
        limit = tenths;
    }
}

void RequestStarLimit(Scene& scene, int32_t tenths)
{
    scene.mag.requestPending = 1;
    scene.mag.requestedValue = tenths;
}

// A limit moved by a step of INCMAG or DECMAG (both in tenths).
bool MoveLimit(int32_t& limit, int64_t moved, const char* step)
{
    return StoreTenths(limit, static_cast<double>(moved), step);
}

// The file without which the star data chosen draws no star: the SAO star
// file (missing, unreadable, or not one); the Guide Star Catalog's region
// index, or its CD root when the catalogue's tree is not under it. Null when
// nothing is missing.
const char* MissingStarFile(int32_t source)
{
    if (source == kSaoStarsFlag) {
        UniqueFile file = OpenRegularFile(gAppEnv->saoFile);
        return file != nullptr && CheckSaoStarFile(file.get()) != 0 ? nullptr : gAppEnv->saoFile;
    }
    if (source == kGscStarsFlag) {
        if (gAppEnv->gscRegionIndex == nullptr && LoadGscRegionIndex() == 0) {
            return gAppEnv->gscIndexFile;
        }
        if (ProbeGscTreeCase(gAppEnv->gscDataPath) < 0) {
            return gAppEnv->gscDataPath;
        }
    }
    return nullptr;
}

}  // namespace

void CmdMode(Scene& scene, char* a1)
{
    int32_t mode = 0;
    if (StkLookupKeyword(a1, ModeKeywordTable, mode) == 0) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    const auto oldFrame = static_cast<CoordFrame>(ViewFrameOf(scene.viewMode));
    const auto newFrame = static_cast<CoordFrame>(ViewFrameOf(mode));
    CarryViewCentre(scene, oldFrame, newFrame);
    scene.viewMode = mode;
    scene.viewModeChanged = 1;
    // A script sets the field of view after the mode; clamping now would
    // spoil the field a saved scene restores.
    if (gAppEnv->scriptRunning == 0) {
        ClampFieldOfView(scene, 1);
    }
    DropTargetWithoutPlace(scene);
}

void StkMagStar(Scene& scene, const char* value)
{
    int32_t tenths = 0;
    if (value == nullptr) {
        scene.mag.starOffset = 0;
    } else if (MagnitudeTenths(value, tenths)) {
        RequestStarLimit(scene, tenths);
    }
}

void StkMagStarname(Scene& scene, const char* value)
{
    SetMagnitude(scene.mag.starLabelLimit, value, kDefaultStarLabelLimit);
}

void StkMagNebulamin(Scene& scene, const char* value)
{
    SetMagnitude(scene.mag.nebulaFaint, value, kDefaultNebulaFaint);
}

void StkMagNebulamax(Scene& scene, const char* value)
{
    SetMagnitude(scene.mag.nebulaBright, value, kDefaultNebulaBright);
}

void StkMagNebulalimit(Scene& scene, const char* value)
{
    int32_t on = 1;
    if (StkIntegerArgument(value, on) == 0) {
        return;
    }
    scene.mag.nebulaBoundsInUse = on == 1 ? 1 : 0;
}

void CmdMag(Scene& scene, char* a1, char* a2)
{
    // By MagnitudeKind, kMagStar to kMagNebulaLimit.
    static constexpr void (*kHandlers[])(Scene&, const char*) = {StkMagStar, StkMagStarname, StkMagNebulamin,
                                                                  StkMagNebulamax, StkMagNebulalimit};
    static_assert(std::size(kHandlers) == kMagNebulaLimit + 1);
    int32_t kind = 0;
    if (LookupKind(a1, MagnitudeKeywordTable, kind)) {
        kHandlers[kind](scene, a2);
    }
}

void CmdIncmag(Scene& scene, char* a1, char* a2)
{
    int32_t kind = 0;
    int32_t step = 0;
    if (!LookupKind(a1, MagnitudeStepKeywordTable, kind) || !MagnitudeTenths(a2, step)) {
        return;
    }
    MagnitudeLimits& mag = scene.mag;
    int32_t request = 0;
    switch (kind) {
    case kMagStar:
        if (MoveLimit(request, std::min<int64_t>(int64_t{mag.starLimit} + step, mag.starCap), a2)) {
            RequestStarLimit(scene, request);
        }
        break;
    case kMagStarname: MoveLimit(mag.starLabelLimit, int64_t{mag.starLabelLimit} + step, a2); break;
    case kMagNebulaMin: MoveLimit(mag.nebulaFaint, int64_t{mag.nebulaFaint} + step, a2); break;
    default: MoveLimit(mag.nebulaBright, int64_t{mag.nebulaBright} + step, a2); break;
    }
}

void CmdDecmag(Scene& scene, char* a1, char* a2)
{
    int32_t kind = 0;
    int32_t step = 0;
    if (!LookupKind(a1, MagnitudeStepKeywordTable, kind) || !MagnitudeTenths(a2, step)) {
        return;
    }
    MagnitudeLimits& mag = scene.mag;
    int32_t request = 0;
    switch (kind) {
    case kMagStar:
        if (MoveLimit(request, std::max<int64_t>(int64_t{mag.starLimit} - step, kFaintestRequestFloor), a2)) {
            RequestStarLimit(scene, request);
        }
        break;
    case kMagStarname:
        // Names fainter than the stars drawn would not show: start from
        // the star limit.
        MoveLimit(mag.starLabelLimit, int64_t{std::min(mag.starLabelLimit, mag.starLimit)} - step, a2);
        break;
    case kMagNebulaMin: MoveLimit(mag.nebulaFaint, int64_t{mag.nebulaFaint} - step, a2); break;
    default: MoveLimit(mag.nebulaBright, int64_t{mag.nebulaBright} - step, a2); break;
    }
}

// STARSIZE without a value is refused with an empty parameter: there is no
// size to fall back on. The setting is n x 10 in int32, so n beyond a tenth
// of its range is refused.
void CmdStarsize(Scene& scene, char* a1)
{
    int32_t size = 0;
    if (a1 == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return;
    }
    if (StkIntegerArgument(a1, size) == 0) {
        return;
    }
    if (size > INT32_MAX / 10 || size < INT32_MIN / 10) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    scene.view.starSize = size * 10;
}

// The choice is kept even when its files are missing, so that a saved script
// replays as it was saved; the answer tells which file the chart lacks.
void CmdStardata(Scene& scene, char* a1)
{
    uint8_t& stars = scene.displayFlags[kFlagStars];
    stars = static_cast<uint8_t>(stars & ~(kSaoStarsFlag | kGscStarsFlag));
    int32_t source = 0;
    StkMatchWord(a1, StarDataKeywordTable, source);
    stars = static_cast<uint8_t>(stars | source);
    scene.mag.starCap = source == kSaoStarsFlag ? kSaoCap : source == kGscStarsFlag ? kGscCap : kBuiltInCap;
    const char* missing = MissingStarFile(source);
    if (missing != nullptr) {
        StkSetError("stkErrorFileNotFound", missing);
    }
}
