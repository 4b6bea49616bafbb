#include "dialogs/planet_dialog.h"

#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/scrolled_list.h"
#include "dialogs/kit/text_fields.h"
#include "dialogs/planet_dialog_fields.h"
#include "sky/scene.h"

#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cstdio>

namespace {


const char* const kToggleNames[kPlanetColumnCount] = {"ToggleShow", "ToggleName", "ToggleDate",
                                                      "ToggleMag",  "ToggleOrbit", "ToggleDisk"};

FormDialog planetDialog;
Widget planetList = nullptr;
Widget toggles[kPlanetColumnCount] = {};
Widget diskMag = nullptr;
PlanetTable working{};

std::vector<int> SelectedRows()
{
    std::vector<int> rows;
    for (const int position : SelectedPositions(planetList)) {
        rows.push_back(position - 1);
    }
    return rows;
}

void ShowToggleState(Widget toggle, const PlanetToggleState& state)
{
    if (state.common) {
        XtVaSetValues(toggle, XmNtoggleMode, XmTOGGLE_BOOLEAN, nullptr);
        XmToggleButtonSetValue(toggle, state.value != 0 ? XmSET : XmUNSET, False);
    } else {
        XtVaSetValues(toggle, XmNtoggleMode, XmTOGGLE_INDETERMINATE, nullptr);
        XmToggleButtonSetValue(toggle, XmINDETERMINATE, False);
    }
    XtSetSensitive(toggle, state.sensitive ? True : False);
}

// The toggles show what the selected planets have in common.
void ShowSelection()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        return;
    }
    const auto states = PlanetSelectionState(working, rows);
    for (int column = 0; column < kPlanetColumnCount; ++column) {
        ShowToggleState(toggles[column], states[static_cast<size_t>(column)]);
    }
}

void PlanetListSelectionCallback(Widget, XtPointer, XtPointer)
{
    ShowSelection();
}

// A click sets or clears the flag in every selected planet.
void PlanetToggleCallback(Widget toggle, XtPointer client, XtPointer)
{
    const int column = static_cast<int>(reinterpret_cast<intptr_t>(client));
    unsigned char state = XmUNSET;
    XtVaGetValues(toggle, XmNset, &state, nullptr);
    XtVaSetValues(toggle, XmNtoggleMode, XmTOGGLE_BOOLEAN, nullptr);
    SetPlanetColumn(working, SelectedRows(), column, state == XmSET ? 1 : 0);
    ShowSelection();
}

void FillPlanetFlags(const Scene& scene)
{
    working = ReadPlanetTable(scene);
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(scene.diskMagnitude));
    SetFieldText(diskMag, text);
}

void PlanetDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    CommandText command;
    ComposePlanetCommands(*scene, working, GetTextFieldInt(diskMag), command);
    RunCommandTextAndHide(scene, command, planetDialog);
}

// Nothing is applied; the next Show fills the working table from the Scene
// again.
void PlanetDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(planetDialog);
}

std::vector<std::string> PlanetNames()
{
    std::vector<std::string> names;
    for (const char* name : gAppEnv->planetNames) {
        names.emplace_back(name != nullptr ? name : "");
    }
    return names;
}

void CreatePlanetControls(Widget row)
{
    Widget controls = XtVaCreateManagedWidget("RCPlanetCtrl", xmRowColumnWidgetClass, row, nullptr);
    for (int column = 0; column < kPlanetColumnCount; ++column) {
        toggles[column] = XtVaCreateManagedWidget(kToggleNames[column], xmToggleButtonWidgetClass,
                                                  controls, nullptr);
        XtAddCallback(toggles[column], XmNvalueChangedCallback, PlanetToggleCallback,
                      reinterpret_cast<XtPointer>(static_cast<intptr_t>(column)));
    }
    Widget disk = XtVaCreateManagedWidget("RCDiskMagCtrl", xmRowColumnWidgetClass, row, nullptr);
    XtVaCreateManagedWidget("LabelDiskMag", xmLabelWidgetClass, disk, nullptr);
    diskMag = XtVaCreateManagedWidget("EditDiskMag", xmTextFieldWidgetClass, disk, nullptr);
}

void CreatePlanetDialog(Scene* scene)
{
    CreateFormDialog(planetDialog, gAppEnv->toplevel, "PlanetDialog", "PlanetRowColumn");
    planetList = CreateResourceList(planetDialog.rowColumn, "PlanetList", PlanetNames());
    XtAddCallback(planetList, XmNextendedSelectionCallback, PlanetListSelectionCallback, nullptr);
    CreatePlanetControls(planetDialog.rowColumn);
    AddOkCancelButtons(planetDialog, planetDialog.rowColumn, "PlanetButtons",
                       PlanetDialogOkCallback, scene, PlanetDialogCancelCallback);
}

}  // namespace

void ShowPlanetDialog(Scene* scene)
{
    if (planetDialog.dialog == nullptr) {
        CreatePlanetDialog(scene);
    }
    FillPlanetFlags(*scene);
    XmListDeselectAllItems(planetList);
    XmListSelectPos(planetList, 1, True);
    ShowFormDialog(planetDialog);
}

Widget PlanetDialogWidget()
{
    return planetDialog.dialog;
}
