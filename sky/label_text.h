// Drawing label texts with the X font sets. The texts come from resources
// and name files written in Latin-1 (the compiled-in texts write the degree
// sign as \260), while a font set draws in the multibyte encoding of the
// locale in use; Xlib stops at the first byte it cannot convert.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

// One run of a label as it is drawn.
struct LabelPiece {
    std::string text;   // bytes to draw
    bool latin1;        // false: in the locale's multibyte encoding, drawn
                        // through the font set; true: Latin-1 characters
                        // that the locale cannot represent (the C locale
                        // has no degree sign), drawn with the set's
                        // ISO8859-1 font, so that "330°+80°" never reads
                        // "330+80"
};

// The label cut into runs for drawing.
// Given:    text, length   bytes: sequences valid in the locale pass as they
//                          are; any other byte is taken as Latin-1
// Returned: the runs in order; Latin-1 characters the locale has are
//           converted into its encoding
std::vector<LabelPiece> LabelPiecesForLocale(const char* text, int length);

// Width in pixels of a label drawn with the font set; 0 without a font set.
// Plain ASCII, and any label in a locale of single Latin-1 bytes, is
// measured as it is, without the cutting into runs.
int LabelTextWidth(XFontSet fontSet, const char* text, int length);

// Draws a label at (x, baseline) with the GC's current foreground; nothing
// without a font set. In a locale of single Latin-1 bytes (C, POSIX,
// ISO-8859-1) the label goes to the set's one font as it is, degree sign
// and all; elsewhere plain ASCII goes to the font set as it is. Otherwise
// a Latin-1 character that the locale lacks is drawn with the font set's
// ISO8859-1 font; when the set has none, a blank stands in for it. It does
// not measure the label: a caller that needs the width asks LabelTextWidth.
void DrawLabelText(Display* display, Drawable drawable, XFontSet fontSet, GC gc, int x, int baseline,
                   const char* text, int length);

// The font set of a font-set number (1-based, as the layers number their
// fonts) and its largest logical extent: null and an empty rectangle while
// the set is not loaded.
XFontSet LabelFontSet(int number);
XRectangle LabelFontExtent(int number);

// Ascent and descent of that extent, in pixels.
int LabelFontAscent(int number);
int LabelFontDescent(int number);
