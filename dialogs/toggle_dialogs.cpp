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

void SetGridTogglesSensitive(Widget, XtPointer, XtPointer);
void SetJoviSatSensitive(Widget, XtPointer, XtPointer);
void SetSunSensitive(Widget, XtPointer, XtPointer);
void SetMoonSensitive(Widget, XtPointer, XtPointer);
void FillGridDialog(Scene* scene);
void FillJoviSatDialog(Scene* scene);
void FillConstDialog(Scene* scene);
void FillSunDialog(Scene* scene);
void FillMoonDialog(Scene* scene);
void GridDialogOkCallback(Widget, XtPointer, XtPointer);
void JoviSatDialogOkCallback(Widget, XtPointer, XtPointer);
void ConstDialogOkCallback(Widget, XtPointer, XtPointer);
void SunDialogOkCallback(Widget, XtPointer, XtPointer);
void MoonDialogOkCallback(Widget, XtPointer, XtPointer);
void GridDialogCancelCallback(Widget, XtPointer, XtPointer);
void JoviSatDialogCancelCallback(Widget, XtPointer, XtPointer);
void ConstDialogCancelCallback(Widget, XtPointer, XtPointer);
void SunDialogCancelCallback(Widget, XtPointer, XtPointer);
void MoonDialogCancelCallback(Widget, XtPointer, XtPointer);

// One member of the family: its table, its own operations and its widgets.
struct ToggleDialog {
    const ToggleDialogTable* table;
    void (*fill)(Scene* scene);
    XtCallbackProc setSensitive;   // valueChanged of the controlling toggles; null: none
    XtCallbackProc ok;
    XtCallbackProc cancel;
    FormDialog form;
    std::vector<Widget> toggles;
    RadioGroup gridModes;
    Scene* scene = nullptr;
};

std::array<ToggleDialog, 5> family = {{
    {&kGridDialog, FillGridDialog, SetGridTogglesSensitive, GridDialogOkCallback,
     GridDialogCancelCallback, {}, {}, {}, nullptr},
    {&kJoviSatDialog, FillJoviSatDialog, SetJoviSatSensitive, JoviSatDialogOkCallback,
     JoviSatDialogCancelCallback, {}, {}, {}, nullptr},
    {&kConstDialog, FillConstDialog, nullptr, ConstDialogOkCallback, ConstDialogCancelCallback, {},
     {}, {}, nullptr},
    {&kSunDialog, FillSunDialog, SetSunSensitive, SunDialogOkCallback, SunDialogCancelCallback, {},
     {}, {}, nullptr},
    {&kMoonDialog, FillMoonDialog, SetMoonSensitive, MoonDialogOkCallback, MoonDialogCancelCallback,
     {}, {}, {}, nullptr},
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

// Each scale waits for its grid, the solar-system axes for a solar-system
// view.
void SetGridTogglesSensitive(Widget, XtPointer, XtPointer)
{
    ApplySensitivity(MemberOf(kGridDialog));
}

// The labels and numbers wait for the satellites.
void SetJoviSatSensitive(Widget, XtPointer, XtPointer)
{
    ApplySensitivity(MemberOf(kJoviSatDialog));
}

// Name and date wait for the body; the outline also for a view that draws
// a disk.
void SetSunSensitive(Widget, XtPointer, XtPointer)
{
    ApplySensitivity(MemberOf(kSunDialog));
}

void SetMoonSensitive(Widget, XtPointer, XtPointer)
{
    ApplySensitivity(MemberOf(kMoonDialog));
}

// The index of the first set style button, -1 when none is set.
int GetGridModeRadio()
{
    const std::vector<Widget>& buttons = MemberOf(kGridDialog).gridModes.buttons;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (XmToggleButtonGetState(buttons[i]) != 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// valueChanged of the style button with the index in client: the chosen
// one alone is set. The radio box also reports the button it clears; that
// report is not a choice.
void GridModeCallback(Widget, XtPointer client, XtPointer call)
{
    if (static_cast<XmToggleButtonCallbackStruct*>(call)->set == XmUNSET) {
        return;
    }
    const std::vector<Widget>& buttons = MemberOf(kGridDialog).gridModes.buttons;
    const auto chosen = static_cast<size_t>(reinterpret_cast<intptr_t>(client));
    for (size_t i = 0; i < buttons.size(); ++i) {
        XmToggleButtonSetState(buttons[i], i == chosen ? True : False, False);
    }
}

// Every toggle set from the Scene without notifying.
void SetTogglesFromScene(ToggleDialog& dialog, Scene* scene)
{
    dialog.scene = scene;
    const ToggleDialogValues values = ReadToggleDialogValues(*dialog.table, *scene);
    for (size_t i = 0; i < dialog.toggles.size(); ++i) {
        XmToggleButtonSetState(dialog.toggles[i], values.toggles[i] != 0 ? True : False, False);
    }
    if (dialog.table->gridModes != nullptr) {
        SetRadioValue(dialog.gridModes, values.gridMode);
    }
}

void FillGridDialog(Scene* scene)
{
    SetTogglesFromScene(MemberOf(kGridDialog), scene);
    SetGridTogglesSensitive(nullptr, nullptr, nullptr);
}

void FillJoviSatDialog(Scene* scene)
{
    SetTogglesFromScene(MemberOf(kJoviSatDialog), scene);
    SetJoviSatSensitive(nullptr, nullptr, nullptr);
}

void FillConstDialog(Scene* scene)
{
    SetTogglesFromScene(MemberOf(kConstDialog), scene);
}

void FillSunDialog(Scene* scene)
{
    SetTogglesFromScene(MemberOf(kSunDialog), scene);
    SetSunSensitive(nullptr, nullptr, nullptr);
}

void FillMoonDialog(Scene* scene)
{
    SetTogglesFromScene(MemberOf(kMoonDialog), scene);
    SetMoonSensitive(nullptr, nullptr, nullptr);
}

// OK of every member: the toggles, insensitive ones too, as commands.
void RunToggleDialog(ToggleDialog& dialog, Scene* scene)
{
    ToggleDialogValues values;
    values.toggles = ToggleStates(dialog);
    if (dialog.table->gridModes != nullptr) {
        values.gridMode = GetGridModeRadio();
    }
    CommandText command;
    ComposeToggleDialogCommand(*dialog.table, values, command);
    RunCommandTextAndHide(scene, command, dialog.form);
}

void GridDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    RunToggleDialog(MemberOf(kGridDialog), static_cast<Scene*>(client));
}

void JoviSatDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    RunToggleDialog(MemberOf(kJoviSatDialog), static_cast<Scene*>(client));
}

void ConstDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    RunToggleDialog(MemberOf(kConstDialog), static_cast<Scene*>(client));
}

void SunDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    RunToggleDialog(MemberOf(kSunDialog), static_cast<Scene*>(client));
}

void MoonDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    RunToggleDialog(MemberOf(kMoonDialog), static_cast<Scene*>(client));
}

// Cancel sends nothing; the next Show fills the toggles from the Scene.
void GridDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(MemberOf(kGridDialog).form);
}

void JoviSatDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(MemberOf(kJoviSatDialog).form);
}

void ConstDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(MemberOf(kConstDialog).form);
}

void SunDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(MemberOf(kSunDialog).form);
}

void MoonDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(MemberOf(kMoonDialog).form);
}

bool IsController(const ToggleDialogTable& table, int index)
{
    for (int i = 0; i < table.dependentCount; ++i) {
        if (table.dependents[i].controller == index) {
            return true;
        }
    }
    return false;
}

// A toggle that others wait for tells the member's sensitivity operation.
void AddToggle(ToggleDialog& dialog, Widget parent, int index)
{
    Widget toggle = XtVaCreateManagedWidget(dialog.table->toggles[index].name,
                                            xmToggleButtonWidgetClass, parent, nullptr);
    if (IsController(*dialog.table, index)) {
        XtAddCallback(toggle, XmNvalueChangedCallback, dialog.setSensitive, nullptr);
    }
    dialog.toggles.push_back(toggle);
}

void AddSeparator(Widget parent, const char* name)
{
    XtVaCreateManagedWidget(name, xmSeparatorWidgetClass, parent, nullptr);
}

void CreateGridModes(ToggleDialog& dialog, Widget controls)
{
    const ToggleDialogTable& table = *dialog.table;
    Widget modeRow = XtVaCreateManagedWidget("RCGridMode", xmRowColumnWidgetClass, controls, nullptr);
    XtVaCreateManagedWidget("GridModeLabel", xmLabelWidgetClass, modeRow, nullptr);
    CreateRadioGroup(modeRow, "GridModeRadio", table.gridModes, table.gridModeCount, dialog.gridModes);
    for (size_t i = 0; i < dialog.gridModes.buttons.size(); ++i) {
        XtAddCallback(dialog.gridModes.buttons[i], XmNvalueChangedCallback, GridModeCallback,
                      reinterpret_cast<XtPointer>(static_cast<intptr_t>(i)));
    }
}

// The grid rows, a label and three toggles each; the style; the toggles
// after them.
void CreateGridControls(ToggleDialog& dialog, Widget controls)
{
    const ToggleDialogTable& table = *dialog.table;
    // A label and its toggles a row each, as the row-column's resource
    // lines lay them out.
    Widget rows = XtVaCreateManagedWidget(table.gridRowsName, xmRowColumnWidgetClass, controls,
                                          nullptr);
    const int perRow = table.rowToggleCount / kGridRowCount;
    for (int index = 0; index < table.rowToggleCount; ++index) {
        if (index % perRow == 0) {
            XtVaCreateManagedWidget(table.rowLabels[index / perRow], xmLabelWidgetClass, rows, nullptr);
        }
        AddToggle(dialog, rows, index);
    }
    AddSeparator(controls, "Separator1");
    CreateGridModes(dialog, controls);
    AddSeparator(controls, "Separator2");
    for (int index = table.rowToggleCount; index < table.toggleCount; ++index) {
        AddToggle(dialog, controls, index);
    }
}

void CreateToggleDialog(ToggleDialog& dialog, Scene* scene)
{
    const ToggleDialogTable& table = *dialog.table;
    CreateFormDialog(dialog.form, gAppEnv->toplevel, table.name, table.rowColumnName);
    Widget controls = XtVaCreateManagedWidget(table.controlsName, xmRowColumnWidgetClass,
                                              dialog.form.rowColumn, nullptr);
    if (table.gridRowsName != nullptr) {
        CreateGridControls(dialog, controls);
    } else {
        for (int index = 0; index < table.toggleCount; ++index) {
            AddToggle(dialog, controls, index);
        }
    }
    AddOkCancelButtons(dialog.form, dialog.form.rowColumn, table.buttonsName, dialog.ok, scene,
                       dialog.cancel);
}

void ShowToggleDialog(const ToggleDialogTable& table, Scene* scene)
{
    ToggleDialog& dialog = MemberOf(table);
    if (dialog.form.dialog == nullptr) {
        CreateToggleDialog(dialog, scene);
    }
    dialog.fill(scene);
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
