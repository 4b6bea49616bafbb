// What the nebula dialog shows and sends: the deep-sky display options and
// the magnitude window, read from the Scene and turned into one command
// text. Plain functions; the widgets are in dialogs/nebula_dialog.
#pragma once

#include "dialogs/kit/display_toggles.h"

#include <vector>

struct CommandText;
struct Scene;

constexpr int kNebulaToggleCount = 12;

// The toggles in the dialog's order: the layer, its labels and
// magnitudes, the catalogues, the object types.
extern const ToggleRow kNebulaToggles[kNebulaToggleCount];

// Magnitudes the window may take, and the arrows' narrower range.
constexpr double kNebulaLimitLowest = -2.0;
constexpr double kNebulaLimitHighest = 18.0;
constexpr double kNebulaArrowHighest = 15.0;

struct NebulaDialogValues {
    std::vector<int> toggles;   // kNebulaToggles order, 1 on or 0 off
    bool limitOn = false;       // "Limit by Maginitude"
    double faint = 0.0;         // Min.: the faintest nebula drawn, in magnitudes
    double bright = 0.0;        // Max.: the brightest (the fields' numbers,
                                // GetTextFieldDouble; shown "%.1f")
};

NebulaDialogValues ReadNebulaDialogValues(const Scene& scene);

// Why the magnitude window was refused.
enum NebulaLimitRefusal {
    kNebulaLimitAccepted = 0,
    kNebulaLimitMinMax,    // Max. fainter than Min.
    kNebulaLimitRange,     // a bound outside kNebulaLimitLowest..kNebulaLimitHighest
};

// The window checked, while it is on; off, any values pass.
NebulaLimitRefusal CheckNebulaLimit(const NebulaDialogValues& values);

// One text: SHOW or HIDE for the catalogues, the types, the magnitudes, the
// labels and last the layer (so that the layer ends as the toggle says,
// whatever showing a type did to it), the window ("MAG NEBULALIMIT 0;", or
// its bounds and "MAG NEBULALIMIT 1;"), then DRIVE; off, the bounds are not
// sent. CheckNebulaLimit says first whether the window may go.
void ComposeNebulaCommand(const NebulaDialogValues& values, CommandText& command);
