// The checked conversion of numeric command arguments. Every handler that
// needs a number takes it from here, so a text that is no number, NaN,
// infinity or a value out of range is refused with "stkErrorIllegalParam"
// (the argument as parameter) and never reaches an integer conversion.
#pragma once

#include <cstdint>

// An integer argument, base 10; text after the number is ignored ("12x" is
// 12, as scripts have always been read).
// Given:    text              the argument (null: omitted, refused)
//           minimum, maximum  the range the handler accepts, both included
// Returned: value             the number (unchanged on failure)
//           1 when accepted, else 0 with the error recorded
int StkIntegerArgument(const char* text, int32_t minimum, int32_t maximum, int32_t& value);

// A real argument; text after the number is ignored. NaN and infinities are
// refused.
// Given:    text              the argument (null: omitted, refused)
//           minimum, maximum  the range the handler accepts, both included
// Returned: value             the number (unchanged on failure)
//           1 when accepted, else 0 with the error recorded
int StkRealArgument(const char* text, double minimum, double maximum, double& value);
