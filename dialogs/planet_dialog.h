// The planet dialog "PlanetDialog" (Object > Planet...): the display flags
// of the planets and the Earth, edited for one planet or a selection of
// them at once, and the disk magnification DISK_MAG.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog at the first call, fills its working table from the
// Scene, selects the first planet and shows it.
void ShowPlanetDialog(Scene* scene);

// The dialog widget; null until first shown.
Widget PlanetDialogWidget();
