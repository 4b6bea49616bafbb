// Reading a Guide Star Catalog region file: a FITS ASCII table whose rows
// start after three 2880-byte header blocks and run to the end of the file,
// 45 bytes each, in no particular order.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr long kGscTableStart = 8640;
constexpr int32_t kGscRowSize = 45;
constexpr int32_t kGscRowsPerRead = 20;

struct GscStar {
    double ra, dec;      // J2000, degrees
    int32_t mag10;       // magnitude x 10
};

// Moves an open region file to its first row.
// Returned: 0 when the file is shorter than its headers or cannot seek
int SeekGscTable(FILE* file);

// Reads up to kGscRowsPerRead rows into `rows`; a partial row at the end of
// the file is left out.
// Returned: the number of whole rows read, 0 at the end
int ReadGscRows(FILE* file, char (&rows)[kGscRowsPerRead * kGscRowSize]);

// Parses one row: RA from bytes 5-13, Dec from 14-22 (a field without a
// number reads as 0), and the magnitude from bytes 28-31, two digits, a
// point, a digit, read without the point as magnitude x 10 (" 9.5" is 95;
// a blank one reads as 0).
// Returned: star  its place and magnitude
//           0 for a row to skip: a blank first byte (the table's blank fill)
int ParseGscRow(const char* row, GscStar& star);
