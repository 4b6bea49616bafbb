#include "dialogs/center_pickers.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/center_pickers_fields.h"
#include "dialogs/element_list.h"
#include "dialogs/kit/choice_groups.h"
#include "dialogs/kit/field_width.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/scrolled_list.h"
#include "sky/scene.h"

#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/RowColumn.h>
#include <Xm/Text.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One list picker: what sets it apart, and what it keeps for the run.
struct ListPicker {
    const char* word;        // "Star": CenterStarDialog, StarRowColumn, StarList, StarButtons
    const char* listName;    // "StarList"
    bool refilled;           // made anew at every Show from the loaded objects
    std::vector<std::string> (*items)(const Scene& scene);
    CenterChoice (*choose)(const Scene& scene, int position, const std::string& item);
    XtCallbackProc ok;       // CenterStarDialogOkCallback
    XtCallbackProc cancel;   // CenterStarDialogCancelCallback
    FormDialog dialog{};
    Widget list = nullptr;
    Scene* scene = nullptr;
    std::vector<std::string> shown{};   // the list's items
    int rememberedPosition = 1;       // the fixed lists
    std::string rememberedText{};     // the refilled lists
};

std::vector<std::string> StarItems(const Scene&)
{
    return SortedStarNames();
}

std::vector<std::string> ConstItems(const Scene&)
{
    return SortedConstellationNames();
}

std::vector<std::string> PlanetItems(const Scene&)
{
    return {gAppEnv->planetNames, gAppEnv->planetNames + kCenterPlanetCount};
}

std::vector<std::string> JoviSatItems(const Scene&)
{
    return {gAppEnv->galileanNames, gAppEnv->galileanNames + 4};
}

std::vector<std::string> SmallBodyItems(int32_t count, const OrbitalElements* elements)
{
    std::vector<std::string> items;
    for (int32_t i = 0; i < count; ++i) {
        items.push_back(ElementListItem(elements[i].secondName, elements[i].name));
    }
    return items;
}

std::vector<std::string> CometItems(const Scene& scene)
{
    return SmallBodyItems(scene.cometCount, scene.cometElements);
}

std::vector<std::string> MPlanetItems(const Scene& scene)
{
    return SmallBodyItems(scene.mplanetCount, scene.mplanetElements);
}

std::vector<std::string> UserObjectItems(const Scene& scene)
{
    return FillCenterUserObjectList(scene);
}

std::vector<std::string> SkyMarkItems(const Scene&)
{
    return FillCenterSkyMarkList();
}

CenterChoice ChooseStar(const Scene&, int, const std::string& item)
{
    return CenterStarChoice(item);
}

CenterChoice ChooseConst(const Scene&, int, const std::string& item)
{
    return CenterConstChoice(item);
}

CenterChoice ChoosePlanet(const Scene& scene, int position, const std::string&)
{
    return CenterPlanetChoice(scene, position);
}

CenterChoice ChooseJoviSat(const Scene& scene, int position, const std::string&)
{
    return CenterJoviSatChoice(scene, position);
}

CenterChoice ChooseComet(const Scene&, int position, const std::string&)
{
    return CenterSmallBodyChoice("COMET", position);
}

CenterChoice ChooseMPlanet(const Scene&, int position, const std::string&)
{
    return CenterSmallBodyChoice("MINORPLANET", position);
}

CenterChoice ChooseUserObject(const Scene&, int, const std::string& item)
{
    return CenterUserObjectChoice(item);
}

CenterChoice ChooseSkyMark(const Scene&, int, const std::string& item)
{
    return CenterSkyMarkChoice(item);
}

ListPicker pickers[] = {
    {"Star", "StarList", false, StarItems, ChooseStar, CenterStarDialogOkCallback,
     CenterStarDialogCancelCallback},
    {"Planet", "PlanetList", false, PlanetItems, ChoosePlanet, CenterPlanetDialogOkCallback,
     CenterPlanetDialogCancelCallback},
    {"Comet", "CometList", true, CometItems, ChooseComet, CenterCometDialogOkCallback,
     CenterCometDialogCancelCallback},
    {"MPlanet", "MPlanetList", true, MPlanetItems, ChooseMPlanet, CenterMPlanetDialogOkCallback,
     CenterMPlanetDialogCancelCallback},
    {"JoviSat", "JoviSatList", false, JoviSatItems, ChooseJoviSat, CenterJoviSatDialogOkCallback,
     CenterJoviSatDialogCancelCallback},
    {"Const", "ConstList", false, ConstItems, ChooseConst, CenterConstDialogOkCallback,
     CenterConstDialogCancelCallback},
    {"UserObject", "ObjectList", true, UserObjectItems, ChooseUserObject,
     CenterUserObjectDialogOkCallback, CenterUserObjectDialogCancelCallback},
    {"SkyMark", "ObjectList", true, SkyMarkItems, ChooseSkyMark, CenterSkyMarkDialogOkCallback,
     CenterSkyMarkDialogCancelCallback},
};

ListPicker& Picker(const char* word)
{
    for (ListPicker& picker : pickers) {
        if (std::strcmp(picker.word, word) == 0) {
            return picker;
        }
    }
    return pickers[0];
}

std::string Named(const char* before, const char* word, const char* after)
{
    return std::string(before) + word + after;
}

// Runs what a choice says; the dialog goes down only for a command that
// runs.
// Returned: true when the command ran
bool RunChoice(const FormDialog& dialog, Scene* scene, const CenterChoice& choice)
{
    if (choice.warningKey != nullptr) {
        ShowDialogWarning(gAppEnv->toplevel, choice.warningKey);
        return false;
    }
    if (choice.command.texts.empty() && IsCommandRefused(choice.command) == 0) {
        return false;
    }
    if (IsCommandRefused(choice.command) == 0) {
        HideFormDialog(dialog);
    }
    return RunCommandText(scene, choice.command) != 0;
}

// OK of a list picker: the selected item's command, remembered when it
// runs.
void ListPickerOk(ListPicker& picker, Scene* scene)
{
    const int position = SelectedPosition(picker.list);
    if (position < 1 || position > static_cast<int>(picker.shown.size())) {
        return;
    }
    const std::string item = picker.shown[static_cast<size_t>(position - 1)];
    const CenterChoice choice = picker.choose(*scene, position, item);
    if (choice.warningKey == nullptr && !choice.command.texts.empty() &&
        IsCommandRefused(choice.command) == 0) {
        picker.rememberedPosition = position;
        picker.rememberedText = item;
    }
    RunChoice(picker.dialog, scene, choice);
}

void CreateListPicker(ListPicker& picker)
{
    CreateFormDialog(picker.dialog, gAppEnv->toplevel, Named("Center", picker.word, "Dialog").c_str(),
                     Named("", picker.word, "RowColumn").c_str());
    picker.list = CreateResourceList(picker.dialog.rowColumn, picker.listName, picker.shown);
    XtAddCallback(picker.list, XmNdefaultActionCallback, picker.ok, picker.scene);
    AddOkCancelButtons(picker.dialog, picker.dialog.rowColumn,
                       Named("", picker.word, "Buttons").c_str(), picker.ok, picker.scene,
                       picker.cancel, picker.scene);
}

// The refilled lists find the item chosen last by its text, else start at
// the top.
void RefillAndSelect(ListPicker& picker)
{
    picker.shown = picker.items(*picker.scene);
    SetListItems(picker.list, picker.shown);
    if (picker.shown.empty()) {
        return;
    }
    const auto found = std::find(picker.shown.begin(), picker.shown.end(), picker.rememberedText);
    const int position = (picker.rememberedText.empty() || found == picker.shown.end())
                             ? 1
                             : static_cast<int>(found - picker.shown.begin()) + 1;
    XmListSelectPos(picker.list, position, True);
    if (position == 1) {
        XmListSetPos(picker.list, 1);
    }
}

void ShowListPicker(const char* word, Scene* scene)
{
    ListPicker& picker = Picker(word);
    picker.scene = scene;
    if (picker.dialog.dialog == nullptr) {
        if (!picker.refilled) {
            picker.shown = picker.items(*scene);
        }
        CreateListPicker(picker);
    }
    if (picker.refilled) {
        RefillAndSelect(picker);
    } else {
        XmListSelectPos(picker.list, picker.rememberedPosition, True);
    }
    ShowFormDialog(picker.dialog);
}

// --- The nebula picker -----------------------------------------------------

const RadioRow kCatalogues[] = {{"ToggleTypeM", 0}, {"ToggleTypeNGC", 1}, {"ToggleTypeIC", 2}};

struct NebulaPicker {
    FormDialog dialog;
    RadioGroup catalogues;
    Widget number = nullptr;
    Scene* scene = nullptr;
    int32_t rememberedCatalogue = 0;
    int32_t rememberedNumber = 1;
};

NebulaPicker nebulaPicker;

void CreateNebulaPicker()
{
    NebulaPicker& picker = nebulaPicker;
    CreateFormDialog(picker.dialog, gAppEnv->toplevel, "CenterNebulaDialog", "NebulaRowColumn");
    CreateRadioGroup(picker.dialog.rowColumn, "RadioType", kCatalogues, 3, picker.catalogues);
    Widget numberColumn = XtVaCreateManagedWidget("RCNumberCtrl", xmRowColumnWidgetClass,
                                                  picker.dialog.rowColumn, nullptr);
    XtVaCreateManagedWidget("LabelNumber", xmLabelWidgetClass, numberColumn, nullptr);
    picker.number = XtVaCreateWidget("EditNumber", xmTextFieldWidgetClass, numberColumn, nullptr);
    KeepFieldWidth(picker.number);
    XtManageChild(picker.number);
    AddOkCancelButtons(picker.dialog, picker.dialog.rowColumn, "NebulaButtons",
                       CenterNebulaDialogOkCallback, picker.scene, CenterNebulaDialogCancelCallback,
                       picker.scene);
}

}  // namespace

void CenterNebulaDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    NebulaPicker& picker = nebulaPicker;
    int32_t catalogue = 0;
    if (RadioValue(picker.catalogues, catalogue) == 0) {
        return;
    }
    const int32_t number = GetTextFieldInt(picker.number);
    if (RunChoice(picker.dialog, static_cast<Scene*>(client), CenterNebulaChoice(catalogue, number))) {
        picker.rememberedCatalogue = catalogue;
        picker.rememberedNumber = number;
    }
}

void CenterNebulaDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(nebulaPicker.dialog);
}

// Each list picker's own OK and Cancel, onto the family's shared ones.
void CenterStarDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("Star"), static_cast<Scene*>(client));
}

void CenterStarDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("Star").dialog);
}

void CenterPlanetDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("Planet"), static_cast<Scene*>(client));
}

void CenterPlanetDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("Planet").dialog);
}

void CenterCometDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("Comet"), static_cast<Scene*>(client));
}

void CenterCometDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("Comet").dialog);
}

void CenterMPlanetDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("MPlanet"), static_cast<Scene*>(client));
}

void CenterMPlanetDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("MPlanet").dialog);
}

void CenterJoviSatDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("JoviSat"), static_cast<Scene*>(client));
}

void CenterJoviSatDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("JoviSat").dialog);
}

void CenterConstDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("Const"), static_cast<Scene*>(client));
}

void CenterConstDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("Const").dialog);
}

void CenterUserObjectDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("UserObject"), static_cast<Scene*>(client));
}

void CenterUserObjectDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("UserObject").dialog);
}

void CenterSkyMarkDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    ListPickerOk(Picker("SkyMark"), static_cast<Scene*>(client));
}

void CenterSkyMarkDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(Picker("SkyMark").dialog);
}

void ShowCenterStarDialog(Scene* scene)
{
    ShowListPicker("Star", scene);
}

void ShowCenterPlanetDialog(Scene* scene)
{
    ShowListPicker("Planet", scene);
}

void ShowCenterCometDialog(Scene* scene)
{
    ShowListPicker("Comet", scene);
}

void ShowCenterMPlanetDialog(Scene* scene)
{
    ShowListPicker("MPlanet", scene);
}

void ShowCenterJoviSatDialog(Scene* scene)
{
    ShowListPicker("JoviSat", scene);
}

void ShowCenterConstDialog(Scene* scene)
{
    ShowListPicker("Const", scene);
}

void ShowCenterUserObjectDialog(Scene* scene)
{
    ShowListPicker("UserObject", scene);
}

void ShowCenterSkyMarkDialog(Scene* scene)
{
    ShowListPicker("SkyMark", scene);
}

void ShowCenterNebulaDialog(Scene* scene)
{
    NebulaPicker& picker = nebulaPicker;
    picker.scene = scene;
    if (picker.dialog.dialog == nullptr) {
        CreateNebulaPicker();
    }
    SetRadioValue(picker.catalogues, picker.rememberedCatalogue);
    char number[16];
    std::snprintf(number, sizeof number, "%d", picker.rememberedNumber);
    XmTextFieldSetString(picker.number, number);
    ShowFormDialog(picker.dialog);
}

Widget CenterPickerWidget(const char* dialogName)
{
    if (std::strcmp(dialogName, "CenterNebulaDialog") == 0) {
        return nebulaPicker.dialog.dialog;
    }
    for (const ListPicker& picker : pickers) {
        if (Named("Center", picker.word, "Dialog") == dialogName) {
            return picker.dialog.dialog;
        }
    }
    return nullptr;
}
