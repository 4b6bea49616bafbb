// Quitting: the menu, the window manager's close button and EXIT all end
// here, so the settings are saved the same way whichever way the user left.
#pragma once

#include <X11/Intrinsic.h>

// Asks "messageConfirmQuit" when ConfirmQuit is on; on OK saves the command
// history and the options file (when there is a user directory), releases
// the toolbar's icons and tips and the loaded data, closes the command port
// and ends the process.
// Given:    status  exit status
// Returned: 0 when the user cancelled; otherwise it does not return
int QuitApplication(int status);

// Event handler of the toplevel shell: a WM_DELETE_WINDOW message from the
// window manager quits through QuitApplication. Other events pass on.
void WmProtocolsHandler(Widget widget, XtPointer client, XEvent* event, Boolean* dispatch);

// Makes the window manager's close button a quit request: the shell does
// nothing by itself on WM_DELETE_WINDOW, WmProtocolsHandler asks.
// Given:    shell  the realized toplevel shell
void RegisterWmDeleteWindow(Widget shell);
