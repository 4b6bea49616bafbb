#include "mainwin/info_box_lines.h"

#include "astro/calendar.h"
#include "astro/coordinates.h"
#include "astro/rise_set.h"
#include "astro/sexagesimal.h"
#include "astro/trig.h"
#include "astro/vector_math.h"
#include "core/format_check.h"
#include "core/messages.h"
#include "core/string_utils.h"
#include "core/view_modes.h"
#include "data/catalog_tables.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_object_files.h"
#include "sky/colors.h"
#include "sky/object_type.h"
#include "sky/scene.h"
#include "sky/view/object_positions.h"

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kEqtFormat[] = "R.A. %2dh%4.1fm  Decl %c%2d\260%2d'";
constexpr char kMagFormat[] = "Mag%4.1f";
constexpr char kSize0Format[] = "Size %.0f'";
constexpr char kSize1Format[] = "Size %.1f'";
constexpr char kRiseSetFormat[] = "Rise %s  Set %s";
constexpr char kHrzFormat[] = "Azm %6.2f\260  Alt %6.2f\260";
constexpr char kDeltaFormat[] = "Delta %6.3fAU";
constexpr char kRadiusFormat[] = "r %6.3fAU";
// Three seconds of time, added to the right ascension before its minutes
// are rounded to the tenth shown.
constexpr double kRaRoundingOffset = 0.0008333333333333334;
constexpr double kFarFromSun = 100.0;
constexpr char kNoTime[] = "--:--";
constexpr const char* kJovianNumerals[4] = {"I", "II", "III", "IV"};

void ResetObject(InfoBoxObject& object)
{
    object.name[0] = '\0';
    object.ra = kNoCoordinate;
    object.dec = kNoCoordinate;
    object.magnitude = kNoValue;
    object.size = kNoValue;
}

bool HasPlace(const InfoBoxObject& object)
{
    return object.ra != kNoCoordinate && object.dec != kNoCoordinate;
}

// Appends to a bounded text; what does not fit is cut.
void Append(char* text, size_t size, const char* more)
{
    const size_t used = std::strlen(text);
    if (used + 1 < size) {
        std::snprintf(text + used, size - used, "%s", more);
    }
}

void PlaceOf(const Scene& scene, int32_t type, int32_t id, InfoBoxObject& object)
{
    double place[2];
    if (GetObjectCoordinates(scene, type, id, 0.0, 0.0, place) == kFrameEqt) {
        object.ra = place[0];
        object.dec = place[1];
    }
}

bool IsSmallBody(const Scene& scene, int32_t id, const OrbitalElements*& elements,
                 const SmallBodyRecord*& record)
{
    if (id >= kCometIdBase && id < kCometIdBase + scene.cometCount) {
        elements = &scene.cometElements[id - kCometIdBase];
        record = &scene.cometPositions[id - kCometIdBase];
        return true;
    }
    if (id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount) {
        elements = &scene.mplanetElements[id - kMinorPlanetIdBase];
        record = &scene.mplanetPositions[id - kMinorPlanetIdBase];
        return true;
    }
    return false;
}

// As much of text as size holds, ended at a whole character of the
// locale, so that the box never draws half a character.
void CopyWholeCharacters(char* out, size_t size, const char* text)
{
    std::mblen(nullptr, 0);
    size_t used = 0;
    while (text[used] != '\0') {
        const int length = std::mblen(text + used, MB_CUR_MAX);
        const size_t next = used + static_cast<size_t>(length > 0 ? length : 1);
        if (next > size - 1) {
            break;
        }
        used = next;
    }
    std::memcpy(out, text, used);
    out[used] = '\0';
}

bool HasText(const char* field, size_t size)
{
    for (size_t i = 0; i < size && field[i] != '\0'; ++i) {
        if (field[i] != ' ') {
            return true;
        }
    }
    return false;
}

// The second name, designation or number (the first that is not blank),
// a blank, and the name without its trailing blanks.
void FormatCometDesignation(const OrbitalElements& elements, char* text, size_t size)
{
    text[0] = '\0';
    if (HasText(elements.secondName, sizeof elements.secondName)) {
        std::snprintf(text, size, "%.*s ", int(sizeof elements.secondName), elements.secondName);
    } else if (HasText(elements.designation, sizeof elements.designation)) {
        std::snprintf(text, size, "%.*s ", int(sizeof elements.designation), elements.designation);
    } else if (HasText(elements.number, sizeof elements.number)) {
        std::snprintf(text, size, "%.*s ", int(sizeof elements.number), elements.number);
    }
    char name[sizeof elements.name + 1];
    std::snprintf(name, sizeof name, "%.*s", int(sizeof elements.name), elements.name);
    for (size_t n = std::strlen(name); n > 0 && name[n - 1] == ' '; --n) {
        name[n - 1] = '\0';
    }
    Append(text, size, name);
}

// What the Sun, the Moon and the planets add to their names.
void AppendBodyNotes(const Scene& scene, int32_t id, InfoBoxObject& object)
{
    char note[64] = "";
    if (id == kSunId) {
        if (scene.sun.eclipseMagnitude != -1.0) {
            std::snprintf(note, sizeof note, " EMAG:%4.2f", scene.sun.eclipseMagnitude);
        }
    } else if (id == kMoonId) {
        std::snprintf(note, sizeof note, " Age:%4.1f k:%4.2f", scene.moon.age,
                      scene.moon.illuminatedFraction);
    } else if (id >= 0 && id < kPlanetCount) {
        std::snprintf(note, sizeof note, " D.M.%4.1f\"", scene.planets[id].diameter);
        object.magnitude = scene.planets[id].magnitude / 10.0;
    }
    Append(object.name, sizeof object.name, note);
}

// The body whose rise and set the box shows, and what the search needs of
// it: a fixed place for the catalogue objects, Jupiter for its satellites.
struct RiseSetBody {
    RiseSetObject object;
    bool none;
};

RiseSetBody RiseSetBodyOf(const Scene& scene, int32_t type, int32_t id, const double* place)
{
    switch (type) {
    case kObjectStar:
    case kObjectNebula:
    case kObjectUserObject:
    case kObjectMagellanicCloud: return {RiseSetObjectOf(place), false};
    case kObjectJovianMoon: return {RiseSetObjectOf(kJupiter), false};
    case kObjectSolarBody: {
        const OrbitalElements* elements = nullptr;
        const SmallBodyRecord* record = nullptr;
        if (IsSmallBody(scene, id, elements, record)) {
            return {RiseSetObjectOf(id, *elements), false};
        }
        return {RiseSetObjectOf(id), id == kEarthId};
    }
    default: return {RiseSetObjectOf(0), true};
    }
}

void ComposeRiseSet(const Scene& scene, int32_t type, int32_t id, const InfoBoxObject& object,
                    char* text, size_t size)
{
    char rise[kRiseSetTextSize];
    char set[kRiseSetTextSize];
    std::snprintf(rise, sizeof rise, "%s", kNoTime);
    std::snprintf(set, sizeof set, "%s", kNoTime);
    const double place[2] = {object.ra, object.dec};
    const RiseSetBody body = RiseSetBodyOf(scene, type, id, place);
    const bool fixedWithoutPlace = body.object.id == kFixedPointId && !HasPlace(object);
    if (!body.none && !fixedWithoutPlace) {
        const AstroTime& t = scene.time;
        const RiseSetDay day = SetupRiseSetDay(t.date, t.location);
        double jd = 0.0;
        int found = FindRiseTransitSet(day, scene.siteZone, body.object, kEventRise, t.location, 0.0, jd);
        FormatRiseSetTime(found, jd, scene.siteZone, rise);
        found = FindRiseTransitSet(day, scene.siteZone, body.object, kEventSet, t.location, 0.0, jd);
        FormatRiseSetTime(found, jd, scene.siteZone, set);
    }
    char format[kInfoBoxTextSize];
    GetInfoFormat("messageInfoBoxRiseSet", kRiseSetFormat, format, sizeof format);
    std::snprintf(text, size, format, rise, set);
}

InfoBoxPiece& AddPiece(InfoBoxLines& lines, int line, int32_t color, int x)
{
    InfoBoxPiece& piece = lines.pieces.emplace_back();
    piece.line = line;
    piece.color = color;
    piece.x = x;
    piece.coreFont = false;
    piece.text[0] = '\0';
    return piece;
}

InfoBoxPiece& AddMessagePiece(InfoBoxLines& lines, int line, int32_t color, const char* key)
{
    InfoBoxPiece& piece = AddPiece(lines, line, color, 0);
    GetMessage(key, piece.text, sizeof piece.text);
    return piece;
}

// The grey line 4 of an object without a place or distances.
void AddInvalidLine4(InfoBoxLines& lines, const char* key)
{
    AddMessagePiece(lines, 3, kColorGrayText, key).coreFont = true;
}

// Line 4 in the solar-system views: the distances of a body, or the grey
// invalid line for what is no body, the Moon, or a body far beyond the
// planets.
void ComposeDistanceLine(const Scene& scene, int32_t type, int32_t id, const InfoBoxFont& font,
                         InfoBoxLines& lines)
{
    double delta = 0.0;
    double r = 0.0;
    GetInfoBoxDistances(scene, type, id, delta, r);
    if (type != kObjectSolarBody || id == kMoonId || r > kFarFromSun) {
        AddInvalidLine4(lines, "messageInfoBoxSolInvalid");
        return;
    }
    char format[kInfoBoxTextSize];
    InfoBoxPiece& first = AddPiece(lines, 3, id == kEarthId ? kColorGrayText : kColorBlack, 0);
    GetInfoFormat("messageInfoBoxDelta", kDeltaFormat, format, sizeof format);
    std::snprintf(first.text, sizeof first.text, format, delta);
    const int x = font.escapement(first.text) + 2 * font.logicalWidth;
    InfoBoxPiece& second = AddPiece(lines, 3, id == kSunId ? kColorGrayText : kColorBlack, x);
    GetInfoFormat("messageInfoBoxRadius", kRadiusFormat, format, sizeof format);
    std::snprintf(second.text, sizeof second.text, format, r);
}

void ComposeHorizontalLine(const Scene& scene, int32_t type, int32_t id,
                           const InfoBoxObject& object, const InfoBoxFont& font,
                           InfoBoxLines& lines)
{
    if (!HasPlace(object)) {
        AddInvalidLine4(lines, "messageInfoBoxHrzInvalid");
    } else if (IsSolarSystemView(scene.viewMode)) {
        ComposeDistanceLine(scene, type, id, font, lines);
    } else if (type == kObjectSolarBody && id == kEarthId) {
        AddMessagePiece(lines, 3, kColorBlack, "messageInfoBoxHrzInvalid");
    } else {
        const double place[2] = {object.ra, object.dec};
        double horizontal[2];
        ConvertCoordinates(scene.time, kFrameEqt, place, kFrameHrz, horizontal);
        char format[kInfoBoxTextSize];
        GetInfoFormat("messageInfoBoxHrz", kHrzFormat, format, sizeof format);
        InfoBoxPiece& piece = AddPiece(lines, 3, kColorBlack, 0);
        std::snprintf(piece.text, sizeof piece.text, format, horizontal[0], horizontal[1]);
    }
}

void ComposeObject(const Scene& scene, int32_t type, int32_t id, InfoBoxObject& object)
{
    switch (type) {
    case kObjectStar: ComposeStarInfo(id, object); break;
    case kObjectSolarBody: FormatCometParameters(scene, id, object); break;
    case kObjectNebula: ComposeNebulaInfo(id, object); break;
    case kObjectJovianMoon: ComposeJovianSatelliteInfo(scene, id, object); break;
    case kObjectMagellanicCloud: ComposeMagellanicCloudInfo(id, object); break;
    case kObjectUserObject: ComposeUserObjectInfo(scene, id, object); break;
    default: break;
    }
}

}  // namespace

void GetInfoFormat(const char* key, const char* defaultFormat, char* format, size_t size)
{
    GetMessage(key, format, size);
    if (FormatMatchesDefault(format, defaultFormat) == 0) {
        std::snprintf(format, size, "%s", defaultFormat);
    }
}

void ComposeStarInfo(int32_t star, InfoBoxObject& object)
{
    ResetObject(object);
    if (star < 0 || star >= kBrightStarCount) {
        return;
    }
    const BrightStarRecord& record = BrightStarTable[static_cast<size_t>(star)];
    int32_t row = 0;
    int32_t flag = 0;
    if (GetStarDesignationIndex(star, row, flag) != 0) {
        int32_t letter = 0, superscript = 0, flamsteed = 0, constellation = 0;
        DecodeStarDesignation(row, letter, superscript, flamsteed, constellation);
        char part[16];
        if (flamsteed != 0) {
            std::snprintf(part, sizeof part, "%d", flamsteed);
            Append(object.name, sizeof object.name, part);
        }
        if (letter != 0) {
            Append(object.name, sizeof object.name, GreekLetterName(letter));
        }
        if (superscript != 0) {
            std::snprintf(part, sizeof part, "%d", superscript);
            Append(object.name, sizeof object.name, part);
        }
        const ConstellationRecord& c = ConstellationTable[constellation];
        char rest[96];
        std::snprintf(rest, sizeof rest, " %s (%s)", c.abbreviation, c.displayName);
        Append(object.name, sizeof object.name, rest);
    }
    if (const char* proper = GetStarProperName(star)) {
        Append(object.name, sizeof object.name, " ");
        Append(object.name, sizeof object.name, proper);
    }
    double place[2];
    const FixedVector v = {record.x, record.y, record.z};
    SphericalFromFixedVector(v, place);
    object.ra = place[0];
    object.dec = place[1];
    object.magnitude = StarMagnitude10(record) / 10.0;
}

void FormatCometParameters(const Scene& scene, int32_t id, InfoBoxObject& object)
{
    ResetObject(object);
    if (ObjectExists(scene, kObjectSolarBody, id) == 0) {
        return;
    }
    const OrbitalElements* elements = nullptr;
    const SmallBodyRecord* record = nullptr;
    if (IsSmallBody(scene, id, elements, record)) {
        FormatCometDesignation(*elements, object.name, sizeof object.name);
        object.ra = record->raReference;   // J2000, the lists' reference epoch
        object.dec = record->decReference;
        object.magnitude = record->magnitude / 10.0;
        return;
    }
    GetSolarBodyName(scene, id, 0, object.name, 40);
    PlaceOf(scene, kObjectSolarBody, id, object);
    AppendBodyNotes(scene, id, object);
}

void ComposeNebulaInfo(int32_t index, InfoBoxObject& object)
{
    ResetObject(object);
    if (index < 0 || index >= GetNebulaCount()) {
        return;
    }
    const NebulaAttributes& attributes = GetNebulaAttributes(index);
    const uint32_t word1 = attributes.word[1];
    const char* prefix = index < NebulaCatalogCounts[kMessier] ? "M"
                         : (word1 & kNebulaNgcFlag) != 0     ? "NGC"
                                                             : "IC";
    std::snprintf(object.name, sizeof object.name, "%s%u", prefix, word1 & kNebulaNumberMask);
    const uint32_t cross = attributes.word[2];
    if (prefix[0] == 'M' && (cross & (kNebulaNgcFlag | kNebulaIcFlag)) != 0) {
        char identity[32];
        std::snprintf(identity, sizeof identity, " (%s%u)",
                      (cross & kNebulaNgcFlag) != 0 ? "NGC" : "IC", cross & kNebulaNumberMask);
        Append(object.name, sizeof object.name, identity);
    }
    char typeName[64];
    GetNebulaTypeName(static_cast<int32_t>(attributes.word[0] & kNebulaTypeMask), typeName,
                      sizeof typeName);
    Append(object.name, sizeof object.name, "  ");
    Append(object.name, sizeof object.name, typeName);
    GetNebulaPosition(index, object.ra, object.dec);
    const uint32_t magnitude = (attributes.word[0] >> kNebulaMagnitudeShift) & 0xff;
    if (magnitude != kNebulaNoMagnitude) {
        object.magnitude = magnitude / 10.0;
    }
    const uint32_t size = attributes.word[0] >> kNebulaSizeShift;
    if (size != kNebulaNoSize) {
        object.size = size / 10.0;
    }
}

void ComposeJovianSatelliteInfo(const Scene& scene, int32_t satellite, InfoBoxObject& object)
{
    ResetObject(object);
    if (satellite < 0 || satellite >= kJovianMoonCount) {
        return;
    }
    char name[40];
    GetSolarBodyName(scene, kFirstJovianMoonId + satellite, 0, name, sizeof name);
    std::snprintf(object.name, sizeof object.name, "%s (%s)", name, kJovianNumerals[satellite]);
    PlaceOf(scene, kObjectJovianMoon, satellite, object);
}

void ComposeMagellanicCloudInfo(int32_t cloud, InfoBoxObject& object)
{
    ResetObject(object);
    if (cloud < 0 || cloud > 1) {
        return;
    }
    GetMessage(cloud == 0 ? "messageNebulaLMC" : "messageNebulaSMC", object.name,
               sizeof object.name);
    const MagellanicCloudRecord& record = MagellanicCloudTable[static_cast<size_t>(cloud)];
    const double v[3] = {record.x / 1073741824.0, record.y / 1073741824.0,
                         record.z / 1073741824.0};
    double place[2];
    SphericalFromVector(v, place);
    object.ra = place[0];
    object.dec = place[1];
}

void ComposeUserObjectInfo(const Scene& scene, int32_t index, InfoBoxObject& object)
{
    ResetObject(object);
    const UserObject* user = UserObjectAt(scene.userObjectFiles, scene.userObjectFileCount, index);
    if (user == nullptr || user->kind == kUserObjectLine || user->kind == kUserObjectLineEnd) {
        return;
    }
    std::snprintf(object.name, sizeof object.name, "%s", user->name);
    if (user->kind == kUserObjectNebula) {
        char typeName[64];
        GetNebulaTypeName(user->a, typeName, sizeof typeName);
        Append(object.name, sizeof object.name, " ");
        Append(object.name, sizeof object.name, typeName);
    } else if (user->kind == kUserObjectStar) {
        object.magnitude = user->a / 10.0;
    }
    double place[2];
    const int32_t frame = GetTargetCoordinates(scene, kObjectUserObject, index, 0.0, 0.0, place);
    if (IsCoordFrame(frame)) {
        double j2000[2];
        ConvertCoordinates(scene.time, static_cast<CoordFrame>(frame), place, kFrameEqt, j2000);
        object.ra = j2000[0];
        object.dec = j2000[1];
    }
}

int FormatInfoBoxEqtMag(const InfoBoxObject& object, int earth, char* text, size_t size)
{
    if (earth != 0) {
        GetMessage("messageInfoBoxMSInvalid", text, size);
        return 0;
    }
    if (!HasPlace(object)) {
        GetMessage("messageInfoBoxEqtInvalid", text, size);
        return 0;
    }
    const double h = NormalizeHours(object.ra / 15.0 + kRaRoundingOffset);
    auto hours = static_cast<int>(h);
    double tenths = std::nearbyint(std::fmod(h * 600.0, 600.0));
    // A remainder that rounds up to the whole hour would read "60.0m":
    // it is the next hour (23h carries to 0h).
    if (tenths >= 600.0) {
        tenths = 0.0;
        hours = (hours + 1) % 24;
    }
    const double minutes = tenths / 10.0;
    SignedDms dms{};
    DegreesToSignedDmRounded(object.dec, dms);
    char format[kInfoBoxTextSize];
    GetInfoFormat("messageInfoBoxEqt", kEqtFormat, format, sizeof format);
    std::snprintf(text, size, format, hours, minutes,
                  object.dec >= 0.0 ? '+' : '-', dms.degrees, dms.minutes);
    char part[kInfoBoxTextSize];
    if (object.magnitude != kNoValue) {
        GetInfoFormat("messageInfoBoxMag", kMagFormat, format, sizeof format);
        std::snprintf(part, sizeof part, format, object.magnitude);
        Append(text, size, " ");
        Append(text, size, part);
    }
    if (object.size != kNoValue) {
        const bool whole = object.size >= 10.0;
        GetInfoFormat(whole ? "messageInfoBoxSize0" : "messageInfoBoxSize1",
                      whole ? kSize0Format : kSize1Format, format, sizeof format);
        std::snprintf(part, sizeof part, format, object.size);
        Append(text, size, " ");
        Append(text, size, part);
    }
    return 1;
}

void FormatRiseSetTime(int found, double jd, double zone, char* text)
{
    if (found == 0) {
        std::snprintf(text, kRiseSetTextSize, "%s", kNoTime);
        return;
    }
    DateTime local{};
    DateFromJulianDay(jd + zone / 24.0, local);
    int hour = local.hour;
    int minute = local.minute;
    if (local.second >= 30.0) {
        ++minute;
        if (minute == 60) {
            minute = 0;
            ++hour;
        }
    }
    std::snprintf(text, kRiseSetTextSize, "%02d:%02d", hour, minute);
}

void GetInfoBoxDistances(const Scene& scene, int32_t type, int32_t id, double& delta, double& r)
{
    delta = 0.0;
    r = 0.0;
    if (type != kObjectSolarBody) {
        return;
    }
    const OrbitalElements* elements = nullptr;
    const SmallBodyRecord* record = nullptr;
    if (IsSmallBody(scene, id, elements, record)) {
        delta = record->distance;
        r = record->helioDistance;
    } else if (id == kSunId) {
        delta = scene.sun.distance;
    } else if (id == kEarthId) {
        r = scene.sun.distance;
    } else if (id >= 0 && id < kPlanetCount) {
        delta = scene.planets[id].distance;
        r = scene.planets[id].helioDistance;
    }
}

int ComposeClickDataInfo(Scene& scene, const InfoBoxFont& font, InfoBoxLines& lines)
{
    lines.pieces.clear();
    const PickedObject& picked = scene.pickedObject;
    if (picked.picked == 0 || ObjectExists(scene, picked.type, picked.id) == 0) {
        return 0;
    }
    const int32_t type = picked.type;
    const int32_t id = picked.id;
    InfoBoxObject object{};
    ResetObject(object);
    ComposeObject(scene, type, id, object);

    InfoBoxPiece& name = AddPiece(lines, 0, kColorBlack, 0);
    std::snprintf(name.text, sizeof name.text, "%s", object.name);
    InfoBoxPiece& place = AddPiece(lines, 1, kColorBlack, 0);
    const int earth = type == kObjectSolarBody && id == kEarthId ? 1 : 0;
    if (FormatInfoBoxEqtMag(object, earth, place.text, sizeof place.text) == 0) {
        place.color = kColorGrayText;
    }
    InfoBoxPiece& riseSet = AddPiece(lines, 2, kColorBlack, 0);
    ComposeRiseSet(scene, type, id, object, riseSet.text, sizeof riseSet.text);
    ComposeHorizontalLine(scene, type, id, object, font, lines);
    char clickText[kPickedTextSize];
    int hasImage = 0;
    if (FindClickDataText(scene, type, id, clickText, sizeof clickText, hasImage) != 0 &&
        clickText[0] != '\0') {
        InfoBoxPiece& click = AddPiece(lines, 4, kColorBlack, 0);
        CopyWholeCharacters(click.text, sizeof click.text, clickText);
    }
    return 1;
}
