// The time-step dialog's two plain halves: the Scene read into the values
// its fields show, and those values turned into the REALTIME and PERIOD
// texts OK runs, or the message of a refusal. No widget is touched here.
#pragma once

#include "dialogs/kit/command_text.h"

#include <array>

struct Scene;

// Years, months, days, hours, minutes: the rows of the dialog.
constexpr int kTimeStepFieldCount = 5;

struct TimeStepValues {
    bool realTime = false;      // ToggleRealTime
    bool systemClock = true;    // ToggleRTSysTime; else ToggleRTSetting
    // The rows' numbers (GetTextFieldInt), shown "%d".
    std::array<int, kTimeStepFieldCount> step{};
};

// The values the dialog shows for the Scene: real time on while the
// REALTIME mode is not 0, the system clock unless that mode is 2 (the
// current setting onward), and the time step's years to minutes (its
// seconds are not shown).
TimeStepValues ReadTimeStepValues(const Scene& scene);

// The texts OK runs, each by a call of its own: with real time on,
// "REALTIME 1,1,5" (system clock) or "REALTIME 2,1,5" (current setting),
// the rows not read; otherwise "REALTIME 0" and "PERIOD y,m,d,h,min,0.000000"
// with the rows' numbers, negative values included (a row with no number
// in it reads as 0).
// Returned: command  the texts
//           null, or the message key of a refusal ("messageInvalidTimeStep":
//           every row 0)
const char* ComposeTimeStepCommand(const TimeStepValues& values, CommandText& command);
