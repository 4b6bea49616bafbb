// The number rows of the date and time-step dialogs: the form
// "FormDateTime" holding one row form "DateForm%d" per field, each a kit
// number field (label, text, arrows). They stand in two lines of three
// places: the first line holds the leading widget, when there is one (the
// month menu), then the first rows; the second line holds the last two
// rows, each below the place above it.
#pragma once

#include "dialogs/kit/number_field.h"

#include <X11/Intrinsic.h>

constexpr int kMostDateRows = 5;

struct DateRows {
    Widget form = nullptr;               // FormDateTime
    NumberField fields[kMostDateRows];   // in row order
    int count = 0;
};

// Creates FormDateTime in parent; the caller may put a leading widget in it
// before adding the rows.
Widget CreateDateTimeForm(Widget parent);

// A form that stands first in the first line: top and left of FormDateTime
// (its resource lines).
// Given:    name  its widget name ("FormMonth")
Widget CreateLeadingForm(Widget dateTimeForm, const char* name);

// Adds the rows to FormDateTime and places them.
// Given:    fieldRows, count  one per row, in row order (4 with a leading
//                             widget, 5 without); they live for the run
//           lead              the leading widget, or null
//           arrowCallback     what each arrow press calls, with the row's
//                             field as client data
// Returned: rows              the form and the fields (rows must stay where
//                             it is for the run: the arrows point at its
//                             fields)
void AddDateRows(Widget dateTimeForm, const FieldRow* fieldRows, int count, Widget lead,
                 DateRows& rows, XtCallbackProc arrowCallback = NumberArrowCallback);

// Sets every row sensitive or not.
void SetDateRowsSensitive(const DateRows& rows, bool sensitive);
