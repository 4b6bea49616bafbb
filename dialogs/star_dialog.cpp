#include "dialogs/star_dialog.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/field_width.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/number_field.h"
#include "dialogs/kit/text_fields.h"
#include "dialogs/kit/widget_rows.h"
#include "dialogs/star_dialog_fields.h"
#include "sky/catalog/gsc_paths.h"
#include "sky/layers/sao_star_layer.h"

#include <Xm/ArrowB.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/Separator.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cstdint>
#include <iterator>

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
// the limits, which the catalogue caps; the dialog goes before the redraw.
void StarDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    const StarDialogValues values = FieldValues();
    CommandText catalogue;
    CommandText display;
    ComposeStarCommands(values, catalogue, display);
    RunCommandText(scene, catalogue);
    CopyCut(gAppEnv->gscDataPath, sizeof gAppEnv->gscDataPath, values.gscPath.c_str());
    RunCommandTextAndHide(scene, display, starDialog);
}

void StarDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(starDialog);
}

// The limits' arrows, by their place in their form (client data): 3 and
// 4 the star limit's up and down, 6 and 7 the label limit's. The field's
// number a tenth up or down, kept within -2.0 .. 10.0 whatever the
// catalogue.
enum StarArrow : intptr_t {
    kStarLimitUp = 3,
    kStarLimitDown = 4,
    kLabelLimitUp = 6,
    kLabelLimitDown = 7,
};

void StarMagArrowCallback(Widget, XtPointer client, XtPointer)
{
    const auto arrow = reinterpret_cast<intptr_t>(client);
    const NumberField& field = arrow <= kStarLimitDown ? starLimit : labelLimit;
    StepNumberField(field, arrow == kStarLimitUp || arrow == kLabelLimitUp ? 1 : -1);
}

// The stars' form: the toggle, then its limit, the label above the text
// and the arrows right of it (the resource lines place them).
const WidgetRow kFormStar[] = {
    {"ToggleStar", &xmToggleButtonWidgetClass},     {"LabelMagLimit", &xmLabelWidgetClass},
    {"EditMagLimit", &xmTextFieldWidgetClass},      {"ArrowMagLimitUp", &xmArrowButtonWidgetClass},
    {"ArrowMagLimitDown", &xmArrowButtonWidgetClass},
};

// The labels' form: the four toggles in a column, then their limit.
const WidgetRow kFormStarName[] = {
    {"ToggleStarName", &xmToggleButtonWidgetClass},
    {"ToggleStarMag", &xmToggleButtonWidgetClass},
    {"ToggleStarBayer", &xmToggleButtonWidgetClass},
    {"ToggleStarFlamsteed", &xmToggleButtonWidgetClass},
    {"LabelNameMagLimit", &xmLabelWidgetClass},
    {"EditNameMagLimit", &xmTextFieldWidgetClass},
    {"ArrowNameMagLimitUp", &xmArrowButtonWidgetClass},
    {"ArrowNameMagLimitDown", &xmArrowButtonWidgetClass},
};

// The limit of a form whose children from `first` on are its label, text,
// up and down arrows; the arrows tell their place in the form.
void BindLimit(const Widget* children, int first, const FieldRow& row, NumberField& field)
{
    field.row = &row;
    field.label = children[first];
    field.text = children[first + 1];
    field.up = children[first + 2];
    field.down = children[first + 3];
    XtAddCallback(field.up, XmNactivateCallback, StarMagArrowCallback,
                  reinterpret_cast<XtPointer>(static_cast<intptr_t>(first + 2)));
    XtAddCallback(field.down, XmNactivateCallback, StarMagArrowCallback,
                  reinterpret_cast<XtPointer>(static_cast<intptr_t>(first + 3)));
    // Four characters for a limit such as "-1.5", whatever the resources
    // say: this value holds over theirs.
    XtVaSetValues(field.text, XmNmaxLength, 4, nullptr);
}

// The stars and their limit; the labels and their limit.
void CreateStarForms(Widget controls)
{
    Widget starForm = XtVaCreateManagedWidget("FormStar", xmFormWidgetClass, controls, nullptr);
    Widget stars[std::size(kFormStar)];
    CreateWidgetRows(starForm, kFormStar, std::size(kFormStar), stars);
    XtVaCreateManagedWidget("Separator1", xmSeparatorWidgetClass, controls, nullptr);
    Widget nameForm = XtVaCreateManagedWidget("FormStarName", xmFormWidgetClass, controls, nullptr);
    Widget names[std::size(kFormStarName)];
    CreateWidgetRows(nameForm, kFormStarName, std::size(kFormStarName), names);
    starToggles.rows = kStarToggles;
    starToggles.toggles = {stars[0], names[0], names[1], names[2], names[3]};
    BindLimit(stars, 1, kStarLimitField, starLimit);
    BindLimit(names, 4, kLabelLimitField, labelLimit);
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
