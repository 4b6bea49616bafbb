// What the commands and the sky engine ask of the user interface: the
// toolbar follows the flags that SHOW, HIDE, TOGGLE, TRACK, INIT and the
// animation change; a pick refreshes the information box; INPUT opens the
// date, time-step, site and script-file dialogs. command/ and sky/ sit
// below the widgets and never link them, so they reach them through this
// table, which start-up fills (gCanvasHooks, beside it, does the same for
// the redraw). An entry left null is skipped: a program
// without a window (the command-port probe, the command tests) runs the
// commands all the same, and INPUT there says it is not available.
//
// Who fills what:
//   mainwin/ (the toolbar)      updateToolbar, updateToolbarButtonIfEqual
//   the information box         updateInfoBoxButtons, showInfoBox
//   mainwin/ (start-up)         openInput[], every INPUT dialog's opener
#pragma once

#include <X11/Xlib.h>

struct Scene;

// The toolbar's buttons by index, as the toolbar table orders them; the
// commands name the button they refresh.
enum ToolbarButtonIndex {
    kToolbarFileOpen = 0,
    kToolbarFileSave = 1,
    kToolbarModeHrz = 2,
    kToolbarModeEqt = 3,
    kToolbarModeAll1 = 4,
    kToolbarModeAll2 = 5,
    kToolbarModeSol = 6,
    kToolbarModeVola = 7,
    kToolbarSetDate = 8,
    kToolbarSetPlace = 9,
    kToolbarLookHrz = 10,
    kToolbarDaylight = 11,
    kToolbarZoomUp = 12,
    kToolbarZoomDown = 13,
    kToolbarConsline = 14,
    kToolbarConsname = 15,
    kToolbarPlanetname = 16,
    kToolbarNebula = 17,
    kToolbarMilkyway = 18,
    kToolbarPicMark = 19,
    kToolbarGridHrz = 20,
    kToolbarGridEqt = 21,
    kToolbarTrace = 22,
    kToolbarSetStep = 23,
    kToolbarReverse = 24,
    kToolbarStopPlay = 25,
    kToolbarContinue = 26,
    kToolbarButtonCount = 27,
};

// The dialogs INPUT opens, by its argument: DATE, PERIOD, LOCATE, OPENFILE,
// SAVEFILE.
enum InputDialog {
    kInputDate = 0,
    kInputPeriod,
    kInputLocate,
    kInputOpenFile,
    kInputSaveFile,
    kInputDialogCount,
};

struct UiHooks {
    // The whole toolbar from the Scene (after INIT). Does nothing while
    // the toolbar is hidden.
    void (*updateToolbar)(Scene& scene);
    // One toolbar button from the Scene, when a equals b. The commands pass
    // the bits they changed and the bit the button shows (SHOW CONS_NAME2
    // passes 2 and 2 for button 15), or two equal constants to refresh it
    // whatever changed.
    void (*updateToolbarButtonIfEqual)(Scene& scene, int a, int b, int index);
    // The information box's buttons after a pick that kept its object, a
    // TRACK or new click data (its Track button shows whether the picked
    // object is the tracked one, its Image button whether it has a
    // picture).
    void (*updateInfoBoxButtons)(Scene& scene);
    // Shows (on 1) or hides (on 0) the information box; INIT hides it.
    void (*showInfoBox)(Scene& scene, int on);
    // Opens an INPUT dialog, filled from the Scene. INPUT reports
    // "stkErrorNotAvailable" for a dialog whose opener is null.
    void (*openInput[kInputDialogCount])(Scene& scene);
};

extern UiHooks gUiHooks;

// The calls the commands make, each skipped when its entry is null.
void UiUpdateToolbar(Scene& scene);
void UiUpdateToolbarButtonIfEqual(Scene& scene, int a, int b, int index);
void UiUpdateInfoBoxButtons(Scene& scene);
void UiShowInfoBox(Scene& scene, int on);

// Opens an INPUT dialog.
// Returned: 1 opened; 0 when its opener is null
int UiOpenInput(Scene& scene, InputDialog dialog);

// What the main window does around a redraw. The main window sets these at
// start-up; an entry left null is skipped.
struct CanvasHooks {
    // The toolbar's state buttons and the scroll bars after a mode change;
    // it clears the scene's view-mode-changed flag.
    void (*refreshModeWidgets)(Scene& scene);
    // The scroll bars after the view centre moved to the target.
    void (*refreshScrollBars)(Scene& scene);
    // The information box and the What's Today table after a redraw.
    void (*afterRedraw)(Scene& scene);
    // Texts and icons of the status bar, drawn over its strip.
    void (*drawStatusBar)(Scene& scene, Drawable drawable, const XRectangle& rect);
};

extern CanvasHooks gCanvasHooks;
