// The SAO star file's zone table and its record reader.
#include "sky/catalog/sao_star_file.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

const std::array<SaoZone, kSaoZoneCount + 1> SaoZoneTable = {{
    {16, 0.0, 90.0, 16.0},
    {81976, 22.5, 58.0, 22.0},    {153784, 67.5, 58.0, 22.0},   {204064, 112.5, 58.0, 22.0},
    {250072, 157.5, 58.0, 22.0},  {286516, 202.5, 58.0, 22.0},  {322084, 247.5, 58.0, 22.0},
    {366388, 292.5, 58.0, 22.0},  {432328, 337.5, 58.0, 22.0},
    {513688, 15.0, 28.0, 22.0},   {567028, 45.0, 28.0, 22.0},   {618424, 75.0, 28.0, 22.0},
    {675700, 105.0, 28.0, 22.0},  {743464, 135.0, 28.0, 22.0},  {789040, 165.0, 28.0, 22.0},
    {823336, 195.0, 28.0, 22.0},  {859108, 225.0, 28.0, 22.0},  {897568, 255.0, 28.0, 22.0},
    {949804, 285.0, 28.0, 22.0},  {1037440, 315.0, 28.0, 22.0}, {1122664, 345.0, 28.0, 22.0},
    {1180972, 0.0, 0.0, 24.0},    {1225888, 30.0, 0.0, 24.0},   {1271596, 60.0, 0.0, 24.0},
    {1322812, 90.0, 0.0, 24.0},   {1412992, 120.0, 0.0, 24.0},  {1506436, 150.0, 0.0, 24.0},
    {1557988, 180.0, 0.0, 24.0},  {1600720, 210.0, 0.0, 24.0},  {1644028, 240.0, 0.0, 24.0},
    {1691104, 270.0, 0.0, 24.0},  {1759444, 300.0, 0.0, 24.0},  {1844464, 330.0, 0.0, 24.0},
    {1900792, 15.0, -28.0, 22.0}, {1943332, 45.0, -28.0, 22.0}, {1988500, 75.0, -28.0, 22.0},
    {2049268, 105.0, -28.0, 22.0}, {2145844, 135.0, -28.0, 22.0}, {2238664, 165.0, -28.0, 22.0},
    {2304400, 195.0, -28.0, 22.0}, {2365156, 225.0, -28.0, 22.0}, {2431108, 255.0, -28.0, 22.0},
    {2505568, 285.0, -28.0, 22.0}, {2584096, 315.0, -28.0, 22.0}, {2642896, 345.0, -28.0, 22.0},
    {2689876, 22.5, -58.0, 22.0},  {2717416, 67.5, -58.0, 22.0},  {2749948, 112.5, -58.0, 22.0},
    {2803912, 157.5, -58.0, 22.0}, {2869204, 202.5, -58.0, 22.0}, {2929144, 247.5, -58.0, 22.0},
    {2996884, 292.5, -58.0, 22.0}, {3037960, 337.5, -58.0, 22.0},
    {3070252, 0.0, -90.0, 16.0},
    {3089740, 0.0, 0.0, 0.0},
}};

int32_t SaoZoneRecordCount(int32_t z)
{
    return static_cast<int32_t>((SaoZoneTable[z + 1].offset - SaoZoneTable[z].offset) / kSaoRecordSize);
}

int CheckSaoStarFile(FILE* file)
{
    char magic[kSaoMagicSize];
    if (std::fread(magic, 1, sizeof magic, file) != sizeof magic || std::memcmp(magic, kSaoMagic, sizeof magic) != 0)
        return 0;
    struct stat status;
    return fstat(fileno(file), &status) == 0 && status.st_size == kSaoFileSize;
}

int ReadSaoStarRecord(FILE* file, SaoStarRecord& star)
{
    // One unlocked read a record: the whole sky is a quarter of a million
    // of them, and the stream's lock would cost more than the record.
    unsigned char record[kSaoRecordSize];
    if (fread_unlocked(record, 1, sizeof record, file) != sizeof record)
        return 0;
    for (int i = 0; i < 3; ++i)
        star.v[i] = static_cast<int16_t>(record[2 * i] | record[2 * i + 1] << 8);
    star.colourClass = std::min(record[6] >> 4, 9);
    star.mag10 = record[7] - 20;
    star.number = static_cast<uint32_t>(record[8]) | static_cast<uint32_t>(record[9]) << 8 |
                  static_cast<uint32_t>(record[10]) << 16 | static_cast<uint32_t>(record[11]) << 24;
    return 1;
}
