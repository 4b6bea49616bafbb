#include "dialogs/kit/file_box_directory.h"

#include "core/app_env.h"
#include "core/user_directory.h"

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
