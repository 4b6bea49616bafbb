#include "mainwin/quit.h"

#include "command/command_port.h"
#include "core/app_env.h"
#include "core/app_resources.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/options.h"
#include "dialogs/command_dialog.h"
#include "mainwin/click_data_dialog.h"
#include "mainwin/toolbar.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/name_files.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/catalog/user_object_files.h"
#include "sky/font_sets.h"
#include "sky/scene.h"

#include <Xm/Protocols.h>
#include <Xm/Xm.h>

#include <cstdlib>

namespace {

Atom wmDeleteWindow = None;
Atom wmProtocols = None;

bool UserConfirmsQuit()
{
    if (gAppEnv->confirmQuit == 0 || gAppEnv->toplevel == nullptr) {
        return true;
    }
    char question[256];
    GetMessage("messageConfirmQuit", question, sizeof question);
    return AskQuestion(gAppEnv->toplevel, question) != 0;
}

void ReleaseLoadedData()
{
    FreeClickDataDialog();
    FreeToolbarPixmaps();
    FreeFontSets();
    FreeCometList(*gScene);
    FreeMinorPlanetList(*gScene);
    FreeSceneSmallBodies(*gScene);
    FreeUserObjectFiles(*gScene);
    FreeUserObjectList(gAppEnv->skyMarks, gAppEnv->skyMarkCount);
    FreeClickData(*gScene);
    FreeStarNames();
    FreeConstellationNames();
    CloseCommandPort();
    FreePlanetNames();
}

}  // namespace

int QuitApplication(int status)
{
    if (!UserConfirmsQuit()) {
        return 0;
    }
    if (gAppEnv->userDirectory[0] != '\0') {
        SaveCommandHistory();
        WriteOptionsFile();
    }
    ReleaseLoadedData();
    std::exit(status);
}

void WmProtocolsHandler(Widget, XtPointer, XEvent* event, Boolean*)
{
    if (event->type != ClientMessage) {
        return;
    }
    const XClientMessageEvent& message = event->xclient;
    if (message.message_type == wmProtocols &&
        static_cast<Atom>(message.data.l[0]) == wmDeleteWindow) {
        QuitApplication(0);
    }
}

void RegisterWmDeleteWindow(Widget shell)
{
    Display* display = XtDisplay(shell);
    wmDeleteWindow = XmInternAtom(display, const_cast<char*>("WM_DELETE_WINDOW"), False);
    wmProtocols = XmInternAtom(display, const_cast<char*>("WM_PROTOCOLS"), False);
    // The shell must not close or destroy anything by itself: Cancel in the
    // quit question keeps the program running.
    XtVaSetValues(shell, XmNdeleteResponse, XmDO_NOTHING, nullptr);
    XmAddWMProtocols(shell, &wmDeleteWindow, 1);
    XmActivateWMProtocol(shell, wmDeleteWindow);
    XtAddEventHandler(shell, NoEventMask, True, WmProtocolsHandler, nullptr);
}
