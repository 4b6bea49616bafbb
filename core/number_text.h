// Numbers read from text that a user wrote: command arguments and the
// fields of the user's data files. A text that is no number, NaN, an
// infinity or a value out of the caller's range is refused here, so it can
// never reach an integer conversion.
#pragma once

#include <cstdint>

// An integer, base 10; text after the number is ignored ("12x" is 12, as
// scripts have always been read).
// Given:    text              the text (null: refused)
//           minimum, maximum  the accepted range, both included
// Returned: value             the number (unchanged when refused)
//           1 when accepted, else 0
int ReadCheckedInteger(const char* text, int32_t minimum, int32_t maximum, int32_t& value);

// A real number; text after the number is ignored.
// Given:    text              the text (null: refused)
//           minimum, maximum  the accepted range, both included
// Returned: value             the number (unchanged when refused)
//           1 when accepted, else 0
int ReadCheckedReal(const char* text, double minimum, double maximum, double& value);
