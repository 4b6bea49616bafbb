#include "command/number_args.h"

#include "command/interpreter.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

int Refuse(const char* text)
{
    StkSetError("stkErrorIllegalParam", text);
    return 0;
}

}  // namespace

int StkIntegerArgument(const char* text, int32_t minimum, int32_t maximum, int32_t& value)
{
    if (text == nullptr) {
        return Refuse(text);
    }
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || number < minimum || number > maximum) {
        return Refuse(text);
    }
    value = static_cast<int32_t>(number);
    return 1;
}

int StkRealArgument(const char* text, double minimum, double maximum, double& value)
{
    if (text == nullptr) {
        return Refuse(text);
    }
    char* end = nullptr;
    const double number = std::strtod(text, &end);
    if (end == text || !std::isfinite(number) || number < minimum || number > maximum) {
        return Refuse(text);
    }
    value = number;
    return 1;
}
