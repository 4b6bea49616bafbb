// Reading the target texts of the command language.
#include "sky/catalog/target_parser.h"

#include "astro/coordinates.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/scene.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

const KeywordEntry TargetKeywordTable[] = {
    {"HRZ", kFrameHrz},
    {"EQT", kFrameEqt},
    {"EQT_B1950", kFrameEqtB1950},
    {"EQT_DATE", kFrameEqtDate},
    {"ECL", kFrameEcl},
    {"GAL", kFrameGal},
    {"STAR", kObjectStar},
    {"CONS", kObjectConstellation},
    {"NEBULA", kObjectNebula},
    {"SCREEN", kObjectScreen},
    {"AD", kObjectUserObject},
    {"VIEW_CENTER", kObjectViewCenter},
    {"SKYMARK", kObjectSkyMark},
    {nullptr, 0},
};

const int32_t TargetFallbackTypes[5] = {kObjectConstellation, kObjectStar, kObjectNebula,
                                        kObjectUserObject, kObjectSkyMark};

namespace {

// The longest target keyword with its NUL.
constexpr size_t kTargetKeywordSize = 16;

// A coordinate read as commands read numbers: its leading number, 0 when
// there is none.
double NumberOf(const char* text)
{
    return std::strtod(text, nullptr);
}

bool IsSoundCoordinate(double value, double limit)
{
    return std::isfinite(value) && std::fabs(value) <= limit;
}

// The view centre in the given frame: the horizontal centre in the
// horizontal modes, else the centre in the mode's own frame, converted.
void ViewCentreIn(const Scene& scene, int32_t frame, double pair[2])
{
    const int32_t modeFrame = ViewFrameOf(scene.viewMode);
    if (modeFrame == kFrameHrz) {
        pair[0] = scene.view.hrzCentreAzimuth;
        pair[1] = scene.view.hrzCentreAltitude;
    } else {
        pair[0] = scene.view.centreLongitude;
        pair[1] = scene.view.centreLatitude;
    }
    if (modeFrame != frame) {
        ConvertCoordinates(scene.time, static_cast<CoordFrame>(modeFrame), pair,
                           static_cast<CoordFrame>(frame), pair);
    }
}

const char* TargetKeywordOf(int32_t type)
{
    return StkKeywordName(TargetKeywordTable, type);
}

// Number of characters before the first "." of a text.
size_t IntegerPartLength(const char* text)
{
    const char* dot = std::strchr(text, '.');
    return dot != nullptr ? size_t(dot - text) : std::strlen(text);
}

// DDMM.m (or HHMM.m): whole units from the hundreds, minutes from the rest.
double SexagesimalOf(const char* text)
{
    const double whole = static_cast<double>(std::strtol(text, nullptr, 10) / 100);
    return whole + (NumberOf(text) - 100.0 * whole) / 60.0;
}

// Right ascension and declination, in hours and degrees, or in HHMM.m and
// DDMM.m when the integer part of text2 has three characters or more; a
// missing text keeps the pair's value.
void ReadEquatorial(const char* text2, const char* text3, double pair[2])
{
    const bool sexagesimal = text2 != nullptr && IntegerPartLength(text2) >= 3;
    if (text2 != nullptr) {
        pair[0] = (sexagesimal ? SexagesimalOf(text2) : NumberOf(text2)) * 15.0;
    }
    if (text3 != nullptr) {
        pair[1] = sexagesimal ? SexagesimalOf(text3) : NumberOf(text3);
    }
}

bool ReadCoordinates(const Scene& scene, int32_t frame, const char* text2, const char* text3,
                     ObjectRef& out)
{
    double pair[2];
    ViewCentreIn(scene, frame, pair);
    if (frame == kFrameEqt || frame == kFrameEqtB1950 || frame == kFrameEqtDate) {
        ReadEquatorial(text2, text3, pair);
    } else {
        pair[0] = text2 != nullptr ? NumberOf(text2) : pair[0];
        pair[1] = text3 != nullptr ? NumberOf(text3) : pair[1];
    }
    out.longitude = pair[0];
    out.latitude = pair[1];
    return IsSoundCoordinate(pair[0], kTargetCoordinateLimit) &&
           IsSoundCoordinate(pair[1], kTargetCoordinateLimit);
}

// SCREEN: both pixel coordinates are needed; a missing one refuses.
bool ReadScreenPoint(const char* text2, const char* text3, ObjectRef& out)
{
    if (text2 == nullptr || text3 == nullptr) {
        return false;
    }
    out.longitude = NumberOf(text2);
    out.latitude = NumberOf(text3);
    return IsSoundCoordinate(out.longitude, kTargetPixelLimit) &&
           IsSoundCoordinate(out.latitude, kTargetPixelLimit);
}

bool FindNamedObject(const Scene& scene, int32_t type, char* name, int32_t& id)
{
    switch (type) {
    case kObjectStar:
        return FindStarByName(name, id) != 0;
    case kObjectConstellation:
        id = FindConstellationByName(name);
        return id >= 0;
    case kObjectNebula:
        return FindNebulaByDesignation(name, id) != 0;
    case kObjectUserObject:
        return FindUserObjectByName(scene, name, id) != 0;
    case kObjectSkyMark:
        return FindSkyMarkByName(gAppEnv->skyMarks, gAppEnv->skyMarkCount, name, id) != 0;
    default:
        return false;
    }
}

// A keyword that is no target keyword, as the name of a body, a Jovian
// satellite or a Magellanic Cloud.
bool ParseBodyName(Scene& scene, const char* name, ObjectRef& out)
{
    int32_t id = 0;
    out.longitude = 0.0;
    out.latitude = 0.0;
    if (FindSolarBodyByName(scene, name, id) != 0) {
        // The groups PLANET, COMET and MINORPLANET are no single place.
        if (id == kAllPlanetsId || id == kAllCometsId || id == kAllMinorPlanetsId) {
            return false;
        }
        out.type = kObjectSolarBody;
        out.id = id;
        return true;
    }
    if (FindJovianSatelliteByName(name, id) != 0) {
        scene.jovianMoonFlags |= kJovianMoonsShown;
        out.type = kObjectJovianMoon;
        out.id = id;
        return true;
    }
    if (FindMagellanicCloudByName(name, id) != 0) {
        out.type = kObjectMagellanicCloud;
        out.id = id;
        return true;
    }
    return false;
}

}  // namespace

int ParseTarget(Scene& scene, char* keyword, char* text2, char* text3, ObjectRef& out,
                int32_t& textsUsed)
{
    if (keyword == nullptr) {
        return 0;
    }
    int32_t type = 0;
    if (StkLookupKeyword(keyword, TargetKeywordTable, type) == 0) {
        textsUsed = 1;
        return ParseBodyName(scene, keyword, out) ? 1 : 0;
    }
    out.type = type;
    out.id = 0;
    out.longitude = 0.0;
    out.latitude = 0.0;
    if (IsCoordFrame(type)) {
        textsUsed = 3;
        return ReadCoordinates(scene, type, text2, text3, out) ? 1 : 0;
    }
    switch (type) {
    case kObjectScreen:
        textsUsed = 3;
        return ReadScreenPoint(text2, text3, out) ? 1 : 0;
    case kObjectStar:
    case kObjectConstellation:
    case kObjectNebula:
    case kObjectUserObject:
    case kObjectSkyMark:
        textsUsed = 2;
        return text2 != nullptr && FindNamedObject(scene, type, text2, out.id) ? 1 : 0;
    default:
        return 0;
    }
}

int ParseTargetWithFallback(Scene& scene, char* keyword, char* text2, char* text3, ObjectRef& out,
                            int32_t& textsUsed)
{
    if (ParseTarget(scene, keyword, text2, text3, out, textsUsed) != 0) {
        return 1;
    }
    for (int32_t type : TargetFallbackTypes) {
        // The keyword lookup upper-cases its text: it gets a copy.
        char fallback[kTargetKeywordSize];
        CopyCut(fallback, sizeof fallback, TargetKeywordOf(type));
        if (ParseTarget(scene, fallback, keyword, text2, out, textsUsed) != 0) {
            textsUsed -= 1;
            return 1;
        }
    }
    return 0;
}
