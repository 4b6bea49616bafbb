#include "dialogs/site_file.h"

#include "core/regular_file.h"
#include "core/replacement_file.h"
#include "sky/catalog/site_list.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

namespace {

// How long an edit waits for another instance's edit to finish.
constexpr std::chrono::seconds kLockWait{3};
constexpr useconds_t kLockRetryMicroseconds = 50000;
constexpr mode_t kNewFileMode = 0666;   // less the umask, as for any new file

// The advisory lock under which every instance checks and replaces a site
// file: "<file>.lock" beside it, locked with flock. The lock file stays:
// removing it would let two instances lock two different files.
struct SiteFileLock {
    int fd = -1;
    bool held = false;
    ~SiteFileLock()
    {
        if (fd >= 0) {
            close(fd);
        }
    }
};

void LockSiteFile(const char* path, SiteFileLock& lock)
{
    const std::string name = std::string(path) + ".lock";
    lock.fd = open(name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kNewFileMode);
    if (lock.fd < 0) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (flock(lock.fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() > deadline) {
            return;
        }
        usleep(kLockRetryMicroseconds);
    }
    lock.held = true;
}

bool ValidIndex(const std::vector<std::string>& lines, int index)
{
    return index >= 0 && static_cast<size_t>(index) < lines.size();
}

// The lines after the change, or false for an index that names no line.
bool ApplyChange(std::vector<std::string>& lines, const SiteFileChange& change)
{
    switch (change.kind) {
    case kSiteLineInsert: lines.insert(lines.begin(), change.line); return true;
    case kSiteLineReplace:
        if (!ValidIndex(lines, change.index)) {
            return false;
        }
        lines[static_cast<size_t>(change.index)] = change.line;
        return true;
    case kSiteLineDelete:
        if (!ValidIndex(lines, change.index)) {
            return false;
        }
        lines.erase(lines.begin() + change.index);
        return true;
    }
    return false;
}

int Refuse(SiteFileError& error, const char* key, const std::string& argument)
{
    error.key = key;
    error.argument = argument;
    return 0;
}

}  // namespace

int ReadSiteFileLines(const char* path, std::vector<std::string>& lines)
{
    const UniqueFile stream = OpenRegularFile(path);
    if (!stream) {
        return 0;
    }
    std::vector<std::string> read;
    std::string line;
    while (ReadWholeLine(stream.get(), line)) {
        read.push_back(line);
    }
    if (std::ferror(stream.get()) != 0) {
        return 0;
    }
    lines.swap(read);
    return 1;
}

std::string SiteLineName(const std::string& line)
{
    std::string name = line.substr(0, line.find_first_of("\r\n"));
    name.resize(std::min(name.size(), static_cast<size_t>(kSiteNameWidth)));
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

std::vector<std::string> SiteLineNames(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    names.reserve(lines.size());
    for (const std::string& line : lines) {
        names.push_back(SiteLineName(line));
    }
    return names;
}

int ChangeSiteFile(const char* path, std::vector<std::string>& shown,
                   const SiteFileChange& change, SiteFileError& error)
{
    SiteFileLock lock;
    LockSiteFile(path, lock);
    if (!lock.held) {
        return Refuse(error, lock.fd < 0 ? "messageCannotCreateFile" : "messageSiteFileBusy", path);
    }
    std::vector<std::string> lines;
    if (ReadSiteFileLines(path, lines) == 0) {
        return Refuse(error, "messageCannotOpenFile", path);
    }
    // The dialog's line numbers mean something only while the file is the
    // one it shows; an addition goes first whatever the file holds, so that
    // two instances adding sites at once both land.
    if ((lines != shown && change.kind != kSiteLineInsert) || !ApplyChange(lines, change)) {
        return Refuse(error, "messageSiteFileChanged", "");
    }
    ReplacementFile file;
    if (OpenReplacement(file, path) == 0) {
        return Refuse(error, "messageCannotCreateFile", path);
    }
    for (const std::string& line : lines) {
        WriteReplacement(file, line.data(), line.size());
    }
    if (CommitReplacement(file) == 0) {
        return Refuse(error, "messageCannotWriteFile", path);
    }
    shown.swap(lines);
    return 1;
}
