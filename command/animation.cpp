#include "command/animation.h"

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "command/argument_keywords.h"
#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "core/app_env.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "sky/scene.h"
#include "sky/ui_hooks.h"

#include <sys/time.h>

#include <cmath>

namespace {

constexpr int kArgumentSlots = 7;
constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kSecondsPerDay = 86400.0;

enum StopMode { kStopAtTarget = 1, kOpenEnded = 2 };
enum ClockMode { kClockStep = 0, kClockRealTime = 1, kClockRealTimeOffset = 2 };

// What the arguments of CONTINUE or REVERSE ask for.
struct RunRequest {
    int32_t clock = kClockStep;
    int32_t stopMode = kOpenEnded;
    double targetDay = 0.0;
};

bool Given(const char* arg)
{
    return arg != nullptr;
}

// Fills the given fields of a target date; omitted ones keep the Scene's.
// The date is not checked: month 13 or hour 30 count on into the next year
// or day, as the Julian day takes them.
// Given:    args   six slots: year, month, day, hour, minute, whole seconds
// Returned: date   the target date in the Scene's zone
//           1, or 0 with the offending argument recorded (beyond int32)
int ReadTargetDate(const Scene& scene, char* const* args, DateTime& date)
{
    date = scene.time.date;
    int32_t* fields[] = {&date.year, &date.month, &date.day, &date.hour, &date.minute};
    for (int i = 0; i < 5; ++i) {
        if (StkIntegerArgument(args[i], *fields[i]) == 0) {
            return 0;
        }
    }
    if (Given(args[5])) {
        int32_t seconds = 0;
        if (StkIntegerArgument(args[5], seconds) == 0) {
            return 0;
        }
        date.second = seconds;
    }
    return 1;
}

bool BeginsLikeNumber(const char* arg)
{
    return (*arg >= '0' && *arg <= '9') || *arg == '+' || *arg == '-';
}

int ReadRunRequest(const Scene& scene, char* const* args, RunRequest& request)
{
    const bool noDate = !Given(args[0]) && !Given(args[1]) && !Given(args[2]) &&
                        !Given(args[3]) && !Given(args[4]);
    if (noDate) {
        request.clock = scene.animation.realTimeMode == 1   ? kClockRealTime
                        : scene.animation.realTimeMode == 2 ? kClockRealTimeOffset
                                                            : kClockStep;
    } else if (StkMatchWord(args[0], RunClockKeywordTable, request.clock) == 0) {
        // No clock word (whose values are the clock modes): a target date.
        if (Given(args[0]) && !BeginsLikeNumber(args[0])) {
            StkSetError("stkErrorIllegalParam", args[0]);
            return 0;
        }
        DateTime target{};
        if (ReadTargetDate(scene, args, target) == 0) {
            return 0;
        }
        request.stopMode = kStopAtTarget;
        request.targetDay = JulianDayFromDate(target);
        return 1;
    }

    // The real-time forms: a target date may follow the clock word.
    bool dateFollows = Given(args[1]);
    for (int i = 2; i < kArgumentSlots; ++i) {
        dateFollows = dateFollows || Given(args[i]);
    }
    if (request.clock != kClockStep && dateFollows) {
        DateTime target{};
        if (ReadTargetDate(scene, args + 1, target) == 0) {
            return 0;
        }
        request.stopMode = kStopAtTarget;
        request.targetDay = JulianDayFromDate(target);
    }
    return 1;
}

XtAppContext AppContext()
{
    return XtWidgetToApplicationContext(gAppEnv->toplevel);
}

void StopRun(Scene& scene)
{
    AnimationState& run = scene.animation;
    if (run.workProc != 0) {
        XtRemoveWorkProc(run.workProc);
        run.workProc = 0;
    }
    if (run.timer != 0) {
        XtRemoveTimeOut(run.timer);
        run.timer = 0;
    }
    run.running = 0;
}

// Reverse, Stop and Continue show whether a run goes on and which way.
void RefreshPlayButtons(Scene& scene)
{
    for (int button : {kToolbarReverse, kToolbarStopPlay, kToolbarContinue}) {
        UiUpdateToolbarButtonIfEqual(scene, 0, 0, button);
    }
}

void StartRun(Scene& scene, const RunRequest& request)
{
    AnimationState& run = scene.animation;
    run.running = 1;
    run.clockMode = request.clock;
    run.stopMode = request.stopMode;
    run.targetDay = request.targetDay;
    if (request.clock == kClockRealTimeOffset) {
        run.offsetStartDay = CurrentJulianDay();
        run.offsetStart = scene.time.date;
    }
    if (gAppEnv->toplevel == nullptr) {
        return;   // no event loop to run in
    }
    if (request.clock != kClockStep && run.synchronised == 1) {
        StkAnimationTimerCallback(&scene, nullptr);
    } else {
        run.workProc = XtAppAddWorkProc(AppContext(), StkAnimationWorkProc, &scene);
    }
}

void SetSceneDate(Scene& scene, const DateTime& date)
{
    AstroTimeFromDate(date, scene.time.location, scene.time);
}

void SetSceneJulianDay(Scene& scene, double julianDay)
{
    AstroTimeFromJulianDay(julianDay, scene.time.date.zone, scene.time.location, scene.time);
}

bool AtOrPastTarget(const AnimationState& run, int direction, double julianDay)
{
    return direction == 0 ? julianDay >= run.targetDay : julianDay <= run.targetDay;
}

// The run ends through the command itself, so that every caller that stops
// it (toolbar, scripts, the command port) sees the same state afterwards.
void EndRun(Scene& scene)
{
    StkExecuteText(scene, "CONTINUE");
    if (scene.animation.running != 0) {
        StopRun(scene);
        RefreshPlayButtons(scene);
    }
}

// Also when the command port started the run: the run ends long after the
// request that started it was answered.
void EndRunOutOfRange(Scene& scene)
{
    EndRun(scene);
    if (gAppEnv->toplevel != nullptr) {
        char text[512];
        GetMessage("messageContinueOutOfDate", text, sizeof text);
        ShowMessageBox(gAppEnv->toplevel, text, kMessageBoxWarning);
    }
}

AnimationStep AdvanceByStep(Scene& scene)
{
    const AnimationState& run = scene.animation;
    DateTime next = scene.time.date;
    if (DateAddInterval(next, scene.timeStep, scene.animationDirection) == 0) {
        return kStepOutOfRange;
    }
    const double julianDay = JulianDayFromDate(next);
    if (run.stopMode == kStopAtTarget && AtOrPastTarget(run, scene.animationDirection, julianDay)) {
        SetSceneJulianDay(scene, run.targetDay);
        return kStepReachedTarget;
    }
    SetSceneDate(scene, next);
    return kStepGoOn;
}

AnimationStep AdvanceWithClock(Scene& scene)
{
    const AnimationState& run = scene.animation;
    const double now = CurrentJulianDay();
    if (run.clockMode == kClockRealTime) {
        SetSceneJulianDay(scene, now);
    } else {
        DateTime date = run.offsetStart;
        DateInterval elapsed{};
        elapsed.seconds = (now - run.offsetStartDay) * kSecondsPerDay;
        if (DateAddInterval(date, elapsed, 0) == 0) {
            return kStepOutOfRange;
        }
        SetSceneDate(scene, date);
    }
    if (run.stopMode == kStopAtTarget && scene.time.julianDay >= run.targetDay) {
        return kStepReachedTarget;
    }
    return kStepGoOn;
}

}  // namespace

double CurrentJulianDay()
{
    timeval now{};
    gettimeofday(&now, nullptr);
    const double seconds = static_cast<double>(now.tv_sec) + now.tv_usec * 1e-6;
    return kUnixEpochJulianDay + seconds / kSecondsPerDay;
}

int StkToggleAnimation(Scene& scene, int direction, char* const* args)
{
    scene.animationDirection = direction;
    const bool wasRunning = scene.animation.running != 0;
    if (wasRunning) {
        StopRun(scene);
        scene.animation.targetDay = 0.0;
        scene.animation.clockMode = kClockStep;
        RefreshPlayButtons(scene);
    }
    // The arguments are read either way, so that an illegal one is
    // reported; a run that was going stays stopped, whatever they say, and
    // one that was not starts only when they can be read.
    RunRequest request;
    if (ReadRunRequest(scene, args, request) == 0) {
        return 0;
    }
    if (!wasRunning) {
        StartRun(scene, request);
        RefreshPlayButtons(scene);
    }
    return 1;
}

AnimationStep StkAdvanceAnimation(Scene& scene)
{
    if (scene.animation.clockMode == kClockStep) {
        return AdvanceByStep(scene);
    }
    return AdvanceWithClock(scene);
}

Boolean StkAnimationWorkProc(XtPointer client)
{
    Scene& scene = *static_cast<Scene*>(client);
    // Xt takes the procedure off its queue while calling it, so a stop from
    // inside (EndRun, or a command of the redraw) cannot remove it and would
    // see it put back: the return value is what ends it.
    switch (StkAdvanceAnimation(scene)) {
    case kStepOutOfRange:
        EndRunOutOfRange(scene);
        return True;
    case kStepReachedTarget:
        // The chart shows the target date at the next DRIVE.
        EndRun(scene);
        return True;
    case kStepGoOn:
        break;
    }
    CmdDrive(scene);
    return scene.animation.running == 0 ? True : False;
}

void StkAnimationTimerCallback(XtPointer client, XtIntervalId*)
{
    Scene& scene = *static_cast<Scene*>(client);
    AnimationState& run = scene.animation;
    run.timer = 0;
    const AnimationStep step = StkAdvanceAnimation(scene);
    CmdDrive(scene);
    if (step == kStepOutOfRange) {
        EndRunOutOfRange(scene);
        return;
    }
    if (step == kStepReachedTarget) {
        EndRun(scene);
        return;
    }
    if (run.running != 0) {
        const unsigned long delay = static_cast<unsigned long>(run.interval) * 1000UL;
        run.timer = XtAppAddTimeOut(AppContext(), delay, StkAnimationTimerCallback, &scene);
    }
}
