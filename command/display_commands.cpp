// SHOW, HIDE, TOGGLE, GRID, OUTLINE, REAL, DISK, DISK_MAG, LOAD and UNLOAD:
// the display options of the layers and the solar-system bodies, and the
// data files loaded on request.
#include "command/display_commands.h"

#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "core/app_env.h"
#include "core/keywords.h"
#include "core/message_box.h"
#include "core/string_utils.h"
#include "core/user_directory.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/catalog/user_object_files.h"
#include "sky/font_sets.h"
#include "sky/picking.h"
#include "sky/scene.h"
#include "sky/ui_hooks.h"

#include <cstdio>

namespace {

constexpr int kArgumentCount = 10;

constexpr uint8_t kNebulaBit = 0x01;
constexpr uint8_t kNebulaTypeBits = 0x7B;       // PLANETARY .. COMPOUND
constexpr uint8_t kNebulaCatalogueBits = 0x07;  // MESSIER, NGC, IC
constexpr uint8_t kMeteorBit = 0x08;
constexpr uint8_t kBothMeteorBits = 0x10 | 0x20; // SWMETEOR, SCMETEOR
constexpr uint8_t kGridStyleBits = 0x03;

constexpr int32_t kSmallestDiskMagnification = 1;
constexpr int32_t kLargestDiskMagnification = 500;

constexpr int32_t kFileTypeUserObjects = 5;
constexpr size_t kLoaderMessageSize = 256;

// The toolbar buttons that show a display option: a change of the bit in
// the group refreshes the button.
struct ToolbarOption {
    int group;
    uint8_t bit;
    int button;
};

constexpr ToolbarOption kToolbarOptions[] = {
    {kGroupConstellations, 0x02, kToolbarConsname},
    {kGroupConstellations, 0x08, kToolbarConsline},
    {kGroupNebulae, 0x01, kToolbarNebula},
    {kGroupSkyAndGround, 0x01, kToolbarDaylight},
    {kGroupHorizontalGrid, 0x01, kToolbarGridHrz},
    {kGroupEquatorialGrids, 0x04, kToolbarGridEqt},
    {kGroupTrace, 0x01, kToolbarTrace},
    {kGroupMilkyWay, 0x04, kToolbarMilkyway},
    {kGroupPictureMarks, 0x01, kToolbarPicMark},
};

void RefreshToolbarOf(Scene& scene, int group, uint8_t bits)
{
    for (const ToolbarOption& option : kToolbarOptions) {
        if (option.group == group) {
            UiUpdateToolbarButtonIfEqual(scene, bits, option.bit, option.button);
        }
    }
}

void ApplyToByte(uint8_t& flags, uint8_t mask, int operation)
{
    flags = ApplyBitOp(flags, mask, operation);
}

// A keyword of ObjectKeywordTable applied to its group's byte, with what
// the group does besides.
void ApplyObjectKeyword(Scene& scene, int32_t value, int operation)
{
    const int group = (value >> 8) & 0xff;
    const auto bits = static_cast<uint8_t>(value & 0xff);
    uint8_t* flags = StkGroupFlagByte(scene, group);
    if (flags == nullptr) {
        return;
    }
    if (group == kGroupSkyAndGround && bits == kMeteorBit) {
        ApplyToByte(*flags, kBothMeteorBits, operation);
        return;
    }
    ApplyToByte(*flags, bits, operation);
    RefreshToolbarOf(scene, group, bits);
    if (group == kGroupNebulaTypes || group == kGroupNebulaCatalogues) {
        uint8_t& nebulae = scene.displayFlags[kFlagNebulae];
        if (operation == kFlagSet) {
            nebulae |= kNebulaBit;
        }
        // With every type or every catalogue switched off no nebula is
        // left to draw.
        if ((scene.displayFlags[kFlagNebulaTypes] & kNebulaTypeBits) == 0 &&
            (scene.displayFlags[kFlagNebulaCatalogues] & kNebulaCatalogueBits) == 0) {
            nebulae = static_cast<uint8_t>(nebulae & ~kNebulaBit);
        }
        RefreshToolbarOf(scene, kGroupNebulae, kNebulaBit);
    }
    if (group == kGroupStatusBar) {
        scene.view.skyRect.y = static_cast<short>((scene.statusLine & 1) != 0 ? StatusLineHeight() : 0);
    }
}

// The BodyFlags byte of one body; null for an id that names none now.
uint8_t* BodyFlagByte(Scene& scene, int32_t id)
{
    if (id >= kCometIdBase && id < kCometIdBase + scene.cometCount) {
        return scene.cometFlags != nullptr ? &scene.cometFlags[id - kCometIdBase] : nullptr;
    }
    if (id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount) {
        return scene.mplanetFlags != nullptr ? &scene.mplanetFlags[id - kMinorPlanetIdBase] : nullptr;
    }
    if (id >= 0 && id < kPlanetCount) {
        return &scene.planetFlags[id];
    }
    switch (id) {
    case kEarthId: return &scene.earthFlags;
    case kSunId: return &scene.sunFlags;
    case kMoonId: return &scene.moonFlags;
    default: return nullptr;
    }
}

void ApplyToList(uint8_t* flags, int32_t count, uint8_t bit, int operation)
{
    for (int32_t i = 0; flags != nullptr && i < count; ++i) {
        ApplyToByte(flags[i], bit, operation);
    }
}

void ApplyBodyKeyword(Scene& scene, int32_t id, int32_t bit, int operation)
{
    const auto mask = static_cast<uint8_t>(bit);
    switch (id) {
    case kAllPlanetsId:
        ApplyToList(scene.planetFlags, kPlanetCount, mask, operation);
        ApplyToByte(scene.earthFlags, mask, operation);
        break;
    case kAllCometsId: ApplyToList(scene.cometFlags, scene.cometCount, mask, operation); return;
    case kAllMinorPlanetsId: ApplyToList(scene.mplanetFlags, scene.mplanetCount, mask, operation); return;
    default:
        if (uint8_t* flags = BodyFlagByte(scene, id)) {
            ApplyToByte(*flags, mask, operation);
        }
        break;
    }
    // The Planetname button shows the names of the Earth and the planets.
    if (id == kAllPlanetsId || id == kEarthId || (id >= 0 && id < kPlanetCount)) {
        UiUpdateToolbarButtonIfEqual(scene, bit, kBodyName, kToolbarPlanetname);
    }
}

void ShowHideArguments(Scene& scene, char* const* args, int operation)
{
    if (args[0] == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return;
    }
    for (int i = 0; i < kArgumentCount; ++i) {
        if (args[i] != nullptr && StkShowHideObject(scene, args[i], operation) == 0) {
            return;
        }
    }
}

// OUTLINE, REAL and DISK: each name resolved to a body and handed to the
// command's own action, which refuses the bodies it has nothing for.
using BodyAction = bool (*)(Scene& scene, int32_t id);

void ApplyToBodies(Scene& scene, char* const* args, BodyAction action)
{
    if (args[0] == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return;
    }
    for (int i = 0; i < kArgumentCount; ++i) {
        if (args[i] == nullptr) {
            continue;
        }
        int32_t id = 0;
        if (FindSolarBodyByName(scene, args[i], id) == 0 || !action(scene, id)) {
            StkSetError("stkErrorIllegalParam", args[i]);
            return;
        }
    }
}

bool IsPlanet(int32_t id)
{
    return id >= 0 && id < kPlanetCount;
}

bool OutlineBody(Scene& scene, int32_t id)
{
    if (id != kSunId && id != kMoonId) {
        return false;
    }
    *BodyFlagByte(scene, id) |= kBodyOutline;
    return true;
}

bool RealBody(Scene& scene, int32_t id)
{
    if (id == kAllPlanetsId) {
        for (uint8_t& flags : scene.planetFlags) {
            flags = static_cast<uint8_t>(flags & ~kBodyOutline);
        }
        return true;
    }
    if (id != kSunId && id != kMoonId && !IsPlanet(id)) {
        return false;
    }
    uint8_t& flags = *BodyFlagByte(scene, id);
    flags = static_cast<uint8_t>(flags & ~kBodyOutline);
    return true;
}

// The enlarged disk needs the planet's apparent diameter, which only a
// fresh computation gives.
void EnlargePlanet(Scene& scene, int32_t planet)
{
    scene.planetFlags[planet] |= kBodyOutline;
    scene.planets[planet].julianDay = kNeverJulianDay;
}

bool DiskBody(Scene& scene, int32_t id)
{
    if (id == kAllPlanetsId) {
        for (int32_t planet = 0; planet < kPlanetCount; ++planet) {
            EnlargePlanet(scene, planet);
        }
        return true;
    }
    if (!IsPlanet(id)) {
        return false;
    }
    EnlargePlanet(scene, id);
    return true;
}

// Looks a LOAD or UNLOAD file type up; refused when missing or unknown.
bool FileType(char* text, int32_t& type)
{
    if (StkLookupKeyword(text, FileTypeKeywordTable, type) == 0) {
        StkSetError("stkErrorIllegalParam", text);
        return false;
    }
    return true;
}

// The body part of a solar-object keyword; false when the id names none.
bool BodyWord(const Scene& scene, int32_t id, char* out, size_t size)
{
    if (id >= kCometIdBase && id < kCometIdBase + scene.cometCount) {
        std::snprintf(out, size, "COMET%d", id - kCometIdBase + 1);
    } else if (id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount) {
        std::snprintf(out, size, "MINORPLANET%d", id - kMinorPlanetIdBase + 1);
    } else if (id == kAllPlanetsId || id == kAllCometsId || id == kAllMinorPlanetsId) {
        static const char* const kGroups[] = {"PLANET", "COMET", "MINORPLANET"};
        std::snprintf(out, size, "%s", kGroups[id - kAllPlanetsId]);
    } else if (id >= kEarthId && id < kPlanetCount) {
        std::snprintf(out, size, "%s", SolarBodyKeyword(id));
    } else {
        return false;
    }
    return true;
}

const char* SuffixOf(int32_t bit)
{
    switch (bit) {
    case kBodyShown: return "";
    case kBodyName: return "_NAME";
    case kBodyMagnitude: return "_MAG";
    case kBodyDate: return "_DATE";
    case kBodyOrbit: return "_OBT";
    default: return nullptr;
    }
}

}  // namespace

uint8_t* StkGroupFlagByte(Scene& scene, int group)
{
    switch (group) {
    case kGroupJovianMoons: return &scene.jovianMoonFlags;
    case kGroupStars: return &scene.displayFlags[kFlagStars];
    case kGroupConstellations: return &scene.displayFlags[kFlagConstellations];
    case kGroupNebulae: return &scene.displayFlags[kFlagNebulae];
    case kGroupNebulaTypes: return &scene.displayFlags[kFlagNebulaTypes];
    case kGroupNebulaCatalogues: return &scene.displayFlags[kFlagNebulaCatalogues];
    case kGroupSkyAndGround: return &scene.displayFlags[kFlagSkyAndGround];
    case kGroupGridNumbers: return &scene.displayFlags[kFlagGridNumbers];
    case kGroupHorizontalGrid: return &scene.displayFlags[kFlagHorizontalGrid];
    case kGroupEquatorialGrids: return &scene.displayFlags[kFlagEquatorial];
    case kGroupOtherGrids: return &scene.displayFlags[kFlagOtherGrids];
    case kGroupLineNumbers: return &scene.displayFlags[kFlagLineNumbers];
    case kGroupTrace: return &scene.trace;
    case kGroupUserObjects: return &scene.displayFlags[kFlagUserObjects];
    case kGroupStatusBar: return &scene.statusLine;
    case kGroupStarLabels: return &scene.displayFlags[kFlagStarLabels];
    case kGroupMilkyWay: return &scene.displayFlags[kFlagMilkyWay];
    case kGroupSkyMarks: return &scene.displayFlags[kFlagSkyMarks];
    case kGroupPictureMarks: return &scene.displayFlags[kFlagPictureMarks];
    default: return nullptr;
    }
}

int StkShowHideObject(Scene& scene, char* keyword, int operation)
{
    int32_t value = 0;
    if (StkLookupKeyword(keyword, ObjectKeywordTable, value) != 0) {
        ApplyObjectKeyword(scene, value, operation);
        return 1;
    }
    int32_t id = 0;
    int32_t bit = 0;
    if (StkParseSolarObjectKeyword(scene, keyword, id, bit) == 0) {
        StkSetError("stkErrorIllegalParam", keyword);
        return 0;
    }
    ApplyBodyKeyword(scene, id, bit, operation);
    return 1;
}

int StkDisplayOptionShown(const Scene& scene, const char* keyword)
{
    // Only read: the menus and the toolbar ask with constant keywords.
    int32_t value = 0;
    if (StkMatchWord(keyword, ObjectKeywordTable, value) != 0) {
        const int group = (value >> 8) & 0xff;
        auto bits = static_cast<uint8_t>(value & 0xff);
        if (group == kGroupSkyAndGround && bits == kMeteorBit) {
            bits = kBothMeteorBits;
        }
        const uint8_t* flags = StkGroupFlagByte(scene, group);
        return flags == nullptr ? -1 : ((*flags & bits) == bits ? 1 : 0);
    }
    int32_t id = 0;
    int32_t bit = 0;
    if (StkParseSolarObjectKeyword(scene, keyword, id, bit) == 0) {
        return -1;
    }
    // The byte finder serves SHOW and HIDE too; here it is only read.
    const uint8_t* flags = BodyFlagByte(const_cast<Scene&>(scene), id);
    return flags == nullptr ? -1 : ((*flags & bit) != 0 ? 1 : 0);
}

const char* StkSolarObjectKeyword(const Scene& scene, int32_t id, int32_t bit)
{
    static char keyword[kSolarKeywordSize + 8];   // room for the longest suffix
    char body[kSolarKeywordSize];
    if (!BodyWord(scene, id, body, sizeof body)) {
        return nullptr;
    }
    const bool comet = id == kAllCometsId || (id >= kCometIdBase && id < kCometIdBase + scene.cometCount);
    if (comet && (bit == kBodySpotOrDustTail || bit == kBodyIonTail)) {
        const char* tail = bit == kBodyIonTail ? "IONTAIL" : "DUSTTAIL";
        if (id == kAllCometsId) {
            std::snprintf(keyword, sizeof keyword, "%s", tail);
        } else {
            std::snprintf(keyword, sizeof keyword, "%s%d", tail, id - kCometIdBase + 1);
        }
        return keyword;
    }
    if (id == kSunId && bit == kBodySpotOrDustTail) {
        std::snprintf(keyword, sizeof keyword, "SUN_SPOT");
        return keyword;
    }
    const char* suffix = SuffixOf(bit);
    // The Sun and the Moon have neither a magnitude label nor an orbit.
    const bool sunOrMoon = id == kSunId || id == kMoonId;
    if (suffix == nullptr || (sunOrMoon && (bit == kBodyMagnitude || bit == kBodyOrbit))) {
        return nullptr;
    }
    std::snprintf(keyword, sizeof keyword, "%s%s", body, suffix);
    return keyword;
}

void CmdShow(Scene& scene, char* const* args)
{
    ShowHideArguments(scene, args, kFlagSet);
}

void CmdHide(Scene& scene, char* const* args)
{
    ShowHideArguments(scene, args, kFlagClear);
}

void CmdToggle(Scene& scene, char* const* args)
{
    ShowHideArguments(scene, args, kFlagToggle);
}

void CmdGrid(Scene& scene, char* a1)
{
    int32_t style = 0;
    if (StkLookupKeyword(a1, GridKeywordTable, style) == 0) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    uint8_t& numbers = scene.displayFlags[kFlagGridNumbers];
    numbers = static_cast<uint8_t>((numbers & ~kGridStyleBits) | style);
}

void CmdOutline(Scene& scene, char* const* args)
{
    ApplyToBodies(scene, args, OutlineBody);
}

void CmdReal(Scene& scene, char* const* args)
{
    ApplyToBodies(scene, args, RealBody);
}

void CmdDisk(Scene& scene, char* const* args)
{
    ApplyToBodies(scene, args, DiskBody);
}

void CmdDiskMag(Scene& scene, char* a1)
{
    int32_t magnification = 0;
    if (StkIntegerArgument(a1, magnification) == 0) {
        return;
    }
    if (a1 == nullptr || magnification < kSmallestDiskMagnification ||
        magnification > kLargestDiskMagnification) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    scene.diskMagnitude = magnification;
}

namespace {

// The file of LOAD and UNLOAD with "~" expanded; a name that would not fit
// a path is refused, never cut.
bool ExpandedFileName(const char* name, char (&path)[kPathSize])
{
    if (ExpandTilde(name, path, sizeof path) == nullptr) {
        StkSetError("stkErrorIllegalParam", name);
        return false;
    }
    return true;
}

// What a loader tells the user about a file it refused, in a box, also
// while the command port runs the statement.
void TellLoaderMessage(const char* message)
{
    if (message[0] != '\0') {
        ShowMessageBox(gAppEnv->toplevel, message, kMessageBoxWarning);
    }
}

void LoadClickDataFile(Scene& scene, const char* path, char* message, size_t size)
{
    if (LoadClickData(scene, path, message, size) == 0) {
        return;
    }
    CopyCut(gAppEnv->clickDataFile, sizeof gAppEnv->clickDataFile, path);
    // The information box's Image button follows the new click data.
    UiUpdateInfoBoxButtons(scene);
}

}  // namespace

void CmdLoad(Scene& scene, char* a1, char* a2, char*, char*)
{
    int32_t type = 0;
    if (!FileType(a1, type)) {
        return;
    }
    if (a2 == nullptr) {
        StkSetError("stkErrorIllegalParam", type == kFileTypeUserObjects ? a1 : nullptr);
        return;
    }
    char message[kLoaderMessageSize];
    if (type == kFileTypeUserObjects) {
        char path[kPathSize];
        if (!ExpandedFileName(a2, path)) {
            return;
        }
        LoadUserObjectFile(scene, path, scene.userObjectFiles, scene.userObjectFileCount, message,
                           sizeof message);
    } else {
        // The click data are read from the name as it was given, "~" and all.
        LoadClickDataFile(scene, a2, message, sizeof message);
    }
    TellLoaderMessage(message);
}

// UNLOAD AD releases one user-object file or, without a name, all of them;
// the click data stay until another file is loaded.
void CmdUnload(Scene& scene, char* a1, char* a2, char*, char*)
{
    int32_t type = 0;
    if (!FileType(a1, type) || type != kFileTypeUserObjects) {
        return;
    }
    char path[kPathSize];
    if (a2 == nullptr) {
        FreeUserObjectFiles(scene);
    } else if (ExpandedFileName(a2, path)) {
        UnloadUserObjectFile(scene, path);
    }
}
