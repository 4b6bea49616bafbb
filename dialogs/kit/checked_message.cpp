#include "dialogs/kit/checked_message.h"

#include "core/format_check.h"
#include "core/message_box.h"
#include "core/messages.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

constexpr size_t kMessageSize = 512;

std::string FormatChecked(const char* key, const char* defaultFormat, va_list args)
{
    char format[kMessageSize];
    GetMessage(key, format, sizeof format);
    const char* use = FormatMatchesDefault(format, defaultFormat) != 0 ? format : defaultFormat;
    char text[kMessageSize];
    // The format was checked above against the default the caller's
    // arguments were checked against.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(text, sizeof text, use, args);
#pragma GCC diagnostic pop
    return text;
}

}  // namespace

void ShowCheckedWarning(Widget parent, const char* key, const char* defaultFormat, ...)
{
    va_list args;
    va_start(args, defaultFormat);
    const std::string text = FormatChecked(key, defaultFormat, args);
    va_end(args);
    ShowMessageBox(parent, text.c_str(), kMessageBoxWarning);
}
