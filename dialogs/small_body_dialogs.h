// The comet and minor-planet dialogs of the Object menu: choose objects
// from an element file, choose what is shown of each, and load them in
// place of those loaded before. The two are one dialog built from their
// kind (dialogs/small_body_dialogs_fields.h); they share one search prompt.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct ElementList;
struct Scene;

// Builds the dialog on first use from its element file, read once for the
// run (a missing file says so and builds nothing, so the next call tries
// again), marks the objects loaded now with their flags, and shows it. Its
// OK loads the chosen objects in place of those loaded before, in list
// order, each with the flags chosen for it; a read of many shows the
// progress gauge, whose Cancel keeps what was read.
void ShowCometDialog(Scene* scene);
void ShowMPlanetDialog(Scene* scene);

// The comet dialog's callbacks; client data the Scene.
// OK: hides the dialog and loads the chosen objects (see above), then DRIVE.
void CometDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
// Cancel: hides the dialog; the choices stay in its entries until the next
// Show.
void CometDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
// Clear: every entry back to the default flags, nothing selected, every
// toggle off and insensitive.
void CometClearButtonCallback(Widget widget, XtPointer client, XtPointer call);
// Search...: the search prompt over this dialog's list (ShowCometSearchDialog).
void CometSearchButtonCallback(Widget widget, XtPointer client, XtPointer call);
// The list's extended selection: the toggles show the selected entries'
// flags, a flag they differ on indeterminate; all but Show can be pressed
// only while every selected entry is shown.
void CometListSelectionCallback(Widget widget, XtPointer client, XtPointer call);
// A toggle pressed: its flag set or cleared on every selected entry.
// Given:    client  the toggle's index, 0 Show to 6 Dust Tail
void CometToggleCallback(Widget widget, XtPointer client, XtPointer call);

// The minor-planet dialog's twins of the comet dialog's callbacks.
void MPlanetDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
void MPlanetDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);
void MPlanetClearButtonCallback(Widget widget, XtPointer client, XtPointer call);
void MPlanetSearchButtonCallback(Widget widget, XtPointer client, XtPointer call);
void MPlanetListSelectionCallback(Widget widget, XtPointer client, XtPointer call);
void MPlanetToggleCallback(Widget widget, XtPointer client, XtPointer call);

// The search prompt "CometSearchDialog" the two dialogs share, built on
// the first dialog that asks, showing the text searched last in this list.
// Given:    parent          the dialog asking
//           list            its list widget
//           rememberedText  its last search text; OK keeps the text searched
//                           there (its first 127 bytes)
//           entries         its entries, whose names and second names are
//                           searched
// The four are kept for the prompt's callbacks: they must live as long.
void ShowCometSearchDialog(Widget parent, Widget list, std::string& rememberedText,
                           const ElementList& entries);
// The prompt's OK: from the entry below the top visible one (below the one
// selected, when one is), wrapping round, the first whose name or second
// name holds the text, case ignored, becomes the top item, selected, and
// the prompt goes; no match leaves it up.
void CometSearchDialogOkCallback(Widget widget, XtPointer client, XtPointer call);
// The prompt's Cancel: hides it.
void CometSearchDialogCancelCallback(Widget widget, XtPointer client, XtPointer call);

// The dialog of a kind, or null before it was built; for the tests.
Widget CometDialogWidget();
Widget MPlanetDialogWidget();
