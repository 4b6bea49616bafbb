#include "core/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kSkipBlockSize = 65536;

// Passes over the rest of a line, its line feed included, a block at a
// time. fgets finds the line feed at memchr's speed; how far each call got
// comes from the stream position, since a NUL byte would cut strlen short.
// Returned: the bytes passed
size_t SkipRestOfLine(FILE* stream)
{
    std::unique_ptr<char[]> block(new char[kSkipBlockSize]);
    size_t skipped = 0;
    long before = std::ftell(stream);
    while (before >= 0 && std::fgets(block.get(), kSkipBlockSize, stream) != nullptr) {
        const long after = std::ftell(stream);
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
