// The name files: plain text, one display name per line in the row order
// of the table they fill (the constellations, the named stars), so that the
// chart can show names in the user's language. A row the file does not
// reach keeps its built-in English name.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Longest name a line gives; the rest of a longer line is the next name.
constexpr int kNameFileLineLength = 127;

// Reads up to `rows` names from a name file. A name ends at a line feed
// (removed, together with a carriage return before it) or after 127
// characters, whichever comes first; nothing else is trimmed, so an empty
// line is an empty name.
// Given:    file   open for reading
//           rows   most names wanted
// Returned: the names in file order, at most rows of them
std::vector<std::string> ReadNameFileLines(FILE* file, int rows);

// Loads a name file into freshly allocated display names.
// Given:    path   the (already localised) name file; missing or empty
//                  path, or anything but a regular file: no names
//           rows   rows of the table
// Returned: names  names[0..rows-1]: a malloc'd copy for each row the file
//                  reaches, null for the rest (and for a copy that could
//                  not be allocated)
void LoadNameFile(const char* path, int rows, char** names);

// Display names of the 89 ConstellationTable rows from the constellation
// name file (gAppEnv->constDataFile, already the language variant when
// there is one); rows the file does not reach show their English names.
void LoadConstellationNames();

// Display names of the 249 StarNameTable rows from the star name file
// (gAppEnv->starNameDataFile), likewise.
void LoadStarNames();

// Release the display names read from the files; every row shows its
// English name again.
void FreeConstellationNames();
void FreeStarNames();
