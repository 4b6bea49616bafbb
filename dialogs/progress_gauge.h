// The progress gauge: a modal window for a long read done inside a
// callback (the comet and minor-planet dialogs reading many element
// records). Each report also handles the X events waiting, so the windows
// stay painted and the gauge's Cancel can be pressed, while no other
// window can be reached.
//
// The caller's order: ResetGaugeCancel before every read, then for a long
// one OpenGauge; repeatedly UpdateGauge and IsGaugeCancelled, stopping when
// it returns 1; CloseGauge.
#pragma once

#include <X11/Intrinsic.h>

// Shows the gauge (built on the first call) with the text of a message key
// as its title line, at 0 percent, its cancel flag cleared after the first
// event pump so that a click left from an earlier read does not count.
// Given:    key  message key, e.g. "messageReadingComets"
void OpenGauge(const char* key);

// Handles every X event waiting (X events only: a timer or a command-port
// request waits until the read is over, so nothing else runs under it),
// then shows the percentage when it changed. Does nothing while the gauge
// is not shown: without its modal window the user could start another
// read in the middle of this one.
// Given:    percent  0..100
void UpdateGauge(int percent);

// 1 when the gauge's Cancel was pressed since the last open or reset.
int IsGaugeCancelled();

// Forgets a Cancel left from an earlier read: a small read opens no gauge
// but polls it all the same.
void ResetGaugeCancel();

// Activate callback of the gauge's Cancel button (and the window manager's
// close): sets the cancel flag.
void GaugeCancelCallback(Widget widget, XtPointer client, XtPointer call);

// Hides the gauge, if it exists.
void CloseGauge();

// The gauge's dialog, or null before its first open; for the tests.
Widget GaugeDialogWidget();
