#include "sky/catalog/small_body_lists.h"

#include "astro/small_body_orbit.h"
#include "sky/scene.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Enlarges one array to `count` elements; the pointer is kept on failure.
template <typename T>
bool Enlarge(T*& array, int32_t count)
{
    void* grown = std::realloc(array, sizeof(T) * static_cast<size_t>(count));
    if (grown == nullptr)
        return false;
    array = static_cast<T*>(grown);
    return true;
}

// Room for at least one more than `count`: twice as much, from 16 up, and
// never beyond what an int32 counts.
int32_t NextCapacity(int32_t count)
{
    constexpr int32_t kFirstCapacity = 16;
    if (count < kFirstCapacity)
        return kFirstCapacity;
    return count <= INT32_MAX / 2 ? count * 2 : INT32_MAX;
}

template <typename T>
void Release(T*& array)
{
    std::free(array);
    array = nullptr;
}

// A fresh place record: out of date (day 0), with its orbit path.
void StartPlace(SmallBodyRecord& place, const OrbitalElements& el)
{
    std::memset(&place, 0, sizeof place);
    place.kind = el.kind;
    place.orbitPath = SmallBodyOrbitPath(el, kSmallBodyPathSegments);
    place.orbitPointCount = place.orbitPath != nullptr ? kSmallBodyPathSegments + 1 : 0;
}

void FreePaths(SmallBodyRecord* places, int32_t count)
{
    for (int32_t i = 0; places != nullptr && i < count; ++i) {
        if (places[i].orbitPointCount != 0)
            std::free(places[i].orbitPath);
        places[i].orbitPath = nullptr;
        places[i].orbitPointCount = 0;
    }
}

} // namespace

int32_t GrowCometList(Scene& scene)
{
    if (scene.cometCount < scene.cometCapacity)
        return 1;
    const int32_t capacity = NextCapacity(scene.cometCount);
    if (!(Enlarge(scene.cometPositions, capacity) && Enlarge(scene.cometElements, capacity) &&
          Enlarge(scene.cometTails, capacity) && Enlarge(scene.cometFlags, capacity)))
        return 0;
    scene.cometCapacity = capacity;
    return 1;
}

int32_t GrowMinorPlanetList(Scene& scene)
{
    if (scene.mplanetCount < scene.mplanetCapacity)
        return 1;
    const int32_t capacity = NextCapacity(scene.mplanetCount);
    if (!(Enlarge(scene.mplanetPositions, capacity) && Enlarge(scene.mplanetElements, capacity) &&
          Enlarge(scene.mplanetFlags, capacity)))
        return 0;
    scene.mplanetCapacity = capacity;
    return 1;
}

int32_t AddComet(Scene& scene, const OrbitalElements& el)
{
    if (GrowCometList(scene) == 0) {
        FreeCometList(scene);
        return 0;
    }
    const int32_t i = scene.cometCount;
    scene.cometElements[i] = el;
    std::memset(&scene.cometTails[i], 0, sizeof scene.cometTails[i]);
    scene.cometFlags[i] = kNewCometFlags;
    StartPlace(scene.cometPositions[i], el);
    scene.cometCount = i + 1;
    return 1;
}

int32_t AddMinorPlanet(Scene& scene, const OrbitalElements& el)
{
    if (GrowMinorPlanetList(scene) == 0) {
        FreeMinorPlanetList(scene);
        return 0;
    }
    const int32_t i = scene.mplanetCount;
    scene.mplanetElements[i] = el;
    scene.mplanetFlags[i] = kNewMinorPlanetFlags;
    StartPlace(scene.mplanetPositions[i], el);
    scene.mplanetCount = i + 1;
    return 1;
}

void FreeCometList(Scene& scene)
{
    FreePaths(scene.cometPositions, scene.cometCount);
    scene.cometCount = 0;
    scene.cometCapacity = 0;
    Release(scene.cometPositions);
    Release(scene.cometElements);
    Release(scene.cometTails);
    Release(scene.cometFlags);
}

void FreeMinorPlanetList(Scene& scene)
{
    FreePaths(scene.mplanetPositions, scene.mplanetCount);
    scene.mplanetCount = 0;
    scene.mplanetCapacity = 0;
    Release(scene.mplanetPositions);
    Release(scene.mplanetElements);
    Release(scene.mplanetFlags);
}
