// The Sun-event lock part of the date dialog, the row-column "StimeRC":
// the toggle that locks the time of day, the minutes, before or after, and
// sunrise or sunset. The controls are sensitive exactly while the lock is on.
#pragma once

#include "dialogs/date_dialog_fields.h"

#include <X11/Intrinsic.h>

// Builds the part in parent, once.
void CreateStimePart(Widget parent);

// Sets the controls from the values, without notifying, and their
// sensitivity from the lock.
void FillStimePart(const SunLockValues& values);

// The values the controls hold now.
SunLockValues StimePartValues();
