#include "mainwin/toolbar.h"

#include "astro/coordinates.h"
#include "command/display_commands.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/messages.h"
#include "core/view_modes.h"
#include "data/toolbar_icons.h"
#include "dialogs/kit/icon_pixmap.h"
#include "dialogs/kit/press_repeat.h"
#include "sky/scene.h"
#include "tooltip/tip_shell.h"

#include <Xm/DrawnB.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>

#include <array>

const ToolbarButtonRow ToolbarButtonTable[kToolbarButtonCount] = {
    {"ToolbarFileOpen", &xmPushButtonWidgetClass, "INPUT OPENFILE", "messageToolOpenFile", 1, false},
    {"ToolbarFileSave", &xmPushButtonWidgetClass, "INPUT SAVEFILE", "messageToolSaveFile", 0, false},
    {"ToolbarModeHrz", &xmDrawnButtonWidgetClass, "MODE HRZ;DRIVE", "messageToolModeHrz", 7, true},
    {"ToolbarModeEqt", &xmDrawnButtonWidgetClass, "MODE EQT;DRIVE", "messageToolModeEqt", 0, true},
    {"ToolbarModeAll1", &xmDrawnButtonWidgetClass, "MODE ALL1_EQT;DRIVE", "messageToolModeAll1", 0, true},
    {"ToolbarModeAll2", &xmDrawnButtonWidgetClass, "MODE ALL2_EQT;DRIVE", "messageToolModeAll2", 0, true},
    {"ToolbarModeSol", &xmDrawnButtonWidgetClass, "MODE SOL2;DRIVE", "messageToolModeSol", 0, true},
    {"ToolbarModeVola", &xmDrawnButtonWidgetClass, "MODE VOLA;DRIVE", "messageToolModeVola", 0, true},
    {"ToolbarSetDate", &xmPushButtonWidgetClass, "INPUT DATE", "messageToolSetDateTime", 7, false},
    {"ToolbarSetPlace", &xmPushButtonWidgetClass, "INPUT LOCATE", "messageToolSetSite", 0, false},
    {"ToolbarLookHrz", &xmPushButtonWidgetClass, "LOOK HRZ", "messageToolHorizon", 7, false},
    {"ToolbarDaylight", &xmDrawnButtonWidgetClass, "TOGGLE DAYLIGHT;DRIVE", "messageToolDaylight", 0, true},
    {"ToolbarZoomUp", &xmPushButtonWidgetClass, "ZOOM UP;DRIVE", "messageToolZoomUp", 7, false},
    {"ToolbarZoomDown", &xmPushButtonWidgetClass, "ZOOM DOWN;DRIVE", "messageToolZoomDown", 0, false},
    {"ToolbarConsline", &xmDrawnButtonWidgetClass, "TOGGLE CONS_LINE;DRIVE", "messageToolConstLine", 7, true},
    {"ToolbarConsname", &xmDrawnButtonWidgetClass, "TOGGLE CONS_NAME2;DRIVE", "messageToolConstName", 0, true},
    {"ToolbarPlanetname", &xmDrawnButtonWidgetClass, "TOGGLE PLANET_NAME;DRIVE", "messageToolPlanetName", 0, true},
    {"ToolbarNebula", &xmDrawnButtonWidgetClass, "TOGGLE NEBULA;DRIVE", "messageToolNebula", 0, true},
    {"ToolbarMilkyway", &xmDrawnButtonWidgetClass, "TOGGLE MILKYWAY;DRIVE", "messageToolMilkyway", 0, true},
    {"ToolbarPicMark", &xmDrawnButtonWidgetClass, "TOGGLE PICTUREMARK;DRIVE", "messageToolPicmark", 0, true},
    {"ToolbarGridHrz", &xmDrawnButtonWidgetClass, "TOGGLE HRZ_GRID;DRIVE", "messageToolHrzGrid", 0, true},
    {"ToolbarGridEqt", &xmDrawnButtonWidgetClass, "TOGGLE EQT_GRID_DATE;DRIVE", "messageToolEqtGrid", 0, true},
    {"ToolbarTrace", &xmDrawnButtonWidgetClass, "TOGGLE TRACE;DRIVE", "messageToolToggleTrace", 7, true},
    {"ToolbarSetStep", &xmPushButtonWidgetClass, "INPUT PERIOD", "messageToolSetTimeStep", 0, false},
    {"ToolbarReverse", &xmDrawnButtonWidgetClass, "REVERSE ,,,,", "messageToolTogglePlayRev", 7, true},
    {"ToolbarStopPlay", &xmDrawnButtonWidgetClass, "CONTINUE", "messageToolTogglePlayStop", 0, true},
    {"ToolbarContinue", &xmDrawnButtonWidgetClass, "CONTINUE ,,,,", "messageToolTogglePlayFwd", 0, true},
};

namespace {

constexpr size_t kTipSize = 256;
constexpr int kCentringTrack = 2;

// The view mode of each mode button, 2 to 7.
constexpr std::array<int32_t, 6> kButtonModes = {kModeHrz,     kModeEqt,  kModeAll1Eqt,
                                                 kModeAll2Eqt, kModeSol2, kModeVola};

// The display option a state button shows: the keyword its command toggles.
struct OptionButton {
    int index;
    const char* keyword;
};

constexpr OptionButton kOptionButtons[] = {
    {kToolbarDaylight, "DAYLIGHT"},   {kToolbarConsline, "CONS_LINE"},
    {kToolbarConsname, "CONS_NAME2"}, {kToolbarNebula, "NEBULA"},
    {kToolbarMilkyway, "MILKYWAY"},   {kToolbarPicMark, "PICTUREMARK"},
    {kToolbarGridHrz, "HRZ_GRID"},    {kToolbarGridEqt, "EQT_GRID_DATE"},
    {kToolbarTrace, "TRACE"},
};

// What a button's callbacks are given.
struct ButtonClient {
    Scene* scene;
    int index;
};

std::array<Widget, kToolbarButtonCount> buttons{};
std::array<ButtonClient, kToolbarButtonCount> clients{};
std::array<Pixmap, kToolbarButtonCount> pixmaps{};
std::array<Pixmap, kToolbarButtonCount> insensitivePixmaps{};

// Both zoom buttons share one press: a short click zooms by the command's
// default factor, holding zooms by 1.8 every 15 ms from 300 ms on.
PressRepeat zoomRepeat{300, 15};

// The Planetname button: the names of the Earth and of every planet.
bool AllPlanetNamesShown(const Scene& scene)
{
    if ((scene.earthFlags & kBodyName) == 0) {
        return false;
    }
    for (uint8_t flags : scene.planetFlags) {
        if ((flags & kBodyName) == 0) {
            return false;
        }
    }
    return true;
}

int OptionShown(const Scene& scene, int index)
{
    for (const OptionButton& button : kOptionButtons) {
        if (button.index == index) {
            return StkDisplayOptionShown(scene, button.keyword) == 1 ? 1 : 0;
        }
    }
    return -1;
}

bool IsModeButton(int index)
{
    return index >= kToolbarModeHrz && index <= kToolbarModeVola;
}

void ToolbarActivateCallback(Widget, XtPointer client, XtPointer)
{
    const ButtonClient& button = *static_cast<const ButtonClient*>(client);
    const char* command = ToolbarCommandOf(*button.scene, button.index);
    if (command != nullptr) {
        StkExecuteText(*button.scene, command);
    }
}

void ToolbarZoomArmCallback(Widget widget, XtPointer client, XtPointer)
{
    const ButtonClient& button = *static_cast<const ButtonClient*>(client);
    const bool up = button.index == kToolbarZoomUp;
    ArmPressRepeat(zoomRepeat, widget, button.scene, ToolbarButtonTable[button.index].command,
                   up ? "ZOOM UP 1.8; DRIVE" : "ZOOM DOWN 1.8; DRIVE");
}

void ToolbarZoomDisarmCallback(Widget, XtPointer, XtPointer)
{
    DisarmPressRepeat(zoomRepeat);
}

void MakeToolbarPixmaps()
{
    Pixel background = 0;
    XtVaGetValues(gAppEnv->toolbar, XmNbackground, &background, nullptr);
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        pixmaps[i] = MakeIconPixmap(kToolbarIcons[i], background);
        insensitivePixmaps[i] = MakeIconPixmap(kToolbarInsensitiveIcons[i], background);
    }
}

Widget CreateButton(Scene* scene, int index)
{
    const ToolbarButtonRow& row = ToolbarButtonTable[index];
    // Where the button stands, its highlight and shadow: the toolbar's
    // resource lines. Only the pictures are made here.
    Arg args[2];
    Cardinal count = 0;
    XtSetArg(args[count], XmNlabelPixmap, pixmaps[index]), ++count;
    if (insensitivePixmaps[index] != XmUNSPECIFIED_PIXMAP) {
        XtSetArg(args[count], XmNlabelInsensitivePixmap, insensitivePixmaps[index]), ++count;
    }
    Widget button = XtCreateManagedWidget(row.name, *row.widgetClass, gAppEnv->toolbar, args, count);
    clients[index] = ButtonClient{scene, index};
    XtAddCallback(button, XmNactivateCallback, ToolbarActivateCallback, &clients[index]);
    if (index == kToolbarZoomUp || index == kToolbarZoomDown) {
        XtAddCallback(button, XmNarmCallback, ToolbarZoomArmCallback, &clients[index]);
        XtAddCallback(button, XmNdisarmCallback, ToolbarZoomDisarmCallback, &clients[index]);
    }
    return button;
}

void RefreshButton(int index, const Scene& scene)
{
    const ToolbarButtonState state = ToolbarButtonStateOf(scene, index);
    Widget button = buttons[index];
    if (state.sensitive >= 0) {
        XtSetSensitive(button, state.sensitive != 0 ? True : False);
    }
    if (state.shadowIn >= 0) {
        const unsigned char shadow = state.shadowIn != 0 ? XmSHADOW_IN : XmSHADOW_OUT;
        unsigned char current = 0;
        XtVaGetValues(button, XmNshadowType, &current, nullptr);
        if (current != shadow) {
            XtVaSetValues(button, XmNshadowType, shadow, nullptr);
        }
    }
}

bool HasStateOrInsensitiveLook(int index)
{
    return ToolbarButtonTable[index].showsState || kToolbarInsensitiveIcons[index] != nullptr;
}

}  // namespace

ToolbarButtonState ToolbarButtonStateOf(const Scene& scene, int index)
{
    const bool running = scene.animation.running != 0;
    if (IsModeButton(index)) {
        return {1, scene.viewMode == kButtonModes[index - kToolbarModeHrz] ? 1 : 0};
    }
    switch (index) {
    case kToolbarFileOpen:
    case kToolbarFileSave: return {1, -1};
    case kToolbarLookHrz:
        return {scene.viewMode == kModeHrz && scene.centring != kCentringTrack ? 1 : 0, -1};
    case kToolbarDaylight:
        return {ViewFrameOf(scene.viewMode) == kFrameHrz ? 1 : 0, OptionShown(scene, index)};
    case kToolbarZoomUp:
    case kToolbarZoomDown: {
        const int32_t family = ViewFamilyOf(scene.viewMode);
        return {family == kFamilySky || family == kFamilySolarSystem ? 1 : 0, -1};
    }
    case kToolbarPlanetname: return {1, AllPlanetNamesShown(scene) ? 1 : 0};
    case kToolbarReverse: return {running ? 0 : 1, running && scene.animationDirection == 1 ? 1 : 0};
    case kToolbarStopPlay: return {running ? 1 : 0, -1};
    case kToolbarContinue: return {running ? 0 : 1, running && scene.animationDirection == 0 ? 1 : 0};
    default: break;
    }
    const int shown = OptionShown(scene, index);
    return shown >= 0 ? ToolbarButtonState{1, shown} : ToolbarButtonState{-1, -1};
}

const char* ToolbarCommandOf(const Scene& scene, int index)
{
    if (index < 0 || index >= kToolbarButtonCount || index == kToolbarZoomUp ||
        index == kToolbarZoomDown) {
        return nullptr;
    }
    if (IsModeButton(index) && scene.viewMode == kButtonModes[index - kToolbarModeHrz]) {
        return nullptr;
    }
    return ToolbarButtonTable[index].command;
}

Widget CreateToolbarForm(Scene* scene)
{
    return XtVaCreateWidget("Toolbar", xmFormWidgetClass, scene->mainWindow, nullptr);
}

void CreateToolbarButtons(Scene* scene)
{
    MakeToolbarPixmaps();
    // In table order: each button's line names the one before it.
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        buttons[i] = CreateButton(scene, i);
    }
}

void UpdateToolbarButton(int index, Scene* scene)
{
    // The form is managed before its buttons are made.
    if (ToolbarShown() && index >= 0 && index < kToolbarButtonCount && buttons[index] != nullptr) {
        RefreshButton(index, *scene);
    }
}

void UpdateToolbar(Scene* scene)
{
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        UpdateToolbarButton(i, scene);
    }
}

void UpdateToolbarStateButtons(Scene* scene)
{
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        if (HasStateOrInsensitiveLook(i)) {
            UpdateToolbarButton(i, scene);
        }
    }
}

void UpdateToolbarButtonIfEqual(Scene* scene, int a, int b, int index)
{
    if (a == b) {
        UpdateToolbarButton(index, scene);
    }
}

void AddToolbarTips()
{
    if (gAppEnv->tipShell == nullptr) {
        return;
    }
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        char tip[kTipSize];
        GetMessage(ToolbarButtonTable[i].tipKey, tip, sizeof tip);
        TipShellAddWidget(gAppEnv->tipShell, buttons[i], tip, 0, 0);
    }
}

void RemoveToolbarTips()
{
    if (gAppEnv->tipShell == nullptr) {
        return;
    }
    for (Widget button : buttons) {
        TipShellDeleteWidget(gAppEnv->tipShell, button);
    }
}

void FreeToolbarPixmaps()
{
    RemoveToolbarTips();
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        FreeIconPixmap(pixmaps[i]);
        FreeIconPixmap(insensitivePixmaps[i]);
    }
}
