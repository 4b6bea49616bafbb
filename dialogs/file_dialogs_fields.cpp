#include "dialogs/file_dialogs_fields.h"

#include "core/app_env.h"
#include "dialogs/kit/command_text.h"

#include <cstring>

namespace {

constexpr char kIllegalParam[] = "stkErrorIllegalParam";

}  // namespace

void ComposeOpenScript(const char* name, CommandText& command)
{
    AddText(command, "STL \"%s\"", CheckedName(command, "STL", name));
}

void ComposeSaveImage(const char* name, CommandText& command)
{
    AddText(command, "GSAVE \"%s\"", CheckedName(command, "GSAVE", name));
}

int CheckSaveName(const char* name, CommandText& command)
{
    if (name != nullptr && std::strpbrk(name, "\r\n") == nullptr &&
        std::strlen(name) < static_cast<size_t>(kPathSize)) {
        return 1;
    }
    command.errorKey = kIllegalParam;
    command.errorWord = "SAVEFILE";
    command.errorParam = name != nullptr ? name : "";
    return 0;
}
