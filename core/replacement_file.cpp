#include "core/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kTemporarySuffix[] = ".$NEW$";
constexpr mode_t kNewFileMode = 0666;   // less the umask, as for any new file
constexpr mode_t kModeBits = 07777;

// A descriptor for a fresh temporary file: never an existing file, never
// through a link.
int CreateTemporary(const std::string& temporary, const std::string& target)
{
    if (unlink(temporary.c_str()) != 0 && errno != ENOENT) {
        return -1;
    }
    struct stat old;
    const bool targetExists = stat(target.c_str(), &old) == 0;
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        targetExists ? S_IRUSR | S_IWUSR : kNewFileMode);
    if (fd < 0) {
        return -1;
    }
    if (targetExists && fchmod(fd, old.st_mode & kModeBits) != 0) {
        close(fd);
        unlink(temporary.c_str());
        return -1;
    }
    return fd;
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
    file.temporary = file.target + kTemporarySuffix;
    file.writeFailed = false;
    const int fd = CreateTemporary(file.temporary, file.target);
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
    // The data must be on disk before the rename makes it the only copy.
    bool ok = !file.writeFailed && std::fflush(file.stream) == 0 && fsync(fileno(file.stream)) == 0;
    ok = std::fclose(file.stream) == 0 && ok;
    file.stream = nullptr;
    ok = ok && std::rename(file.temporary.c_str(), file.target.c_str()) == 0;
    if (!ok) {
        std::remove(file.temporary.c_str());
    }
    return ok ? 1 : 0;
}

void AbandonReplacement(ReplacementFile& file)
{
    if (file.stream == nullptr) {
        return;
    }
    std::fclose(file.stream);
    file.stream = nullptr;
    std::remove(file.temporary.c_str());
}
