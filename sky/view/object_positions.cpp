// Coordinates of object references.
#include "sky/view/object_positions.h"

#include "astro/coordinates.h"
#include "astro/vector_math.h"
#include "core/app_env.h"
#include "data/catalog_tables.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_objects.h"
#include "sky/object_type.h"
#include "sky/scene.h"

namespace {

bool InRange(int32_t value, int32_t first, int32_t count)
{
    return value >= first && value < first + count;
}

// The (RA, Dec) of a body's record; null for the Earth and unknown ids.
bool BodyCoordinates(const Scene& scene, int32_t id, double out[2])
{
    if (InRange(id, kCometIdBase, scene.cometCount) && scene.cometPositions != nullptr) {
        const SmallBodyRecord& body = scene.cometPositions[id - kCometIdBase];
        out[0] = body.raReference;   // the lists' reference epoch is J2000
        out[1] = body.decReference;
        return true;
    }
    if (InRange(id, kMinorPlanetIdBase, scene.mplanetCount) && scene.mplanetPositions != nullptr) {
        const SmallBodyRecord& body = scene.mplanetPositions[id - kMinorPlanetIdBase];
        out[0] = body.raReference;
        out[1] = body.decReference;
        return true;
    }
    if (id == kSunId) {
        out[0] = scene.sun.raJ2000;
        out[1] = scene.sun.decJ2000;
        return true;
    }
    if (id == kMoonId) {
        out[0] = scene.moon.raJ2000;
        out[1] = scene.moon.decJ2000;
        return true;
    }
    if (InRange(id, 0, kPlanetCount)) {
        out[0] = scene.planets[id].raJ2000;
        out[1] = scene.planets[id].decJ2000;
        return true;
    }
    return false;
}

void FixedToSpherical(int32_t x, int32_t y, int32_t z, double out[2])
{
    SphericalFromFixedVector(FixedVector{x, y, z}, out);
}

}  // namespace

int ObjectExists(const Scene& scene, int32_t type, int32_t id)
{
    if (IsCoordFrame(type)) {
        return 1;
    }
    switch (type) {
    case kObjectScreen:
    case kObjectViewCenter:
        return 1;
    case kObjectStar:
        return InRange(id, 0, kBrightStarCount);
    case kObjectConstellation:
        return InRange(id, 0, kConstellationRows);
    case kObjectNebula:
        return InRange(id, 0, kNebulaCount);
    case kObjectJovianMoon:
        return InRange(id, 0, kJovianMoonCount);
    case kObjectMagellanicCloud:
        return InRange(id, 0, 2);
    case kObjectSolarBody:
        return id == kEarthId || InRange(id, kSunId, 2 + kPlanetCount) ||
               InRange(id, kCometIdBase, scene.cometCount) ||
               InRange(id, kMinorPlanetIdBase, scene.mplanetCount);
    case kObjectUserObject:
        return UserObjectAt(scene.userObjectFiles, scene.userObjectFileCount, id) != nullptr;
    case kObjectSkyMark:
        return UserObjectAt(gAppEnv->skyMarks, gAppEnv->skyMarkCount, id) != nullptr;
    default:
        return 0;
    }
}

int32_t GetObjectCoordinates(const Scene& scene, int32_t type, int32_t id, double longitude,
                             double latitude, double out[2])
{
    if (ObjectExists(scene, type, id) == 0) {
        return 0;
    }
    if (IsCoordFrame(type)) {
        out[0] = longitude;
        out[1] = latitude;
        return type;
    }
    switch (type) {
    case kObjectStar: {
        const BrightStarRecord& star = BrightStarTable[id];
        FixedToSpherical(star.x, star.y, star.z, out);
        return kFrameEqt;
    }
    case kObjectConstellation: {
        const ConstellationRecord& row = ConstellationTable[id];
        FixedToSpherical(row.x, row.y, row.z, out);
        return kFrameEqt;
    }
    case kObjectNebula:
        GetNebulaPosition(id, out[0], out[1]);
        return kFrameEqt;
    case kObjectJovianMoon:
        SphericalFromVector(scene.jovianMoons[id].unitVector, out);
        return kFrameEqt;
    case kObjectMagellanicCloud: {
        const MagellanicCloudRecord& cloud = MagellanicCloudTable[id];
        const double v[3] = {double(cloud.x), double(cloud.y), double(cloud.z)};
        SphericalFromVector(v, out);
        return kFrameEqt;
    }
    case kObjectSolarBody:
        return BodyCoordinates(scene, id, out) ? kFrameEqt : 0;
    case kObjectScreen:
        return kObjectScreen;
    default:
        return 0;
    }
}

int32_t GetListObjectCoordinates(const Scene& scene, int32_t index, double out[2], int32_t fileCount,
                                 const UserObjectFile* files)
{
    const UserObject* object = UserObjectAt(files, fileCount, index);
    if (object == nullptr) {
        return 0;
    }
    return GetObjectCoordinates(scene, object->type, object->id, object->longitude, object->latitude, out);
}

int32_t GetTargetCoordinates(const Scene& scene, int32_t type, int32_t id, double longitude,
                             double latitude, double out[2])
{
    if (type == kObjectUserObject) {
        return GetListObjectCoordinates(scene, id, out, scene.userObjectFileCount, scene.userObjectFiles);
    }
    if (type == kObjectSkyMark) {
        return GetListObjectCoordinates(scene, id, out, gAppEnv->skyMarkCount, gAppEnv->skyMarks);
    }
    return GetObjectCoordinates(scene, type, id, longitude, latitude, out);
}
