// "What's Today": a modeless window tabulating, for the Scene's date and
// site, the date, Julian day and site, the Sun's and the Moon's events and
// the rise, meridian and set of the planets and of up to eight comets and
// minor planets. While shown it follows every redraw, so a date or site
// changed by any command shows in it. Its texts come from
// dialogs/today_dialog_fields.h.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// The Options menu's toggle: builds the window on first use; hides it when
// shown, else fills it from the Scene and shows it.
void ToggleTodayDialog(Scene* scene);

// After every redraw: fills the window again when it is shown.
void RefreshTodayDialog(Scene* scene);

// Fills every value label from the Scene.
void UpdateTodayDialog(Scene* scene);

// Sets a label's text.
void SetLabelText(Widget label, const char* text);

// Activate callback of ButtonClose (and the window manager's close): hides
// the window.
void TodayDialogCloseCallback(Widget widget, XtPointer client, XtPointer call);
