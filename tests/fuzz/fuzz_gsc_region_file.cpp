// Fuzzes the Guide Star Catalog region-file reader: the input as a whole
// region file (headers, then rows read 20 at a time), and the input's own
// bytes as rows, so that short inputs reach the row parser too.
#include "sky/catalog/gsc_region_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GscStar star;
    for (size_t at = 0; at + kGscRowSize <= size; at += kGscRowSize)
        ParseGscRow(reinterpret_cast<const char*>(data) + at, star);

    FILE* file = std::tmpfile();
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::rewind(file);
    if (SeekGscTable(file)) {
        char rows[kGscRowsPerRead * kGscRowSize];
        for (int count; (count = ReadGscRows(file, rows)) > 0;)
            for (int r = 0; r < count; ++r)
                ParseGscRow(rows + r * kGscRowSize, star);
    }
    std::fclose(file);
    return 0;
}
