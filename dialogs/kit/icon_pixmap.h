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

// Most arguments one button of a row of icon buttons on a form takes, as
// the toolbar and the information box lay them out.
constexpr Cardinal kIconRowArgCount = 9;

// The arguments of one button of such a row: the top attached to the form
// at offset 1, the left to the form (the first button) or to the previous
// button at leftOffset, highlight 1, no border, the picture as its label.
// Given:    previous    the button before it, null for the first
//           leftOffset  pixels
//           picture     the button's pixmap
// Returned: args        filled from the start
//           the number of arguments set
Cardinal SetIconRowArgs(Arg* args, Widget previous, int leftOffset, Pixmap picture);
