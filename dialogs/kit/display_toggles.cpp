#include "dialogs/kit/display_toggles.h"

#include "command/display_commands.h"
#include "dialogs/kit/command_text.h"

std::vector<int> ReadDisplayOptions(const Scene& scene, const ToggleRow* rows, int count)
{
    std::vector<int> values(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        values[static_cast<size_t>(i)] = StkDisplayOptionShown(scene, rows[i].keyword) == 1 ? 1 : 0;
    }
    return values;
}

void AddShowHideStatements(CommandText& command, const ToggleRow* rows,
                           const std::vector<int>& values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        AddStatement(command, "%s %s", values[i] != 0 ? "SHOW" : "HIDE", rows[i].keyword);
    }
}
