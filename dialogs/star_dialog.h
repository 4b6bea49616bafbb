// The star dialog "StarDialog" (Object > Star...): stars and their limit,
// the star labels and theirs, the star catalogue and the Guide Star
// Catalog's root. OK runs STARDATA, then the display options and limits.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog at the first call, fills it from the Scene and shows it.
void ShowStarDialog(Scene* scene);

// The dialog widget; null until first shown.
Widget StarDialogWidget();
