// Drawing label texts with the X font sets. The texts come from resources
// and name files written in Latin-1 (the compiled-in texts write the degree
// sign as \260), while a font set draws in the multibyte encoding of the
// locale in use; Xlib stops at the first byte it cannot convert.
#pragma once

#include <X11/Xlib.h>

#include <string>

// The text in the locale's multibyte encoding.
// Given:    text, length   bytes: sequences valid in the locale pass as they
//                          are; any other byte is taken as Latin-1
// Returned: the converted text; a Latin-1 character that the locale cannot
//           represent (the C locale has no degree sign) is left out, so the
//           rest of the label still shows
std::string LabelTextForLocale(const char* text, int length);

// Width in pixels of a label drawn with the font set; 0 without a font set.
int LabelTextWidth(XFontSet fontSet, const char* text, int length);

// Draws a label at (x, baseline) with the GC's current foreground.
// Returned: its width in pixels; 0 without a font set
int DrawLabelText(Display* display, Drawable drawable, XFontSet fontSet, GC gc, int x, int baseline,
                  const char* text, int length);
