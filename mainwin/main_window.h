// The main window: menu bar, toolbar, the sky drawing area and the two
// scroll bars that pan the view. Scrolling is an ordinary command: each
// scroll-bar step becomes a LOOK command text in the view's frame.
#pragma once

#include <X11/Intrinsic.h>

#include <cstddef>

struct Scene;

// Scroll kinds of the scroll routines.
enum ScrollKind {
    kScrollDecrement = 1,
    kScrollIncrement = 2,
    kScrollPageDecrement = 3,
    kScrollPageIncrement = 4,
    kScrollDrag = 5,
};

// Builds "Main" with "MenuBar", "DrawingArea", "VScroll", "HScroll" and the
// toolbar form on the toplevel shell, stores the widgets in the Scene and
// installs the scroll-bar callbacks (client data: the Scene). Called once by
// start-up before the shell is realized.
void CreateMainWindow(Scene* scene);

// Sets both scroll bars' ranges and sliders from the Scene's view mode and
// centre, and clears the Scene's view-mode-changed flag. The vertical bar is
// removed in the whole-sky maps and the planisphere.
void UpdateScrollBars(Scene* scene);

// One step of a scroll bar: sets the bar's slider and runs the LOOK command.
// Given:    kind   a ScrollKind
//           value  the slider value for kScrollDrag (ignored for the others)
void ScrollHorizontal(Scene* scene, int kind, int value);
void ScrollVertical(Scene* scene, int kind, int value);

// The command text and new slider value of one scroll step, without
// touching any widget.
// Given:    scene       view mode, centre, field of view
//           vertical    0 the horizontal bar, 1 the vertical one
//           kind, value as for ScrollHorizontal
//           size        size of text in bytes
// Returned: text        the LOOK command, empty when the mode has no frame
//                       to scroll in
//           sliderValue the bar's new value
void ScrollCommand(const Scene& scene, int vertical, int kind, int value, char* text, size_t size,
                   int& sliderValue);

// Window-manager hints of the shell with only the minimum size: 120 wide,
// and high enough for some sky below the bars at that width (at least 160).
// Called once the shell is realized and laid out.
void SetWmNormalHints(Widget shell);

// Sets the window-manager icon of the toplevel shell, 48 x 48 or 32 x 32 as
// the window manager's icon sizes admit.
// Returned: 1 when an icon was set
int SetWmIcon(Scene* scene);

// Whether the window manager's icon sizes admit a square icon of the side:
// some entry admits the width and some the height, among the entries whose
// limits are all at most 512 (w = min + k x increment, not above max).
int IconSizeAcceptable(const XIconSize* sizes, int count, int side);
