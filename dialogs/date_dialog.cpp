#include "dialogs/date_dialog.h"

#include "command/animation.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/string_utils.h"
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
constexpr size_t kCommandSize = 256;

// The arrows of each field stop at its calendar limits; the day at 31
// whatever the month, since OK checks the whole date.
const FieldRow kFieldRows[kDateFieldCount] = {
    {"Year", -999, 9999, 1, 0}, {"Month", 1, 12, 1, 0}, {"Day", 1, 31, 1, 0},
    {"Hour", 0, 23, 1, 0},      {"Min", 0, 59, 1, 0},
};

Widget CreateDateFormYmd(Widget parent);
Widget CreateDateFormMdy(Widget parent);
Widget CreateDateFormDmy(Widget parent);
void FillDateFormYmd(const DateTime& date);
void FillDateFormMdy(const DateTime& date);
void FillDateFormDmy(const DateTime& date);
int MakeDateCommandYmd(Scene* scene, char* text, size_t size);
int MakeDateCommandMdy(Scene* scene, char* text, size_t size);
int MakeDateCommandDmy(Scene* scene, char* text, size_t size);
void DateArrowCallbackYmd(Widget arrow, XtPointer client, XtPointer call);
void DateArrowCallbackMdy(Widget arrow, XtPointer client, XtPointer call);
void DateArrowCallbackDmy(Widget arrow, XtPointer client, XtPointer call);

// One date style's layout: the order of its rows and its four operations.
// The month-name layout shows the month in a menu of names instead of a row.
struct DateLayout {
    DateField rows[kDateFieldCount];
    int rowCount;
    bool monthMenu;
    Widget (*create)(Widget parent);
    void (*fill)(const DateTime& date);
    int (*makeCommand)(Scene* scene, char* text, size_t size);
};

const DateLayout kDateLayoutYmd = {{kDateYear, kDateMonth, kDateDay, kDateHour, kDateMinute}, 5,
                                   false, CreateDateFormYmd, FillDateFormYmd, MakeDateCommandYmd};
const DateLayout kDateLayoutDmy = {{kDateDay, kDateMonth, kDateYear, kDateHour, kDateMinute}, 5,
                                   false, CreateDateFormDmy, FillDateFormDmy, MakeDateCommandDmy};
const DateLayout kDateLayoutMdy = {{kDateDay, kDateYear, kDateHour, kDateMinute}, 4, true,
                                   CreateDateFormMdy, FillDateFormMdy, MakeDateCommandMdy};

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

Widget CreateDateForm(const DateLayout& shown, Widget parent, XtCallbackProc arrowCallback)
{
    Widget form = CreateDateTimeForm(parent);
    Widget lead = shown.monthMenu ? CreateMonthMenu(form) : nullptr;
    for (int row = 0; row < shown.rowCount; ++row) {
        shownRows[row] = kFieldRows[shown.rows[row]];
    }
    AddDateRows(form, shownRows, shown.rowCount, lead, dateRows, arrowCallback);
    return form;
}

void FillDateForm(const DateLayout& shown, const DateTime& date)
{
    const std::array<std::string, kDateFieldCount> texts = DateFieldTexts(date);
    for (int row = 0; row < shown.rowCount; ++row) {
        const std::string& text = texts[shown.rows[row]];
        XmTextFieldSetString(dateRows.fields[row].text, const_cast<char*>(text.c_str()));
    }
    if (shown.monthMenu) {
        SetCurrentMonth(date.month);
    }
}

// The DATE text from the rows (the month-name layout's month from its
// menu), or the text of the refusal's message.
// Returned: 1 accepted, 0 refused
int MakeDateCommand(const DateLayout& shown, const Scene& scene, char* text, size_t size)
{
    std::array<int, kDateFieldCount> typed{};
    for (int row = 0; row < shown.rowCount; ++row) {
        typed[shown.rows[row]] = GetTextFieldInt(dateRows.fields[row].text);
    }
    if (shown.monthMenu) {
        typed[kDateMonth] = currentMonth;
    }
    std::string date;
    const char* refusal = ComposeDateText(typed, scene.time.date.zone, date);
    if (refusal != nullptr) {
        GetMessage(refusal, text, size);
        return 0;
    }
    CopyCut(text, size, date.c_str());
    return 1;
}

Widget CreateDateFormYmd(Widget parent)
{
    return CreateDateForm(kDateLayoutYmd, parent, DateArrowCallbackYmd);
}

Widget CreateDateFormMdy(Widget parent)
{
    return CreateDateForm(kDateLayoutMdy, parent, DateArrowCallbackMdy);
}

Widget CreateDateFormDmy(Widget parent)
{
    return CreateDateForm(kDateLayoutDmy, parent, DateArrowCallbackDmy);
}

void FillDateFormYmd(const DateTime& date)
{
    FillDateForm(kDateLayoutYmd, date);
}

void FillDateFormMdy(const DateTime& date)
{
    FillDateForm(kDateLayoutMdy, date);
}

void FillDateFormDmy(const DateTime& date)
{
    FillDateForm(kDateLayoutDmy, date);
}

int MakeDateCommandYmd(Scene* scene, char* text, size_t size)
{
    return MakeDateCommand(kDateLayoutYmd, *scene, text, size);
}

int MakeDateCommandMdy(Scene* scene, char* text, size_t size)
{
    return MakeDateCommand(kDateLayoutMdy, *scene, text, size);
}

int MakeDateCommandDmy(Scene* scene, char* text, size_t size)
{
    return MakeDateCommand(kDateLayoutDmy, *scene, text, size);
}

// Each row's arrows step its number within the row's calendar limits,
// without carrying into the next row (the kit's arrow, client data the
// row's field).
void DateArrowCallbackYmd(Widget arrow, XtPointer client, XtPointer call)
{
    NumberArrowCallback(arrow, client, call);
}

void DateArrowCallbackMdy(Widget arrow, XtPointer client, XtPointer call)
{
    NumberArrowCallback(arrow, client, call);
}

void DateArrowCallbackDmy(Widget arrow, XtPointer client, XtPointer call)
{
    NumberArrowCallback(arrow, client, call);
}

// A refusal leaves the dialog up, with its warning on the dialog; nothing
// runs, not even the DATE text, unless both texts are accepted.
void DateDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    char dateText[kCommandSize];
    char stimeText[kCommandSize];
    if (layout->makeCommand(scene, dateText, sizeof dateText) == 0) {
        ShowMessageBox(dateDialog.dialog, dateText, kMessageBoxWarning);
        return;
    }
    if (MakeStimeCommand(scene, stimeText, sizeof stimeText) == 0) {
        ShowMessageBox(dateDialog.dialog, stimeText, kMessageBoxWarning);
        return;
    }
    HideFormDialog(dateDialog);
    StkExecuteText(*scene, dateText);
    StkExecuteText(*scene, stimeText);
    StkExecuteText(*scene, "DRIVE");
}

// Only hides: the rows keep what was typed until the next Show fills them.
void DateDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(dateDialog);
}

// The present instant in the zone OK will send; the lock part stays.
void DateDialogNowCallback(Widget, XtPointer client, XtPointer)
{
    const Scene* scene = static_cast<const Scene*>(client);
    layout->fill(DateNowInZone(CurrentJulianDay(), scene->time.date.zone));
}

void CreateDateDialog(Scene* scene)
{
    layout = &LayoutOfStyle(scene->dateStyle);
    CreateFormDialog(dateDialog, gAppEnv->toplevel, "DateDialog", "DateRowColumn");
    Widget column = XtVaCreateManagedWidget("RCDateTime", xmRowColumnWidgetClass,
                                            dateDialog.rowColumn, nullptr);
    layout->create(column);
    XtVaCreateManagedWidget("Separator", xmSeparatorWidgetClass, column, nullptr);
    CreateStimePart(column);
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, DateDialogOkCallback, scene},
        {"ButtonCancel", kButtonCancel, DateDialogCancelCallback, scene},
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
    layout->fill(scene->time.date);
    FillStimePart(ReadSunLockValues(*scene));
    ShowFormDialog(dateDialog);
}

Widget DateDialogWidget()
{
    return dateDialog.dialog;
}
