#include "core/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

UniqueFile OpenRegularFile(const char* path)
{
    if (path == nullptr || path[0] == '\0') {
        return nullptr;
    }
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    // A regular file never blocks; the flag goes so that stdio sees a
    // plain descriptor.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* stream = fdopen(fd, "r");
    if (stream == nullptr) {
        close(fd);
    }
    return UniqueFile(stream);
}

int IsReadableRegularFile(const char* path)
{
    return OpenRegularFile(path) != nullptr ? 1 : 0;
}

bool ReadWholeLine(FILE* stream, std::string& line)
{
    char* buffer = nullptr;
    size_t capacity = 0;
    const ssize_t length = getline(&buffer, &capacity, stream);
    if (length > 0) {
        line.assign(buffer, static_cast<size_t>(length));
    } else {
        line.clear();
    }
    std::free(buffer);
    return length > 0;
}
