// Objects of the built-in catalogues by name, for the tests that put file
// entries and marks on them.
#pragma once

#include "sky/catalog/name_lookup.h"

#include <cstdint>
#include <string>

namespace catalogtest {

// The nebula index of "M31", "NGC224", ...; -1 when there is none.
inline int32_t NebulaId(const char* name)
{
    int32_t id = -1;
    return FindNebulaByDesignation(name, id) != 0 ? id : -1;
}

// The star number of "alphaOri", "Betelgeuse", ...; -1 when there is none.
// The search upper-cases its text, so it gets a copy.
inline int32_t StarId(std::string name)
{
    int32_t id = -1;
    return FindStarByName(name.data(), id) != 0 ? id : -1;
}

// The constellation row of "Ori", "Orion", ...; -1 when there is none.
inline int32_t ConstellationRow(std::string name)
{
    return FindConstellationByName(name.data());
}

}  // namespace catalogtest
