#include "dialogs/kit/number_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* SkipBlanks(const char* text)
{
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    return text;
}

// Only blanks may follow the number.
bool OnlyBlanksFrom(const char* rest)
{
    return *SkipBlanks(rest) == '\0';
}

// strtod also reads "nan", "inf" and hexadecimal numbers; a field takes
// none of them.
bool LooksDecimal(const char* text)
{
    return std::strpbrk(text, "xXnNiI") == nullptr;
}

}  // namespace

int ReadIntegerText(const char* text, int32_t minimum, int32_t maximum, int32_t& value)
{
    if (text == nullptr) {
        return 0;
    }
    const char* start = SkipBlanks(text);
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(start, &end, 10);
    if (end == start || !OnlyBlanksFrom(end) || errno == ERANGE || number < minimum ||
        number > maximum) {
        return 0;
    }
    value = static_cast<int32_t>(number);
    return 1;
}

int ReadRealText(const char* text, double minimum, double maximum, double& value)
{
    if (text == nullptr || !LooksDecimal(text)) {
        return 0;
    }
    const char* start = SkipBlanks(text);
    char* end = nullptr;
    const double number = std::strtod(start, &end);
    if (end == start || !OnlyBlanksFrom(end) || !std::isfinite(number) || number < minimum ||
        number > maximum) {
        return 0;
    }
    value = number;
    return 1;
}

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
