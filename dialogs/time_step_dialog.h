// The time-step dialog "TimeStepDialog": how the animation moves the date,
// in real time (from the system clock, or from the current setting onward)
// or by a calendar step. Opened by Settings > Time Step..., the toolbar's
// SetStep and INPUT PERIOD. OK runs REALTIME and PERIOD; it does not redraw.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog at the first call, fills it from the Scene and shows it.
void ShowTimeStepDialog(Scene* scene);

// The dialog widget; null until first shown.
Widget TimeStepDialogWidget();
