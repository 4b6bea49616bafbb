#include "mainwin/menu_bar.h"

#include "astro/body_ids.h"
#include "astro/coordinates.h"
#include "command/display_commands.h"
#include "core/app_env.h"
#include "core/view_modes.h"
#include "dialogs/about_dialogs.h"
#include "dialogs/center_pickers.h"
#include "dialogs/date_dialog.h"
#include "dialogs/environment_dialog.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/nebula_dialog.h"
#include "dialogs/planet_dialog.h"
#include "dialogs/projection_dialog.h"
#include "dialogs/site_dialog.h"
#include "dialogs/small_body_dialogs.h"
#include "dialogs/star_dialog.h"
#include "dialogs/time_step_dialog.h"
#include "dialogs/today_dialog.h"
#include "dialogs/toggle_dialogs.h"
#include "dialogs/user_object_dialog.h"
#include "mainwin/menu_callbacks.h"
#include "mainwin/menu_commands.h"
#include "sky/scene.h"

#include <Xm/CascadeB.h>
#include <Xm/CascadeBG.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/SeparatoG.h>
#include <Xm/ToggleBG.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

constexpr char kTraceText[] = "TOGGLE TRACE; DRIVE";
constexpr char kContinueText[] = "CONTINUE";
constexpr char kLookHrzText[] = "LOOK HRZ";
constexpr char kMirrorNormalText[] = "MIRROR 0; DRIVE";
constexpr char kMirror180Text[] = "MIRROR 1; DRIVE";
constexpr char kMirrorFlipText[] = "MIRROR 2; DRIVE";
constexpr char kMilkywayText[] = "TOGGLE MILKYWAY; DRIVE";
constexpr char kCenterSunText[] = "LOOK SUN; BLINK SUN";
constexpr char kCenterMoonText[] = "LOOK MOON; BLINK MOON";

const char* const kActivate = XmNactivateCallback;
const char* const kValueChanged = XmNvalueChangedCallback;

MenuItemRecord Push(const char* name, XtCallbackProc procedure)
{
    return {name, kActivate, procedure, &xmPushButtonGadgetClass, nullptr};
}

MenuItemRecord Toggle(const char* name, XtCallbackProc procedure)
{
    return {name, kValueChanged, procedure, &xmToggleButtonGadgetClass, nullptr};
}

MenuItemRecord Separator(const char* name)
{
    return {name, nullptr, nullptr, &xmSeparatorGadgetClass, nullptr};
}

MenuItemRecord Cascade(const char* name)
{
    return {name, nullptr, nullptr, &xmCascadeButtonGadgetClass, nullptr};
}

constexpr MenuItemRecord kEnd = {nullptr, nullptr, nullptr, nullptr, nullptr};

template <void (*show)(Scene*)>
MenuItemRecord Opens(const char* name)
{
    return Push(name, MenuShowDialogCallback<show>);
}

template <const char* text>
MenuItemRecord Runs(const char* name)
{
    return Push(name, MenuRunTextCallback<text>);
}

MenuItemRecord FileTable[] = {
    Opens<ShowOpenFileDialog>("MenuFileOpen"),
    Push("MenuFileSave", MenuFileSaveCallback),
    Opens<ShowSaveFileDialog>("MenuFileSaveAs"),
    Separator("MenuSeparator"),
    Opens<ShowSaveImageDialog>("MenuFileSaveImage"),
    Separator("MenuSeparator"),
    Push("MenuFileQuit", MenuFileQuitCallback),
    kEnd,
};

MenuItemRecord SettingsTable[] = {
    Opens<ShowDateDialog>("MenuSettingsDate"),
    Opens<ShowSiteDialog>("MenuSettingsObs"),
    Separator("MenuSeparator"),
    Opens<ShowTimeStepDialog>("MenuSettingsTimeStep"),
    Toggle("MenuSettingsTrace", MenuRunTextCallback<kTraceText>),
    Toggle("MenuSettingsContinue", MenuRunTextCallback<kContinueText>),
    Separator("MenuSeparator"),
    Push("MenuSettingsInitialize", MenuSettingsInitializeCallback),
    Push("MenuSettingsSaveAsDefault", MenuSettingsSaveAsDefaultCallback),
    Separator("MenuSeparator"),
    Opens<ShowSetEnvDialog>("MenuSettingsSetEnv"),
    kEnd,
};

MenuItemRecord ViewTable[] = {
    Opens<ShowProjectionDialog>("MenuViewProjection"),
    Cascade("MenuViewWidth"),
    Cascade("MenuViewDir"),
    Cascade("MenuViewRotate"),
    Separator("MenuSeparator"),
    Opens<ShowGridDialog>("MenuViewGrid"),
    Toggle("MenuViewPictureMark", MenuViewPictureMarkCallback),
    Toggle("MenuViewDaylight", MenuViewDaylightCallback),
    Separator("MenuSeparator"),
    Toggle("MenuViewStatusbar", MenuViewStatusbarCallback),
    Separator("MenuSeparator"),
    Runs<kLookHrzText>("MenuViewLookHrz"),
    kEnd,
};

MenuItemRecord ViewDirTable[] = {
    Push("MenuViewDirSouth", MenuViewDirCallback<0>),
    Push("MenuViewDirWest", MenuViewDirCallback<90>),
    Push("MenuViewDirNorth", MenuViewDirCallback<180>),
    Push("MenuViewDirEast", MenuViewDirCallback<270>),
    kEnd,
};

MenuItemRecord ViewWidthTable[] = {
    Push("MenuViewWidth120", MenuViewWidthCallback<120>),
    Push("MenuViewWidth90", MenuViewWidthCallback<90>),
    Push("MenuViewWidth60", MenuViewWidthCallback<60>),
    Push("MenuViewWidth30", MenuViewWidthCallback<30>),
    Push("MenuViewWidth10", MenuViewWidthCallback<10>),
    kEnd,
};

MenuItemRecord ViewRotateTable[] = {
    Toggle("MenuViewRotateNormal", MenuRunTextCallback<kMirrorNormalText>),
    Toggle("MenuViewRotate180", MenuRunTextCallback<kMirror180Text>),
    Toggle("MenuViewRotateMirror", MenuRunTextCallback<kMirrorFlipText>),
    kEnd,
};

MenuItemRecord ObjectTable[] = {
    Opens<ShowSunDialog>("MenuObjectSun"),
    Opens<ShowMoonDialog>("MenuObjectMoon"),
    Opens<ShowPlanetDialog>("MenuObjectPlanet"),
    Opens<ShowCometDialog>("MenuObjectComet"),
    Opens<ShowMPlanetDialog>("MenuObjectMPlanet"),
    Opens<ShowJoviSatDialog>("MenuObjectJoviSat"),
    Separator("MenuObjectSeparator1"),
    Opens<ShowStarDialog>("MenuObjectStar"),
    Opens<ShowConstDialog>("MenuObjectConst"),
    Opens<ShowNebulaDialog>("MenuObjectNebula"),
    Toggle("MenuObjectMilkyway", MenuRunTextCallback<kMilkywayText>),
    Separator("MenuObjectSeparator2"),
    Toggle("MenuObjectSkyMark", MenuObjectSkyMarkCallback),
    Opens<ShowUserObjectDialog>("MenuObjectUserObject"),
    kEnd,
};

MenuItemRecord CenterTable[] = {
    Runs<kCenterSunText>("MenuCenterSun"),
    Runs<kCenterMoonText>("MenuCenterMoon"),
    Opens<ShowCenterPlanetDialog>("MenuCenterPlanet"),
    Opens<ShowCenterCometDialog>("MenuCenterComet"),
    Opens<ShowCenterMPlanetDialog>("MenuCenterMPlanet"),
    Opens<ShowCenterJoviSatDialog>("MenuCenterJoviSat"),
    Separator("MenuObjectSeparator1"),
    Opens<ShowCenterStarDialog>("MenuCenterStar"),
    Opens<ShowCenterConstDialog>("MenuCenterConst"),
    Opens<ShowCenterNebulaDialog>("MenuCenterNebula"),
    Separator("MenuObjectSeparator2"),
    Opens<ShowCenterSkyMarkDialog>("MenuCenterSkyMark"),
    Opens<ShowCenterUserObjectDialog>("MenuCenterUserObject"),
    kEnd,
};

MenuItemRecord OptionTable[] = {
    Toggle("MenuOptionWhatsToday", MenuShowDialogCallback<ToggleTodayDialog>),
    Toggle("MenuOptionStepBox", MenuOptionStepBoxCallback),
    Toggle("MenuOptionCommandBox", MenuOptionCommandBoxCallback),
    kEnd,
};

MenuItemRecord HelpTable[] = {
    Opens<ShowAboutDialog>("MenuHelpAbout"),
    Opens<ShowCopyrightDialog>("MenuHelpCopyright"),
    kEnd,
};

// --- The state of the items before a pull-down opens ----------------------

Widget Item(const MenuItemRecord* table, const char* name)
{
    for (const MenuItemRecord* item = table; item->name != nullptr; ++item) {
        if (std::strcmp(item->name, name) == 0) {
            return item->widget;
        }
    }
    return nullptr;
}

void SetItem(const MenuItemRecord* table, const char* name, bool set)
{
    XmToggleButtonGadgetSetState(Item(table, name), set ? True : False, False);
}

void Sensitive(const MenuItemRecord* table, const char* name, bool sensitive)
{
    XtSetSensitive(Item(table, name), sensitive ? True : False);
}

bool Shown(const Scene& scene, const char* keyword)
{
    return StkDisplayOptionShown(scene, keyword) == 1;
}

bool Managed(Widget dialog)
{
    return dialog != nullptr && XtIsManaged(dialog);
}

bool Readable(const char* path)
{
    return path[0] != '\0' && access(path, R_OK) == 0;
}

// The Jovian satellites: outside the solar-system views, while Jupiter is
// shown.
bool JovianSatellitesReachable(const Scene& scene)
{
    return !IsSolarSystemView(scene.viewMode) && (scene.planetFlags[kJupiter] & kBodyShown) != 0;
}

const Scene& SceneOf(XtPointer client)
{
    return *static_cast<const Scene*>(client);
}

}  // namespace

void MenuFileCascadingCallback(Widget, XtPointer, XtPointer)
{
}

void MenuSettingsCascadingCallback(Widget, XtPointer client, XtPointer)
{
    const Scene& scene = SceneOf(client);
    SetItem(SettingsTable, "MenuSettingsContinue", scene.animation.running != 0);
    SetItem(SettingsTable, "MenuSettingsTrace", Shown(scene, "TRACE"));
}

void MenuViewCascadingCallback(Widget, XtPointer client, XtPointer)
{
    const Scene& scene = SceneOf(client);
    const bool skyView = ViewFamilyOf(scene.viewMode) == kFamilySky;
    const bool horizontal = ViewFrameOf(scene.viewMode) == kFrameHrz;
    Sensitive(ViewTable, "MenuViewWidth", skyView);
    Sensitive(ViewTable, "MenuViewRotate", skyView);
    Sensitive(ViewTable, "MenuViewDir", scene.viewMode == kModeHrz || scene.viewMode == kModeVola);
    Sensitive(ViewTable, "MenuViewLookHrz", scene.viewMode == kModeHrz);
    SetItem(ViewTable, "MenuViewPictureMark", Shown(scene, "PICTUREMARK"));
    SetItem(ViewTable, "MenuViewDaylight", Shown(scene, "DAYLIGHT"));
    Sensitive(ViewTable, "MenuViewDaylight", horizontal);
    SetItem(ViewTable, "MenuViewStatusbar", Shown(scene, "STATUSBAR"));
}

void MenuViewRotateCascadingCallback(Widget, XtPointer client, XtPointer)
{
    const Scene& scene = SceneOf(client);
    SetItem(ViewRotateTable, "MenuViewRotateNormal", scene.mirror == 0);
    SetItem(ViewRotateTable, "MenuViewRotate180", scene.mirror == 1);
    SetItem(ViewRotateTable, "MenuViewRotateMirror", scene.mirror == 2);
}

void MenuObjectCascadingCallback(Widget, XtPointer client, XtPointer)
{
    const Scene& scene = SceneOf(client);
    Sensitive(ObjectTable, "MenuObjectComet", Readable(gAppEnv->cometFile));
    Sensitive(ObjectTable, "MenuObjectMPlanet", Readable(gAppEnv->mplanetFile));
    Sensitive(ObjectTable, "MenuObjectJoviSat", JovianSatellitesReachable(scene));
    SetItem(ObjectTable, "MenuObjectMilkyway", Shown(scene, "MILKYWAY"));
    SetItem(ObjectTable, "MenuObjectSkyMark", SkyMarksAndNamesShown(scene));
}

void MenuCenterCascadingCallback(Widget, XtPointer client, XtPointer)
{
    const Scene& scene = SceneOf(client);
    Sensitive(CenterTable, "MenuCenterComet", scene.cometCount > 0);
    Sensitive(CenterTable, "MenuCenterMPlanet", scene.mplanetCount > 0);
    Sensitive(CenterTable, "MenuCenterJoviSat", JovianSatellitesReachable(scene));
}

void MenuOptionCascadingCallback(Widget, XtPointer, XtPointer)
{
    SetItem(OptionTable, "MenuOptionStepBox", Managed(gAppEnv->stepBox));
    SetItem(OptionTable, "MenuOptionWhatsToday", Managed(gAppEnv->whatsTodayDialog));
    SetItem(OptionTable, "MenuOptionCommandBox", Managed(gAppEnv->commandDialog));
}

void MenuHelpCascadingCallback(Widget, XtPointer, XtPointer)
{
}

namespace {

// A pull-down of the menu bar and its cascade.
Widget AddMenu(Widget menuBar, const char* cascade, const char* pulldown, MenuItemRecord* table,
               XtCallbackProc cascading, Scene* scene)
{
    Widget menu = CreatePulldownMenu(pulldown, menuBar, table, scene);
    Widget button = CreateMenuBarCascade(cascade, menuBar, menu);
    XtAddCallback(button, XmNcascadingCallback, cascading, scene);
    return button;
}

// A sub-menu of the View menu, hung on one of its items.
void AttachSubMenu(Widget viewMenu, const char* item, const char* pulldown, MenuItemRecord* table,
                   Scene* scene)
{
    Widget menu = CreatePulldownMenu(pulldown, viewMenu, table, scene);
    XtVaSetValues(Item(ViewTable, item), XmNsubMenuId, menu, nullptr);
}

}  // namespace

Widget CreatePulldownMenu(const char* name, Widget parent, MenuItemRecord* table, Scene* scene)
{
    Widget menu = XmCreatePulldownMenu(parent, const_cast<char*>(name), nullptr, 0);
    std::vector<Widget> items;
    for (MenuItemRecord* item = table; item->name != nullptr; ++item) {
        item->widget = XtCreateWidget(item->name, *item->widgetClass, menu, nullptr, 0);
        if (item->procedure != nullptr) {
            XtAddCallback(item->widget, item->callbackList, item->procedure, scene);
        }
        items.push_back(item->widget);
    }
    // Managed together, the pane is laid out once: its window exists from
    // the start, and one item at a time it was laid out and cleared again
    // for every item (some 600 requests and a tenth of the start-up's work).
    XtManageChildren(items.data(), static_cast<Cardinal>(items.size()));
    return menu;
}

Widget CreateMenuBarCascade(const char* name, Widget menuBar, Widget pulldown)
{
    return XtVaCreateManagedWidget(name, xmCascadeButtonWidgetClass, menuBar, XmNsubMenuId,
                                   pulldown, nullptr);
}

void CreateMenuBar(Widget menuBar, Scene* scene)
{
    AddMenu(menuBar, "MenuFile", "PulldownFile", FileTable, MenuFileCascadingCallback, scene);
    AddMenu(menuBar, "MenuSettings", "PulldownSettings", SettingsTable,
            MenuSettingsCascadingCallback, scene);
    Widget view = AddMenu(menuBar, "MenuView", "PulldownView", ViewTable,
                          MenuViewCascadingCallback, scene);
    Widget viewMenu = nullptr;
    XtVaGetValues(view, XmNsubMenuId, &viewMenu, nullptr);
    AttachSubMenu(viewMenu, "MenuViewDir", "PulldownViewDir", ViewDirTable, scene);
    AttachSubMenu(viewMenu, "MenuViewWidth", "PulldownViewWidth", ViewWidthTable, scene);
    AttachSubMenu(viewMenu, "MenuViewRotate", "PulldownViewRotate", ViewRotateTable, scene);
    XtAddCallback(Item(ViewTable, "MenuViewRotate"), XmNcascadingCallback,
                  MenuViewRotateCascadingCallback, scene);
    AddMenu(menuBar, "MenuObject", "PulldownObject", ObjectTable, MenuObjectCascadingCallback, scene);
    AddMenu(menuBar, "MenuCenter", "PulldownCenter", CenterTable, MenuCenterCascadingCallback, scene);
    AddMenu(menuBar, "MenuOption", "PulldownOption", OptionTable, MenuOptionCascadingCallback, scene);
    Widget help = AddMenu(menuBar, "MenuHelp", "PulldownHelp", HelpTable,
                          MenuHelpCascadingCallback, scene);
    XtVaSetValues(menuBar, XmNmenuHelpWidget, help, nullptr);
}
