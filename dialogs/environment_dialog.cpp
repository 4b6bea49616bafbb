#include "dialogs/environment_dialog.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/environment_dialog_fields.h"
#include "dialogs/kit/field_width.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/text_fields.h"
#include "sky/ui_hooks.h"
#include "tooltip/tip_shell.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/Separator.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cstdlib>

TipOwner gTipOwners[kTipOwnerCount] = {};

namespace {


// The four toggles, top to bottom.
enum EnvironmentToggle {
    kToggleToolbar = 0,
    kToggleTipHelp,
    kToggleConfirmQuit,
    kToggleConfirmInit,
    kEnvironmentToggleCount,
};
const char* const kToggleNames[kEnvironmentToggleCount] = {
    "ToggleToolbar", "ToggleTipHelp", "ToggleConfirmQuit", "ToggleConfirmInit"};

FormDialog envDialog;
Widget toggles[kEnvironmentToggleCount] = {};
Widget widthField = nullptr;
Widget heightField = nullptr;
Widget localeField = nullptr;
Widget tzField = nullptr;

bool IsSet(EnvironmentToggle toggle)
{
    return XmToggleButtonGetState(toggles[toggle]) != 0;
}

void SetToggle(EnvironmentToggle toggle, bool on)
{
    XmToggleButtonSetState(toggles[toggle], on ? True : False, False);
}

void FillGeometryFields()
{
    std::string width;
    std::string height;
    if (GeometryFields(gAppEnv->geometryOption, width, height) == 0) {
        GetWindowGeometryText(width, height);
    }
    SetFieldText(widthField, width);
    SetFieldText(heightField, height);
}

// A new tip shell gets every owner's tips; the old one loses them before
// it goes.
void ShowTips(bool on)
{
    if (on && gAppEnv->tipShell == nullptr) {
        gAppEnv->tipShell = XtCreatePopupShell("TipHelp", tipShellWidgetClass, gAppEnv->toplevel,
                                               nullptr, 0);
        for (const TipOwner& owner : gTipOwners) {
            if (owner.add != nullptr) {
                owner.add();
            }
        }
    } else if (!on && gAppEnv->tipShell != nullptr) {
        for (const TipOwner& owner : gTipOwners) {
            if (owner.remove != nullptr) {
                owner.remove();
            }
        }
        XtDestroyWidget(gAppEnv->tipShell);
        gAppEnv->tipShell = nullptr;
    }
}

// A toolbar shown again shows the present state at once.
void ShowToolbar(Scene& scene, bool on)
{
    if (gAppEnv->toolbar == nullptr || on == ToolbarShown()) {
        return;
    }
    if (on) {
        XtManageChild(gAppEnv->toolbar);
        UiUpdateToolbar(scene);
    } else {
        XtUnmanageChild(gAppEnv->toolbar);
    }
}

// The geometry is all or nothing: fields that are not both digits (or both
// empty) are refused before anything changes, and the dialog stays.
void SetEnvDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    std::string geometry;
    if (ComposeGeometry(FieldText(widthField), FieldText(heightField), geometry) == 0) {
        ShowDialogWarning(gAppEnv->toplevel, "messageInvalidGeometry");
        return;
    }
    CopyCut(gAppEnv->geometryOption, sizeof gAppEnv->geometryOption, geometry.c_str());
    CopyCut(gAppEnv->localeOption, sizeof gAppEnv->localeOption,
            OptionFieldValue(FieldText(localeField)).c_str());
    CopyCut(gAppEnv->tzOption, sizeof gAppEnv->tzOption, OptionFieldValue(FieldText(tzField)).c_str());
    ShowTips(IsSet(kToggleTipHelp));
    ShowToolbar(*static_cast<Scene*>(client), IsSet(kToggleToolbar));
    gAppEnv->confirmQuit = IsSet(kToggleConfirmQuit) ? 1 : 0;
    gAppEnv->confirmInit = IsSet(kToggleConfirmInit) ? 1 : 0;
    HideFormDialog(envDialog);
}

// Only hides: nothing was changed yet, and the next Show fills the
// controls from AppEnv again.
void SetEnvDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(envDialog);
}

void GeometryNowCallback(Widget, XtPointer, XtPointer)
{
    std::string width;
    std::string height;
    GetWindowGeometryText(width, height);
    SetFieldText(widthField, width);
    SetFieldText(heightField, height);
}

// A label, a text field and a label after it, in a row of their own. Each
// field is as wide as its resource line says, not as its columns would be.
Widget CreateFieldRow(Widget parent, const char* rowName, const char* labelName,
                      const char* fieldName, const char* afterName)
{
    Widget row = XtVaCreateManagedWidget(rowName, xmRowColumnWidgetClass, parent, nullptr);
    XtVaCreateManagedWidget(labelName, xmLabelWidgetClass, row, nullptr);
    Widget field = CreateFieldKeepingWidth(row, fieldName);
    if (afterName != nullptr) {
        XtVaCreateManagedWidget(afterName, xmLabelWidgetClass, row, nullptr);
    }
    return field;
}

void CreateUpperForm(Widget parent, Scene* scene)
{
    Widget upper = XtVaCreateManagedWidget("FormUpper", xmFormWidgetClass, parent, nullptr);
    Widget column = XtVaCreateManagedWidget("RCToggle", xmRowColumnWidgetClass, upper, nullptr);
    for (int i = 0; i < kEnvironmentToggleCount; ++i) {
        toggles[i] = XtVaCreateManagedWidget(kToggleNames[i], xmToggleButtonWidgetClass, column,
                                             nullptr);
    }
    AddOkCancelButtons(envDialog, upper, "SetEnvButtons", SetEnvDialogOkCallback, scene,
                       SetEnvDialogCancelCallback, scene);
}

// What only the next start reads: the geometry, the locale and TZ. The
// locale and TZ go into the options file, a line each, so a pasted line
// break is dropped.
void CreateLowerColumn(Widget parent)
{
    Widget lower = XtVaCreateManagedWidget("RCLower", xmRowColumnWidgetClass, parent, nullptr);
    XtVaCreateManagedWidget("LabelAffect", xmLabelWidgetClass, lower, nullptr);
    widthField =
        CreateFieldRow(lower, "RCGeometry", "LabelGeometry", "TextGeometryWidth", "LabelGeometryX");
    Widget geometryRow = XtParent(widthField);
    heightField = CreateFieldKeepingWidth(geometryRow, "TextGeometryHeight");
    Widget now = XtVaCreateManagedWidget("ButtonGeometryNow", xmPushButtonWidgetClass, geometryRow,
                                         nullptr);
    XtAddCallback(now, XmNactivateCallback, GeometryNowCallback, nullptr);
    localeField = CreateFieldRow(lower, "RCLocale", "LabelLocale", "TextLocale", "LabelLocaleDesc");
    tzField = CreateFieldRow(lower, "RCTZ", "LabelTZ", "TextTZ", "LabelTZDesc");
    DropControlCharacters(localeField);
    DropControlCharacters(tzField);
}

void CreateSetEnvDialog(Scene* scene)
{
    CreateFormDialog(envDialog, gAppEnv->toplevel, "SetEnvDialog", "SetEnvRowColumn");
    CreateUpperForm(envDialog.rowColumn, scene);
    XtVaCreateManagedWidget("Separator1", xmSeparatorWidgetClass, envDialog.rowColumn, nullptr);
    CreateLowerColumn(envDialog.rowColumn);
}

}  // namespace

void FillSetEnvDialog()
{
    SetToggle(kToggleToolbar, ToolbarShown());
    SetToggle(kToggleTipHelp, gAppEnv->tipShell != nullptr);
    SetToggle(kToggleConfirmQuit, gAppEnv->confirmQuit != 0);
    SetToggle(kToggleConfirmInit, gAppEnv->confirmInit != 0);
    FillGeometryFields();
    SetFieldText(localeField, LocaleFieldText(gAppEnv->localeOption, gAppEnv->localeInUse));
    SetFieldText(tzField, TzFieldText(gAppEnv->tzOption, std::getenv("TZ")));
}

void GetWindowGeometryText(std::string& width, std::string& height)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(XtDisplay(gAppEnv->toplevel), XtWindow(gAppEnv->toplevel), &attributes);
    width = std::to_string(attributes.width);
    height = std::to_string(attributes.height);
}

void ShowSetEnvDialog(Scene* scene)
{
    if (envDialog.dialog == nullptr) {
        CreateSetEnvDialog(scene);
    }
    FillSetEnvDialog();
    ShowFormDialog(envDialog);
}

Widget SetEnvDialogWidget()
{
    return envDialog.dialog;
}
