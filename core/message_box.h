// The two boxes through which the program talks to the user.
#pragma once

#include <X11/Intrinsic.h>

// Message box types.
constexpr int kMessageBoxPlain = 1;
constexpr int kMessageBoxInformation = 2;
constexpr int kMessageBoxWarning = 3;   // every message of the program uses this
constexpr int kMessageBoxError = 4;     // so does any other value

// Shows a text in a new message dialog named "MessageBox" with only its OK
// button, and returns at once; the box is destroyed when it is closed.
// Given:    parent  the widget the dialog belongs to (the toplevel shell)
//           text    the message, in the locale's encoding
//           type    kMessageBoxPlain, kMessageBoxInformation,
//                   kMessageBoxWarning; any other value an error box
void ShowMessageBox(Widget parent, const char* text, int type);

// Asks a question in the modal dialog "QuestionDialog" (OK and Cancel,
// Cancel the default) and waits for the answer, while the event loop keeps
// running.
// Given:    parent  the widget the dialog belongs to; the dialog is made on
//                   the first call and reused with that parent afterwards
//           text    the question
// Returned: 1 for OK, 0 for Cancel or when the box is closed otherwise
int AskQuestion(Widget parent, const char* text);

// OK and Cancel callback of the question dialog: stores 1 for OK, else 0,
// in the int that clientData points to.
void QuestionAnswerCallback(Widget button, XtPointer clientData, XtPointer callData);
