#include "core/user_directory.h"

#include "core/app_env.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// A user name after "~" is at most this long; a longer one matches no user.
constexpr size_t kMaxUserName = 255;

int CopyHome(const passwd* entry, char* out, size_t outSize)
{
    if (entry == nullptr || entry->pw_dir == nullptr)
        return 0;
    int length = std::snprintf(out, outSize, "%s", entry->pw_dir);
    return length >= 0 && static_cast<size_t>(length) < outSize;
}

// Home of the user named by the nameLength characters after "~" (none: the
// current user).
bool HomeOfTildeName(const char* name, size_t nameLength, char* home)
{
    if (nameLength == 0)
        return GetHomeDirectory(home, kPathSize, nullptr) != 0;
    char user[kMaxUserName + 1];
    std::memcpy(user, name, nameLength);
    user[nameLength] = '\0';
    return GetHomeDirectory(home, kPathSize, user) != 0;
}
}  // namespace

int GetHomeDirectory(char* out, size_t outSize, const char* userName)
{
    const passwd* entry = userName ? getpwnam(userName) : getpwuid(getuid());
    int found = CopyHome(entry, out, outSize);
    endpwent();
    if (!found && outSize > 0)
        out[0] = '\0';
    return found;
}

char* ExpandTilde(const char* path, char* out, size_t outSize)
{
    if (outSize == 0)
        return nullptr;
    out[0] = '\0';
    char home[kPathSize] = "";
    const char* rest = path;
    if (path[0] == '~') {
        const char* nameEnd = std::strchr(path + 1, '/');
        size_t nameLength = nameEnd ? static_cast<size_t>(nameEnd - path - 1) : std::strlen(path + 1);
        rest = path + 1 + nameLength;
        // A user nobody has names no place at all; its rest alone would be
        // a path from the root directory ("~nobody/x" would write "/x").
        if (nameLength > kMaxUserName || !HomeOfTildeName(path + 1, nameLength, home))
            return nullptr;
    }
    int length = std::snprintf(out, outSize, "%s%s", home, rest);
    if (length < 0 || static_cast<size_t>(length) >= outSize) {
        out[0] = '\0';
        return nullptr;
    }
    return out;
}

int MakeUserDirectory(char* userDirectory, char* startupScriptPath)
{
    userDirectory[0] = '\0';
    startupScriptPath[0] = '\0';
    char home[kPathSize];
    if (!GetHomeDirectory(home, sizeof home, nullptr))
        return 0;
    char directory[kPathSize];
    char script[kPathSize];
    int dirLength = std::snprintf(directory, sizeof directory, "%s/.uvola", home);
    int scriptLength = std::snprintf(script, sizeof script, "%s/.uvola/uvolarc", home);
    if (dirLength < 0 || dirLength >= kPathSize || scriptLength < 0 || scriptLength >= kPathSize)
        return 0;
    // An existing ".uvola" counts, even a plain file: later reads and writes
    // in it then simply fail, which the callers report.
    if (mkdir(directory, 0755) != 0 && errno != EEXIST)
        return 0;
    std::memcpy(userDirectory, directory, dirLength + 1);
    std::memcpy(startupScriptPath, script, scriptLength + 1);
    return 1;
}
