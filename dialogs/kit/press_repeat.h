// Press and hold: a button whose command runs once on a short click and
// whose repeat command runs again and again while it is held (the
// toolbar's zoom buttons, the step box). The button's armCallback calls
// ArmPressRepeat, its disarmCallback DisarmPressRepeat.
//
// The release can be lost: the toolkit delivers nothing to a button made
// insensitive while held (MODE ALL1_EQT over the command port turns the
// zoom buttons off), and a modal box takes the pointer. So each repeat
// first looks at the button itself: it goes on only while the button is
// armed, sensitive and button 1 is down, and otherwise the press ends
// there.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// One repeating press at a time per record (both zoom buttons share one).
struct PressRepeat {
    unsigned long firstDelay;      // ms from the press to the first repeat
    unsigned long interval;        // ms between repeats
    Widget button = nullptr;
    Scene* scene = nullptr;
    const char* command = nullptr;         // run once by a short click
    const char* repeatCommand = nullptr;   // run by each repeat
    XtIntervalId timer = 0;
    bool armed = false;
    bool repeated = false;
};

// The press: unless a press is on already, the first repeat is timed.
// Given:    repeat          the record (lives as long as the button)
//           button          the button pressed
//           scene           the Scene the commands run on
//           command,
//           repeatCommand   texts for StkExecuteText; they live as long
//                           as the button
void ArmPressRepeat(PressRepeat& repeat, Widget button, Scene* scene, const char* command,
                    const char* repeatCommand);

// The release: the timer goes; a press that never repeated runs its
// command once.
void DisarmPressRepeat(PressRepeat& repeat);
