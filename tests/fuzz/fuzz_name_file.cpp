// Fuzzes the name-file reader: the input is a constellation or star name
// file, read into a table of as many rows as the constellations and then
// as the named stars, and the names freed again.
#include "core/app_env.h"
#include "fuzz_files.h"
#include "sky/catalog/name_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = FuzzDirectory() + "/names.dat";
    WriteFuzzInput(path, data, size);
    std::snprintf(gAppEnv->constDataFile, kPathSize, "%s", path.c_str());
    std::snprintf(gAppEnv->starNameDataFile, kPathSize, "%s", path.c_str());
    LoadConstellationNames();
    LoadStarNames();
    FreeConstellationNames();
    FreeStarNames();
    return 0;
}
