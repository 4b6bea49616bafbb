// The Guide Star Catalog region index: the program's own file of the four
// J2000 corners of each of the catalogue's 9537 small regions, read into
// memory once and kept for the run.
#pragma once

#include "data/fixed_types.h"

#include <cstdint>

constexpr int32_t kGscIndexRecordSize = 56;
constexpr long kGscIndexFileSize = 9537L * kGscIndexRecordSize;

// Reads the file named by gAppEnv->gscIndexFile into gAppEnv->gscRegionIndex.
// A file of any size but 9537 records is refused, so that every region
// number has its corners.
// Returned: 1 on success; 0 with nothing kept on any failure
int LoadGscRegionIndex();

// The corners of a small region from a loaded index; corners 0 and 2 are
// diagonally opposite.
// Given:    index   the loaded index (gAppEnv->gscRegionIndex)
//           region  small-region number 1..9537
// Returned: corners Q14 unit vectors
void GetGscRegionCorners(const void* index, int32_t region, FixedVector (&corners)[4]);
