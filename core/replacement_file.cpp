#include "core/replacement_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kTemporaryMark[] = ".$NEW$";
constexpr size_t kMarkLength = sizeof kTemporaryMark - 1;
constexpr char kUniqueLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kUniqueLength = 6;
constexpr int kCreateAttempts = 100;
constexpr mode_t kNewFileMode = 0666;   // less the umask, as for any new file
constexpr mode_t kModeBits = 07777;

std::string DirectoryOf(const std::string& target)
{
    const size_t slash = target.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : target.substr(0, slash);
}

std::string BaseOf(const std::string& target)
{
    const size_t slash = target.rfind('/');
    return slash == std::string::npos ? target : target.substr(slash + 1);
}

// The longest name the directory's file system takes.
size_t NameLimit(const std::string& directory)
{
    const long limit = pathconf(directory.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<size_t>(limit) : NAME_MAX;
}

// Six letters from the kernel's random source, as mkstemp makes them.
// Returned: false when the source gave nothing
bool UniqueLetters(std::string& letters)
{
    unsigned char random[kUniqueLength];
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        return false;
    }
    letters.clear();
    for (unsigned char r : random) {
        letters += kUniqueLetters[r % (sizeof kUniqueLetters - 1)];
    }
    return true;
}

bool IsUniqueLetter(char c)
{
    return c != '\0' && std::strchr(kUniqueLetters, c) != nullptr;
}

// Whether a name in the target's directory is one of its temporaries.
bool IsTemporaryName(const char* name, const std::string& prefix)
{
    const size_t length = std::strlen(name);
    if (length != prefix.size() + kUniqueLength || prefix.compare(0, prefix.size(), name, prefix.size()) != 0) {
        return false;
    }
    for (size_t i = prefix.size(); i < length; ++i) {
        if (!IsUniqueLetter(name[i])) {
            return false;
        }
    }
    return true;
}

// Removes a temporary whose writer is gone. A writer holds a lock on its
// temporary from its creation to the rename, and the kernel drops the lock
// when the writer dies, so a temporary that can be locked is stale. Only
// regular files of this user are touched, and no link is followed.
void RemoveIfStale(int directory, const char* name)
{
    const int fd = openat(directory, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
        flock(fd, LOCK_EX | LOCK_NB) == 0) {
        unlinkat(directory, name, 0);
    }
    close(fd);
}

void RemoveStaleTemporaries(const std::string& directory, const std::string& prefix)
{
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        if (IsTemporaryName(entry->d_name, prefix)) {
            RemoveIfStale(dirfd(dir), entry->d_name);
        }
    }
    closedir(dir);
}

// A descriptor for a fresh temporary file under a unique name: never an
// existing file, never through a link, locked for as long as it is open.
// It is open for reading too, since a database built in it reads back what
// it wrote.
int CreateTemporary(const std::string& start, const std::string& target, std::string& temporary)
{
    struct stat old;
    const bool targetExists = stat(target.c_str(), &old) == 0;
    std::string letters;
    for (int attempt = 0; attempt < kCreateAttempts && UniqueLetters(letters); ++attempt) {
        temporary = start + letters;
        const int fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            targetExists ? S_IRUSR | S_IWUSR : kNewFileMode);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return -1;
        }
        // Another writer's sweep may have taken the fresh file for a stale
        // one before the lock was had: then it is gone, and another is made.
        struct stat made;
        flock(fd, LOCK_EX);
        if (fstat(fd, &made) != 0 || made.st_nlink == 0) {
            close(fd);
            continue;
        }
        if (targetExists && fchmod(fd, old.st_mode & kModeBits) != 0) {
            close(fd);
            unlink(temporary.c_str());
            return -1;
        }
        return fd;
    }
    return -1;
}

// The start of the name of every temporary of a target: its name, cut to
// leave room within the file system's limit, and the mark.
std::string TemporaryPrefix(const std::string& target)
{
    const size_t limit = NameLimit(DirectoryOf(target));
    const size_t room = limit > kMarkLength + kUniqueLength ? limit - kMarkLength - kUniqueLength : 0;
    return BaseOf(target).substr(0, room) + kTemporaryMark;
}

}  // namespace

ReplacementFile::~ReplacementFile()
{
    AbandonReplacement(*this);
}

int OpenReplacement(ReplacementFile& file, const char* target)
{
    AbandonReplacement(file);
    file.target = target;
    file.writeFailed = false;
    const std::string directory = DirectoryOf(file.target);
    const std::string prefix = TemporaryPrefix(file.target);
    RemoveStaleTemporaries(directory, prefix);
    const int fd = CreateTemporary(directory + "/" + prefix, file.target, file.temporary);
    if (fd < 0) {
        return 0;
    }
    file.stream = fdopen(fd, "w");
    if (file.stream == nullptr) {
        close(fd);
        unlink(file.temporary.c_str());
        return 0;
    }
    return 1;
}

int WriteReplacement(ReplacementFile& file, const void* data, size_t length)
{
    if (file.stream == nullptr || file.writeFailed) {
        return 0;
    }
    if (length > 0 && std::fwrite(data, 1, length, file.stream) != length) {
        file.writeFailed = true;
        return 0;
    }
    return 1;
}

int WriteReplacementText(ReplacementFile& file, const char* text)
{
    return WriteReplacement(file, text, std::strlen(text));
}

int CommitReplacement(ReplacementFile& file)
{
    if (file.stream == nullptr) {
        return 0;
    }
    // The data must be on disk before the rename makes it the only copy, and
    // the file stays open (so locked) until it has its new name; closing it
    // then can lose nothing that the sync put on disk.
    const bool ok = !file.writeFailed && std::fflush(file.stream) == 0 && fsync(fileno(file.stream)) == 0 &&
                    std::rename(file.temporary.c_str(), file.target.c_str()) == 0;
    if (!ok) {
        unlink(file.temporary.c_str());
    }
    std::fclose(file.stream);
    file.stream = nullptr;
    return ok ? 1 : 0;
}

void AbandonReplacement(ReplacementFile& file)
{
    if (file.stream == nullptr) {
        return;
    }
    unlink(file.temporary.c_str());
    std::fclose(file.stream);
    file.stream = nullptr;
}
