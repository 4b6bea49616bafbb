#include "dialogs/toggle_dialogs_fields.h"

#include "core/keywords.h"
#include "core/view_modes.h"
#include "dialogs/kit/command_text.h"
#include "sky/scene.h"

namespace {

constexpr int kGridRowCount = 6;
constexpr int kGridModeBits = 3;

// Grid: per coordinate system its line, its grid and the grid's scale;
// then the solar-system axes.
const ToggleRow kGridToggles[] = {
    {"ToggleEqt2000", "EQT_2000"}, {"ToggleEqt2000Grid", "EQT_GRID_2000"},
    {"ToggleEqt2000GridNum", "EQT_GRID_2000_NUM"},
    {"ToggleEqt1950", "EQT_1950"}, {"ToggleEqt1950Grid", "EQT_GRID_1950"},
    {"ToggleEqt1950GridNum", "EQT_GRID_1950_NUM"},
    {"ToggleEqtDate", "EQT_DATE"}, {"ToggleEqtDateGrid", "EQT_GRID_DATE"},
    {"ToggleEqtDateGridNum", "EQT_GRID_DATE_NUM"},
    {"ToggleEcl", "ECL"},          {"ToggleEclGrid", "ECL_GRID"},
    {"ToggleEclGridNum", "ECL_GRID_NUM"},
    {"ToggleGal", "GAL"},          {"ToggleGalGrid", "GAL_GRID"},
    {"ToggleGalGridNum", "GAL_GRID_NUM"},
    {"ToggleHrz", "MERIDIAN"},     {"ToggleHrzGrid", "HRZ_GRID"},
    {"ToggleHrzGridNum", "HRZ_GRID_NUM"},
    {"ToggleSolGrid", "SOL_GRID"},
};
const char* const kGridRowLabels[kGridRowCount] = {"LabelEqt2000", "LabelEqt1950", "LabelEqtDate",
                                                   "LabelEcl",     "LabelGal",     "LabelHrz"};
// A scale is written on its grid's lines.
const DependentToggle kGridDependents[] = {
    {2, 1, kAnyView},   {5, 4, kAnyView},   {8, 7, kAnyView},          {11, 10, kAnyView},
    {14, 13, kAnyView}, {17, 16, kAnyView}, {18, -1, kSolarSystemViewOnly},
};
const RadioRow kGridModes[] = {
    {"RadioMode10", 0}, {"RadioMode05", 1}, {"RadioMode02", 2}, {"RadioMode01", 3}};

const ToggleRow kJoviSatToggles[] = {
    {"ToggleShow", "JMOON"}, {"ToggleName", "JMOON_NAME"}, {"ToggleNumber", "JMOON_NO"}};
const DependentToggle kJoviSatDependents[] = {{1, 0, kAnyView}, {2, 0, kAnyView}};

const ToggleRow kConstToggles[] = {
    {"ToggleConstLine", "CONS_LINE"}, {"ToggleConstAbbr", "CONS_NAME1"},
    {"ToggleConstName", "CONS_NAME2"}, {"ToggleConstBoundary", "CONS_LIMIT"}};

const ToggleRow kSunToggles[] = {{"ToggleSun", "SUN"},
                                  {"ToggleSunName", "SUN_NAME"},
                                  {"ToggleSunDate", "SUN_DATE"},
                                  {"ToggleSunOutline", "SUN"}};
const ToggleRow kMoonToggles[] = {{"ToggleMoon", "MOON"},
                                   {"ToggleMoonName", "MOON_NAME"},
                                   {"ToggleMoonDate", "MOON_DATE"},
                                   {"ToggleMoonOutline", "MOON"}};
// The solar-system views draw the Sun and the Moon as points only.
const DependentToggle kBodyDependents[] = {
    {1, 0, kAnyView}, {2, 0, kAnyView}, {3, 0, kOutsideSolarSystemView}};

bool ViewAllows(ViewCondition condition, int32_t viewMode)
{
    switch (condition) {
    case kSolarSystemViewOnly: return IsSolarSystemView(viewMode);
    case kOutsideSolarSystemView: return !IsSolarSystemView(viewMode);
    default: return true;
    }
}

bool HasOutline(const ToggleDialogTable& table)
{
    return table.outlineBody != kNoOutlineBody;
}

int ShowHideCount(const ToggleDialogTable& table)
{
    return table.toggleCount - (HasOutline(table) ? 1 : 0);
}

uint8_t BodyFlags(const Scene& scene, int32_t body)
{
    return body == kSunId ? scene.sunFlags : scene.moonFlags;
}

std::string ShowHideText(int set, const char* keyword)
{
    return std::string(set != 0 ? "SHOW " : "HIDE ") + keyword;
}

void AddGridMode(const ToggleDialogTable& table, const ToggleDialogValues& values, CommandText& command)
{
    const char* style = StkKeywordName(GridKeywordTable, values.gridMode);
    if (table.gridModes != nullptr && values.gridMode >= 0 && style != nullptr) {
        AddText(command, "GRID %s", style);
    }
}

}  // namespace

std::string GridShowHideText(int set, const char* keyword)
{
    return ShowHideText(set, keyword);
}

std::string JoviSatShowHideText(int set, const char* keyword)
{
    return ShowHideText(set, keyword);
}

std::string ConstShowHideText(int set, const char* keyword)
{
    return ShowHideText(set, keyword);
}

std::string SunShowHideText(int set, const char* keyword)
{
    return ShowHideText(set, keyword);
}

std::string MoonShowHideText(int set, const char* keyword)
{
    return ShowHideText(set, keyword);
}

const ToggleDialogTable kGridDialog = {
    "GridDialog", "GridRowColumn", "RCGridCtrl", "TimeStepButtons", kGridToggles, 19,
    kGridDependents, 7, false, "RCGridLine", kGridRowLabels, 18, kGridModes, 4, kNoOutlineBody,
    GridShowHideText,
};
const ToggleDialogTable kJoviSatDialog = {
    "JoviSatDialog", "JoviSatRowColumn", "RCJoviSat", "JoviSatButtons", kJoviSatToggles, 3,
    kJoviSatDependents, 2, false, nullptr, nullptr, 0, nullptr, 0, kNoOutlineBody,
    JoviSatShowHideText,
};
const ToggleDialogTable kConstDialog = {
    "ConstDialog", "ConstRowColumn", "RCConst", "ConstButtons", kConstToggles, 4,
    nullptr, 0, false, nullptr, nullptr, 0, nullptr, 0, kNoOutlineBody, ConstShowHideText,
};
const ToggleDialogTable kSunDialog = {
    "SunDialog", "SunRowColumn", "RCSun", "SunButtons", kSunToggles, 4,
    kBodyDependents, 3, true, nullptr, nullptr, 0, nullptr, 0, kSunId, SunShowHideText,
};
const ToggleDialogTable kMoonDialog = {
    "MoonDialog", "MoonRowColumn", "RCMoon", "MoonButtons", kMoonToggles, 4,
    kBodyDependents, 3, true, nullptr, nullptr, 0, nullptr, 0, kMoonId, MoonShowHideText,
};

ToggleDialogValues ReadToggleDialogValues(const ToggleDialogTable& table, const Scene& scene)
{
    ToggleDialogValues values;
    values.toggles = ReadDisplayOptions(scene, table.toggles, ShowHideCount(table));
    if (HasOutline(table)) {
        values.toggles.push_back((BodyFlags(scene, table.outlineBody) & kBodyOutline) != 0 ? 1 : 0);
    }
    if (table.gridModes != nullptr) {
        values.gridMode = scene.displayFlags[kFlagGridNumbers] & kGridModeBits;
    }
    return values;
}

std::vector<int> ToggleSensitivity(const ToggleDialogTable& table, const std::vector<int>& toggles,
                                   int32_t viewMode)
{
    std::vector<int> sensitive(static_cast<size_t>(table.toggleCount), 1);
    for (int i = 0; i < table.dependentCount; ++i) {
        const DependentToggle& rule = table.dependents[i];
        const bool controllerSet =
            rule.controller < 0 || toggles[static_cast<size_t>(rule.controller)] != 0;
        sensitive[static_cast<size_t>(rule.toggle)] =
            controllerSet && ViewAllows(rule.view, viewMode) ? 1 : 0;
    }
    return sensitive;
}

void ComposeToggleDialogCommand(const ToggleDialogTable& table, const ToggleDialogValues& values,
                                CommandText& command)
{
    for (int i = 0; i < ShowHideCount(table); ++i) {
        if (table.gridModes != nullptr && i == table.rowToggleCount) {
            AddGridMode(table, values, command);
        }
        const std::string text =
            table.showHideText(values.toggles[static_cast<size_t>(i)], table.toggles[i].keyword);
        if (table.joined && i > 0) {
            AddStatement(command, "%s", text.c_str());
        } else {
            AddText(command, "%s", text.c_str());
        }
    }
    if (HasOutline(table)) {
        const int last = table.toggleCount - 1;
        AddText(command, "%s %s", values.toggles[static_cast<size_t>(last)] != 0 ? "OUTLINE" : "REAL",
                table.toggles[last].keyword);
    }
    AddText(command, "DRIVE");
}
