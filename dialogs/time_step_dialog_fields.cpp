#include "dialogs/time_step_dialog_fields.h"

#include "core/string_utils.h"
#include "sky/scene.h"

#include <string>

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
    const int32_t fields[kTimeStepFieldCount] = {step.years, step.months, step.days, step.hours,
                                                 step.minutes};
    for (int i = 0; i < kTimeStepFieldCount; ++i) {
        values.step[static_cast<size_t>(i)] = std::to_string(fields[i]);
    }
    return values;
}

const char* ComposeTimeStepCommand(const TimeStepValues& values, CommandText& command)
{
    if (values.realTime) {
        AddText(command, "REALTIME %d,1,5", values.systemClock ? 1 : kRealTimeFromSetting);
        return nullptr;
    }
    int step[kTimeStepFieldCount] = {};
    bool anyStep = false;
    for (int i = 0; i < kTimeStepFieldCount; ++i) {
        step[i] = TextIntValue(values.step[static_cast<size_t>(i)].c_str());
        anyStep = anyStep || step[i] != 0;
    }
    if (!anyStep) {
        return "messageInvalidTimeStep";
    }
    AddText(command, "REALTIME 0");
    AddText(command, "PERIOD %d,%d,%d,%d,%d,%f", step[0], step[1], step[2], step[3], step[4], 0.0);
    return nullptr;
}
