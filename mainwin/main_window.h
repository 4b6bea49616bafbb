// The main window: menu bar, toolbar, the sky drawing area and the two
// scroll bars (scroll_bars.h) that pan the view.
#pragma once

#include <X11/Intrinsic.h>
#include <X11/Xutil.h>

struct Scene;

// Builds "Main" with "MenuBar", "DrawingArea", the scroll bars of
// scroll_bars.h and the toolbar form on the toplevel shell, and stores the
// widgets in the Scene. Called once by start-up before the shell is
// realized.
void CreateMainWindow(Scene* scene);

// Window-manager hints of the shell with only the minimum size, 120 x 160.
// Called once the shell is realized.
void SetWmNormalHints(Widget shell);

// Sets the window-manager icon of the toplevel shell, 48 x 48 or 32 x 32 as
// the window manager's icon sizes admit.
// Returned: 1 when an icon was set
int SetWmIcon(Scene* scene);

// Whether the window manager's icon sizes admit a square icon of the side:
// some entry admits the width and some the height, among the entries whose
// limits are all at most 512 (w = min + k x increment, not above max).
int IconSizeAcceptable(const XIconSize* sizes, int count, int side);
