// DRIVE, EXIT, INPUT and the animation commands CONTINUE, REVERSE and
// REALTIME; their handlers are declared in command/command_handlers.h.
#pragma once

// The program's quit routine, which EXIT calls: asks for confirmation when
// the user wants it, saves the settings and ends the process.
// Given:    status  exit status
// Returned: 0 when the user cancelled (otherwise it does not return)
using QuitProcedure = int (*)(int status);

// Names the quit routine EXIT calls. Start-up sets it; without one (programs
// that only run commands) EXIT is refused with "stkErrorNotAvailable".
void StkSetQuitProcedure(QuitProcedure procedure);
