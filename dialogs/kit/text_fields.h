// Text fields read back as strings, and fields whose text goes into the
// options file, where a line break would start a line of its own.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

// The text of a text or text-field widget.
std::string FieldText(Widget field);

// Writes a text into a text or text-field widget.
void SetFieldText(Widget field, const std::string& text);

// A text without its control characters (bytes below 32 and DEL); other
// bytes, those of a multibyte locale included, are kept.
std::string WithoutControlCharacters(const std::string& text);

// Makes a field drop the control characters of whatever is typed or
// pasted into it, as WithoutControlCharacters does.
void DropControlCharacters(Widget field);
