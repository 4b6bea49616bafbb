#include "dialogs/progress_gauge.h"

#include "core/app_env.h"
#include "core/messages.h"
#include "dialogs/kit/form_dialog.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/Scale.h>
#include <Xm/Xm.h>

#include <cstdio>

namespace {

constexpr size_t kTitleSize = 64;

struct GaugeState {
    FormDialog dialog;
    Widget title = nullptr;
    Widget percentage = nullptr;
    Widget scale = nullptr;
    Widget cancel = nullptr;
    int lastPercent = -1;   // -1: none shown yet
    int cancelled = 0;
};

GaugeState gauge;

void SetLabel(Widget label, const char* text)
{
    XmString string = XmStringCreateLocalized(const_cast<char*>(text));
    XtVaSetValues(label, XmNlabelString, string, nullptr);
    XmStringFree(string);
}

void CreateGauge()
{
    gauge.dialog.dialog = XmCreateFormDialog(gAppEnv->toplevel, const_cast<char*>("GaugeDialog"),
                                             nullptr, 0);
    // The column's and the scale's layout: the gauge's resource lines. The
    // scale's range stays here: the percentages written to it are its
    // meaning.
    Widget column = XtVaCreateManagedWidget("GaugeRowColumn", xmRowColumnWidgetClass,
                                            gauge.dialog.dialog, nullptr);
    gauge.dialog.rowColumn = column;
    gauge.title = XtVaCreateManagedWidget("GaugeLabelTitle", xmLabelWidgetClass, column, nullptr);
    gauge.percentage =
        XtVaCreateManagedWidget("GaugeLabelPercentage", xmLabelWidgetClass, column, nullptr);
    gauge.scale = XtVaCreateManagedWidget("GaugeScale", xmScaleWidgetClass, column, XmNminimum, 0,
                                          XmNmaximum, 100, nullptr);
    gauge.cancel = XtVaCreateManagedWidget("GaugeCancelButton", xmPushButtonWidgetClass, column,
                                           nullptr);
    XtAddCallback(gauge.cancel, XmNactivateCallback, GaugeCancelCallback, nullptr);
    // The window manager's close presses Cancel: left to itself it would
    // only hide the gauge, and the read would go on with no way to stop it.
    CloseAsCancel(gauge.dialog.dialog, gauge.cancel);
}

bool GaugeShown()
{
    return gauge.dialog.dialog != nullptr && XtIsManaged(gauge.dialog.dialog);
}

// Only X events: XtAppNextEvent would also wait for, and run, timers and
// the command port, and a port request must not run while the list it
// might change is being rebuilt.
void PumpXEvents()
{
    XtAppContext app = XtWidgetToApplicationContext(gAppEnv->toplevel);
    while ((XtAppPending(app) & XtIMXEvent) != 0) {
        XtAppProcessEvent(app, XtIMXEvent);
    }
}

}  // namespace

void OpenGauge(const char* key)
{
    if (gauge.dialog.dialog == nullptr) {
        CreateGauge();
    }
    char title[kTitleSize];
    GetMessage(key, title, sizeof title);
    SetLabel(gauge.title, title);
    gauge.lastPercent = -1;
    XtManageChild(gauge.dialog.dialog);
    UpdateGauge(0);
    gauge.cancelled = 0;
}

void UpdateGauge(int percent)
{
    if (!GaugeShown()) {
        return;
    }
    PumpXEvents();
    if (percent == gauge.lastPercent) {
        return;
    }
    XtVaSetValues(gauge.scale, XmNvalue, percent, nullptr);
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    SetLabel(gauge.percentage, text);
    XmUpdateDisplay(gauge.dialog.dialog);
    gauge.lastPercent = percent;
}

int IsGaugeCancelled()
{
    return gauge.cancelled;
}

void ResetGaugeCancel()
{
    gauge.cancelled = 0;
}

void GaugeCancelCallback(Widget, XtPointer, XtPointer)
{
    gauge.cancelled = 1;
}

void CloseGauge()
{
    if (gauge.dialog.dialog != nullptr) {
        XtUnmanageChild(gauge.dialog.dialog);
    }
}

Widget GaugeDialogWidget()
{
    return gauge.dialog.dialog;
}
