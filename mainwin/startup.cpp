#include "mainwin/startup.h"

#include "command/command_port.h"
#include "command/drive_commands.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/locale.h"
#include "core/message_box.h"
#include "core/options.h"
#include "core/rep_type_converters.h"
#include "core/user_directory.h"
#include "data/fallback_resources.h"
#include "dialogs/date_dialog.h"
#include "dialogs/environment_dialog.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/site_dialog.h"
#include "dialogs/step_box.h"
#include "dialogs/time_step_dialog.h"
#include "dialogs/today_dialog.h"
#include "mainwin/click_data_dialog.h"
#include "mainwin/command_line.h"
#include "mainwin/main_window.h"
#include "mainwin/scroll_bars.h"
#include "mainwin/pointer_input.h"
#include "mainwin/quit.h"
#include "mainwin/shell_geometry.h"
#include "mainwin/startup_script.h"
#include "mainwin/toolbar.h"
#include "sky/canvas.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/name_files.h"
#include "sky/catalog/user_object_files.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/layers/status_line.h"
#include "sky/scene.h"
#include "sky/site_setup.h"
#include "sky/ui_hooks.h"
#include "tooltip/tip_shell.h"

#include <X11/Shell.h>
#include <Xm/Xm.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Options read before the toolkit starts: the time zone and the geometry.
void ApplyEarlyOptions()
{
    if (GetOptionString("TZ", gAppEnv->tzOption, sizeof gAppEnv->tzOption) != 0) {
        setenv("TZ", gAppEnv->tzOption, 1);
    }
    GetOptionString("Geometry", gAppEnv->geometryOption, sizeof gAppEnv->geometryOption);
}

// The display is opened before the shell is made, so that the Geometry
// option can be held to the screen's size first. Otherwise this is what
// XtOpenApplication does, the whole command line kept for the session
// manager (WM_COMMAND) included.
XtAppContext StartToolkit(int& argc, char** argv)
{
    static std::vector<char*> wholeCommandLine(argv, argv + argc);
    XtToolkitInitialize();
    XtAppContext app = XtCreateApplicationContext();
    XtAppSetFallbackResources(app, FallbackResourceList());
    Display* display = XtOpenDisplay(app, nullptr, nullptr, "UVola", nullptr, 0, &argc, argv);
    if (display == nullptr) {
        String name = XDisplayName(nullptr);
        Cardinal one = 1;
        XtAppErrorMsg(app, "invalidDisplay", "xtInitialize", "XtToolkitError", "Can't open display: %s", &name,
                      &one);
    }
    // The shell keeps a pointer to its geometry text.
    static char geometry[sizeof gAppEnv->geometryOption + 32];
    Arg args[3];
    Cardinal count = 0;
    XtSetArg(args[count], XtNargc, static_cast<int>(wholeCommandLine.size()));
    ++count;
    XtSetArg(args[count], XtNargv, wholeCommandLine.data());
    ++count;
    if (gAppEnv->geometryOption[0] != '\0') {
        const Screen* screen = DefaultScreenOfDisplay(display);
        ClampGeometryToScreen(gAppEnv->geometryOption, static_cast<unsigned>(WidthOfScreen(screen)),
                              static_cast<unsigned>(HeightOfScreen(screen)), geometry, sizeof geometry);
        XtSetArg(args[count], XtNgeometry, geometry);
        ++count;
    }
    gAppEnv->toplevel = XtAppCreateShell(nullptr, "UVola", applicationShellWidgetClass, display, args, count);
    InstallAsciiRepTypeConverters();
    return app;
}

// After a mode change: the scroll bars and the toolbar's state buttons.
void SceneCanvasModeChanged(Scene& scene)
{
    UpdateScrollBars(&scene);
    UpdateToolbarStateButtons(&scene);
}

void SceneScrollBarsMoved(Scene& scene)
{
    UpdateScrollBars(&scene);
}

// After every sky refresh the information box and What's Today follow
// the new numbers.
void AfterSkyRedraw(Scene& scene)
{
    DrawClickDataDialog(&scene);
    RefreshTodayDialog(&scene);
}

void InfoBoxButtonsFollowScene(Scene& scene)
{
    UpdateClickDataDialogButtons(&scene);
}

void InfoBoxFollowsScene(Scene& scene, int on)
{
    ShowClickDataDialog(&scene, on);
}

void ToolbarFollowsScene(Scene& scene)
{
    UpdateToolbar(&scene);
}

void ToolbarButtonFollowsScene(Scene& scene, int a, int b, int index)
{
    UpdateToolbarButtonIfEqual(&scene, a, b, index);
}

// The widgets the commands and the redraw reach from below.
void HookMainWindowIntoCanvas()
{
    gCanvasHooks.refreshModeWidgets = SceneCanvasModeChanged;
    gCanvasHooks.refreshScrollBars = SceneScrollBarsMoved;
    gCanvasHooks.drawStatusBar = DrawStatusBar;
    gCanvasHooks.afterRedraw = AfterSkyRedraw;
    gUiHooks.updateInfoBoxButtons = InfoBoxButtonsFollowScene;
    gUiHooks.showInfoBox = InfoBoxFollowsScene;
    gUiHooks.updateToolbar = ToolbarFollowsScene;
    gUiHooks.updateToolbarButtonIfEqual = ToolbarButtonFollowsScene;
    gTipOwners[0] = TipOwner{AddToolbarTips, RemoveToolbarTips};
    gTipOwners[1] = TipOwner{AddClickDataTips, RemoveClickDataTips};
}

// The dialogs INPUT opens, all hooked up here; the toolbar's SetDate,
// SetStep, SetPlace, FileOpen and FileSave send INPUT and reach them too.
void HookInputDialogs()
{
    gUiHooks.openInput[kInputDate] = [](Scene& scene) { ShowDateDialog(&scene); };
    gUiHooks.openInput[kInputPeriod] = [](Scene& scene) { ShowTimeStepDialog(&scene); };
    gUiHooks.openInput[kInputLocate] = [](Scene& scene) { ShowSiteDialog(&scene); };
    gUiHooks.openInput[kInputOpenFile] = [](Scene& scene) { ShowOpenFileDialog(&scene); };
    gUiHooks.openInput[kInputSaveFile] = [](Scene& scene) { ShowSaveFileDialog(&scene); };
}

void ExitUnlessLoaded(int loaded)
{
    if (loaded == 0) {
        std::printf("uvola: can't create font.\n");
        std::exit(1);
    }
}

// The font sets the first chart did not draw with, made once the program
// can take commands: in a UTF-8 locale they would hold up the start by
// tens of milliseconds. A label drawn before makes its own at first use.
Boolean LoadRemainingFontSets(XtPointer)
{
    ExitUnlessLoaded(LoadFontSets());
    return True;
}

// The palette, the drawing GC, the resources and data paths, names and fonts.
void LoadDrawingResources(Scene& scene)
{
    InitPaletteAndPlanetNames();
    CreateSceneGC(scene);
    LoadAppResources(scene);
    RememberStartingOptions();
    LoadStarNames();
    LoadConstellationNames();
    ExitUnlessLoaded(LoadStartupFonts());
    gAppEnv->minPlanetDiscRadius = 7;
    gAppEnv->pixelAspect = 1.0;
    scene.view.skyRect = XRectangle{0, 0, 0, 0};
    scene.view.screenCentreX = 0;
    scene.view.screenCentreY = 0;
}

// The step box (hidden), the information box (hidden), the toolbar's
// buttons in the Scene's state, and the tips when the user wants them.
void CreateTools(Scene& scene)
{
    CreateStepBox(&scene);
    ShowStepBox(&scene, 0);
    CreateClickDataDialog(&scene);
    CreateToolbarButtons(&scene);
    UpdateToolbar(&scene);
    gAppEnv->tipShell = nullptr;
    if (GetOptionBool("TipHelp", 1) != 0) {
        gAppEnv->tipShell = XtCreatePopupShell("TipHelp", tipShellWidgetClass, gAppEnv->toplevel,
                                               nullptr, 0);
        AddToolbarTips();
        AddClickDataTips();
    }
}

void ShowLoaderMessage(const char* message)
{
    if (message[0] != '\0') {
        ShowMessageBox(gAppEnv->toplevel, message, kMessageBoxWarning);
    }
}

// The sky marks and the click data; either may be missing. A sky-mark file
// that cannot be loaded hides the sky marks.
void LoadStartupData(Scene& scene)
{
    char message[256];
    if (LoadUserObjectFile(scene, gAppEnv->skyMarkFile, gAppEnv->skyMarks, gAppEnv->skyMarkCount, message,
                           sizeof message) == 0) {
        scene.displayFlags[kFlagSkyMarks] = 0;
    }
    ShowLoaderMessage(message);
    LoadClickData(scene, gAppEnv->clickDataFile, message, sizeof message);
    ShowLoaderMessage(message);
    // A missing file is no error of any statement.
    StkClearError();
}

void OpenCommandPortIfAsked()
{
    gAppEnv->socketPort = GetOptionInt("SocketPort", 0);
    if (gAppEnv->socketPort != 0) {
        OpenCommandPort();
    }
}

}  // namespace

XtAppContext StartUvola(int& argc, char** argv)
{
    ResetAppEnv();
    MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath);
    gAppEnv->confirmQuit = GetOptionBool("ConfirmQuit", 1);
    gAppEnv->confirmInit = GetOptionBool("ConfirmInit", 1);
    InitLocale(argc, argv);
    ApplyEarlyOptions();

    XtAppContext app = StartToolkit(argc, argv);
    gAppEnv->installColormap = 0;
    gAppEnv->runStartupScript = 1;
    if (ParseCommandLine(argc, argv) == 0) {
        std::exit(1);
    }
    gAppEnv->display = XtDisplay(gAppEnv->toplevel);
    gAppEnv->screen = XtScreen(gAppEnv->toplevel);

    Scene& scene = *gScene;
    RegisterActions(app);
    CreateMainWindow(&scene);
    gAppEnv->startingUp = 1;
    ResetScene(scene);
    UpdateScrollBars(&scene);
    XtRealizeWidget(gAppEnv->toplevel);
    RegisterWmDeleteWindow(gAppEnv->toplevel);
    XtAddCallback(scene.drawingArea, XmNexposeCallback, DrawingAreaExposeCallback, &scene);
    HookMainWindowIntoCanvas();
    HookInputDialogs();
    StkSetQuitProcedure(QuitApplication);

    LoadDrawingResources(scene);
    SetWmNormalHints(gAppEnv->toplevel);
    SetWmIcon(&scene);
    CreateTools(scene);
    LoadStartupData(scene);
    OpenCommandPortIfAsked();
    RunStartupScript();

    XmProcessTraversal(scene.drawingArea, XmTRAVERSE_CURRENT);
    gAppEnv->startingUp = 0;
    StkExecuteText(scene, "DRIVE");
    XtAppAddWorkProc(app, LoadRemainingFontSets, nullptr);
    return app;
}

void ProcessUvolaEvent(XtAppContext app)
{
    XEvent event;
    XtAppNextEvent(app, &event);
    // Insensitive buttons get no crossing events from the toolkit; the tip
    // shell sees them here first so that their tips still show.
    if (gAppEnv->tipShell != nullptr) {
        TipShellDispatchEvent(gAppEnv->tipShell, &event);
    }
    XtDispatchEvent(&event);
}

void RunEventLoop(XtAppContext app)
{
    for (;;) {
        ProcessUvolaEvent(app);
    }
}
