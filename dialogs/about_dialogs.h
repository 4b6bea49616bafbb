// The Help menu's About and Copyright windows: the program's name, version,
// copyright line, where to read more and who wrote it, each a label's
// resource line; and the notice with the terms of use and the credits of
// the data compiled into the program, under a heading with the version the
// "-V" option prints.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// Builds the About window once and shows it.
void ShowAboutDialog(Scene* scene);

// Builds the Copyright window once and shows it.
void ShowCopyrightDialog(Scene* scene);

// The form attachments of the About window's label `index` (0 the name ..
// 4 the author): centred, across the form with offsets 5, the first at the
// top of the form, each other below the one before it.
// Given:    previous  the label above (null for the first)
// Returned: args      the settings
//           the number of settings
int LayoutAboutLabels(int index, Widget previous, Arg* args);

// The first line of the Copyright window: the program's name and version.
const char* CopyrightHeading();
