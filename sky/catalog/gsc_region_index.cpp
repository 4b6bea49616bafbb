// Loading the Guide Star Catalog region index.
#include "sky/catalog/gsc_region_index.h"

#include "core/app_env.h"
#include "core/regular_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

int32_t ReadLittleInt(const unsigned char* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

int LoadGscRegionIndex()
{
    UniqueFile file = OpenRegularFile(gAppEnv->gscIndexFile);
    struct stat status;
    if (!file || fstat(fileno(file.get()), &status) != 0 || status.st_size != kGscIndexFileSize)
        return 0;
    void* data = std::malloc(kGscIndexFileSize);
    if (data == nullptr)
        return 0;
    if (std::fread(data, 1, kGscIndexFileSize, file.get()) != static_cast<size_t>(kGscIndexFileSize)) {
        std::free(data);
        return 0;
    }
    std::free(gAppEnv->gscRegionIndex);
    gAppEnv->gscRegionIndex = data;
    return 1;
}

void GetGscRegionCorners(const void* index, int32_t region, FixedVector (&corners)[4])
{
    const auto* record = static_cast<const unsigned char*>(index) + (region - 1) * kGscIndexRecordSize;
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < 3; ++i)
            corners[c][i] = ReadLittleInt(record + 12 * c + 4 * i);
}
