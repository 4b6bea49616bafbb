// The nebula dialog "NebulaDialog" (Object > Nebula/Galaxy...): the
// deep-sky layer, its labels and magnitudes, the catalogues, the object
// types and an optional magnitude window, sent as one command text.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog at the first call, fills it from the Scene and shows it.
void ShowNebulaDialog(Scene* scene);

// The dialog widget; null until first shown.
Widget NebulaDialogWidget();
