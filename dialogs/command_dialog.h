// The command dialog: a line of the command language typed and run, and the
// history of the lines run, carried from one run of the program to the next
// (dialogs/command_history.h). It is opened and closed by the menu item
// "Command box" and its accelerator Ctrl+Space.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog on first use; shows it with the newest history line
// selected when it is hidden, hides it when it is shown.
void ToggleCommandDialog(Scene* scene);

// Builds "CommandDialog", a selection dialog on the toplevel shell holding
// the history list and the line being edited, and reads the history file.
// Kept in gAppEnv->commandDialog.
void CreateCommandDialog(Scene* scene);

// The dialog's OK: the line goes into the history (unless it repeats the
// newest line) and runs, and stays selected for running again or editing.
// A blank line does nothing; a line longer than kLongestCommandLine bytes
// is refused with a warning, never cut short and run.
// Given:    client  the Scene
void CommandDialogOkCallback(Widget widget, XtPointer client, XtPointer call);

// Reads the history file into the dialog's list.
// Returned: the number of lines read; 0 without a per-user directory; -1
//           when there is no dialog or the file cannot be read
int LoadCommandHistory();

// Writes the newest SaveHistory lines of the list to the history file (at
// quit, and only when the dialog was built in this run); with SaveHistory 0
// or less the file is removed.
// Returned: 1 written; 0 otherwise (nothing to write, removed, or failed:
//           a failed write leaves the old file as it was)
int SaveCommandHistory();

// Makes the newest history line the last one visible and selects it, with
// its text in the field, selected whole.
void SelectLastCommandHistoryItem();
