#include "dialogs/step_box.h"

#include "core/app_env.h"
#include "data/step_box_icons.h"
#include "dialogs/kit/icon_pixmap.h"
#include "dialogs/kit/press_repeat.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>

#include <cstdio>
#include <string>

StepCommand StepCommandTable[kStepCommandCount] = {
    {"DECTIME  0, 0,  0, 0,  1, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0,  0, 0,  1, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 0,  0, 0,  5, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0,  0, 0,  5, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 0,  0, 0, 10, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0,  0, 0, 10, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 0,  0, 0, 30, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0,  0, 0, 30, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 0,  0, 1,  0, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0,  0, 1,  0, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 0,  0, 3,  0, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0,  0, 3,  0, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 0,  1, 0,  0, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0,  1, 0,  0, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 0, 10, 0,  0, 0.0;DRIVE", nullptr}, {"INCTIME  0, 0, 10, 0,  0, 0.0;DRIVE", nullptr},
    {"DECTIME  0, 1,  0, 0,  0, 0.0;DRIVE", nullptr}, {"INCTIME  0, 1,  0, 0,  0, 0.0;DRIVE", nullptr},
    {"DECTIME  1, 0,  0, 0,  0, 0.0;DRIVE", nullptr}, {"INCTIME  1, 0,  0, 0,  0, 0.0;DRIVE", nullptr},
};

namespace {

constexpr int kRowCount = kStepCommandCount / 2;

// The step of each row, as its widgets are named.
constexpr const char* kRowSteps[kRowCount] = {"1Min",  "5Min",  "10Min", "30Min", "1Hour",
                                              "3Hour", "1Day",  "10Day", "1Mon",  "1Year"};

// One press at a time for the whole box; the date steps every 40 ms once
// a button has been held 300 ms.
PressRepeat stepRepeat{300, 40};

Pixmap minusPixmap = XmUNSPECIFIED_PIXMAP;
Pixmap plusPixmap = XmUNSPECIFIED_PIXMAP;

void StepArmCallback(Widget button, XtPointer client, XtPointer)
{
    const StepCommand& entry = *static_cast<const StepCommand*>(client);
    ArmPressRepeat(stepRepeat, button, entry.scene, entry.command, entry.command);
}

void StepDisarmCallback(Widget, XtPointer, XtPointer)
{
    DisarmPressRepeat(stepRepeat);
}

Widget CreateArrowButton(Widget row, const std::string& name, Pixmap pixmap, bool onTheLeft,
                         StepCommand& entry)
{
    Widget button = XtVaCreateManagedWidget(
        name.c_str(), xmPushButtonWidgetClass, row, XmNalignment, XmALIGNMENT_CENTER,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0, XmNbottomAttachment, XmATTACH_FORM,
        XmNbottomOffset, 0, onTheLeft ? XmNleftAttachment : XmNrightAttachment, XmATTACH_FORM,
        XmNmarginHeight, 0, XmNmarginWidth, 0, XmNhighlightThickness, 1, XmNborderWidth, 0,
        XmNlabelType, XmPIXMAP, XmNlabelPixmap, pixmap, nullptr);
    XtAddCallback(button, XmNarmCallback, StepArmCallback, &entry);
    XtAddCallback(button, XmNdisarmCallback, StepDisarmCallback, &entry);
    return button;
}

Widget CreateRow(Widget box, int row, Widget above)
{
    char name[16];
    std::snprintf(name, sizeof name, "StepForm%d", row);
    Widget form = XtVaCreateManagedWidget(
        name, xmFormWidgetClass, box, XmNtopAttachment,
        above == nullptr ? XmATTACH_FORM : XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, 0,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 0, XmNrightAttachment, XmATTACH_FORM,
        XmNrightOffset, 0, XmNnavigationType, XmNONE, nullptr);
    const std::string step = kRowSteps[row];
    Widget minus = CreateArrowButton(form, "ButtonMinus" + step, minusPixmap, true,
                                     StepCommandTable[2 * row]);
    Widget plus = CreateArrowButton(form, "ButtonPlus" + step, plusPixmap, false,
                                    StepCommandTable[2 * row + 1]);
    XtVaCreateManagedWidget(("Label" + step).c_str(), xmLabelWidgetClass, form, XmNalignment,
                            XmALIGNMENT_CENTER, XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
                            XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 0,
                            XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, minus,
                            XmNrightAttachment, XmATTACH_WIDGET, XmNrightWidget, plus,
                            XmNmarginHeight, 0, XmNmarginWidth, 2, nullptr);
    return form;
}

}  // namespace

void CreateStepBox(Scene* scene)
{
    for (StepCommand& entry : StepCommandTable) {
        entry.scene = scene;
    }
    Widget box = XmCreateFormDialog(gAppEnv->toplevel, const_cast<char*>("StepBox"), nullptr, 0);
    gAppEnv->stepBox = box;
    Pixel background = 0;
    XtVaGetValues(box, XmNbackground, &background, nullptr);
    minusPixmap = MakeIconPixmap(kStepBoxMinusIcon, background);
    plusPixmap = MakeIconPixmap(kStepBoxPlusIcon, background);
    Widget above = nullptr;
    for (int row = 0; row < kRowCount; ++row) {
        above = CreateRow(box, row, above);
    }
}

void ShowStepBox(Scene*, int on)
{
    if (on != 0) {
        XtManageChild(gAppEnv->stepBox);
    } else {
        XtUnmanageChild(gAppEnv->stepBox);
    }
}
