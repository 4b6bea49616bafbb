// Warnings whose text is a format with numbers or names in it. The format
// is a resource a user may translate; one that would read other arguments
// than the program passes is never handed to printf: the compiled default
// stands in for it.
#pragma once

#include <X11/Intrinsic.h>

// The text of a message key filled as printf fills defaultFormat, shown in
// a warning box on parent.
// Given:    parent         the box's parent
//           key            message key, e.g. "messageNebulaLimitRange"
//           defaultFormat  the key's compiled-in text, which the arguments fit
// The text comes from the key's format when its conversions match the
// default's (FormatMatchesDefault), else from the default.
void ShowCheckedWarning(Widget parent, const char* key, const char* defaultFormat, ...)
    __attribute__((format(printf, 3, 4)));
