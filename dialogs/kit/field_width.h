// A text field that keeps the width its resources give it. A text field
// tells its parent it would like to be as wide as its columns (20 unless
// set), and a row-column lays its children out at the widths they would
// like, so a field given a width of 50 in a column of a row-column showed
// 138 pixels wide.
#pragma once

#include <X11/Intrinsic.h>

// Sets the field's columns, and widens its margins by the few pixels the
// columns leave, so that the width it would like is the width it has now
// (the one its resources gave it). Done before the field is managed, so
// that its parent lays it out at that width from the start.
// Given:    field  an unmanaged text-field widget
// When no number of columns fits the width (a font wider than it), the
// field keeps one column.
void KeepFieldWidth(Widget field);

// A text field made unmanaged, given KeepFieldWidth, then managed: a field
// whose width its resource lines set, in a row-column.
// Given:    parent  the row the field stands in
//           name    the field's widget name, which its resource lines address
Widget CreateFieldKeepingWidth(Widget parent, const char* name);
