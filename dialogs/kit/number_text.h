// The numbers of dialog fields as text: how a field shows its number, and
// the step of an arrow button. Plain functions; the widgets are in
// dialogs/kit/number_field.h.
#pragma once

#include <string>

// A number field: its widget names and what its arrows do.
struct FieldRow {
    const char* word;          // "MagLimit": LabelMagLimit, EditMagLimit,
                               // ArrowMagLimitUp, ArrowMagLimitDown
    double minimum, maximum;   // the arrows stop here
    double step;               // what one arrow press adds or takes away
    int decimals;              // digits written after the point (0: integer)
};

// A value written as the field shows it: rounded to the row's decimals.
std::string FormatNumberText(const FieldRow& row, double value);

// One press of an arrow button: the field's number, one step up or down,
// kept within the row's limits.
// Given:    number     the field's number (GetTextFieldInt for a row of no
//                      decimals, else GetTextFieldDouble)
//           direction  +1 up, -1 down
// Returned: the new text of the field
std::string StepNumberText(const FieldRow& row, double number, int direction);
