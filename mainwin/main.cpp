// uvola: the program's entry. Start-up runs in a fixed order: the records
// and the options that must be known before the toolkit starts, the toolkit,
// the command line, the main window, the palette, resources, fonts and data,
// the command port, the start-up script, the first chart; then the program's
// own event loop for the rest of the process.
#include "command/command_port.h"
#include "command/drive_commands.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/locale.h"
#include "core/options.h"
#include "core/user_directory.h"
#include "data/fallback_resources.h"
#include "mainwin/command_line.h"
#include "mainwin/main_window.h"
#include "mainwin/quit.h"
#include "mainwin/startup_script.h"
#include "sky/canvas.h"
#include "sky/catalog/name_files.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/layers/status_line.h"
#include "sky/scene.h"
#include "sky/site_setup.h"

#include <X11/Shell.h>
#include <Xm/Xm.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Options read before the toolkit starts: the time zone and the geometry.
void ApplyEarlyOptions()
{
    if (GetOptionString("TZ", gAppEnv->tzOption, sizeof gAppEnv->tzOption) != 0) {
        setenv("TZ", gAppEnv->tzOption, 1);
    }
    GetOptionString("Geometry", gAppEnv->geometryOption, sizeof gAppEnv->geometryOption);
}

XtAppContext StartToolkit(int& argc, char** argv)
{
    Arg args[1];
    Cardinal count = 0;
    if (gAppEnv->geometryOption[0] != '\0') {
        XtSetArg(args[count], XtNgeometry, gAppEnv->geometryOption);
        ++count;
    }
    XtAppContext app = nullptr;
    gAppEnv->toplevel = XtOpenApplication(&app, "UVola", nullptr, 0, &argc, argv,
                                          FallbackResourceList(), applicationShellWidgetClass,
                                          args, count);
    return app;
}

void SceneCanvasModeChanged(Scene& scene)
{
    UpdateScrollBars(&scene);
}

void HookMainWindowIntoCanvas()
{
    gCanvasHooks.refreshModeWidgets = SceneCanvasModeChanged;
    gCanvasHooks.refreshScrollBars = SceneCanvasModeChanged;
    gCanvasHooks.drawStatusBar = DrawStatusBar;
}

void LoadFontsOrExit()
{
    if (LoadFontSets() == 0) {
        std::printf("uvola: can't create font.\n");
        std::exit(1);
    }
}

// The palette, the drawing GC, the resources and data paths, names and fonts.
void LoadDrawingResources(Scene& scene)
{
    InitPaletteAndPlanetNames();
    CreateSceneGC(scene);
    LoadAppResources(scene);
    LoadStarNames();
    LoadConstellationNames();
    LoadFontsOrExit();
    gAppEnv->minPlanetDiscRadius = 7;
    gAppEnv->pixelAspect = 1.0;
    scene.view.skyRect = XRectangle{0, 0, 0, 0};
    scene.view.screenCentreX = 0;
    scene.view.screenCentreY = 0;
}

void OpenCommandPortIfAsked()
{
    gAppEnv->socketPort = GetOptionInt("SocketPort", 0);
    if (gAppEnv->socketPort != 0) {
        OpenCommandPort();
    }
}

[[noreturn]] void RunEventLoop(XtAppContext app)
{
    for (;;) {
        XEvent event;
        XtAppNextEvent(app, &event);
        XtDispatchEvent(&event);
    }
}

}  // namespace

int main(int argc, char** argv)
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
        return 1;
    }
    gAppEnv->display = XtDisplay(gAppEnv->toplevel);
    gAppEnv->screen = XtScreen(gAppEnv->toplevel);

    Scene& scene = *gScene;
    CreateMainWindow(&scene);
    gAppEnv->startingUp = 1;
    ResetScene(scene);
    UpdateScrollBars(&scene);
    XtRealizeWidget(gAppEnv->toplevel);
    RegisterWmDeleteWindow(gAppEnv->toplevel);
    XtAddCallback(scene.drawingArea, XmNexposeCallback, DrawingAreaExposeCallback, &scene);
    HookMainWindowIntoCanvas();
    StkSetQuitProcedure(QuitApplication);

    LoadDrawingResources(scene);
    SetWmNormalHints(gAppEnv->toplevel);
    SetWmIcon(&scene);
    OpenCommandPortIfAsked();
    RunStartupScript();

    XmProcessTraversal(scene.drawingArea, XmTRAVERSE_CURRENT);
    gAppEnv->startingUp = 0;
    StkExecuteText(&scene, "DRIVE");
    RunEventLoop(app);
}
