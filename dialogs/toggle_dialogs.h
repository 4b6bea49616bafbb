// The Grid ("GridDialog", View > Grid...), Jovian satellite
// ("JoviSatDialog"), constellation ("ConstDialog"), Sun ("SunDialog") and
// Moon ("MoonDialog") dialogs of the Object menu: toggles filled from the
// Scene's display flags, some waiting for others, sent as SHOW and HIDE
// commands. One family, each member built from its table in
// dialogs/toggle_dialogs_fields.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;
struct ToggleDialogTable;

// Each builds its dialog at the first call, fills it from the Scene and
// shows it.
void ShowGridDialog(Scene* scene);
void ShowJoviSatDialog(Scene* scene);
void ShowConstDialog(Scene* scene);
void ShowSunDialog(Scene* scene);
void ShowMoonDialog(Scene* scene);

// The dialog widget of a member; null until first shown.
Widget ToggleDialogWidget(const ToggleDialogTable& table);
