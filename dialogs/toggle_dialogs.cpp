#include "dialogs/toggle_dialogs.h"

#include "core/app_env.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/toggle_dialogs_fields.h"
#include "sky/scene.h"

#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/Separator.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <array>

namespace {

constexpr short kGridRowCount = 6;
constexpr Dimension kSeparatorShadow = 3;

// The widgets of one member of the family.
struct ToggleDialog {
    const ToggleDialogTable* table;
    FormDialog form;
    std::vector<Widget> toggles;
    RadioGroup gridModes;
    Scene* scene = nullptr;
};

std::array<ToggleDialog, 5> family = {{
    {&kGridDialog, {}, {}, {}, nullptr},
    {&kJoviSatDialog, {}, {}, {}, nullptr},
    {&kConstDialog, {}, {}, {}, nullptr},
    {&kSunDialog, {}, {}, {}, nullptr},
    {&kMoonDialog, {}, {}, {}, nullptr},
}};

ToggleDialog& MemberOf(const ToggleDialogTable& table)
{
    for (ToggleDialog& member : family) {
        if (member.table == &table) {
            return member;
        }
    }
    return family[0];
}

std::vector<int> ToggleStates(const ToggleDialog& dialog)
{
    std::vector<int> values;
    for (Widget toggle : dialog.toggles) {
        values.push_back(XmToggleButtonGetState(toggle) != 0 ? 1 : 0);
    }
    return values;
}

void ApplySensitivity(const ToggleDialog& dialog)
{
    const std::vector<int> sensitive =
        ToggleSensitivity(*dialog.table, ToggleStates(dialog), dialog.scene->viewMode);
    for (size_t i = 0; i < dialog.toggles.size(); ++i) {
        XtSetSensitive(dialog.toggles[i], sensitive[i] != 0 ? True : False);
    }
}

// valueChanged of every toggle: the ones waiting for it follow.
void ToggleChangedCallback(Widget, XtPointer client, XtPointer)
{
    ApplySensitivity(*static_cast<ToggleDialog*>(client));
}

void FillToggleDialog(ToggleDialog& dialog)
{
    const ToggleDialogValues values = ReadToggleDialogValues(*dialog.table, *dialog.scene);
    for (size_t i = 0; i < dialog.toggles.size(); ++i) {
        XmToggleButtonSetState(dialog.toggles[i], values.toggles[i] != 0 ? True : False, False);
    }
    if (dialog.table->gridModes != nullptr) {
        SetRadioValue(dialog.gridModes, values.gridMode);
    }
    ApplySensitivity(dialog);
}

void ToggleDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ToggleDialog& dialog = *static_cast<ToggleDialog*>(client);
    ToggleDialogValues values;
    values.toggles = ToggleStates(dialog);
    if (dialog.table->gridModes != nullptr) {
        RadioValue(dialog.gridModes, values.gridMode);
    }
    CommandText command;
    ComposeToggleDialogCommand(*dialog.table, values, command);
    HideFormDialog(dialog.form);
    RunCommandText(dialog.scene, command);
}

void AddToggle(ToggleDialog& dialog, Widget parent, int index)
{
    Widget toggle = XtVaCreateManagedWidget(dialog.table->toggles[index].name,
                                            xmToggleButtonWidgetClass, parent, nullptr);
    XtAddCallback(toggle, XmNvalueChangedCallback, ToggleChangedCallback, &dialog);
    dialog.toggles.push_back(toggle);
}

void AddSeparator(Widget parent, const char* name)
{
    XtVaCreateManagedWidget(name, xmSeparatorWidgetClass, parent, XmNorientation, XmHORIZONTAL,
                            XmNseparatorType, XmSHADOW_ETCHED_IN, XmNshadowThickness,
                            kSeparatorShadow, nullptr);
}

// The grid rows, a label and three toggles each; the style; the toggles
// after them.
void CreateGridControls(ToggleDialog& dialog, Widget controls)
{
    const ToggleDialogTable& table = *dialog.table;
    Widget rows = XtVaCreateManagedWidget(table.gridRowsName, xmRowColumnWidgetClass, controls,
                                          XmNpacking, XmPACK_COLUMN, XmNorientation, XmHORIZONTAL,
                                          XmNnumColumns, kGridRowCount, nullptr);
    const int perRow = table.rowToggleCount / kGridRowCount;
    for (int index = 0; index < table.rowToggleCount; ++index) {
        if (index % perRow == 0) {
            XtVaCreateManagedWidget(table.rowLabels[index / perRow], xmLabelWidgetClass, rows, nullptr);
        }
        AddToggle(dialog, rows, index);
    }
    AddSeparator(controls, "Separator1");
    Widget modeRow = XtVaCreateManagedWidget("RCGridMode", xmRowColumnWidgetClass, controls,
                                             XmNorientation, XmHORIZONTAL, nullptr);
    XtVaCreateManagedWidget("GridModeLabel", xmLabelWidgetClass, modeRow, nullptr);
    CreateRadioGroup(modeRow, "GridModeRadio", table.gridModes, table.gridModeCount, dialog.gridModes);
    XtVaSetValues(dialog.gridModes.box, XmNorientation, XmHORIZONTAL, nullptr);
    AddSeparator(controls, "Separator2");
    for (int index = table.rowToggleCount; index < table.toggleCount; ++index) {
        AddToggle(dialog, controls, index);
    }
}

void CreateToggleDialog(ToggleDialog& dialog)
{
    const ToggleDialogTable& table = *dialog.table;
    CreateFormDialog(dialog.form, gAppEnv->toplevel, table.name, table.rowColumnName);
    Widget controls = XtVaCreateManagedWidget(table.controlsName, xmRowColumnWidgetClass,
                                              dialog.form.rowColumn, XmNorientation, XmVERTICAL,
                                              nullptr);
    if (table.gridRowsName != nullptr) {
        CreateGridControls(dialog, controls);
    } else {
        for (int index = 0; index < table.toggleCount; ++index) {
            AddToggle(dialog, controls, index);
        }
    }
    AddOkCancelButtons(dialog.form, dialog.form.rowColumn, table.buttonsName,
                       ToggleDialogOkCallback, &dialog);
}

void ShowToggleDialog(const ToggleDialogTable& table, Scene* scene)
{
    ToggleDialog& dialog = MemberOf(table);
    dialog.scene = scene;
    if (dialog.form.dialog == nullptr) {
        CreateToggleDialog(dialog);
    }
    FillToggleDialog(dialog);
    ShowFormDialog(dialog.form);
}

}  // namespace

void ShowGridDialog(Scene* scene)
{
    ShowToggleDialog(kGridDialog, scene);
}

void ShowJoviSatDialog(Scene* scene)
{
    ShowToggleDialog(kJoviSatDialog, scene);
}

void ShowConstDialog(Scene* scene)
{
    ShowToggleDialog(kConstDialog, scene);
}

void ShowSunDialog(Scene* scene)
{
    ShowToggleDialog(kSunDialog, scene);
}

void ShowMoonDialog(Scene* scene)
{
    ShowToggleDialog(kMoonDialog, scene);
}

Widget ToggleDialogWidget(const ToggleDialogTable& table)
{
    return MemberOf(table).form.dialog;
}
