#include "dialogs/kit/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string FormatNumberText(const FieldRow& row, double value)
{
    char text[64];
    if (row.decimals <= 0) {
        std::snprintf(text, sizeof text, "%lld", std::llround(value));
    } else {
        std::snprintf(text, sizeof text, "%.*f", row.decimals, value);
    }
    return text;
}

std::string StepNumberText(const FieldRow& row, double number, int direction)
{
    number = std::clamp(number + direction * row.step, row.minimum, row.maximum);
    return FormatNumberText(row, number);
}
