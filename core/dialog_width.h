// The least width of a dialog window. A window manager draws a dialog's
// title in a title bar as wide as the window, so a narrow dialog (a column
// of a few toggles, a short message) showed its title cut to "Jo...e".
#pragma once

#include <X11/Intrinsic.h>

// Pixels; room for the program's name and a word or two of title.
constexpr Dimension kLeastDialogWidth = 260;

// Widens a dialog narrower than kLeastDialogWidth to that width; a wider
// one keeps its own width. Called right after the dialog is managed: only
// then has its layout given it the width it takes.
// Given:    dialog  the child of the dialog shell (form, message box, ...)
void KeepLeastDialogWidth(Widget dialog);
