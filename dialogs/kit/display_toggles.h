// Toggles that stand for display options: each names the SHOW/HIDE keyword
// it sends, so one table fills the toggles from the Scene and turns them
// back into commands. Plain functions; the widgets are in
// dialogs/kit/choice_groups.h.
#pragma once

#include <vector>

struct CommandText;
struct Scene;

// One toggle of a group.
struct ToggleRow {
    const char* name;      // widget name, "ToggleNebulaMag"
    const char* keyword;   // display option it shows, "NEBULA_MAG"
};

// Whether each option of the table is on in the Scene (StkDisplayOptionShown);
// an option without a flag of its own reads as off.
// Returned: one value per row, 1 on or 0 off
std::vector<int> ReadDisplayOptions(const Scene& scene, const ToggleRow* rows, int count);

// One statement per toggle, in table order: "SHOW keyword" when its value is
// not 0, else "HIDE keyword", added to the last text of the command.
void AddShowHideStatements(CommandText& command, const ToggleRow* rows,
                           const std::vector<int>& values);
