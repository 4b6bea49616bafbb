// The date dialog "DateDialog": the Scene's date and clock time, and the
// lock that holds the time of day at a Sun event while the date changes.
// Opened by Settings > Date/Time..., the toolbar's SetDate and INPUT DATE.
// OK runs DATE, STIME and DRIVE. The order of the date rows follows the
// Scene's date style when the dialog is first shown, and stays for the run.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog at the first call, fills it from the Scene and shows it.
void ShowDateDialog(Scene* scene);

// The dialog widget; null until first shown.
Widget DateDialogWidget();
