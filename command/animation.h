// The animation: a run that moves the Scene's date by the time step, or
// follows the system clock, and redraws after each step. A step-mode run is
// a toolkit work procedure (one step per idle turn of the event loop); a
// synchronised real-time run is a timer that re-arms itself every interval.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// What one step of a run came to.
enum AnimationStep {
    kStepGoOn = 0,        // the date moved; redraw and keep running
    kStepReachedTarget,   // the date is the target date; the run ends
    kStepOutOfRange,      // the next date would leave years -29999..30000; date kept
};

// Stops the run when one is running, whatever the arguments; else starts
// one as they ask. The direction is stored either way.
// Given:    scene      the Scene (its time, time step, zone and animation state)
//           direction  0 forward (CONTINUE), 1 backward (REVERSE)
//           args       the seven argument slots of CONTINUE/REVERSE, null
//                      where omitted: either "REALTIME1"/"REALTIME2", or a
//                      target date year, month, day, hour, minute, whole
//                      seconds (omitted fields from the Scene's date); in the
//                      real-time forms the date follows in slots 2 to 7
// Returned: 1 done; 0 when an argument is refused (a first argument that is
//           no clock word and begins with no digit or sign, or a number
//           beyond int32: "stkErrorIllegalParam" with it); no run is then
//           going, the toolbar showing so
int StkToggleAnimation(Scene& scene, int direction, char* const* args);

// Takes one step of the running animation: the Scene's date moves by the
// time step (clock 0), to the system clock now (clock 1), or to the
// reference date plus the time elapsed since the run began (clock 2). A step
// that reaches or passes the target date puts the date exactly on it.
// Given:    scene  a Scene whose animation is running
// Returned: what the step came to; the Scene's time is updated unless the
//           date would leave the supported years
AnimationStep StkAdvanceAnimation(Scene& scene);

// The work procedure of a step-mode run.
// Given:    client  the Scene
// Returned: True to be removed (the run ended), False to be called again
Boolean StkAnimationWorkProc(XtPointer client);

// The timer of a synchronised real-time run: one step, a redraw, and a new
// timer after the interval unless the run ended.
// Given:    client  the Scene
void StkAnimationTimerCallback(XtPointer client, XtIntervalId* id);

// Julian day (UT) of the system clock now, to the microsecond.
double CurrentJulianDay();
