// The environment dialog "SetEnvDialog" (Settings > Environment...): the
// toolbar, the tips and the two confirmations, applied at OK, and the
// window geometry, locale and TZ the next start uses. It runs no command:
// OK changes AppEnv, and the options file takes it at quit.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct Scene;

// Widgets above this library keep tips of their own (the toolbar, the
// information box); start-up lists here how each attaches and detaches
// them, so that turning the tips on again gives the new tip shell both
// sets. A null entry is skipped.
struct TipOwner {
    void (*add)();
    void (*remove)();
};
constexpr int kTipOwnerCount = 2;
extern TipOwner gTipOwners[kTipOwnerCount];

// Builds the dialog at the first call, fills it from AppEnv and shows it.
void ShowSetEnvDialog(Scene* scene);

// The controls from AppEnv, the toplevel window and the environment.
void FillSetEnvDialog();

// The toplevel window's present size, each written with "%d".
void GetWindowGeometryText(std::string& width, std::string& height);

// The dialog widget; null until first shown.
Widget SetEnvDialogWidget();
