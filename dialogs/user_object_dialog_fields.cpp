#include "dialogs/user_object_dialog_fields.h"

#include "dialogs/kit/command_text.h"

#include <algorithm>

namespace {

void AddLoad(CommandText& command, const std::string& path)
{
    AddText(command, "LOAD AD \"%s\"", CheckedName(command, "LOAD", path.c_str()));
}

}  // namespace

std::string UserObjectItem(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

UserObjectAddResult AddUserObjectPath(std::vector<std::string>& paths, const std::string& path,
                                      bool readable, CommandText& refusal)
{
    if (std::find(paths.begin(), paths.end(), path) != paths.end()) {
        return kUserObjectListed;
    }
    if (!readable) {
        return kUserObjectUnreadable;
    }
    AddLoad(refusal, path);
    if (IsCommandRefused(refusal) != 0) {
        return kUserObjectBadName;
    }
    paths.push_back(path);
    return kUserObjectAdded;
}

int DeleteUserObjectPath(std::vector<std::string>& paths, int position)
{
    const int index = position - 1;
    if (index < 0 || index >= static_cast<int>(paths.size())) {
        return -1;
    }
    paths.erase(paths.begin() + index);
    const int count = static_cast<int>(paths.size());
    return index < count ? index + 1 : count;
}

void ComposeUserObjectCommands(const std::vector<std::string>& paths, CommandText& command)
{
    AddText(command, "UNLOAD AD");
    for (const std::string& path : paths) {
        AddLoad(command, path);
    }
    AddText(command, "DRIVE");
}
