// Fuzzes the SAO star file reader: the header check on the input as a
// whole file, then the records of a zone read from just after the magic
// until a short read ends it.
#include "sky/catalog/sao_star_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::tmpfile();
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::rewind(file);
    CheckSaoStarFile(file);
    std::fseek(file, kSaoMagicSize, SEEK_SET);
    SaoStarRecord star;
    while (ReadSaoStarRecord(file, star))
        if (star.colourClass < 0 || star.colourClass > 9)
            __builtin_trap();
    std::fclose(file);
    return 0;
}
