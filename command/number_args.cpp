#include "command/number_args.h"

#include "command/interpreter.h"

#include <cmath>
#include <cstdlib>

int StkIntegerArgument(const char* text, int32_t& value)
{
    if (text == nullptr) {
        return 1;
    }
    // strtol gives a long (64 bits here) and saturates beyond it, so every
    // number outside int32 shows as one.
    const long number = std::strtol(text, nullptr, 10);
    if (number < INT32_MIN || number > INT32_MAX) {
        StkSetError("stkErrorIllegalParam", text);
        return 0;
    }
    value = static_cast<int32_t>(number);
    return 1;
}

int StkRealArgument(const char* text, double& value)
{
    if (text == nullptr) {
        return 1;
    }
    const double number = std::strtod(text, nullptr);
    if (!std::isfinite(number)) {
        StkSetError("stkErrorIllegalParam", text);
        return 0;
    }
    value = number;
    return 1;
}
