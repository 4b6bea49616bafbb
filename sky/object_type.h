// ObjectType: what the type half of an object reference (type, id) names,
// in the picked object, the tracked target and the command language's
// targets. Codes 1..6 are a place given in the CoordFrame of the same code
// (astro/coordinates.h; IsCoordFrame tells them); the others are kinds of
// object, whose ids are star numbers, ObjectIds, table rows or indices.
#pragma once

#include <cstdint>

enum ObjectType : int32_t {
    kObjectStar = 50,
    kObjectSolarBody = 51,
    kObjectConstellation = 52,
    kObjectNebula = 53,
    kObjectJovianMoon = 54,
    kObjectUserObject = 55,
    kObjectMagellanicCloud = 56,
    kObjectScreen = 58,        // coordinates are pixels
    kObjectViewCenter = 59,
    kObjectSkyMark = 60,
};
