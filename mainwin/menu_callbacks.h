// What the menu items do. Every item gets the Scene as client data. An
// item that opens a dialog calls the dialog's Show entry point; every other
// item composes command text and hands it to StkExecuteText, so a menu
// choice is an ordinary command.
#pragma once

#include "command/interpreter.h"

#include <X11/Intrinsic.h>

struct Scene;

// An item that runs a fixed text.
template <const char* text>
void MenuRunTextCallback(Widget, XtPointer client, XtPointer)
{
    StkExecuteText(*static_cast<Scene*>(client), text);
}

// An item that opens a dialog.
template <void (*show)(Scene*)>
void MenuShowDialogCallback(Widget, XtPointer client, XtPointer)
{
    show(static_cast<Scene*>(client));
}

// Sets the field of view, in the sky views only.
// Given:    width  degrees
void SendViewAngle(Scene* scene, double width);

// Turns a horizontal view (HRZ or the planisphere) to an azimuth.
// Given:    azimuth  degrees from the south through the west
void SendViewDirection(Scene* scene, double azimuth);

// The View menu's Width and Direction items.
template <int width>
void MenuViewWidthCallback(Widget, XtPointer client, XtPointer)
{
    SendViewAngle(static_cast<Scene*>(client), width);
}

template <int azimuth>
void MenuViewDirCallback(Widget, XtPointer client, XtPointer)
{
    SendViewDirection(static_cast<Scene*>(client), azimuth);
}

// Save: the current script file written again, or the Save As dialog when
// there is none yet. A save that fails keeps the old file and says so.
void MenuFileSaveCallback(Widget widget, XtPointer client, XtPointer call);

// Exit Uvola: the EXIT command, which asks first when ConfirmQuit is on.
void MenuFileQuitCallback(Widget widget, XtPointer client, XtPointer call);

// Initialize: after the user agrees (when ConfirmInit is on), INIT, the
// user's start-up script's scene, and a redraw.
void MenuSettingsInitializeCallback(Widget widget, XtPointer client, XtPointer call);

// Save As Default: after the user agrees, the default environment written
// to the start-up script, and the site kept as SiteName in the options.
void MenuSettingsSaveAsDefaultCallback(Widget widget, XtPointer client, XtPointer call);

// The toggles that show what is hidden and hide what is shown.
void MenuViewPictureMarkCallback(Widget widget, XtPointer client, XtPointer call);
void MenuViewDaylightCallback(Widget widget, XtPointer client, XtPointer call);
void MenuViewStatusbarCallback(Widget widget, XtPointer client, XtPointer call);
void MenuObjectSkyMarkCallback(Widget widget, XtPointer client, XtPointer call);

// The Options menu's step box and command box.
void MenuOptionStepBoxCallback(Widget widget, XtPointer client, XtPointer call);
void MenuOptionCommandBoxCallback(Widget widget, XtPointer client, XtPointer call);
