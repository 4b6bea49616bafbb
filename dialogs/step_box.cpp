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

// Where the buttons and the label of a row stand, their margins and
// highlight: the step box's resource lines. Only the pictures are set here.
Widget CreateArrowButton(Widget row, const std::string& name, Pixmap pixmap, StepCommand& entry)
{
    Widget button = XtVaCreateManagedWidget(name.c_str(), xmPushButtonWidgetClass, row,
                                            XmNlabelPixmap, pixmap, nullptr);
    XtAddCallback(button, XmNarmCallback, StepArmCallback, &entry);
    XtAddCallback(button, XmNdisarmCallback, StepDisarmCallback, &entry);
    return button;
}

// The buttons are made before the label, which the resource lines place
// between them.
void CreateRow(Widget box, int row)
{
    char name[16];
    std::snprintf(name, sizeof name, "StepForm%d", row);
    Widget form = XtVaCreateManagedWidget(name, xmFormWidgetClass, box, nullptr);
    const std::string step = kRowSteps[row];
    CreateArrowButton(form, "ButtonMinus" + step, minusPixmap, StepCommandTable[2 * row]);
    CreateArrowButton(form, "ButtonPlus" + step, plusPixmap, StepCommandTable[2 * row + 1]);
    XtVaCreateManagedWidget(("Label" + step).c_str(), xmLabelWidgetClass, form, nullptr);
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
    for (int row = 0; row < kRowCount; ++row) {
        CreateRow(box, row);
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
