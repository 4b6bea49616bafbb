// Numbers in command arguments, read as the commands have always read them:
// integers with base-10 strtol, reals with strtod, text after the number
// ignored, and a text that is no number read as 0 ("x" is 0, "12x" is 12).
//
// What no handler can take is refused with "stkErrorIllegalParam" and the
// argument as parameter: an integer beyond int32 (its conversion would be
// undefined), NaN and the infinities (they would reach integer conversions
// and comparisons that NaN always fails).
#pragma once

#include <cstdint>

// An integer argument.
// Given:    text   the argument; null (omitted) leaves value as it was
// Returned: value  the number
//           1 when read, else 0 with the error recorded (value unchanged)
int StkIntegerArgument(const char* text, int32_t& value);

// A real argument.
// Given:    text   the argument; null (omitted) leaves value as it was
// Returned: value  the number
//           1 when read, else 0 with the error recorded (value unchanged)
int StkRealArgument(const char* text, double& value);
