// The dialogs still to come. Each entry point stands where its dialog's
// will, under the dialog's own name, so the menus call what they will call
// then; until its dialog is written it tells the user so in a warning box,
// "INPUT: Not available in this version: SunDialog" (the widget name of the
// dialog), and changes nothing. An entry leaves this file with its dialog.
#pragma once

struct Scene;
struct TextList;

// User objects
void ShowUserObjectDialog(Scene* scene);

// Center pickers
void ShowCenterStarDialog(Scene* scene);
void ShowCenterNebulaDialog(Scene* scene);
void ShowCenterPlanetDialog(Scene* scene);
void ShowCenterCometDialog(Scene* scene);
void ShowCenterMPlanetDialog(Scene* scene);
void ShowCenterJoviSatDialog(Scene* scene);
void ShowCenterConstDialog(Scene* scene);
void ShowCenterUserObjectDialog(Scene* scene);
void ShowCenterSkyMarkDialog(Scene* scene);

// What's Today, About and Copyright
void ToggleTodayDialog(Scene* scene);
void ShowAboutDialog(Scene* scene);
void ShowCopyrightDialog(Scene* scene);

// Comets and minor planets
void ShowCometDialog(Scene* scene);
void ShowMPlanetDialog(Scene* scene);

// The image viewer, given the pictures to show; it takes the list and frees
// it.
void ShowImageDialog(Scene* scene, TextList* list);
