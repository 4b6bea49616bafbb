#include "dialogs/projection_dialog.h"

#include "core/app_env.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/projection_dialog_fields.h"
#include "sky/scene.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

namespace {


const RadioRow kMajorModes[kMajorModeCount] = {
    {"ToggleMajorModeGeneral", kMajorGeneral}, {"ToggleMajorModeAll1", kMajorAll1},
    {"ToggleMajorModeAll2", kMajorAll2},       {"ToggleMajorModeSol", kMajorSol},
    {"ToggleMajorModeVola", kMajorVola},
};
const RadioRow kMinorModes[kMinorModeCount] = {
    {"ToggleMinorModeHrz", kMinorHrz},
    {"ToggleMinorModeEqt", kMinorEqt},
    {"ToggleMinorModeEcl", kMinorEcl},
    {"ToggleMinorModeGal", kMinorGal},
};

FormDialog projectionDialog;
RadioGroup majorModes;
RadioGroup minorModes;

int RadioPosition(const RadioGroup& group)
{
    int32_t position = -1;
    RadioValue(group, position);
    return position;
}

// The projection and the frame chosen now; -1 where none is set.
void GetProjectionRadio(int& major, int& minor)
{
    major = RadioPosition(majorModes);
    minor = RadioPosition(minorModes);
}

// The frames the projection cannot show go grey and lose their mark.
void SetMinorModeSensitive(int major)
{
    if (major < 0 || major >= kMajorModeCount) {
        return;
    }
    for (int minor = 0; minor < kMinorModeCount; ++minor) {
        Widget toggle = minorModes.buttons[static_cast<size_t>(minor)];
        const bool offered = IsMinorModeOffered(major, minor);
        XtSetSensitive(toggle, offered ? True : False);
        if (!offered) {
            XmToggleButtonSetState(toggle, False, False);
        }
    }
}

void FillProjectionDialog(const Scene& scene)
{
    int major = -1;
    int minor = -1;
    ModeToProjectionRadio(scene.viewMode, major, minor);
    SetRadioValue(majorModes, major);
    SetRadioValue(minorModes, minor);
    for (Widget toggle : minorModes.buttons) {
        XtSetSensitive(toggle, minor != -1 ? True : False);
    }
    SetMinorModeSensitive(major);
}

// A projection picked: a frame it can show is chosen with it.
void MajorModeCallback(Widget toggle, XtPointer, XtPointer)
{
    if (XmToggleButtonGetState(toggle) == 0) {
        return;   // the toggle the pick cleared
    }
    int major = -1;
    int minor = -1;
    GetProjectionRadio(major, minor);
    if (major < 0) {
        return;
    }
    SetRadioValue(minorModes, MinorModeAfterMajorChange(major, minor));
    SetMinorModeSensitive(major);
}

void ProjectionDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    int major = -1;
    int minor = -1;
    GetProjectionRadio(major, minor);
    CommandText command;
    if (ComposeProjectionCommand(major, minor, command) == 0) {
        return;
    }
    HideFormDialog(projectionDialog);
    RunCommandText(static_cast<Scene*>(client), command);
}

// Only hides: the next Show sets the choices from the Scene again.
void ProjectionDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(projectionDialog);
}

// A label over an etched frame holding a radio box (the frame and the
// box's margins in it: the dialog's resource lines).
void CreateModeColumn(Widget parent, const char* columnName, const char* labelName,
                      const char* formName, const char* radioName, const RadioRow* choices,
                      int count, RadioGroup& group)
{
    Widget column = XtVaCreateManagedWidget(columnName, xmRowColumnWidgetClass, parent, nullptr);
    XtVaCreateManagedWidget(labelName, xmLabelWidgetClass, column, nullptr);
    Widget form = XtVaCreateManagedWidget(formName, xmFormWidgetClass, column, nullptr);
    CreateRadioGroup(form, radioName, choices, count, group);
}

void CreateProjectionDialog(Scene* scene)
{
    CreateFormDialog(projectionDialog, gAppEnv->toplevel, "ProjectionDialog",
                     "ProjectionRowColumn");
    Widget row = projectionDialog.rowColumn;
    CreateModeColumn(row, "MajorRowColumn", "MajorModeLabel", "FormMajorMode", "RadioMajorMode",
                     kMajorModes, kMajorModeCount, majorModes);
    CreateModeColumn(row, "MinorRowColumn", "MinorModeLabel", "FormMinorMode", "RadioMinorMode",
                     kMinorModes, kMinorModeCount, minorModes);
    for (Widget toggle : majorModes.buttons) {
        XtAddCallback(toggle, XmNvalueChangedCallback, MajorModeCallback, scene);
    }
    AddOkCancelButtons(projectionDialog, row, "ProjectionButtons", ProjectionDialogOkCallback,
                       scene, ProjectionDialogCancelCallback, scene);
}

}  // namespace

void ShowProjectionDialog(Scene* scene)
{
    if (projectionDialog.dialog == nullptr) {
        CreateProjectionDialog(scene);
    }
    FillProjectionDialog(*scene);
    ShowFormDialog(projectionDialog);
}

Widget ProjectionDialogWidget()
{
    return projectionDialog.dialog;
}
