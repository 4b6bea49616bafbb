#include "dialogs/kit/file_box_directory.h"

#include "core/app_env.h"
#include "core/user_directory.h"

#include <sys/stat.h>

#include <cerrno>

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
