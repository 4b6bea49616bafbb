// ObjectType: what the type half of an object reference (type, id) names,
// in the picked object, the tracked target and the command language's
// targets. Codes 1..6 are a place given in the CoordFrame of the same code
// (astro/coordinates.h; IsCoordFrame tells them); the others are kinds of
// object, whose ids are star numbers, ObjectIds, table rows or indices.
#pragma once

#include <cstdint>

// ObjectId: the id of a solar-system body (type 51): -10 a fixed J2000
// point, -3 the Earth, -2 the Sun, -1 the Moon, 0..7 Mercury..Pluto (8..11
// the Galilean satellites by name), 10000 + i the i-th loaded comet, 20000
// + i the i-th loaded minor planet (astro/body_ids.h names them).
using ObjectId = int32_t;

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
