// Turning a recorded command error into the text the user sees.
#pragma once

#include <cstddef>

// Fills an error text format with the statement's command word and the error
// parameter. Formats come from resources a user may translate, so they are
// never handed to printf: only the first two "%s" are filled (the command
// word, then the parameter) and "%%" becomes "%"; everything else, a third
// "%s", "%d" or "%n" included, is copied as it stands.
// Given:    format     the text of the error key
//           word       the statement's command word (null: empty)
//           parameter  the error parameter (null: empty)
//           size       size of out in bytes
// Returned: out        the message, cut at size - 1 characters, terminated
void FormatErrorText(const char* format, const char* word, const char* parameter, char* out,
                     size_t size);
