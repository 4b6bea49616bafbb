#include "dialogs/nebula_dialog.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/kit/checked_message.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/number_field.h"
#include "dialogs/nebula_dialog_fields.h"

#include <Xm/Form.h>
#include <Xm/Separator.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

namespace {


const FieldRow kMinField{"MagMinLimit", kNebulaLimitLowest, kNebulaArrowHighest, 0.1, 1};
const FieldRow kMaxField{"MagMaxLimit", kNebulaLimitLowest, kNebulaArrowHighest, 0.1, 1};

// The form's children in the order they stand, a separator after each
// group of toggles, so that each resource line that places a child under
// another names one made before it.
struct ToggleRun {
    int first;
    int count;
    const char* separatorAfter;
};

const ToggleRun kToggleRuns[] = {{0, 3, "Separator1"}, {3, 3, "Separator2"}, {6, 6, "Separator3"}};

FormDialog nebulaDialog;
ToggleGroup nebulaToggles;
Widget limitToggle = nullptr;
NumberField minField;
NumberField maxField;

// Everything but the layer's own toggle waits for the layer; the window's
// bounds wait for the window too.
void SetNebulaLimitSensitive(bool on)
{
    for (size_t i = 1; i < nebulaToggles.toggles.size(); ++i) {
        XtSetSensitive(nebulaToggles.toggles[i], on ? True : False);
    }
    XtSetSensitive(limitToggle, on ? True : False);
    const bool window = on && XmToggleButtonGetState(limitToggle) != 0;
    SetNumberFieldSensitive(minField, window);
    SetNumberFieldSensitive(maxField, window);
}

void ApplyNebulaSensitivity()
{
    SetNebulaLimitSensitive(XmToggleButtonGetState(nebulaToggles.toggles[0]) != 0);
}

void NebulaToggleCallback(Widget, XtPointer, XtPointer)
{
    ApplyNebulaSensitivity();
}

void FillNebulaDialog(const Scene& scene)
{
    const NebulaDialogValues values = ReadNebulaDialogValues(scene);
    SetToggleValues(nebulaToggles, values.toggles);
    XmToggleButtonSetState(limitToggle, values.limitOn ? True : False, False);
    SetNumberField(minField, values.faint);
    SetNumberField(maxField, values.bright);
    ApplyNebulaSensitivity();
}

NebulaDialogValues FieldValues()
{
    NebulaDialogValues values;
    values.toggles = ToggleValues(nebulaToggles);
    values.limitOn = XmToggleButtonGetState(limitToggle) != 0;
    values.faint = GetTextFieldDouble(minField.text);
    values.bright = GetTextFieldDouble(maxField.text);
    return values;
}

void NebulaDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    const NebulaDialogValues values = FieldValues();
    switch (CheckNebulaLimit(values)) {
    case kNebulaLimitMinMax:
        ShowDialogWarning(gAppEnv->toplevel, "messageNebulaLimitMinMax");
        return;
    case kNebulaLimitRange:
        ShowCheckedWarning(gAppEnv->toplevel, "messageNebulaLimitRange",
                           "Limit magnitude must be between %.1f and %.1f", kNebulaLimitLowest,
                           kNebulaLimitHighest);
        return;
    case kNebulaLimitAccepted:
        break;
    }
    CommandText command;
    ComposeNebulaCommand(values, command);
    HideFormDialog(nebulaDialog);
    RunCommandText(static_cast<Scene*>(client), command);
}

void NebulaDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(nebulaDialog);
}

// The arrows of Min. and Max.: the field's number a tenth up or down, kept
// within -2.0 .. 15.0.
void NebulaMagArrowCallback(Widget arrow, XtPointer client, XtPointer call)
{
    NumberArrowCallback(arrow, client, call);
}

void CreateNumberForm(Widget form, const FieldRow& row, NumberField& field)
{
    const std::string name = std::string("Form") + row.word;
    CreateNumberField(XtVaCreateManagedWidget(name.c_str(), xmFormWidgetClass, form, nullptr), row,
                      field, NebulaMagArrowCallback);
}

void CreateNebulaDialog(Scene* scene)
{
    CreateFormDialog(nebulaDialog, gAppEnv->toplevel, "NebulaDialog", "NebulaRowColumn");
    Widget form = XtVaCreateManagedWidget("FormNebula", xmFormWidgetClass, nebulaDialog.rowColumn,
                                          nullptr);
    nebulaToggles.rows = kNebulaToggles;
    for (const ToggleRun& run : kToggleRuns) {
        ToggleGroup group;
        CreateToggleGroup(form, kNebulaToggles + run.first, run.count, group);
        nebulaToggles.toggles.insert(nebulaToggles.toggles.end(), group.toggles.begin(),
                                     group.toggles.end());
        XtVaCreateManagedWidget(run.separatorAfter, xmSeparatorWidgetClass, form, nullptr);
    }
    limitToggle = XtVaCreateManagedWidget("ToggleNebulaLimit", xmToggleButtonWidgetClass, form, nullptr);
    CreateNumberForm(form, kMinField, minField);
    CreateNumberForm(form, kMaxField, maxField);
    XtAddCallback(nebulaToggles.toggles[0], XmNvalueChangedCallback, NebulaToggleCallback, nullptr);
    XtAddCallback(limitToggle, XmNvalueChangedCallback, NebulaToggleCallback, nullptr);
    AddOkCancelButtons(nebulaDialog, nebulaDialog.rowColumn, "PlanetButtons",
                       NebulaDialogOkCallback, scene, NebulaDialogCancelCallback);
}

}  // namespace

void ShowNebulaDialog(Scene* scene)
{
    if (nebulaDialog.dialog == nullptr) {
        CreateNebulaDialog(scene);
    }
    FillNebulaDialog(*scene);
    ShowFormDialog(nebulaDialog);
}

Widget NebulaDialogWidget()
{
    return nebulaDialog.dialog;
}
