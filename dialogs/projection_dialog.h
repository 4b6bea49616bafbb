// The projection dialog "ProjectionDialog" (View > Projection...): the view
// mode chosen as a projection and a coordinate frame. OK runs
// "MODE keyword; DRIVE".
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog at the first call, fills it from the Scene's view mode
// and shows it.
void ShowProjectionDialog(Scene* scene);

// The dialog widget; null until first shown.
Widget ProjectionDialogWidget();
