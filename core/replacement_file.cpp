#include "core/replacement_file.h"

#include <unistd.h>
#include <cstdio>
#include <cstring>

namespace {
constexpr char kTemporarySuffix[] = ".$NEW$";
}

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
    file.stream = std::fopen(file.temporary.c_str(), "w");
    return file.stream != nullptr;
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
