// The family of small toggle dialogs (Grid, Jovian satellites,
// constellations, Sun, Moon), each described by one table: its toggles and
// the keywords they send, which toggles wait for others or for the view,
// and the commands it adds (the grid style, the Sun's and Moon's outline).
// Plain functions over the tables; the widgets are in
// dialogs/toggle_dialogs.
#pragma once

#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/display_toggles.h"

#include <cstdint>
#include <string>
#include <vector>

struct CommandText;
struct Scene;

// What a dependent toggle needs of the view besides its controlling toggle.
enum ViewCondition : int {
    kAnyView = 0,
    kSolarSystemViewOnly,    // SOL_GRID
    kOutsideSolarSystemView, // the Sun's and Moon's outline
};

// A toggle sensitive only while another is set and the view allows it.
struct DependentToggle {
    int toggle;        // index in the dialog's toggles
    int controller;    // index of the toggle it waits for; -1 none
    ViewCondition view;
};

// The text of one toggle: "SHOW keyword" when set is not 0, else "HIDE
// keyword"; each dialog has its own.
using ShowHideTextFunction = std::string (*)(int set, const char* keyword);

std::string GridShowHideText(int set, const char* keyword);
std::string JoviSatShowHideText(int set, const char* keyword);
std::string ConstShowHideText(int set, const char* keyword);
std::string SunShowHideText(int set, const char* keyword);
std::string MoonShowHideText(int set, const char* keyword);

struct ToggleDialogTable {
    const char* name;            // "GridDialog"
    const char* rowColumnName;   // "GridRowColumn"
    const char* controlsName;    // "RCGridCtrl"
    const char* buttonsName;     // "TimeStepButtons"
    const ToggleRow* toggles;    // in the order of their commands
    int toggleCount;
    const DependentToggle* dependents;
    int dependentCount;
    bool joined;                 // the SHOW and HIDE statements as one text
    // The grid rows: toggles 0 .. rowToggleCount - 1 stand in rows of
    // three under a label each, in the row-column gridRowsName.
    const char* gridRowsName;    // null: the toggles stand in one column
    const char* const* rowLabels;
    int rowToggleCount;
    const RadioRow* gridModes;   // the grid style, sent after the row toggles; null none
    int gridModeCount;
    // The last toggle sends OUTLINE or REAL for this body instead of SHOW
    // or HIDE; kNoOutlineBody none.
    int32_t outlineBody;
    ShowHideTextFunction showHideText;
};

constexpr int32_t kNoOutlineBody = 1000;

extern const ToggleDialogTable kGridDialog;
extern const ToggleDialogTable kJoviSatDialog;
extern const ToggleDialogTable kConstDialog;
extern const ToggleDialogTable kSunDialog;
extern const ToggleDialogTable kMoonDialog;

// What a dialog shows.
struct ToggleDialogValues {
    std::vector<int> toggles;    // the table's toggles, 1 set or 0
    int32_t gridMode = -1;       // grid style 0..3; -1 none chosen
};

ToggleDialogValues ReadToggleDialogValues(const ToggleDialogTable& table, const Scene& scene);

// Which toggles can be changed now: a dependent one only while its
// controller is set and the view mode allows it, every other always.
// Returned: one value per toggle, 1 sensitive or 0
std::vector<int> ToggleSensitivity(const ToggleDialogTable& table, const std::vector<int>& toggles,
                                   int32_t viewMode);

// OK's commands: SHOW or HIDE for every toggle, insensitive ones too, each a
// text of its own or all in one (joined); "GRID style" after the grid rows
// when a style is chosen; OUTLINE or REAL for the outline body; "DRIVE".
void ComposeToggleDialogCommand(const ToggleDialogTable& table, const ToggleDialogValues& values,
                                CommandText& command);
