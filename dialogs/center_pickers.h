// The Center menu's pickers: a small modal dialog for each kind of named
// object the view can be centred on, whose OK runs the LOOK (and BLINK)
// command of the choice (dialogs/center_pickers_fields.h). The list pickers are
// one family told apart by a table; the nebula picker, a catalogue and a
// number, stands apart.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Each builds its dialog on the first call, fills or selects its list and
// shows it. The star, planet, satellite and constellation lists are fixed
// and remember the position last chosen; the comet, minor-planet,
// user-object and sky-mark lists are made anew from the loaded objects at
// every call and find the item last chosen again by its text.
void ShowCenterStarDialog(Scene* scene);
void ShowCenterNebulaDialog(Scene* scene);
void ShowCenterPlanetDialog(Scene* scene);
void ShowCenterCometDialog(Scene* scene);
void ShowCenterMPlanetDialog(Scene* scene);
void ShowCenterJoviSatDialog(Scene* scene);
void ShowCenterConstDialog(Scene* scene);
void ShowCenterUserObjectDialog(Scene* scene);
void ShowCenterSkyMarkDialog(Scene* scene);

// A picker's dialog by its name ("CenterStarDialog"), or null before it
// was built; for the tests.
Widget CenterPickerWidget(const char* dialogName);
