#include "dialogs/time_step_dialog.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/date_rows.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/time_step_dialog_fields.h"

#include <Xm/RowColumn.h>
#include <Xm/Separator.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <string>

namespace {

constexpr int32_t kSystemClock = 1;
constexpr int32_t kCurrentSetting = 2;

// The arrows stop at 99 in every row but the year's (9999); how many digits
// each row takes is its resource lines'.
const FieldRow kStepRows[kTimeStepFieldCount] = {
    {"Year", 0, 9999, 1, 0}, {"Month", 0, 99, 1, 0}, {"Day", 0, 99, 1, 0},
    {"Hour", 0, 99, 1, 0},   {"Min", 0, 99, 1, 0},
};
const RadioRow kClockChoices[] = {{"ToggleRTSysTime", kSystemClock},
                                   {"ToggleRTSetting", kCurrentSetting}};

FormDialog timeStepDialog;
Widget realTimeToggle = nullptr;
RadioGroup clockChoice;
DateRows stepRows;

// With real time on the clock can be chosen and the step rows mean nothing;
// with it off, the reverse.
void SetTimeStepSensitive()
{
    const bool realTime = XmToggleButtonGetState(realTimeToggle) != 0;
    XtSetSensitive(clockChoice.box, realTime ? True : False);
    for (Widget button : clockChoice.buttons) {
        XtSetSensitive(button, realTime ? True : False);
    }
    SetDateRowsSensitive(stepRows, !realTime);
}

void RealTimeToggleCallback(Widget, XtPointer, XtPointer)
{
    SetTimeStepSensitive();
}

void FillTimeStepDialog(const TimeStepValues& values)
{
    XmToggleButtonSetState(realTimeToggle, values.realTime ? True : False, False);
    SetRadioValue(clockChoice, values.systemClock ? kSystemClock : kCurrentSetting);
    for (int row = 0; row < kTimeStepFieldCount; ++row) {
        const std::string text = std::to_string(values.step[static_cast<size_t>(row)]);
        XmTextFieldSetString(stepRows.fields[row].text, const_cast<char*>(text.c_str()));
    }
}

TimeStepValues FieldValues()
{
    TimeStepValues values;
    values.realTime = XmToggleButtonGetState(realTimeToggle) != 0;
    int32_t clock = kSystemClock;
    RadioValue(clockChoice, clock);
    values.systemClock = clock == kSystemClock;
    if (!values.realTime) {
        for (int row = 0; row < kTimeStepFieldCount; ++row) {
            values.step[static_cast<size_t>(row)] = GetTextFieldInt(stepRows.fields[row].text);
        }
    }
    return values;
}

// Each row's arrows step its number within 0..99 (0..9999 years); the
// kit's arrow, client data the row's field.
void TimeStepArrowCallback(Widget arrow, XtPointer client, XtPointer call)
{
    NumberArrowCallback(arrow, client, call);
}

void TimeStepDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    CommandText command;
    const char* refusal = ComposeTimeStepCommand(FieldValues(), command);
    if (refusal != nullptr) {
        ShowDialogWarning(timeStepDialog.dialog, refusal);
        return;
    }
    HideFormDialog(timeStepDialog);
    RunCommandText(static_cast<Scene*>(client), command);
}

// Only hides: the next Show fills the rows from the Scene again.
void TimeStepDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(timeStepDialog);
}

void CreateTimeStepDialog(Scene* scene)
{
    CreateFormDialog(timeStepDialog, gAppEnv->toplevel, "TimeStepDialog", "TimeStepRowColumn");
    Widget controls = XtVaCreateManagedWidget("RCTimeStepCtrl", xmRowColumnWidgetClass,
                                              timeStepDialog.rowColumn, nullptr);
    realTimeToggle =
        XtVaCreateManagedWidget("ToggleRealTime", xmToggleButtonWidgetClass, controls, nullptr);
    XtAddCallback(realTimeToggle, XmNvalueChangedCallback, RealTimeToggleCallback, nullptr);
    CreateRadioGroup(controls, "RealTimeRadioBox", kClockChoices, 2, clockChoice);
    XtVaCreateManagedWidget("Separator", xmSeparatorWidgetClass, controls, nullptr);
    AddDateRows(CreateDateTimeForm(controls), kStepRows, kTimeStepFieldCount, nullptr, stepRows,
                TimeStepArrowCallback);
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, TimeStepDialogOkCallback, scene},
        {"ButtonCancel", kButtonCancel, TimeStepDialogCancelCallback, scene},
    };
    AddDialogButtons(timeStepDialog, timeStepDialog.rowColumn, "TimeStepButtons", buttons, 2);
}

}  // namespace

void ShowTimeStepDialog(Scene* scene)
{
    if (timeStepDialog.dialog == nullptr) {
        CreateTimeStepDialog(scene);
    }
    FillTimeStepDialog(ReadTimeStepValues(*scene));
    SetTimeStepSensitive();
    ShowFormDialog(timeStepDialog);
}

Widget TimeStepDialogWidget()
{
    return timeStepDialog.dialog;
}
