// The numbers of dialog fields as text: the checked reading at OK, and the
// step of an arrow button. Plain functions; the widgets are in
// dialogs/kit/number_field.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A number field: its widget names and what its arrows do.
struct FieldRow {
    const char* word;          // "MagLimit": LabelMagLimit, EditMagLimit,
                               // ArrowMagLimitUp, ArrowMagLimitDown
    double minimum, maximum;   // the arrows stop here
    double step;               // what one arrow press adds or takes away
    int decimals;              // digits written after the point (0: integer)
};

// A field's text read as a decimal integer. Blanks around the number are
// allowed; anything else is refused: an empty text, other characters
// ("12x", "1.5", "0x10"), a value outside the range.
// Given:    text              the field's text (null: refused)
//           minimum, maximum  accepted range, both included
// Returned: value             the number (unchanged when refused)
//           1 when accepted, else 0
int ReadIntegerText(const char* text, int32_t minimum, int32_t maximum, int32_t& value);

// A field's text read as a decimal number with an optional point and
// exponent; refused as ReadIntegerText refuses, and so are NaN, infinities,
// hexadecimal numbers and values too large for a double.
int ReadRealText(const char* text, double minimum, double maximum, double& value);

// A value written as the field shows it: rounded to the row's decimals.
std::string FormatNumberText(const FieldRow& row, double value);

// One press of an arrow button: the field's number, one step up or down,
// kept within the row's limits.
// Given:    number     the field's number (GetTextFieldInt for a row of no
//                      decimals, else GetTextFieldDouble)
//           direction  +1 up, -1 down
// Returned: the new text of the field
std::string StepNumberText(const FieldRow& row, double number, int direction);
