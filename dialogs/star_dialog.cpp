#include "dialogs/star_dialog.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/field_width.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/number_field.h"
#include "dialogs/kit/text_fields.h"
#include "dialogs/star_dialog_fields.h"
#include "sky/catalog/gsc_paths.h"
#include "sky/layers/sao_star_layer.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/Separator.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

namespace {

// The root is kept in a path buffer: no resource may let more be typed.
constexpr int kGscPathLength = kPathSize - 1;

const FieldRow kStarLimitField{"MagLimit", kStarMagnitudeLowest, kStarMagnitudeHighest, 0.1,
                                      1};
const FieldRow kLabelLimitField{"NameMagLimit", kStarMagnitudeLowest, kStarMagnitudeHighest,
                                       0.1, 1};
const RadioRow kCatalogs[] = {
    {"CatalogStd", kCatalogStd}, {"CatalogSao", kCatalogSao}, {"CatalogGsc", kCatalogGsc}};

FormDialog starDialog;
ToggleGroup starToggles;   // the stars, then the four labels
NumberField starLimit;
NumberField labelLimit;
RadioGroup catalogs;
Widget gscPath = nullptr;

bool IsSet(Widget toggle)
{
    return XmToggleButtonGetState(toggle) != 0;
}

// The label limit means something only while a label is shown.
void UpdateStarNameSensitive()
{
    bool anyLabel = false;
    for (size_t i = 1; i < starToggles.toggles.size(); ++i) {
        anyLabel = anyLabel || IsSet(starToggles.toggles[i]);
    }
    SetNumberFieldSensitive(labelLimit, IsSet(starToggles.toggles[0]) && anyLabel);
}

// Without stars there are no labels to choose.
void SetStarControlsSensitive(bool on)
{
    for (size_t i = 1; i < starToggles.toggles.size(); ++i) {
        XtSetSensitive(starToggles.toggles[i], on ? True : False);
    }
    UpdateStarNameSensitive();
}

void StarToggleCallback(Widget, XtPointer, XtPointer)
{
    SetStarControlsSensitive(IsSet(starToggles.toggles[0]));
}

void FillStarDialog(const Scene& scene)
{
    const bool saoOffered = IsSaoFileAvailable() != 0;
    const bool gscOffered = IsGscAvailable() != 0;
    const StarDialogValues values = ReadStarDialogValues(scene, saoOffered, gscOffered);
    SetToggleValues(starToggles, values.toggles);
    SetNumberField(starLimit, values.starLimit);
    SetNumberField(labelLimit, values.labelLimit);
    XtSetSensitive(catalogs.buttons[kCatalogSao], saoOffered ? True : False);
    XtSetSensitive(catalogs.buttons[kCatalogGsc], gscOffered ? True : False);
    SetRadioValue(catalogs, values.catalog);
    SetFieldText(gscPath, values.gscPath);
    SetStarControlsSensitive(values.toggles[0] != 0);
}

StarDialogValues FieldValues()
{
    StarDialogValues values;
    values.toggles = ToggleValues(starToggles);
    values.starLimit = GetTextFieldDouble(starLimit.text);
    values.labelLimit = GetTextFieldDouble(labelLimit.text);
    RadioValue(catalogs, values.catalog);
    values.gscPath = WithoutControlCharacters(FieldText(gscPath));
    return values;
}

// The catalogue is chosen before the new root is stored, and both before
// the limits, which the catalogue caps.
void StarDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    const StarDialogValues values = FieldValues();
    CommandText catalogue;
    CommandText display;
    ComposeStarCommands(values, catalogue, display);
    HideFormDialog(starDialog);
    RunCommandText(scene, catalogue);
    CopyCut(gAppEnv->gscDataPath, sizeof gAppEnv->gscDataPath, values.gscPath.c_str());
    RunCommandText(scene, display);
}

void StarDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(starDialog);
}

// Both arrows of both limits: the field's number a tenth up or down, kept
// within -2.0 .. 10.0 whatever the catalogue.
void StarMagArrowCallback(Widget arrow, XtPointer client, XtPointer call)
{
    NumberArrowCallback(arrow, client, call);
}

// The form stands right of its toggle, as its resource lines say.
Widget CreateLimitForm(Widget parent, const FieldRow& row, NumberField& field)
{
    const std::string name = std::string("Form") + row.word;
    Widget form = XtVaCreateManagedWidget(name.c_str(), xmFormWidgetClass, parent, nullptr);
    CreateNumberField(form, row, field, StarMagArrowCallback);
    // Four characters for a limit such as "-1.5", whatever the resources
    // say: this value holds over theirs.
    XtVaSetValues(field.text, XmNmaxLength, 4, nullptr);
    return form;
}

// The stars and their limit; the labels in a column and their limit.
void CreateStarForms(Widget controls)
{
    Widget starForm = XtVaCreateManagedWidget("FormStar", xmFormWidgetClass, controls, nullptr);
    XtVaCreateManagedWidget("Separator1", xmSeparatorWidgetClass, controls, nullptr);
    Widget nameForm = XtVaCreateManagedWidget("FormStarName", xmFormWidgetClass, controls, nullptr);
    CreateToggleGroup(starForm, kStarToggles, 1, starToggles);
    ToggleGroup labels;
    // The labels' toggles stand in a column, each under the one before (their
    // resource lines).
    CreateToggleGroup(nameForm, kStarToggles + 1, kStarToggleCount - 1, labels);
    for (Widget toggle : labels.toggles) {
        starToggles.toggles.push_back(toggle);
    }
    starToggles.rows = kStarToggles;
    CreateLimitForm(starForm, kStarLimitField, starLimit);
    CreateLimitForm(nameForm, kLabelLimitField, labelLimit);
    for (Widget toggle : starToggles.toggles) {
        XtAddCallback(toggle, XmNvalueChangedCallback, StarToggleCallback, nullptr);
    }
}

void CreateCatalogRows(Widget controls)
{
    XtVaCreateManagedWidget("Separator2", xmSeparatorWidgetClass, controls, nullptr);
    Widget catalogRow = XtVaCreateManagedWidget("RadioCatalog", xmRowColumnWidgetClass, controls,
                                                nullptr);
    XtVaCreateManagedWidget("LabelCatalog", xmLabelWidgetClass, catalogRow, nullptr);
    CreateRadioGroup(catalogRow, "RadioCatalogButtons", kCatalogs, 3, catalogs);
    Widget pathRow = XtVaCreateManagedWidget("RCGscPath", xmRowColumnWidgetClass, controls, nullptr);
    XtVaCreateManagedWidget("LabelGscPath", xmLabelWidgetClass, pathRow, nullptr);
    gscPath = XtVaCreateWidget("TextGscPath", xmTextFieldWidgetClass, pathRow, XmNmaxLength,
                               kGscPathLength, nullptr);
    KeepFieldWidth(gscPath);
    XtManageChild(gscPath);
    // The root is kept in the options file, a line to itself.
    DropControlCharacters(gscPath);
}

void CreateStarDialog(Scene* scene)
{
    CreateFormDialog(starDialog, gAppEnv->toplevel, "StarDialog", "StarRowColumn");
    Widget controls = XtVaCreateManagedWidget("RCCtrls", xmRowColumnWidgetClass, starDialog.rowColumn,
                                              nullptr);
    CreateStarForms(controls);
    CreateCatalogRows(controls);
    AddOkCancelButtons(starDialog, starDialog.rowColumn, "StarButtons", StarDialogOkCallback, scene,
                       StarDialogCancelCallback);
}

}  // namespace

void ShowStarDialog(Scene* scene)
{
    if (starDialog.dialog == nullptr) {
        CreateStarDialog(scene);
    }
    FillStarDialog(*scene);
    ShowFormDialog(starDialog);
}

Widget StarDialogWidget()
{
    return starDialog.dialog;
}
