// Objects of the built-in catalogues by name, for the tests that put file
// entries and marks on them.
#pragma once

#include "sky/catalog/name_lookup.h"

#include <cstdint>

namespace catalogtest {

// The nebula index of "M31", "NGC224", ...; -1 when there is none.
inline int32_t NebulaId(const char* name)
{
    int32_t id = -1;
    return FindNebulaByDesignation(name, id) != 0 ? id : -1;
}

// The star number of "alphaOri", "Betelgeuse", ...; -1 when there is none.
inline int32_t StarId(const char* name)
{
    int32_t id = -1;
    return FindStarByName(name, id) != 0 ? id : -1;
}

}  // namespace catalogtest
