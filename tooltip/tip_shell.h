// TipShell: a pop-up shell that shows a one-line tip below a watched widget
// when the pointer rests on it, and hides it when the pointer leaves or a
// button is pressed. One shell serves any number of watched widgets (the
// program's one is "TipHelp", serving the toolbar and the information box).
//
// The toolkit delivers no crossing events to insensitive widgets, so the
// event loop offers every event to TipShellDispatchEvent first: an
// insensitive button still shows its tip.
//
// Resources (class in brackets):
//   foreground (Foreground)             Pixel, "black"
//   fontSet (FontSet)                   FontSet,
//                                       "-adobe-new century schoolbook-bold-r-normal-*-12-*";
//                                       "fixed" when that cannot be had
//   waitPeriod (WaitPeriod)             int, 500: ms the pointer rests before the tip shows
//   cancelWaitPeriod (cancelWaitPeriod) int, 2000: ms after a tip went away during
//                                       which the next one shows at once
//
// The shell frees nothing when it is destroyed: its owners detach every
// watched widget first, and a watched widget is not destroyed while it is
// watched.
//
// Every function below first checks that w is a TipShell (exactly, no
// subclass); otherwise it prints "Wrong class of widget passed to NAME" on
// the standard error stream and aborts the process.
#pragma once

#include <X11/Intrinsic.h>

#define XtNwaitPeriod "waitPeriod"
#define XtCWaitPeriod "WaitPeriod"
#define XtNcancelWaitPeriod "cancelWaitPeriod"
#define XtCCancelWaitPeriod "cancelWaitPeriod"

extern WidgetClass tipShellWidgetClass;

// Attaches a tip to a widget. A widget already watched only has its text
// replaced, and only when text is not null. A new one starts sensitive.
// Given:    w       the TipShell
//           watch   the widget the tip belongs to
//           text    the tip (null: keep the old one; a new widget gets none)
//           size    at most this many bytes of text are read; 0: up to its NUL
//           option  not used
void TipShellAddWidget(Widget w, Widget watch, const char* text, int size, int option);

// Detaches a watched widget: its handlers, a pending tip and its entry go;
// a tip already shown stays up. A widget that is not watched is ignored.
void TipShellDeleteWidget(Widget w, Widget watch);

// Whether a watched widget shows its tip; with watch null, every watched
// widget.
void TipShellSetSensitive(Widget w, Widget watch, Boolean sensitive);

// Returned: the entry's flag (False when not watched); with watch null the
//           first entry's (False when none is watched)
Boolean TipShellGetSensitive(Widget w, Widget watch);

// Offers an event to the shell. An EnterNotify or LeaveNotify on the window
// of a watched widget that the toolkit holds insensitive is handled as its
// crossing would be.
// Returned: True when the event was handled so
Boolean TipShellDispatchEvent(Widget w, XEvent* event);
