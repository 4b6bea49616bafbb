#include "dialogs/center_pickers_fields.h"

#include "astro/body_ids.h"
#include "core/app_env.h"
#include "core/view_modes.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_object_files.h"
#include "sky/layers/user_object_layer.h"
#include "sky/scene.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kEarthRow = 3;
constexpr char kNebulaLetters[] = "MNI";

std::vector<std::string> SortedNames(std::vector<const char*> names,
                                     bool (*compare)(const char*, const char*))
{
    std::sort(names.begin(), names.end(), compare);
    return {names.begin(), names.end()};
}

// LOOK of one name after the word that says where to find it: LOOK AD
// "name", LOOK SKYMARK "name".
CenterChoice LookNamed(const char* word, const std::string& name)
{
    CenterChoice choice;
    AddText(choice.command, "LOOK %s \"%s\"", word, CheckedName(choice.command, "LOOK", name.c_str()));
    return choice;
}

// LOOK and BLINK of one object reference, in one text.
CenterChoice LookAndBlink(const char* reference)
{
    CenterChoice choice;
    AddText(choice.command, "LOOK %s", reference);
    AddStatement(choice.command, "BLINK %s", reference);
    return choice;
}

}  // namespace

const int32_t kCenterPlanetIds[kCenterPlanetCount] = {kMercury, kVenus,  kEarthId,
                                                       kMars,    kJupiter, kSaturn,
                                                       kUranus,  kNeptune, kPluto};

bool CompareStarNames(const char* a, const char* b)
{
    return std::strcmp(a, b) < 0;
}

bool CompareConstNames(const char* a, const char* b)
{
    return std::strcmp(a, b) < 0;
}

std::vector<std::string> SortedStarNames()
{
    std::vector<const char*> names;
    for (const StarNameRecord& record : StarNameTable) {
        names.push_back(record.displayName);
    }
    return SortedNames(names, CompareStarNames);
}

std::vector<std::string> SortedConstellationNames()
{
    std::vector<const char*> names;
    for (int32_t row = 0; row < kConstellationCount; ++row) {
        names.push_back(ConstellationTable[row].displayName);
    }
    return SortedNames(names, CompareConstNames);
}

CenterChoice CenterStarChoice(const std::string& name)
{
    CenterChoice choice;
    const char* checked = CheckedName(choice.command, "LOOK", name.c_str());
    AddText(choice.command, "LOOK STAR \"%s\"", checked);
    AddStatement(choice.command, "BLINK \"%s\"", checked);
    return choice;
}

CenterChoice CenterConstChoice(const std::string& name)
{
    CenterChoice choice;
    AddText(choice.command, "LOOK CONS \"%s\"", CheckedName(choice.command, "LOOK", name.c_str()));
    return choice;
}

CenterChoice CenterNebulaChoice(int catalogue, int32_t number)
{
    CenterChoice choice;
    int32_t index = 0;
    char designation[16];
    if (catalogue >= 0 && catalogue <= 2) {
        std::snprintf(designation, sizeof designation, "%c%d", kNebulaLetters[catalogue], number);
    }
    if (catalogue < 0 || catalogue > 2 || FindNebulaByDesignation(designation, index) == 0) {
        choice.warningKey = "messageNoSuchANebula";
        return choice;
    }
    char reference[24];
    std::snprintf(reference, sizeof reference, "NEBULA %s", designation);
    return LookAndBlink(reference);
}

CenterChoice CenterPlanetChoice(const Scene& scene, int position)
{
    if (position < 1 || position > kCenterPlanetCount) {
        return {};
    }
    if (position == kEarthRow && !IsSolarSystemView(scene.viewMode)) {
        CenterChoice refused;
        refused.warningKey = "messageCenterEarthOnNonSol";
        return refused;
    }
    return LookAndBlink(SolarBodyKeyword(kCenterPlanetIds[position - 1]));
}

CenterChoice CenterJoviSatChoice(const Scene& scene, int position)
{
    if (position < 1 || position > 4 || IsSolarSystemView(scene.viewMode)) {
        return {};
    }
    return LookAndBlink(SolarBodyKeyword(kFirstJovianMoonId + position - 1));
}

CenterChoice CenterSmallBodyChoice(const char* word, int position)
{
    char reference[32];
    std::snprintf(reference, sizeof reference, "%s%d", word, position);
    return LookAndBlink(reference);
}

std::vector<std::string> NamedUserObjects(const UserObjectFile* files, int32_t count)
{
    std::vector<std::string> names;
    for (int32_t f = 0; f < count; ++f) {
        for (const UserObject* record = files[f].objects;
             record != nullptr && record->kind != kUserObjectArrayEnd; ++record) {
            if (record->name[0] != '\0') {
                names.emplace_back(record->name);
            }
        }
    }
    return names;
}

std::vector<std::string> FillCenterUserObjectList(const Scene& scene)
{
    if ((scene.displayFlags[kFlagUserObjects] & kMarksShownFlag) == 0) {
        return {};
    }
    return NamedUserObjects(scene.userObjectFiles, scene.userObjectFileCount);
}

std::vector<std::string> FillCenterSkyMarkList()
{
    return NamedUserObjects(gAppEnv->skyMarks, gAppEnv->skyMarkCount);
}

CenterChoice CenterUserObjectChoice(const std::string& name)
{
    return LookNamed("AD", name);
}

CenterChoice CenterSkyMarkChoice(const std::string& name)
{
    return LookNamed("SKYMARK", name);
}
