// Formats of user-visible texts come from resources, so a translation can
// restyle them; a text that would read other arguments than the program
// passes must never reach printf.
#pragma once

// Whether a format from a resource may stand in for its compiled default.
// Given:    format         the resource's text
//           defaultFormat  the compiled-in format the caller's arguments fit
// Returned: 1 when the format reads no more arguments than the default, each
//           of the same kind (int for d/i, double for f/e/g, text for s, a
//           character for c) in the same order, with the flags "-+ 0#",
//           widths and precisions of at most two digits and no length
//           modifiers, "*", "$" or "%n"; 0 otherwise
int FormatMatchesDefault(const char* format, const char* defaultFormat);
