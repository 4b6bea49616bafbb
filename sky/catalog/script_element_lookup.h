// The element lines of a saved script's BLOCK ORBIT looked up by name, as
// the STL reader does for each COMET and MINORPLANET statement.
//
// Labels are not unique (hundreds of comets are called PANSTARRS), so a
// reader that loads many objects keeps a lookup record: each name takes
// the first entry of exactly that label that no earlier name took, and a
// name no label equals takes the first entry whose label begins with it
// (comparing without regard to ASCII case). A prefix alone would let
// "Lemmon" take "Lemmon-PANSTARRS". The block is read once per record and
// indexed, so a script of n objects costs n log n, not n^2.
#pragma once

#include "sky/catalog/element_files.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct ScriptOrbitLookup {
    bool read = false;
    std::vector<ScriptOrbitEntry> entries;
    std::vector<bool> taken;
    // Each folded label with its entries in file order, and how many of
    // them the exact lookup has passed (all taken).
    std::unordered_map<std::string, std::pair<std::vector<size_t>, size_t>> byLabel;
    // Folded labels in order, each with its entry, for the prefix lookup.
    std::vector<std::pair<std::string, size_t>> sorted;
};

// The element line of a COMET or MINORPLANET name in a saved script: in its
// BLOCK ORBIT, the line after the ":<label>" the rule above picks. The file
// position is kept.
// Given:    file    the open script (not read once the lookup record
//                   holds the block)
//           name    the object's name
//           size    size of the line buffer
//           lookup  the reader's record for this file, which the first
//                   lookup fills and each marks; null: the block is read
//                   for this lookup alone and nothing is taken
// Returned: line    the element line as it stands, with its line end (cut
//                   to the buffer)
//           1 when found, else 0
int32_t FindScriptElementLine(FILE* file, const char* name, char* line, int size,
                              ScriptOrbitLookup* lookup = nullptr);
