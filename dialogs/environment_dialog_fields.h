// What the environment dialog shows and stores, without a widget: the
// geometry fields from the Geometry option and back, and the Locale and TZ
// texts.
#pragma once

#include <string>

// 1 when every character is a decimal digit; an empty text gives 0.
int IsAllDigits(const char* text);

// The width and height fields for a Geometry option: the text before its
// first "x", and the text after it up to the next "x" or the end
// ("800x600+10+20" gives 800 and 600+10+20; "800x" an empty height).
// Given:    geometry  the option, "" or "<width>x<height>"
// Returned: width, height  the fields
//           1 filled; 0 when the option is empty, has no "x" or a part of
//           more than 18 characters (the fields then show the window's size)
int GeometryFields(const std::string& geometry, std::string& width, std::string& height);

// The Geometry option from the two fields: "" when both are empty, else
// "<width>x<height>" of the two read as decimal integers (a value beyond
// the int range is held at its end). Both fields must then be digits only.
// Given:    width, height  the fields
// Returned: geometry  the new option, when accepted
//           1 accepted; 0 refused ("messageInvalidGeometry")
int ComposeGeometry(const std::string& width, const std::string& height, std::string& geometry);

// The Locale field: the option, else the locale in use, else
// "en_US.ISO_8859-1".
std::string LocaleFieldText(const char* option, const char* inUse);

// The TZ field: the option, else the TZ environment variable, else "".
std::string TzFieldText(const char* option, const char* environment);

// A Locale or TZ field as stored: without control characters, and "" when
// only blanks are left.
std::string OptionFieldValue(const std::string& field);
