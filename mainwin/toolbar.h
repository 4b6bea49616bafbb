// The toolbar: a row of 27 icon buttons in the main window's command area.
// Each runs a fixed command text; the mode and display buttons are drawn
// buttons whose shadow shows their state (in = on); some turn insensitive
// where their command makes no sense; the zoom buttons repeat while held.
// The commands and the redraw keep the buttons in step with the Scene
// through gUiHooks and gCanvasHooks, which start-up points here.
#pragma once

#include "sky/ui_hooks.h"

#include <X11/Intrinsic.h>

struct Scene;

// One row of the toolbar table (ToolbarButtonTable), in button order.
struct ToolbarButtonRow {
    const char* name;          // widget name, "ToolbarModeHrz"
    WidgetClass* widgetClass;  // xmPushButtonWidgetClass or xmDrawnButtonWidgetClass
    const char* command;       // the text it runs (ToolbarCommandTable)
    const char* tipKey;        // message key of its tip
    int leftOffset;            // pixels from the button before it, as its
                               // resource line "leftOffset" gives it
    bool showsState;           // its shadow shows a state
};

extern const ToolbarButtonRow ToolbarButtonTable[kToolbarButtonCount];

// What a button should look like in the Scene's state.
struct ToolbarButtonState {
    int sensitive;   // 1, 0, or -1 left as it is
    int shadowIn;    // 1 in, 0 out, or -1 no shadow to set
};

// The sensitivity and shadow of button index in the Scene (plain function).
ToolbarButtonState ToolbarButtonStateOf(const Scene& scene, int index);

// The text a press of button index runs in the Scene's state (plain
// function). Null for a mode button in its own mode (nothing to do) and for
// the zoom buttons (they run on release or while held).
const char* ToolbarCommandOf(const Scene& scene, int index);

// The XmForm "Toolbar" in the main window (border 1, height 27); the main
// window manages it as the Toolbar option says.
Widget CreateToolbarForm(Scene* scene);

// Makes the icons and the 27 buttons in the form. Called once by start-up,
// after the shell is realized.
void CreateToolbarButtons(Scene* scene);

// The refreshes, each doing nothing while the toolbar is hidden (showing it
// again must be followed by UpdateToolbar).
void UpdateToolbarButton(int index, Scene* scene);
void UpdateToolbar(Scene* scene);
// Only the buttons with a state or an insensitive look (after a mode change).
void UpdateToolbarStateButtons(Scene* scene);
// Button index when a equals b (see UiHooks::updateToolbarButtonIfEqual).
void UpdateToolbarButtonIfEqual(Scene* scene, int a, int b, int index);

// Attaches every button's tip to the tip shell, when there is one.
void AddToolbarTips();
// Detaches them again.
void RemoveToolbarTips();
// The tips, then the icons (at quit).
void FreeToolbarPixmaps();
