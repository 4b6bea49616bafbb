// The sky canvas: one off-screen pixmap the chart is drawn into, copied to
// the drawing area's window. A size change or a redraw request draws the
// chart again; an expose only copies.
#pragma once

#include "sky/scene.h"
#include "sky/ui_hooks.h"

#include <X11/Intrinsic.h>

// The drawing area's exposeCallback: the last expose of a series copies
// the pixmap to the window again.
// Given:    client  the Scene
//           call    XmDrawingAreaCallbackStruct
void DrawingAreaExposeCallback(Widget widget, XtPointer client, XtPointer call);

// StructureNotify handler of the drawing area: a ConfigureNotify brings the
// canvas to the new size.
// Given:    client  the Scene
void DrawingAreaConfigureHandler(Widget widget, XtPointer client, XEvent* event, Boolean* dispatch);

// Brings the canvas to the drawing area's size, then refreshes the window.
// The sky rectangle is the drawing area below the status strip (all of it
// while the strip is hidden), at most the screen's size; when it changes
// the pixmap is made anew, cleared, and a redraw is requested. A window too
// small to hold any sky keeps no pixmap at all, and so does one whose
// pixmap the server refuses (the next size change tries again). A changed
// view mode has its widgets refreshed only when the chart is drawn (a
// redraw request or a new size), never by an expose alone.
// Given:    scene  drawing area (realised), status-line flag, sky rectangle,
//                  redraw request, mode-changed flag
// Returned: scene  sky rectangle, back pixmap, pixmap-new flag, redraw request
void UpdateSkyCanvas(Scene& scene);

// Draws the chart into the pixmap when a redraw is requested, then, unless
// start-up is still running, copies the pixmap to the window.
// Given:    scene    redraw request, back pixmap, GC, sky rectangle
//           gAppEnv  startingUp
// Returned: scene    redraw request cleared once drawn
void RefreshSkyWindow(Scene& scene);
