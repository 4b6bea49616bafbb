#include "dialogs/nebula_dialog.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/kit/checked_message.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/number_field.h"
#include "dialogs/kit/widget_rows.h"
#include "dialogs/nebula_dialog_fields.h"

#include <Xm/ArrowB.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/Separator.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cstdint>
#include <iterator>

namespace {

const FieldRow kMinField{"MagMinLimit", kNebulaLimitLowest, kNebulaArrowHighest, 0.1, 1};
const FieldRow kMaxField{"MagMaxLimit", kNebulaLimitLowest, kNebulaArrowHighest, 0.1, 1};

// FormNebula's children in the order they stand, so that each resource
// line that places a child against another names one made before it.
const WidgetRow kFormNebula[] = {
    {"ToggleNebula", &xmToggleButtonWidgetClass},
    {"ToggleNebulaLabel", &xmToggleButtonWidgetClass},
    {"ToggleNebulaMag", &xmToggleButtonWidgetClass},
    {"Separator1", &xmSeparatorWidgetClass},
    {"ToggleNebulaMessier", &xmToggleButtonWidgetClass},
    {"ToggleNebulaNGC", &xmToggleButtonWidgetClass},
    {"ToggleNebulaIC", &xmToggleButtonWidgetClass},
    {"Separator2", &xmSeparatorWidgetClass},
    {"ToggleNebulaGlobular", &xmToggleButtonWidgetClass},
    {"ToggleNebulaPlanetary", &xmToggleButtonWidgetClass},
    {"ToggleNebulaOpenCluster", &xmToggleButtonWidgetClass},
    {"ToggleNebulaDiffuse", &xmToggleButtonWidgetClass},
    {"ToggleNebulaGalaxy", &xmToggleButtonWidgetClass},
    {"ToggleNebulaCompound", &xmToggleButtonWidgetClass},
    {"Separator3", &xmSeparatorWidgetClass},
    {"ToggleNebulaLimit", &xmToggleButtonWidgetClass},
    {"LabelMagMinLimit", &xmLabelWidgetClass},
    {"LabelMagMaxLimit", &xmLabelWidgetClass},
    {"EditMagMinLimit", &xmTextFieldWidgetClass},
    {"EditMagMaxLimit", &xmTextFieldWidgetClass},
    {"ArrowMagMinLimitUp", &xmArrowButtonWidgetClass},
    {"ArrowMagMinLimitDown", &xmArrowButtonWidgetClass},
    {"ArrowMagMaxLimitUp", &xmArrowButtonWidgetClass},
    {"ArrowMagMaxLimitDown", &xmArrowButtonWidgetClass},
};

constexpr int kFormNebulaCount = static_cast<int>(std::size(kFormNebula));

// The children by their place in FormNebula.
enum NebulaChild : int {
    kChildNebula = 0,
    kChildLimit = 15,       // "Limit by Maginitude"
    kChildMinLabel = 16,
    kChildMaxLabel = 17,
    kChildMinText = 18,
    kChildMaxText = 19,
    kChildMinUp = 20,
    kChildMinDown = 21,
    kChildMaxUp = 22,
    kChildMaxDown = 23,
};

// The toggles of kNebulaToggles, by their place in FormNebula.
constexpr int kToggleChildren[kNebulaToggleCount] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13};

FormDialog nebulaDialog;
Widget children[kFormNebulaCount] = {};
ToggleGroup nebulaToggles;
NumberField minField;
NumberField maxField;

bool IsSet(int child)
{
    return XmToggleButtonGetState(children[child]) != 0;
}

// Everything but the layer's own toggle waits for the layer; the window's
// bounds wait for the window too.
void SetNebulaLimitSensitive(bool on)
{
    for (int child = kChildNebula + 1; child <= kChildLimit; ++child) {
        XtSetSensitive(children[child], on ? True : False);
    }
    const bool window = on && IsSet(kChildLimit);
    for (int child = kChildMinLabel; child <= kChildMaxDown; ++child) {
        XtSetSensitive(children[child], window ? True : False);
    }
}

void NebulaToggleCallback(Widget, XtPointer, XtPointer)
{
    SetNebulaLimitSensitive(IsSet(kChildNebula));
}

void FillNebulaDialog(const Scene& scene)
{
    const NebulaDialogValues values = ReadNebulaDialogValues(scene);
    SetToggleValues(nebulaToggles, values.toggles);
    XmToggleButtonSetState(children[kChildLimit], values.limitOn ? True : False, False);
    SetNumberField(minField, values.faint);
    SetNumberField(maxField, values.bright);
    SetNebulaLimitSensitive(values.toggles[0] != 0);
}

NebulaDialogValues FieldValues()
{
    NebulaDialogValues values;
    values.toggles = ToggleValues(nebulaToggles);
    values.limitOn = IsSet(kChildLimit);
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

// The arrows of Min. and Max., by their place in FormNebula (client
// data): the field's number a tenth up or down, kept within -2.0 .. 15.0.
void NebulaMagArrowCallback(Widget, XtPointer client, XtPointer)
{
    const auto child = static_cast<int>(reinterpret_cast<intptr_t>(client));
    const NumberField& field = child <= kChildMinDown ? minField : maxField;
    StepNumberField(field, child == kChildMinUp || child == kChildMaxUp ? 1 : -1);
}

void BindLimit(const FieldRow& row, int label, int text, int up, NumberField& field)
{
    field = NumberField{&row, children[label], children[text], children[up], children[up + 1]};
    for (int arrow : {up, up + 1}) {
        XtAddCallback(children[arrow], XmNactivateCallback, NebulaMagArrowCallback,
                      reinterpret_cast<XtPointer>(static_cast<intptr_t>(arrow)));
    }
}

void CreateNebulaDialog(Scene* scene)
{
    CreateFormDialog(nebulaDialog, gAppEnv->toplevel, "NebulaDialog", "NebulaRowColumn");
    Widget form = XtVaCreateManagedWidget("FormNebula", xmFormWidgetClass, nebulaDialog.rowColumn,
                                          nullptr);
    CreateWidgetRows(form, kFormNebula, kFormNebulaCount, children);
    nebulaToggles.rows = kNebulaToggles;
    for (int child : kToggleChildren) {
        nebulaToggles.toggles.push_back(children[child]);
    }
    BindLimit(kMinField, kChildMinLabel, kChildMinText, kChildMinUp, minField);
    BindLimit(kMaxField, kChildMaxLabel, kChildMaxText, kChildMaxUp, maxField);
    XtAddCallback(children[kChildNebula], XmNvalueChangedCallback, NebulaToggleCallback, nullptr);
    XtAddCallback(children[kChildLimit], XmNvalueChangedCallback, NebulaToggleCallback, nullptr);
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
