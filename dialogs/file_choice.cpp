#include "dialogs/file_choice.h"

#include "core/app_env.h"
#include "core/user_directory.h"
#include "dialogs/command_text.h"

#include <sys/stat.h>

#include <cerrno>
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

int MakeDirectoryPath(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0755);
    }
    if (!path.empty() && mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        return 0;
    }
    struct stat status {};
    return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) ? 1 : 0;
}
