#include "dialogs/stime_part.h"

#include "core/messages.h"
#include "core/string_utils.h"
#include "dialogs/kit/choice_groups.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <string>

namespace {

// Values of the buttons of the two radio boxes.
constexpr int kBefore = 1;
constexpr int kAfter = 0;
constexpr int kRise = 1;
constexpr int kSet = 0;

const RadioRow kBeforeAfterChoices[] = {{"ToggleBefore", kBefore}, {"ToggleAfter", kAfter}};
const RadioRow kRiseSetChoices[] = {{"ToggleRise", kRise}, {"ToggleSet", kSet}};

Widget stimeToggle = nullptr;
Widget minutesText = nullptr;
Widget minutesLabel = nullptr;
RadioGroup beforeAfter;
RadioGroup riseSet;

void SetStimeSensitive(bool locked)
{
    const Boolean sensitive = locked ? True : False;
    for (Widget control : {minutesText, minutesLabel, beforeAfter.buttons[0],
                           beforeAfter.buttons[1], riseSet.buttons[0], riseSet.buttons[1]}) {
        XtSetSensitive(control, sensitive);
    }
}

void StimeToggleCallback(Widget toggle, XtPointer, XtPointer)
{
    SetStimeSensitive(XmToggleButtonGetState(toggle) != 0);
}


}  // namespace

void CreateStimePart(Widget parent)
{
    // Where every part stands, the radio boxes side by side with their
    // toggles without a margin: the part's resource lines.
    Widget column = XtVaCreateManagedWidget("StimeRC", xmRowColumnWidgetClass, parent, nullptr);
    stimeToggle =
        XtVaCreateManagedWidget("ToggleStime", xmToggleButtonWidgetClass, column, nullptr);
    XtAddCallback(stimeToggle, XmNvalueChangedCallback, StimeToggleCallback, nullptr);
    Widget form = XtVaCreateManagedWidget("FormStime", xmFormWidgetClass, column, nullptr);
    Widget editForm = XtVaCreateManagedWidget("FormStimeEdit", xmFormWidgetClass, form, nullptr);
    minutesText = XtVaCreateManagedWidget("EditStimeMin", xmTextFieldWidgetClass, editForm, nullptr);
    minutesLabel = XtVaCreateManagedWidget("LabelStimeMin", xmLabelWidgetClass, editForm, nullptr);
    CreateRadioGroup(form, "RadioBoxPM", kBeforeAfterChoices, 2, beforeAfter);
    CreateRadioGroup(form, "RadioBoxRS", kRiseSetChoices, 2, riseSet);
}

void FillStimePart(const SunLockValues& values)
{
    XmToggleButtonSetState(stimeToggle, values.locked ? True : False, False);
    SetRadioValue(riseSet, values.sunrise ? kRise : kSet);
    SetRadioValue(beforeAfter, values.before ? kBefore : kAfter);
    const std::string minutes = values.minutes ? std::to_string(*values.minutes) : "";
    XmTextFieldSetString(minutesText, const_cast<char*>(minutes.c_str()));
    SetStimeSensitive(values.locked);
}

SunLockValues StimePartValues()
{
    SunLockValues values;
    values.locked = XmToggleButtonGetState(stimeToggle) != 0;
    int32_t choice = kSet;
    RadioValue(riseSet, choice);
    values.sunrise = choice == kRise;
    choice = kAfter;
    RadioValue(beforeAfter, choice);
    values.before = choice == kBefore;
    // An empty field is refused at OK, where a text with no number reads as 0.
    if (XmTextFieldGetLastPosition(minutesText) > 0) {
        values.minutes = GetTextFieldInt(minutesText);
    }
    return values;
}

// The lock is the dialog's own: the Scene is the date dialog's OK's, which
// this part does not read.
int MakeStimeCommand(Scene*, char* text, size_t size)
{
    std::string stime;
    const char* refusal = ComposeStimeText(StimePartValues(), stime);
    if (refusal != nullptr) {
        GetMessage(refusal, text, size);
        return 0;
    }
    CopyCut(text, size, stime.c_str());
    return 1;
}
