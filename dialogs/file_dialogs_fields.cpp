#include "dialogs/file_dialogs_fields.h"

#include "core/app_env.h"
#include "core/user_directory.h"
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

std::string RememberedDirectory(const std::string& chosen, const std::string& previous)
{
    const size_t slash = chosen.rfind('/');
    if (slash == std::string::npos) {
        return previous;
    }
    if (slash + 1 == chosen.size()) {
        return chosen;
    }
    // A file in the root directory leaves the root, not an empty path.
    return slash == 0 ? "/" : chosen.substr(0, slash);
}

std::string DirectoryToOpen(const char* remembered)
{
    char expanded[kPathSize];
    if (ExpandTilde(remembered != nullptr ? remembered : "", expanded, sizeof expanded) == nullptr) {
        return remembered != nullptr ? remembered : "";
    }
    return expanded;
}
