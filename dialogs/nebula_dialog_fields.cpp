#include "dialogs/nebula_dialog_fields.h"

#include "dialogs/kit/command_text.h"
#include "dialogs/kit/number_text.h"
#include "sky/scene.h"

#include <array>
#include <cfloat>

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
    values.faint = TenthsText(scene.mag.nebulaFaint);
    values.bright = TenthsText(scene.mag.nebulaBright);
    return values;
}

NebulaLimitRefusal CheckNebulaLimit(const NebulaDialogValues& values)
{
    double faint = 0.0;
    double bright = 0.0;
    if (!values.limitOn || ReadRealText(values.faint.c_str(), -DBL_MAX, DBL_MAX, faint) == 0 ||
        ReadRealText(values.bright.c_str(), -DBL_MAX, DBL_MAX, bright) == 0) {
        return kNebulaLimitAccepted;
    }
    if (faint < bright) {
        return kNebulaLimitMinMax;
    }
    if (OutsideRange(faint) || OutsideRange(bright)) {
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
    double faint = 0.0;
    double bright = 0.0;
    if (values.limitOn && (CheckedReal(command, "EditMagMinLimit", values.faint, faint) == 0 ||
                           CheckedReal(command, "EditMagMaxLimit", values.bright, bright) == 0)) {
        return;
    }
    if (values.limitOn) {
        AddStatement(command, "MAG NEBULAMIN %.1f", faint);
        AddStatement(command, "MAG NEBULAMAX %.1f", bright);
    }
    AddStatement(command, "MAG NEBULALIMIT %d", values.limitOn ? 1 : 0);
    AddStatement(command, "DRIVE");
}
