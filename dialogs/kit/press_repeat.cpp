#include "dialogs/kit/press_repeat.h"

#include "command/interpreter.h"

namespace {

void RepeatTimer(XtPointer client, XtIntervalId*);

void EndPress(PressRepeat& repeat)
{
    if (repeat.timer != 0) {
        XtRemoveTimeOut(repeat.timer);
        repeat.timer = 0;
    }
    repeat.armed = false;
    repeat.repeated = false;
}

bool ButtonOneDown(Widget button)
{
    Window root = None;
    Window child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XtIsRealized(button) ||
        !XQueryPointer(XtDisplay(button), XtWindow(button), &root, &child, &rootX, &rootY, &x, &y,
                       &mask)) {
        return false;
    }
    return (mask & Button1Mask) != 0;
}

void StartTimer(PressRepeat& repeat, unsigned long delay)
{
    repeat.timer = XtAppAddTimeOut(XtWidgetToApplicationContext(repeat.button), delay,
                                   RepeatTimer, &repeat);
}

void RepeatTimer(XtPointer client, XtIntervalId*)
{
    PressRepeat& repeat = *static_cast<PressRepeat*>(client);
    repeat.timer = 0;
    if (!repeat.armed) {
        return;
    }
    if (!XtIsSensitive(repeat.button)) {
        EndPress(repeat);
        return;
    }
    if (!ButtonOneDown(repeat.button)) {
        // Released already: a release still on its way finds the press over,
        // and a click that a busy machine let run past the first delay still
        // counts once.
        const bool click = !repeat.repeated;
        EndPress(repeat);
        if (click) {
            StkExecuteText(*repeat.scene, repeat.command);
        }
        return;
    }
    repeat.repeated = true;
    StkExecuteText(*repeat.scene, repeat.repeatCommand);
    if (repeat.armed) {
        StartTimer(repeat, repeat.interval);
    }
}

}  // namespace

void ArmPressRepeat(PressRepeat& repeat, Widget button, Scene* scene, const char* command,
                    const char* repeatCommand)
{
    if (repeat.armed) {
        return;
    }
    repeat.armed = true;
    repeat.repeated = false;
    repeat.button = button;
    repeat.scene = scene;
    repeat.command = command;
    repeat.repeatCommand = repeatCommand;
    StartTimer(repeat, repeat.firstDelay);
}

void DisarmPressRepeat(PressRepeat& repeat)
{
    if (!repeat.armed) {
        return;
    }
    const bool click = !repeat.repeated;
    EndPress(repeat);
    if (click) {
        StkExecuteText(*repeat.scene, repeat.command);
    }
}
