// The Sun-event lock part of the date dialog, the row-column "StimeRC":
// the toggle that locks the time of day, the minutes, before or after, and
// sunrise or sunset. The controls are sensitive exactly while the lock is on.
#pragma once

#include "dialogs/date_dialog_fields.h"

#include <X11/Intrinsic.h>

#include <cstddef>

struct Scene;

// Builds the part in parent, once.
void CreateStimePart(Widget parent);

// Sets the controls from the values, without notifying, and their
// sensitivity from the lock.
void FillStimePart(const SunLockValues& values);

// The values the controls hold now.
SunLockValues StimePartValues();

// The STIME text of OK from the controls (ComposeStimeText), or the text of
// the refusal's message.
// Given:    size  of text; the date dialog passes 256 bytes
// Returned: text  the STIME text, or the message to show
//           1 accepted, 0 refused
int MakeStimeCommand(Scene* scene, char* text, size_t size);
