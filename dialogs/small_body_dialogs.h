// The comet and minor-planet dialogs of the Object menu: choose objects
// from an element file, choose what is shown of each, and load them in
// place of those loaded before. The two are one dialog built from their
// kind (dialogs/small_body_dialogs_fields.h); they share one search prompt.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog on first use from its element file (a missing file
// says so and builds nothing, so the next call tries again), lists the
// file anew when it changed, marks the objects loaded now with their
// flags, and shows it. Its OK loads the chosen objects in place of those
// loaded before, in list order, each with the flags chosen for it; a read
// of many shows the progress gauge, whose Cancel keeps what was read.
void ShowCometDialog(Scene* scene);
void ShowMPlanetDialog(Scene* scene);

// The dialog of a kind, or null before it was built; for the tests.
Widget CometDialogWidget();
Widget MPlanetDialogWidget();
