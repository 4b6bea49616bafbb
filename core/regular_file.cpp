#include "core/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kSkipBlockSize = size_t{1} << 20;

// Passes over the rest of a line in a file, its line feed included: the
// file is read directly, a large block at a time from where the stream
// stands, and searched with memchr; the holes of a sparse file are stepped
// over, since they read as NUL bytes and hold no line feed (reading a hole
// costs as much as reading data). The stream then goes on after the line.
// Returned: the bytes passed
size_t SkipRestOfFileLine(FILE* stream, int fd)
{
    const off_t start = ftello(stream);
    if (start < 0) {
        return 0;
    }
    std::unique_ptr<char[]> block(new char[kSkipBlockSize]);
    off_t at = start;
    for (;;) {
        off_t data = lseek(fd, at, SEEK_DATA);
        struct stat info;
        if (data < 0 && errno == ENXIO && fstat(fd, &info) == 0) {
            // No data after `at`: the rest of the file is a hole.
            at = std::max(at, info.st_size);
            break;
        }
        if (data < 0) {
            data = at;
        }
        const ssize_t got = pread(fd, block.get(), kSkipBlockSize, data);
        if (got <= 0) {
            at = data;
            break;
        }
        const void* feed = std::memchr(block.get(), '\n', static_cast<size_t>(got));
        if (feed != nullptr) {
            at = data + (static_cast<const char*>(feed) - block.get()) + 1;
            break;
        }
        at = data + got;
    }
    fseeko(stream, at, SEEK_SET);
    return static_cast<size_t>(at - start);
}

// The same in a stream over bytes in memory, which has no descriptor:
// fgets finds the line feed at memchr's speed, and the stream position
// tells how far each call got, since a NUL byte would cut strlen short.
size_t SkipRestOfStreamLine(FILE* stream)
{
    std::unique_ptr<char[]> block(new char[kSkipBlockSize]);
    size_t skipped = 0;
    off_t before = ftello(stream);
    while (before >= 0 && std::fgets(block.get(), kSkipBlockSize, stream) != nullptr) {
        const off_t after = ftello(stream);
        if (after <= before) {
            break;
        }
        const size_t got = static_cast<size_t>(after - before);
        skipped += got;
        before = after;
        if (block[got - 1] == '\n') {
            break;
        }
    }
    return skipped;
}

size_t SkipRestOfLine(FILE* stream)
{
    const int fd = fileno(stream);
    return fd >= 0 ? SkipRestOfFileLine(stream, fd) : SkipRestOfStreamLine(stream);
}

}  // namespace

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

bool ReadBoundedLine(FILE* stream, size_t bound, BoundedLine& line)
{
    line.text.clear();
    int c = 0;
    while (line.text.size() < bound && (c = getc_unlocked(stream)) != EOF) {
        line.text.push_back(static_cast<char>(c));
        if (c == '\n') {
            break;
        }
    }
    line.length = line.text.size();
    if (line.length == bound && bound > 0 && line.text.back() != '\n') {
        line.length += SkipRestOfLine(stream);
    }
    return line.length > 0;
}
