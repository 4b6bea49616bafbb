#include "core/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

int ReadCheckedInteger(const char* text, int32_t minimum, int32_t maximum, int32_t& value)
{
    if (text == nullptr) {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || number < minimum || number > maximum) {
        return 0;
    }
    value = static_cast<int32_t>(number);
    return 1;
}

int ReadCheckedReal(const char* text, double minimum, double maximum, double& value)
{
    if (text == nullptr) {
        return 0;
    }
    char* end = nullptr;
    const double number = std::strtod(text, &end);
    if (end == text || !std::isfinite(number) || number < minimum || number > maximum) {
        return 0;
    }
    value = number;
    return 1;
}
