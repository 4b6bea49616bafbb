// Pointer and keys on the sky: a click of button 1 picks the object under
// the pointer and shows it in the information box, a drag pans the sky so
// that the point grabbed follows the pointer, button 2 opens the pictures
// near the pointer (button 3 posts the popup of popup_menu.h); the arrow
// keys scroll and with Shift change the star limit. The three X actions the drawing area's
// translations bind to keys and the wheel end in command text as
// everything else does.
#pragma once

#include <X11/Intrinsic.h>

#include <cstddef>

struct Scene;

// A press and release closer than this in both axes is a click.
constexpr int kDragThreshold = 6;

// Registers OpenCommandDialog, ScrollWindow and StkDoit. Called by start-up
// before the main window is built, so its translations find them.
void RegisterActions(XtAppContext app);

// ButtonPress, ButtonRelease and Button1Motion on "DrawingArea".
// Given:    client  the Scene
void DrawingAreaPointerHandler(Widget widget, XtPointer client, XEvent* event, Boolean* dispatch);

// KeyRelease on "DrawingArea": the arrows with no modifier scroll, with
// Shift the Up and Down arrows change the star limit; the keys handled
// are not dispatched further.
void DrawingAreaKeyHandler(Widget widget, XtPointer client, XEvent* event, Boolean* dispatch);

// Pans the view so that the sky point under `x, y` moves to it plus the
// delta.
void PanViewByDrag(Scene* scene, int x, int y, int dx, int dy);

// The command of a pan, touching no widget.
// Given:    scene       view mode, centre, time; the view as last set up
//           x, y        the point grabbed
//           dx, dy      how far it moved
// Returned: text        "TRACK OFF;LOOK <frame> <longitude>,<latitude>"
//           1 composed; 0 when either end is off the sky or the view has
//           no frame to look in
int PanCommand(const Scene& scene, int x, int y, int dx, int dy, char* text, size_t size);

// The command of a key released over the sky.
// Given:    keysym  the key (index 0)
//           state   the event's modifier state
// Returned: the fixed text of a Shift+Up or Shift+Down, null otherwise
const char* ShiftKeyCommand(unsigned long keysym, unsigned int state);

// The scroll of an arrow key with no modifier.
// Returned: 1 vertical or 0 horizontal, and kind (ScrollKind); -1 when the
//           key does not scroll (another key, or any modifier bit held:
//           Caps Lock and Num Lock too)
int ArrowKeyScroll(unsigned long keysym, unsigned int state, int& kind);
