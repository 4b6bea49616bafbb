#include "dialogs/date_dialog.h"

#include "command/animation.h"
#include "core/app_env.h"
#include "dialogs/kit/date_rows.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/stime_part.h"
#include "sky/scene.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/Separator.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kMonthCount = 12;
constexpr int32_t kDateStyleJapanese = 1;
constexpr int32_t kDateStyleEuropean = 2;

// The arrows of each field stop at its calendar limits; the day at 31
// whatever the month, since OK checks the whole date.
const FieldRow kFieldRows[kDateFieldCount] = {
    {"Year", -999, 9999, 1, 0, 5, 4}, {"Month", 1, 12, 1, 0, 3, 2}, {"Day", 1, 31, 1, 0, 3, 2},
    {"Hour", 0, 23, 1, 0, 3, 2},      {"Min", 0, 59, 1, 0, 3, 2},
};

// The order of the rows in one date style. The month-name layout shows the
// month in a menu of names instead of a row.
struct DateLayout {
    DateField rows[kDateFieldCount];
    int rowCount;
    bool monthMenu;
};

const DateLayout kDateLayoutYmd = {{kDateYear, kDateMonth, kDateDay, kDateHour, kDateMinute}, 5,
                                   false};
const DateLayout kDateLayoutDmy = {{kDateDay, kDateMonth, kDateYear, kDateHour, kDateMinute}, 5,
                                   false};
const DateLayout kDateLayoutMdy = {{kDateDay, kDateYear, kDateHour, kDateMinute}, 4, true};

const DateLayout& LayoutOfStyle(int32_t dateStyle)
{
    switch (dateStyle) {
    case kDateStyleJapanese: return kDateLayoutYmd;
    case kDateStyleEuropean: return kDateLayoutDmy;
    default: return kDateLayoutMdy;
    }
}

FormDialog dateDialog;
const DateLayout* layout = nullptr;
FieldRow shownRows[kDateFieldCount];
DateRows dateRows;
Widget monthMenu = nullptr;
Widget monthButtons[kMonthCount] = {};
int currentMonth = 1;   // the month-name layout's month, 1..12

void SetCurrentMonth(int month)
{
    currentMonth = std::clamp(month, 1, kMonthCount);
    if (monthMenu != nullptr) {
        XtVaSetValues(monthMenu, XmNmenuHistory, monthButtons[currentMonth - 1], nullptr);
    }
}

void MonthMenuCallback(Widget, XtPointer client, XtPointer)
{
    SetCurrentMonth(static_cast<int>(reinterpret_cast<intptr_t>(client)));
}

Widget CreateMonthMenu(Widget dateTimeForm)
{
    Widget form = CreateLeadingForm(dateTimeForm, "FormMonth");
    XtVaCreateManagedWidget("LabelMonth", xmLabelWidgetClass, form, nullptr);
    Widget pulldown = XmCreatePulldownMenu(form, const_cast<char*>("MonthPulldown"), nullptr, 0);
    for (int month = 1; month <= kMonthCount; ++month) {
        char name[16];
        std::snprintf(name, sizeof name, "Month%02d", month);
        Widget button = XtVaCreateManagedWidget(name, xmPushButtonGadgetClass, pulldown, nullptr);
        XtAddCallback(button, XmNactivateCallback, MonthMenuCallback,
                      reinterpret_cast<XtPointer>(static_cast<intptr_t>(month)));
        monthButtons[month - 1] = button;
    }
    Arg args[1];
    XtSetArg(args[0], XmNsubMenuId, pulldown);
    monthMenu = XmCreateOptionMenu(form, const_cast<char*>("MonthMenu"), args, 1);
    // The menu's own label would repeat LabelMonth above it.
    XtUnmanageChild(XmOptionLabelGadget(monthMenu));
    XtManageChild(monthMenu);
    return form;
}

void CreateDateForm(Widget parent)
{
    Widget form = CreateDateTimeForm(parent);
    Widget lead = layout->monthMenu ? CreateMonthMenu(form) : nullptr;
    for (int row = 0; row < layout->rowCount; ++row) {
        shownRows[row] = kFieldRows[layout->rows[row]];
    }
    AddDateRows(form, shownRows, layout->rowCount, lead, dateRows);
}

void FillDateForm(const DateTime& date)
{
    const std::array<std::string, kDateFieldCount> texts = DateFieldTexts(date);
    for (int row = 0; row < layout->rowCount; ++row) {
        const std::string& text = texts[layout->rows[row]];
        XmTextFieldSetString(dateRows.fields[row].text, const_cast<char*>(text.c_str()));
    }
    if (layout->monthMenu) {
        SetCurrentMonth(date.month);
    }
}

DateDialogValues FieldValues()
{
    DateDialogValues values;
    for (int row = 0; row < layout->rowCount; ++row) {
        char* text = XmTextFieldGetString(dateRows.fields[row].text);
        values.date[layout->rows[row]] = text != nullptr ? text : "";
        XtFree(text);
    }
    if (layout->monthMenu) {
        values.date[kDateMonth] = std::to_string(currentMonth);
    }
    values.lock = StimePartValues();
    return values;
}

void DateDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    CommandText command;
    const char* refusal = ComposeDateCommand(FieldValues(), scene->time.date.zone, command);
    if (refusal != nullptr) {
        ShowDialogWarning(dateDialog.dialog, refusal);
        return;
    }
    HideFormDialog(dateDialog);
    RunCommandText(scene, command);
}

// The present instant in the zone OK will send; the lock part stays.
void DateDialogNowCallback(Widget, XtPointer client, XtPointer)
{
    const Scene* scene = static_cast<const Scene*>(client);
    FillDateForm(DateNowInZone(CurrentJulianDay(), scene->time.date.zone));
}

void CreateDateDialog(Scene* scene)
{
    layout = &LayoutOfStyle(scene->dateStyle);
    CreateFormDialog(dateDialog, gAppEnv->toplevel, "DateDialog", "DateRowColumn");
    Widget column = XtVaCreateManagedWidget("RCDateTime", xmRowColumnWidgetClass,
                                            dateDialog.rowColumn, nullptr);
    CreateDateForm(column);
    XtVaCreateManagedWidget("Separator", xmSeparatorWidgetClass, column, nullptr);
    CreateStimePart(column);
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, DateDialogOkCallback, scene},
        {"ButtonCancel", kButtonCancel, nullptr, nullptr},
        {"ButtonNow", kButtonPlain, DateDialogNowCallback, scene},
    };
    AddDialogButtons(dateDialog, dateDialog.rowColumn, "DateButtons", buttons, 3);
}

}  // namespace

void ShowDateDialog(Scene* scene)
{
    if (dateDialog.dialog == nullptr) {
        CreateDateDialog(scene);
    }
    FillDateForm(scene->time.date);
    FillStimePart(ReadSunLockValues(*scene));
    ShowFormDialog(dateDialog);
}

Widget DateDialogWidget()
{
    return dateDialog.dialog;
}
