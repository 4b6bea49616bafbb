// Lookup of user-visible texts by message key. Every text of the program is
// an application resource of class "String", so a resource file can translate
// or restyle it; the compiled-in fallback list holds the defaults.
#pragma once

#include <cstddef>

// The text of a message key.
// Given:    key     message key, e.g. "stkErrorSyntax" (up to 255 characters
//                   are used)
//           size    size of buffer in bytes
// Returned: buffer  the text, at most size - 1 characters, always terminated
//                   (when size > 0); empty when the key is undefined
// Notes:    With a toplevel shell the text is an application resource request
//           {key, class "String"} on it, so the user's resources apply. Before
//           there is one (start-up, programs without a display) the text comes
//           from the compiled fallback list, decoded the way the resource
//           manager decodes it, so the same defaults come back.
void GetMessage(const char* key, char* buffer, size_t size);

// A fallback resource value decoded as the resource manager decodes a value:
// "\n" is a newline, "\" and three octal digits a byte, "\" and any other
// character that character; a lone trailing "\" is dropped.
// Given:    raw     value text as written in a resource line
//           size    size of buffer in bytes
// Returned: buffer  the decoded text, cut at size - 1 characters, terminated
void DecodeResourceValue(const char* raw, char* buffer, size_t size);
