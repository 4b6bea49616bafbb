// The dialogs still to come. Each entry point stands where its dialog's
// will, under the dialog's own name, so the menus call what they will call
// then; until its dialog is written it tells the user so in a warning box,
// "INPUT: Not available in this version: SunDialog" (the widget name of the
// dialog), and changes nothing. An entry leaves this file with its dialog.
#pragma once

struct Scene;

// User objects
void ShowUserObjectDialog(Scene* scene);

// Center pickers of the user files
void ShowCenterUserObjectDialog(Scene* scene);
void ShowCenterSkyMarkDialog(Scene* scene);
