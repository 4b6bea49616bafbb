#include "dialogs/time_step_dialog_fields.h"

#include "sky/scene.h"

#include <algorithm>

namespace {

constexpr int32_t kRealTimeFromSetting = 2;

}  // namespace

TimeStepValues ReadTimeStepValues(const Scene& scene)
{
    // The radio box shows the REALTIME mode, which OK sends back; the clock
    // of the animation says nothing while no run is going.
    TimeStepValues values;
    values.realTime = scene.animation.realTimeMode != 0;
    values.systemClock = scene.animation.realTimeMode != kRealTimeFromSetting;
    const DateInterval& step = scene.timeStep;
    values.step = {step.years, step.months, step.days, step.hours, step.minutes};
    return values;
}

const char* ComposeTimeStepCommand(const TimeStepValues& values, CommandText& command)
{
    if (values.realTime) {
        AddText(command, "REALTIME %d,1,5", values.systemClock ? 1 : kRealTimeFromSetting);
        return nullptr;
    }
    const auto& step = values.step;
    if (std::all_of(step.begin(), step.end(), [](int field) { return field == 0; })) {
        return "messageInvalidTimeStep";
    }
    AddText(command, "REALTIME 0");
    AddText(command, "PERIOD %d,%d,%d,%d,%d,%f", step[0], step[1], step[2], step[3], step[4], 0.0);
    return nullptr;
}
