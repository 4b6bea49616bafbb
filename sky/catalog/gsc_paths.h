// Where the Guide Star Catalog's files lie under its CD root. The CD is
// mounted with its names all upper case or all lower case; only the
// catalogue's part of a path changes case, never the root the user gave
// ("/home/Ann/gsc" stays as it is).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kGscUpperCase = 0;
constexpr int kGscLowerCase = 1;

// The letter case of the tree under a root, found by its TABLES/REGIONS.TBL.
// Given:    root  CD root, with or without its trailing slash
// Returned: kGscUpperCase or kGscLowerCase; -1 when the root is empty or
//           neither file is readable
int ProbeGscTreeCase(const char* root);

// 1 when the Guide Star Catalog layer can be offered: the region index is
// readable and the tree lies under gAppEnv->gscDataPath in either case.
// Remembers the case for that root.
int IsGscAvailable();

// The letter case of the tree under gAppEnv->gscDataPath, probed again
// whenever the root differs from the one last probed or nothing was found
// there (STARDATA GSC may come before anything asked IsGscAvailable); upper
// case when neither is found.
int GscTreeCase();

// Path of a small region's file: root, "/" when needed, "GSC/", the zone
// directory, "/", "%04d.GSC", the part after the root in the given case.
// Returned: path
//           0 when the path does not fit in `size` (it is then not to be
//           read: a cut path could name another file)
int FormatGscRegionPath(const char* root, int letterCase, const char* zoneDirectory, int32_t region, char* path,
                        size_t size);
