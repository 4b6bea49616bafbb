// Start-up and the event loop, shared by the program's main and the tests
// that drive the real program in-process: both go through the same steps,
// so a test sees the windows, menus, toolbar, tips and hooks a user sees.
#pragma once

#include <X11/Intrinsic.h>

// Every start-up step up to the first chart: the records and the options
// read before the toolkit, the toolkit, the command line, the main window
// with its menu bar and toolbar, palette, resources, fonts, the step box,
// the toolbar's buttons and tips, the command port, the start-up script,
// the first DRIVE. A fatal failure ends the process with status 1.
// Given:    argc, argv  the command line (the toolkit takes its options out)
// Returned: the application context to run the event loop on
XtAppContext StartUvola(int& argc, char** argv);

// One turn of the event loop: waits for the next X event (running timers,
// inputs and work procedures meanwhile), offers it to the tip shell, then
// dispatches it.
void ProcessUvolaEvent(XtAppContext app);

// The event loop, for the rest of the process.
[[noreturn]] void RunEventLoop(XtAppContext app);
