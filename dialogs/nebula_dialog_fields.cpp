#include "dialogs/nebula_dialog_fields.h"

#include "dialogs/kit/command_text.h"
#include "sky/scene.h"

#include <array>

const ToggleRow kNebulaToggles[kNebulaToggleCount] = {
    {"ToggleNebula", "NEBULA"},
    {"ToggleNebulaLabel", "NEBULA_NAME"},
    {"ToggleNebulaMag", "NEBULA_MAG"},
    {"ToggleNebulaMessier", "MESSIER"},
    {"ToggleNebulaNGC", "NGC"},
    {"ToggleNebulaIC", "IC"},
    {"ToggleNebulaGlobular", "GLOBE"},
    {"ToggleNebulaPlanetary", "PLANETARY"},
    {"ToggleNebulaOpenCluster", "OPEN"},
    {"ToggleNebulaDiffuse", "DIFFUSE"},
    {"ToggleNebulaGalaxy", "GALAXY"},
    {"ToggleNebulaCompound", "COMPOUND"},
};

namespace {

// Showing a catalogue or a type shows the layer, and hiding the last one
// hides it: the layer's own statement comes last.
constexpr std::array<int, kNebulaToggleCount> kCommandOrder = {3, 4, 5, 6, 7, 8, 9, 10, 11, 2, 1, 0};

bool OutsideRange(double magnitude)
{
    return magnitude < kNebulaLimitLowest || magnitude > kNebulaLimitHighest;
}

}  // namespace

NebulaDialogValues ReadNebulaDialogValues(const Scene& scene)
{
    NebulaDialogValues values;
    values.toggles = ReadDisplayOptions(scene, kNebulaToggles, kNebulaToggleCount);
    values.limitOn = scene.mag.nebulaBoundsInUse != 0;
    values.faint = scene.mag.nebulaFaint / 10.0;
    values.bright = scene.mag.nebulaBright / 10.0;
    return values;
}

NebulaLimitRefusal CheckNebulaLimit(const NebulaDialogValues& values)
{
    if (!values.limitOn) {
        return kNebulaLimitAccepted;
    }
    if (values.faint < values.bright) {
        return kNebulaLimitMinMax;
    }
    if (OutsideRange(values.faint) || OutsideRange(values.bright)) {
        return kNebulaLimitRange;
    }
    return kNebulaLimitAccepted;
}

void ComposeNebulaCommand(const NebulaDialogValues& values, CommandText& command)
{
    for (const int toggle : kCommandOrder) {
        AddStatement(command, "%s %s", values.toggles[static_cast<size_t>(toggle)] != 0 ? "SHOW" : "HIDE",
                     kNebulaToggles[toggle].keyword);
    }
    if (values.limitOn) {
        AddStatement(command, "MAG NEBULAMIN %.1f", values.faint);
        AddStatement(command, "MAG NEBULAMAX %.1f", values.bright);
    }
    AddStatement(command, "MAG NEBULALIMIT %d", values.limitOn ? 1 : 0);
    AddStatement(command, "DRIVE");
}
