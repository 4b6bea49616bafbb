// Reading the target texts of the command language.
#include "sky/catalog/target_parser.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/scene.h"

#include <array>
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

namespace {

// The order in which a bare name is tried as a keyword's name.
constexpr std::array<int32_t, 5> kTargetFallbackTypes{
    kObjectConstellation, kObjectStar, kObjectNebula, kObjectUserObject, kObjectSkyMark};

constexpr int32_t kPixelLimit = 32767;

// A coordinate text as a finite number; a text without one is refused.
bool ReadNumber(const char* text, double& value)
{
    char* end = nullptr;
    const double number = std::strtod(text, &end);
    if (end == text || !std::isfinite(number)) {
        return false;
    }
    value = number;
    return true;
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

// The type of a target keyword, in any case. The sky engine sits below
// the command language, so it searches its own table here.
bool LookupTargetKeyword(const char* keyword, int32_t& type)
{
    for (const KeywordEntry* entry = TargetKeywordTable; entry->keyword != nullptr; ++entry) {
        if (AsciiCaseEqual(keyword, entry->keyword) != 0) {
            type = entry->value;
            return true;
        }
    }
    return false;
}

const char* TargetKeywordOf(int32_t type)
{
    for (const KeywordEntry* entry = TargetKeywordTable; entry->keyword != nullptr; ++entry) {
        if (entry->value == type) {
            return entry->keyword;
        }
    }
    return nullptr;
}

bool LatitudeInRange(double latitude)
{
    return latitude >= -90.0 && latitude <= 90.0;
}

// Degrees: longitude from text2, latitude from text3, each defaulting.
bool ReadDegrees(const char* text2, const char* text3, double pair[2])
{
    if (text2 != nullptr && !ReadNumber(text2, pair[0])) {
        return false;
    }
    if (text3 != nullptr && !ReadNumber(text3, pair[1])) {
        return false;
    }
    return std::fabs(pair[0]) <= 360.0 && LatitudeInRange(pair[1]);
}

// Number of characters before the first "." of a text.
size_t IntegerPartLength(const char* text)
{
    const char* dot = std::strchr(text, '.');
    return dot != nullptr ? size_t(dot - text) : std::strlen(text);
}

// DDMM.m (or HHMM.m): whole units from the hundreds, minutes from the rest.
bool ReadSexagesimal(const char* text, double& value)
{
    double number = 0.0;
    if (!ReadNumber(text, number)) {
        return false;
    }
    const long whole = std::strtol(text, nullptr, 10) / 100;
    value = whole + (number - 100.0 * whole) / 60.0;
    return std::isfinite(value);
}

// Right ascension and declination, in hours and degrees, or in HHMM.m and
// DDMM.m when the integer part of text2 has three characters or more.
bool ReadEquatorial(const char* text2, const char* text3, double pair[2])
{
    const bool sexagesimal = text2 != nullptr && IntegerPartLength(text2) >= 3;
    double hours = pair[0] / 15.0;
    if (text2 != nullptr && !(sexagesimal ? ReadSexagesimal(text2, hours) : ReadNumber(text2, hours))) {
        return false;
    }
    if (text3 != nullptr && !(sexagesimal ? ReadSexagesimal(text3, pair[1]) : ReadNumber(text3, pair[1]))) {
        return false;
    }
    pair[0] = hours * 15.0;
    return pair[0] >= 0.0 && pair[0] <= 360.0 && LatitudeInRange(pair[1]);
}

bool ReadCoordinates(const Scene& scene, int32_t frame, const char* text2, const char* text3,
                     TargetRef& out)
{
    double pair[2];
    ViewCentreIn(scene, frame, pair);
    const bool equatorial = frame == kFrameEqt || frame == kFrameEqtB1950 || frame == kFrameEqtDate;
    if (!(equatorial ? ReadEquatorial(text2, text3, pair) : ReadDegrees(text2, text3, pair))) {
        return false;
    }
    out.longitude = pair[0];
    out.latitude = pair[1];
    out.textsUsed = 3;
    return true;
}

// SCREEN: both pixel coordinates are needed; a missing one refuses.
bool ReadScreenPoint(const char* text2, const char* text3, TargetRef& out)
{
    double x = 0.0;
    double y = 0.0;
    if (text2 == nullptr || text3 == nullptr || !ReadNumber(text2, x) || !ReadNumber(text3, y)) {
        return false;
    }
    if (std::fabs(x) > kPixelLimit || std::fabs(y) > kPixelLimit) {
        return false;
    }
    out.longitude = x;
    out.latitude = y;
    out.textsUsed = 3;
    return true;
}

bool FindNamedObject(const Scene& scene, int32_t type, const char* name, int32_t& id)
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
bool ParseBodyName(Scene& scene, const char* name, TargetRef& out)
{
    int32_t id = 0;
    out.textsUsed = 1;
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

int ParseTarget(Scene& scene, const char* keyword, const char* text2, const char* text3,
                TargetRef& out)
{
    if (keyword == nullptr) {
        return 0;
    }
    int32_t type = 0;
    if (!LookupTargetKeyword(keyword, type)) {
        return ParseBodyName(scene, keyword, out) ? 1 : 0;
    }
    out.type = type;
    out.id = 0;
    out.longitude = 0.0;
    out.latitude = 0.0;
    if (IsCoordFrame(type)) {
        return ReadCoordinates(scene, type, text2, text3, out) ? 1 : 0;
    }
    switch (type) {
    case kObjectScreen:
        return ReadScreenPoint(text2, text3, out) ? 1 : 0;
    case kObjectStar:
    case kObjectConstellation:
    case kObjectNebula:
    case kObjectUserObject:
    case kObjectSkyMark:
        out.textsUsed = 2;
        return text2 != nullptr && FindNamedObject(scene, type, text2, out.id) ? 1 : 0;
    default:
        return 0;
    }
}

int ParseTargetWithFallback(Scene& scene, const char* keyword, const char* text2,
                            const char* text3, TargetRef& out)
{
    if (ParseTarget(scene, keyword, text2, text3, out) != 0) {
        return 1;
    }
    for (int32_t type : kTargetFallbackTypes) {
        if (ParseTarget(scene, TargetKeywordOf(type), keyword, text2, out) != 0) {
            out.textsUsed -= 1;
            return 1;
        }
    }
    return 0;
}
