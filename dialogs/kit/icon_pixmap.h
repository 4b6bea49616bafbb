// The pictures of the icon buttons (toolbar, step box, information box):
// XPM data compiled into the program, made into pixmaps on the toplevel
// shell's window, and the arguments that lay a row of such buttons out.
#pragma once

#include "data/xpm_icon.h"

#include <X11/Intrinsic.h>

// Makes a picture into a pixmap, in the private colormap when "-i"
// installed one. The picture's transparent pixels take the background of
// the button it goes on; on a display short of colour cells the nearest
// colours stand in, so that an 8-bit display still gets every picture.
// Given:    icon        the XPM data (null: none)
//           background  pixel of the button's background
// Returned: the pixmap, or XmUNSPECIFIED_PIXMAP when there is no picture or
//           it could not be made (the button then shows its name)
Pixmap MakeIconPixmap(XpmIconData icon, Pixel background);

// Frees a pixmap made by MakeIconPixmap and marks it unspecified.
void FreeIconPixmap(Pixmap& pixmap);

