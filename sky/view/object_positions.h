// Sky coordinates of an object reference (a star, a body, a place).
#pragma once

#include <cstdint>

struct Scene;
struct UserObjectFile;

// Whether an object reference names something that exists now: a star,
// constellation, nebula, satellite or cloud within its table, a body that
// is loaded (comets and minor planets by the current counts), a frame type
// 1..6, SCREEN or VIEW_CENTER, a user object or sky mark whose running
// index lies within the loaded files.
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

// GetObjectCoordinates of the record at a running index over a list of
// user-object (or sky-mark) files, by the record's own type, id and pair.
// Returned: out, the frame of out; 0 beyond the last file
int32_t GetListObjectCoordinates(const Scene& scene, int32_t index, double out[2], int32_t fileCount,
                                 const UserObjectFile* files);

// GetObjectCoordinates, with user objects (the Scene's files) and sky marks
// (AppEnv's) resolved through their records.
int32_t GetTargetCoordinates(const Scene& scene, int32_t type, int32_t id, double longitude,
                             double latitude, double out[2]);
