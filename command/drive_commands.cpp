#include "command/drive_commands.h"

#include "command/animation.h"
#include "command/argument_keywords.h"
#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "sky/canvas.h"
#include "sky/scene.h"
#include "sky/ui_hooks.h"

#include <algorithm>

namespace {

QuitProcedure quitProcedure = nullptr;

// Set while an INPUT dialog is being opened: filling it may run the event
// loop (a watch cursor, a list read from a file), and an INPUT arriving
// over the command port meanwhile is ignored rather than open it twice.
bool openingInputDialog = false;

void ToggleAnimation(Scene& scene, int direction, char* a1, char* a2, char* a3,
                     char* a4, char* a5, char* a6, char* a7)
{
    char* const args[] = {a1, a2, a3, a4, a5, a6, a7};
    StkToggleAnimation(scene, direction, args);
}

// A REALTIME argument: omitted or negative gives 0.
int ReadNonNegative(const char* text, int32_t& value)
{
    value = 0;
    if (StkIntegerArgument(text, value) == 0) {
        return 0;
    }
    value = std::max(value, 0);
    return 1;
}

}  // namespace

void StkSetQuitProcedure(QuitProcedure procedure)
{
    quitProcedure = procedure;
}

void CmdDrive(Scene& scene)
{
    scene.redrawRequested = 1;
    // Without a drawing area (a program that only runs commands) the
    // request waits for one.
    if (scene.drawingArea != nullptr) {
        UpdateSkyCanvas(scene);
    }
}

void CmdExit(Scene&)
{
    if (quitProcedure == nullptr) {
        StkSetError("stkErrorNotAvailable", "EXIT");
        return;
    }
    // With ConfirmQuit the user may cancel; the program then goes on.
    quitProcedure(0);
}

void CmdInput(Scene& scene, char* a1)
{
    int32_t dialog = 0;
    if (StkMatchWord(a1, InputKeywordTable, dialog) == 0) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    if (openingInputDialog) {
        return;
    }
    openingInputDialog = true;
    const int opened = UiOpenInput(scene, static_cast<InputDialog>(dialog));
    openingInputDialog = false;
    if (opened == 0) {
        StkSetError("stkErrorNotAvailable", StkKeywordName(InputKeywordTable, dialog));
    }
}

void CmdContinue(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6, char* a7)
{
    ToggleAnimation(scene, 0, a1, a2, a3, a4, a5, a6, a7);
}

void CmdReverse(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6, char* a7)
{
    ToggleAnimation(scene, 1, a1, a2, a3, a4, a5, a6, a7);
}

void CmdRealtime(Scene& scene, char* a1, char* a2, char* a3)
{
    int32_t mode = 0;
    int32_t sync = 0;
    int32_t interval = 0;
    if (ReadNonNegative(a1, mode) == 0 || ReadNonNegative(a2, sync) == 0 ||
        ReadNonNegative(a3, interval) == 0) {
        return;
    }
    const bool wasRunning = scene.animation.running != 0;
    if (wasRunning) {
        StkExecuteText(scene, "CONTINUE");
    }
    scene.animation.realTimeMode = mode;
    if (a2 != nullptr) {
        scene.animation.synchronised = sync == 1 ? 1 : 0;
    }
    if (a3 != nullptr) {
        scene.animation.interval = interval;
    }
    if (wasRunning) {
        StkExecuteText(scene, "CONTINUE");
    }
}
