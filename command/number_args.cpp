#include "command/number_args.h"

#include "command/interpreter.h"
#include "core/number_text.h"

int StkIntegerArgument(const char* text, int32_t minimum, int32_t maximum, int32_t& value)
{
    if (ReadCheckedInteger(text, minimum, maximum, value) == 0) {
        StkSetError("stkErrorIllegalParam", text);
        return 0;
    }
    return 1;
}

int StkRealArgument(const char* text, double minimum, double maximum, double& value)
{
    if (ReadCheckedReal(text, minimum, maximum, value) == 0) {
        StkSetError("stkErrorIllegalParam", text);
        return 0;
    }
    return 1;
}
