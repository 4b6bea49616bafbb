// The statements of a saved script: what rebuilds the scene after INIT.
// Every flag byte is written against what INIT leaves in it, so a scene just
// after INIT writes no SHOW or HIDE line at all.
#include "command/script_writer.h"

#include "astro/coordinates.h"
#include "astro/sun_event_lock.h"
#include "command/display_commands.h"
#include "core/keywords.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/catalog/target_parser.h"
#include "sky/catalog/user_object_files.h"
#include "sky/scene.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr uint8_t kGridStyleBits = 0x03;
constexpr uint8_t kMilkyWayLowBits = 0x03;   // not switched by any keyword
constexpr uint8_t kNebulaBit = 0x01;
constexpr uint8_t kSaoStarsBit = 32;
constexpr uint8_t kGscStarsBit = 64;
constexpr int32_t kTrackingState = 2;

// The layers' flag groups after the nebulae, in the order they are written.
constexpr int kLayerGroups[] = {
    kGroupStars,         kGroupStarLabels, kGroupSkyAndGround, kGroupHorizontalGrid,
    kGroupEquatorialGrids, kGroupOtherGrids, kGroupLineNumbers,  kGroupGridNumbers,
    kGroupSkyMarks,      kGroupPictureMarks, kGroupUserObjects,
};

// The scene as INIT leaves it: the flag bytes are written against it.
const Scene& InitialScene()
{
    static const Scene initial = [] {
        Scene scene{};
        ResetScene(scene);
        return scene;
    }();
    return initial;
}

// One line of a verb naming the given bits that have a name, in bit order.
// Each name is copied into the line before the next is asked for, so a name
// may live in a buffer that the next call overwrites.
template <typename NameOf>
void WriteNamedBits(ScriptText& out, const char* verb, uint8_t bits, NameOf nameOf)
{
    std::string line;
    for (int bit = 1; bit < 0x100; bit <<= 1) {
        const char* name = (bits & bit) != 0 ? nameOf(bit) : nullptr;
        if (name != nullptr) {
            line += (line.empty() ? std::string(verb) + " " : std::string(", ")) + name;
        }
    }
    if (!line.empty()) {
        AddScriptStatement(out, "%s", line.c_str());
    }
}

// SHOW for the bits set in flags and clear in defaults, then HIDE for the
// reverse.
template <typename NameOf>
void WriteShowHide(ScriptText& out, uint8_t flags, uint8_t defaults, NameOf nameOf)
{
    WriteNamedBits(out, "SHOW", static_cast<uint8_t>(flags & ~defaults), nameOf);
    WriteNamedBits(out, "HIDE", static_cast<uint8_t>(defaults & ~flags), nameOf);
}

// A group of ObjectKeywordTable against INIT's byte, some bits left out.
void WriteFlagGroup(const Scene& scene, ScriptText& out, int group, uint8_t leftOut = 0)
{
    const auto mask = static_cast<uint8_t>(~leftOut);
    StkWriteFlagCommands(out, *StkGroupFlagByte(scene, group) & mask,
                         *StkGroupFlagByte(InitialScene(), group) & mask, group, ObjectKeywordTable);
}

void WriteSmallBodies(const Scene& scene, ScriptText& out)
{
    const struct {
        const char* word;
        int32_t count;
        const OrbitalElements* elements;
    } lists[] = {{"COMET", scene.cometCount, scene.cometElements},
                 {"MINORPLANET", scene.mplanetCount, scene.mplanetElements}};
    for (const auto& list : lists) {
        for (int32_t i = 0; i < list.count; ++i) {
            const std::string label = ScriptObjectLabel(list.elements[i]);
            if (label.empty()) {
                out.refused = true;   // nothing to find it by when read back
            }
            AddScriptStatement(out, "%s \"%s\"", list.word, QuotedScriptText(out, label.c_str()));
        }
    }
}

// Place, time system and date, in this order: LOCATE runs in standard
// time, as INIT leaves it, and so takes its zone as the site's; the date
// comes last, so that its clock is read in the zone it was written in
// (LOCATE would move the clock of a date in local mean time to the new
// site's zone).
void WritePlaceAndDate(const Scene& scene, ScriptText& out, int form)
{
    const ObserverLocation& site = scene.time.location;
    AddScriptStatement(out, "LOCATE %7.3f%c, %6.3f%c, %f, %.0f, \"%s\"", std::fabs(site.longitude),
                       site.longitude < 0.0 ? 'W' : 'E', std::fabs(site.latitude),
                       site.latitude >= 0.0 ? 'N' : 'S', scene.siteZone, site.height,
                       QuotedScriptText(out, scene.siteName));
    const char* timeSystem = StkKeywordName(TimeSystemKeywordTable, scene.timeSystem);
    if (scene.timeSystem != kTimeSystemLst && timeSystem != nullptr) {
        AddScriptStatement(out, "TIMESYS %s", timeSystem);
    }
    if (form == kScriptFormScene) {
        const DateTime& d = scene.time.date;
        AddScriptStatement(out, "DATE %d,%d,%d,%d,%d,%f,%.3f", d.year, d.month, d.day, d.hour, d.minute,
                           d.second, d.zone);
    }
}

void WriteStepAndLock(const Scene& scene, ScriptText& out)
{
    const DateInterval& step = scene.timeStep;
    AddScriptStatement(out, "PERIOD %d,%d,%d,%d,%d,%f", step.years, step.months, step.days, step.hours,
                       step.minutes, step.seconds);
    const int32_t value = scene.animation.sunEventValue;
    switch (scene.animation.sunEventLock) {
    case kSunLockSunriseMinutes: AddScriptStatement(out, "STIME SUNRISE %dMIN", value); break;
    case kSunLockSunsetMinutes: AddScriptStatement(out, "STIME SUNSET %dMIN", value); break;
    case kSunLockRisingAltitude: AddScriptStatement(out, "STIME SUNRISE %dDEG", value); break;
    case kSunLockSettingAltitude: AddScriptStatement(out, "STIME SUNSET %dDEG", value); break;
    default: AddScriptStatement(out, "STIME NONE"); break;
    }
}

void WriteModeAndView(const Scene& scene, ScriptText& out)
{
    const char* mode = StkKeywordName(ModeKeywordTable, scene.viewMode);
    if (mode == nullptr) {
        out.refused = true;
        return;
    }
    AddScriptStatement(out, "MODE %s", mode);
    AddScriptStatement(out, "SOL_OFFSET %f,%f,%f", scene.solarOrigin[0], scene.solarOrigin[1],
                       scene.solarOrigin[2]);
    const ViewGeometry& view = scene.view;
    switch (ViewFrameOf(scene.viewMode)) {
    case kFrameHrz:
        AddScriptStatement(out, "VIEW CENTER HRZ %f, %f", view.hrzCentreAzimuth, view.hrzCentreAltitude);
        break;
    case kFrameEqtDate:
        AddScriptStatement(out, "VIEW CENTER EQT_DATE %f, %f", view.centreLongitude / 15.0, view.centreLatitude);
        break;
    case kFrameEcl:
        AddScriptStatement(out, "VIEW CENTER ECL %f, %f", view.centreLongitude, view.centreLatitude);
        break;
    case kFrameGal:
        AddScriptStatement(out, "VIEW CENTER GAL %f, %f", view.centreLongitude, view.centreLatitude);
        break;
    default:
        break;
    }
    AddScriptStatement(out, "VIEW ANGLE %f", view.fieldOfView);
    AddScriptStatement(out, "VIEW SOL %f", view.solarViewWidth);
}

// The tracked target by its reference, or by its frame and coordinates;
// the reader takes right ascension in hours in all three equatorial frames.
void WriteTrack(const Scene& scene, ScriptText& out)
{
    if (scene.centring != kTrackingState) {
        return;
    }
    const int32_t type = scene.targetType & ~kRecentreTarget;
    char reference[kObjectCommandTextSize];
    if (FormatObjectCommandText(scene, type, scene.targetId, reference) != 0) {
        AddScriptStatement(out, "TRACK %s", reference);
        return;
    }
    if (!IsCoordFrame(type) && type != kObjectScreen) {
        return;   // no place a statement can name
    }
    const bool equatorial = type == kFrameEqt || type == kFrameEqtB1950 || type == kFrameEqtDate;
    AddScriptStatement(out, "TRACK %s %7.3f, %7.3f", StkKeywordName(TargetKeywordTable, type),
                       equatorial ? scene.targetLongitude / 15.0 : scene.targetLongitude, scene.targetLatitude);
}

void WriteStarsAndMagnitudes(const Scene& scene, ScriptText& out, int form)
{
    if (scene.mirror != 0) {
        AddScriptStatement(out, "MIRROR %d", scene.mirror);
    }
    const uint8_t stars = scene.displayFlags[kFlagStars];
    if ((stars & kSaoStarsBit) != 0) {
        AddScriptStatement(out, "STARDATA SAO");
    } else if ((stars & kGscStarsBit) != 0) {
        AddScriptStatement(out, "STARDATA GSC");
    }
    if (form == kScriptFormScene) {
        AddScriptStatement(out, "MAG STAR %4.1f", scene.mag.starLimit / 10.0);
    }
    AddScriptStatement(out, "MAG STARNAME %4.1f", scene.mag.starLabelLimit / 10.0);
    if (scene.view.starSize / 10 != 0) {
        AddScriptStatement(out, "STARSIZE %d", scene.view.starSize / 10);
    }
}

bool AllEqual(const uint8_t* flags, int32_t count)
{
    for (int32_t i = 1; i < count; ++i) {
        if (flags[i] != flags[0]) {
            return false;
        }
    }
    return true;
}

// The Earth's byte as the PLANET lines leave it: they switch the Earth too.
uint8_t EarthAfterPlanetLines(const Scene& scene, uint8_t planets, uint8_t defaults, uint8_t earth)
{
    for (int bit = 1; bit < 0x100; bit <<= 1) {
        if (StkSolarObjectKeyword(scene, kAllPlanetsId, bit) == nullptr) {
            continue;
        }
        if ((planets & bit) != 0 && (defaults & bit) == 0) {
            earth = static_cast<uint8_t>(earth | bit);
        } else if ((planets & bit) == 0 && (defaults & bit) != 0) {
            earth = static_cast<uint8_t>(earth & ~bit);
        }
    }
    return earth;
}

// The Sun, the Moon, the planets and the Earth; the outline (Sun, Moon) and
// enlarged-disk (planets) bit is written as OUTLINE or DISK.
void WriteSolarBodies(const Scene& scene, ScriptText& out)
{
    const Scene& initial = InitialScene();
    constexpr auto kOther = static_cast<uint8_t>(~kBodyOutline);
    const struct {
        int32_t id;
        uint8_t flags, defaults;
        const char* name;
    } luminaries[] = {{kSunId, scene.sunFlags, initial.sunFlags, "SUN"},
                      {kMoonId, scene.moonFlags, initial.moonFlags, "MOON"}};
    for (const auto& body : luminaries) {
        StkWriteBodyFlagCommands(scene, out, body.flags & kOther, body.defaults & kOther, body.id);
        if ((body.flags & kBodyOutline) != 0) {
            AddScriptStatement(out, "OUTLINE %s", body.name);
        }
    }

    const uint8_t planetDefaults = initial.planetFlags[0] & kOther;
    uint8_t earthDefaults = initial.earthFlags;
    if (AllEqual(scene.planetFlags, kPlanetCount)) {
        const uint8_t planets = scene.planetFlags[0] & kOther;
        StkWriteBodyFlagCommands(scene, out, planets, planetDefaults, kAllPlanetsId);
        if ((scene.planetFlags[0] & kBodyOutline) != 0) {
            AddScriptStatement(out, "DISK PLANET");
        }
        earthDefaults = EarthAfterPlanetLines(scene, planets, planetDefaults, earthDefaults);
    } else {
        for (int32_t id = 0; id < kPlanetCount; ++id) {
            StkWriteBodyFlagCommands(scene, out, scene.planetFlags[id] & kOther, planetDefaults, id);
        }
        for (int32_t id = 0; id < kPlanetCount; ++id) {
            if ((scene.planetFlags[id] & kBodyOutline) != 0) {
                AddScriptStatement(out, "DISK %s", SolarBodyKeyword(id));
            }
        }
    }
    StkWriteBodyFlagCommands(scene, out, scene.earthFlags, earthDefaults, kEarthId);
    AddScriptStatement(out, "DISK_MAG %d", scene.diskMagnitude);
}

// Comets or minor planets, against the byte an object gets when the script
// loads it, shown bit included, so that a hidden one is read back hidden;
// one line for all of them when they are alike.
void WriteSmallBodyFlags(const Scene& scene, ScriptText& out, const uint8_t* flags,
                         const SmallBodyRecord* places, int32_t count, uint8_t loaded, int32_t allId,
                         int32_t firstId)
{
    bool alike = AllEqual(flags, count);
    for (int32_t i = 1; alike && i < count; ++i) {
        alike = places[i].kind == places[0].kind;
    }
    if (count > 0 && alike) {
        StkWriteBodyFlagCommands(scene, out, flags[0], loaded, allId);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        StkWriteBodyFlagCommands(scene, out, flags[i], loaded, firstId + i);
    }
}

void WriteNebulae(const Scene& scene, ScriptText& out)
{
    const MagnitudeLimits& mag = scene.mag;
    AddScriptStatement(out, "MAG NEBULAMIN %4.1f", mag.nebulaFaint / 10.0);
    AddScriptStatement(out, "MAG NEBULAMAX %4.1f", mag.nebulaBright / 10.0);
    if (mag.nebulaBoundsInUse != 1) {
        AddScriptStatement(out, "MAG NEBULALIMIT 0");
    }
    WriteFlagGroup(scene, out, kGroupNebulae);
    // Showing a type or a catalogue shows the nebulae as well.
    if ((scene.displayFlags[kFlagNebulae] & kNebulaBit) != 0) {
        WriteFlagGroup(scene, out, kGroupNebulaTypes);
        WriteFlagGroup(scene, out, kGroupNebulaCatalogues);
    }
}

}  // namespace

void StkWriteFlagCommands(ScriptText& out, uint8_t flags, uint8_t defaults, int group,
                          const KeywordEntry* table)
{
    WriteShowHide(out, flags, defaults, [&](int bit) { return StkKeywordName(table, group << 8 | bit); });
}

void StkWriteBodyFlagCommands(const Scene& scene, ScriptText& out, uint8_t flags, uint8_t defaults,
                              int32_t id)
{
    WriteShowHide(out, flags, defaults, [&](int bit) { return StkSolarObjectKeyword(scene, id, bit); });
}

void StkWriteSceneState(const Scene& scene, ScriptText& out, int form)
{
    WriteSmallBodies(scene, out);
    WritePlaceAndDate(scene, out, form);
    WriteStepAndLock(scene, out);
    WriteModeAndView(scene, out);
    WriteTrack(scene, out);
    WriteStarsAndMagnitudes(scene, out, form);
    WriteSolarBodies(scene, out);
    WriteFlagGroup(scene, out, kGroupJovianMoons);
    WriteSmallBodyFlags(scene, out, scene.cometFlags, scene.cometPositions, scene.cometCount, kNewCometFlags,
                        kAllCometsId, kCometIdBase);
    WriteSmallBodyFlags(scene, out, scene.mplanetFlags, scene.mplanetPositions, scene.mplanetCount,
                        kNewMinorPlanetFlags, kAllMinorPlanetsId, kMinorPlanetIdBase);
    WriteFlagGroup(scene, out, kGroupConstellations);
    WriteFlagGroup(scene, out, kGroupMilkyWay, kMilkyWayLowBits);
    WriteNebulae(scene, out);
    for (int group : kLayerGroups) {
        WriteFlagGroup(scene, out, group, group == kGroupGridNumbers ? kGridStyleBits : 0);
    }
    const int32_t style = scene.displayFlags[kFlagGridNumbers] & kGridStyleBits;
    if (style != 0) {
        AddScriptStatement(out, "GRID %s", StkKeywordName(GridKeywordTable, style));
    }
}

void StkWriteCommands(const Scene& scene, ScriptText& out, int form)
{
    AddScriptStatement(out, "INIT");
    WriteFlagGroup(scene, out, kGroupStatusBar);
    // One LOAD AD line per loaded user-object file, in load order, so that
    // the running indexes of their objects come back the same.
    for (int32_t i = 0; i < scene.userObjectFileCount; ++i) {
        AddScriptStatement(out, "LOAD AD, \"%s\"", QuotedScriptText(out, scene.userObjectFiles[i].path));
    }
    StkWriteSceneState(scene, out, form);
    const AnimationState& run = scene.animation;
    if (run.running != 0) {
        AddScriptStatement(out, "REALTIME %d,%d,%d", run.realTimeMode, run.synchronised != 0 ? 1 : 0,
                           run.interval);
        AddScriptStatement(out, "CONTINUE");
    } else {
        AddScriptStatement(out, "DRIVE");
    }
    const int32_t offset = scene.mag.starOffset;
    if (form == kScriptFormDefault && offset != 0) {
        AddScriptStatement(out, "%s STAR %.1f", offset > 0 ? "INCMAG" : "DECMAG", std::abs(offset) / 10.0);
        AddScriptStatement(out, "DRIVE");
    }
}
