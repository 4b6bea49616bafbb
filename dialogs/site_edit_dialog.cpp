#include "dialogs/site_edit_dialog.h"

#include "core/app_env.h"
#include "core/options.h"
#include "core/string_utils.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/field_width.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/site_dialog_fields.h"
#include "dialogs/site_file.h"
#include "sky/catalog/site_list.h"
#include "sky/scene.h"

#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

namespace {

// Values of the radio buttons: 1 for the second choice of each pair.
const RadioRow kLongitudeSides[] = {{"LongE", 0}, {"LongW", 1}};
const RadioRow kLatitudeSides[] = {{"LatiN", 0}, {"LatiS", 1}};
const RadioRow kZoneSigns[] = {{"TZPlus", 0}, {"TZMinus", 1}};

FormDialog editDialog;
Widget nameText, longDegText, longMinText, latiDegText, latiMinText, altitudeText, zoneText;
RadioGroup longitudeSide, latitudeSide, zoneSign;

int editedIndex = -1;
std::string oldLine;
Scene* editScene = nullptr;
SiteListAccess editedList{};

// Rows, fields and radio boxes are laid out and sized by the dialog's
// resource lines.
Widget Row(Widget parent, const char* name)
{
    return XtVaCreateManagedWidget(name, xmRowColumnWidgetClass, parent, nullptr);
}

void Label(Widget row, const char* name)
{
    XtVaCreateManagedWidget(name, xmLabelWidgetClass, row, nullptr);
}

Widget Text(Widget row, const char* name)
{
    return XtVaCreateManagedWidget(name, xmTextFieldWidgetClass, row, nullptr);
}

void Radio(Widget row, const char* name, const RadioRow* choices, RadioGroup& group)
{
    CreateRadioGroup(row, name, choices, 2, group);
}

// An angle row: its label, the side, degrees, the degree sign, minutes, the
// minute sign.
void AngleRow(Widget parent, const char* prefix, const RadioRow* sides, RadioGroup& side,
              Widget& degrees, Widget& minutes)
{
    const std::string word = prefix;
    Widget row = Row(parent, ("RC" + word).c_str());
    Label(row, (word + "Label").c_str());
    Radio(row, (word + "Radio").c_str(), sides, side);
    degrees = Text(row, (word + "Deg").c_str());
    Label(row, (word + "DegLabel").c_str());
    minutes = Text(row, (word + "Min").c_str());
    Label(row, (word + "MinLabel").c_str());
}

std::string TextOf(Widget field)
{
    char* value = XmTextFieldGetString(field);
    std::string text = value != nullptr ? value : "";
    XtFree(value);
    return text;
}

void SetText(Widget field, const std::string& text)
{
    XmTextFieldSetString(field, const_cast<char*>(text.c_str()));
}

void FillSiteEditDialog(const std::string& line)
{
    const SiteEditFields fields = SiteFieldsOfLine(line);
    SetText(nameText, fields.name);
    SetText(longDegText, fields.longDeg);
    SetText(longMinText, fields.longMin);
    SetRadioValue(longitudeSide, fields.west ? 1 : 0);
    SetText(latiDegText, fields.latiDeg);
    SetText(latiMinText, fields.latiMin);
    SetRadioValue(latitudeSide, fields.south ? 1 : 0);
    SetText(altitudeText, fields.altitude);
    SetText(zoneText, fields.zoneHours);
    SetRadioValue(zoneSign, fields.zoneMinus ? 1 : 0);
}

int32_t Choice(const RadioGroup& group)
{
    int32_t value = 0;
    RadioValue(group, value);
    return value;
}

SiteEditValues FieldValues()
{
    SiteEditValues values;
    values.name = TextOf(nameText);
    values.west = Choice(longitudeSide) == 1;
    values.longDeg = GetTextFieldInt(longDegText);
    values.longMin = GetTextFieldInt(longMinText);
    values.south = Choice(latitudeSide) == 1;
    values.latiDeg = GetTextFieldInt(latiDegText);
    values.latiMin = GetTextFieldInt(latiMinText);
    values.altitude = GetTextFieldInt(altitudeText);
    values.zoneMinus = Choice(zoneSign) == 1;
    values.zoneHours = GetTextFieldDouble(zoneText);
    return values;
}

// The edited site was the default: the view goes to it under its new name,
// which becomes the default.
void FollowDefaultSite(const std::string& line)
{
    const std::string name = SiteLineName(line);
    ObserverLocation location{};
    double zone = 0.0;
    if (LookUpSite(name.c_str(), location, zone) == 0) {
        return;
    }
    CommandText command;
    ComposeLocateCommand(name.c_str(), location, zone, command);
    RunCommandText(editScene, command);
    SaveDefaultSite(editScene->siteName);
}

void SiteEditDialogOkCallback(Widget, XtPointer, XtPointer)
{
    std::string line;
    CommandText check;
    const char* refusal = MakeSiteLine(FieldValues(), editedList.names(), editedIndex, line, check);
    if (refusal != nullptr) {
        if (*refusal != '\0') {
            ShowDialogWarning(gAppEnv->toplevel, refusal);
        } else {
            RunCommandText(editScene, check);
        }
        return;
    }
    if (line == oldLine) {
        HideFormDialog(editDialog);
        return;
    }
    switch (editedList.writeLine(editedIndex, line)) {
    case kSiteWriteFailed:
        return;   // what was typed stays, for another try
    case kSiteFileReloaded:
        // A new site still goes first; an edited line may have moved.
        if (editedIndex >= 0) {
            HideFormDialog(editDialog);
        }
        return;
    case kSiteWritten:
        break;
    }
    HideFormDialog(editDialog);
    if (IsDefaultSiteLine(oldLine, gAppEnv->siteName)) {
        FollowDefaultSite(line);
    }
}

// Only hides: the file is untouched, and the next Show fills the fields
// from its line again.
void SiteEditDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(editDialog);
}

void CreateSiteEditDialog(Widget parent)
{
    CreateFormDialog(editDialog, parent, "SiteEditDialog", "RCSiteEdit");
    Widget controls = XtVaCreateManagedWidget("RCSiteEditCtrls", xmRowColumnWidgetClass,
                                              editDialog.rowColumn, nullptr);
    Widget nameRow = Row(controls, "RCName");
    Label(nameRow, "NameLabel");
    // The name field is as wide as its resource line says, not as its
    // columns would make it.
    nameText = CreateFieldKeepingWidth(nameRow, "NameText");
    AngleRow(controls, "Long", kLongitudeSides, longitudeSide, longDegText, longMinText);
    AngleRow(controls, "Lati", kLatitudeSides, latitudeSide, latiDegText, latiMinText);
    Widget altitudeRow = Row(controls, "RCAlti");
    Label(altitudeRow, "AltiLabel");
    altitudeText = Text(altitudeRow, "AltiText");
    Label(altitudeRow, "AltiUnitLabel");
    Widget zoneRow = Row(controls, "RCTZ");
    Label(zoneRow, "TZLabel");
    Radio(zoneRow, "TZRadio", kZoneSigns, zoneSign);
    zoneText = Text(zoneRow, "TZHour");
    Label(zoneRow, "TZHourLabel");
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, SiteEditDialogOkCallback, nullptr},
        {"ButtonCancel", kButtonCancel, SiteEditDialogCancelCallback, nullptr},
    };
    AddDialogButtons(editDialog, editDialog.rowColumn, "ObsButtons", buttons, 2);
}

}  // namespace

void ShowSiteEditDialog(Widget parent, const std::string& line, int index, Scene* scene,
                        const SiteListAccess& list)
{
    editScene = scene;
    editedList = list;
    if (editDialog.dialog == nullptr) {
        CreateSiteEditDialog(parent);
    }
    FillSiteEditDialog(line);
    oldLine = line;
    editedIndex = index;
    ShowFormDialog(editDialog);
}

Widget SiteEditDialogWidget()
{
    return editDialog.dialog;
}
