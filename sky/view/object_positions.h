// Sky coordinates of an object reference (a star, a body, a place).
#pragma once

#include <cstdint>

struct Scene;

// Whether an object reference names something that exists now: a star,
// constellation, nebula, satellite or cloud within its table, a body that
// is loaded (comets and minor planets by the current counts), a frame type
// 1..6, SCREEN or VIEW_CENTER. User objects and sky marks are not held by
// the scene yet and never exist.
int ObjectExists(const Scene& scene, int32_t type, int32_t id);

// Coordinates of an object.
// Given:    scene                 positions of the bodies and satellites
//           type, id              ObjectType and id
//           longitude, latitude   the pair of the frame types (degrees)
// Returned: out                   {longitude, latitude} in degrees: the
//                                 given pair for 1..6, J2000 (RA, Dec) for
//                                 objects
//           the frame of out (1..6; 2 for objects), 58 for SCREEN (out not
//           set), 0 when the object has no position or does not exist (the
//           Earth, VIEW_CENTER, an id beyond the loaded lists)
int32_t GetObjectCoordinates(const Scene& scene, int32_t type, int32_t id, double longitude,
                             double latitude, double out[2]);

// GetObjectCoordinates, with user objects and sky marks resolved through
// their files; while no such files are held these have no position (0).
int32_t GetTargetCoordinates(const Scene& scene, int32_t type, int32_t id, double longitude,
                             double latitude, double out[2]);
