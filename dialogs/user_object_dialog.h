// The user-object dialog "UserObjectDialog" (Object > User Object...): the
// user-object files loaded now, more added through "AddUserObjectDialog",
// entries deleted, and on OK the Scene made to load exactly the listed
// files, in list order.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the dialog at the first call, lists the files the Scene has loaded,
// selects the first and shows it.
void ShowUserObjectDialog(Scene* scene);

// The dialog and its Add box; null until first shown.
Widget UserObjectDialogWidget();
Widget AddUserObjectDialogWidget();
