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

constexpr int kColumnPosition = 33;   // percent of the form's width per column
constexpr Dimension kSeparatorShadow = 3;

const FieldRow kMinField{"MagMinLimit", kNebulaLimitLowest, kNebulaArrowHighest, 0.1, 1, 4, 4};
const FieldRow kMaxField{"MagMaxLimit", kNebulaLimitLowest, kNebulaArrowHighest, 0.1, 1, 4, 4};

// Where each child of the form stands: three columns, rows from the top.
struct Placement {
    const char* name;
    int row;
    int column;   // -1: the whole width (a separator)
};

const Placement kPlacements[] = {
    {"ToggleNebula", 0, 0},          {"ToggleNebulaLabel", 0, 1},     {"ToggleNebulaMag", 0, 2},
    {"Separator1", 1, -1},           {"ToggleNebulaMessier", 2, 0},   {"ToggleNebulaNGC", 2, 1},
    {"ToggleNebulaIC", 2, 2},        {"Separator2", 3, -1},           {"ToggleNebulaGlobular", 4, 0},
    {"ToggleNebulaPlanetary", 4, 1}, {"ToggleNebulaOpenCluster", 4, 2}, {"ToggleNebulaDiffuse", 5, 0},
    {"ToggleNebulaGalaxy", 5, 1},    {"ToggleNebulaCompound", 5, 2},  {"Separator3", 6, -1},
    {"ToggleNebulaLimit", 7, 0},     {"FormMagMinLimit", 8, 0},       {"FormMagMaxLimit", 8, 1},
};

FormDialog nebulaDialog;
ToggleGroup nebulaToggles;
Widget limitToggle = nullptr;
NumberField minField;
NumberField maxField;

Widget Child(Widget form, const char* name)
{
    return XtNameToWidget(form, name);
}

// Each row below the first widget of the row above it.
void PlaceChildren(Widget form)
{
    Widget rowAbove = nullptr;
    Widget rowFirst = nullptr;
    int row = -1;
    for (const Placement& place : kPlacements) {
        if (place.row != row) {
            rowAbove = rowFirst;
            rowFirst = Child(form, place.name);
            row = place.row;
        }
        Widget widget = Child(form, place.name);
        if (rowAbove != nullptr) {
            XtVaSetValues(widget, XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, rowAbove, nullptr);
        } else {
            XtVaSetValues(widget, XmNtopAttachment, XmATTACH_FORM, nullptr);
        }
        if (place.column < 0) {
            XtVaSetValues(widget, XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment,
                          XmATTACH_FORM, nullptr);
        } else if (place.column == 0) {
            XtVaSetValues(widget, XmNleftAttachment, XmATTACH_FORM, nullptr);
        } else {
            XtVaSetValues(widget, XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition,
                          place.column * kColumnPosition, nullptr);
        }
    }
}

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

Widget CreateSeparator(Widget form, const char* name)
{
    return XtVaCreateManagedWidget(name, xmSeparatorWidgetClass, form, XmNorientation, XmHORIZONTAL,
                                   XmNseparatorType, XmSHADOW_ETCHED_IN, XmNshadowThickness,
                                   kSeparatorShadow, nullptr);
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
    CreateToggleGroup(form, kNebulaToggles, kNebulaToggleCount, nebulaToggles);
    for (const char* name : {"Separator1", "Separator2", "Separator3"}) {
        CreateSeparator(form, name);
    }
    limitToggle = XtVaCreateManagedWidget("ToggleNebulaLimit", xmToggleButtonWidgetClass, form, nullptr);
    CreateNumberForm(form, kMinField, minField);
    CreateNumberForm(form, kMaxField, maxField);
    PlaceChildren(form);
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
