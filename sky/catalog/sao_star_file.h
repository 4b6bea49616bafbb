// The SAO star file: a 16-byte magic, then 12-byte star records zone after
// zone, each zone brightest first. The zones' byte ranges and sky circles
// are built in, so that a layer reads only the zones near its view and,
// within a zone, only the stars down to its limit.
#pragma once

#include "data/fixed_types.h"

#include <array>
#include <cstdint>
#include <cstdio>

constexpr int32_t kSaoZoneCount = 54;
constexpr int32_t kSaoRecordSize = 12;
constexpr long kSaoFileSize = 3089740;
constexpr char kSaoMagic[] = "UVOLA  30 SAO 10";   // 16 bytes, no NUL in the file
constexpr int32_t kSaoMagicSize = 16;

struct SaoZone {
    uint32_t offset;     // file offset of the zone's first record
    double ra, dec;      // zone centre, J2000, degrees
    double radius;       // degrees
};

// The 54 zones, then one more entry whose offset is the end of the file.
extern const std::array<SaoZone, kSaoZoneCount + 1> SaoZoneTable;

struct SaoStarRecord {
    FixedVector v;           // J2000 unit vector, Q14
    int32_t colourClass;     // 0..9
    int32_t mag10;           // magnitude x 10
    uint32_t number;         // catalogue number
};

// Number of records of zone z.
int32_t SaoZoneRecordCount(int32_t z);

// Checks that an open file is an SAO star file: the exact magic, and the
// exact size, so that a file cut short or grown is refused before any zone
// offset points into nothing.
// Given:    file  open for reading, at its start
// Returned: 1 when the magic and size are right (the file is then at the
//           first record), else 0
int CheckSaoStarFile(FILE* file);

// Reads the next star record. A colour class above 9 (bits the writer
// never sets) reads as 9.
// Returned: star  the record
//           1 when a whole record was read; 0 at a short read, which ends
//           the zone
int ReadSaoStarRecord(FILE* file, SaoStarRecord& star);
