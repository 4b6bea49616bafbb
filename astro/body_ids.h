// ObjectIds of the solar-system bodies, and the planet numbers that index
// the planet records and series. Every layer names a body by these.
#pragma once

#include <cstdint>

// Planet numbers 0..7, Mercury to Pluto; the Earth has none (it is
// kEarthId). A planet's ObjectId is its number.
enum Planet : int32_t {
    kMercury = 0,
    kVenus = 1,
    kMars = 2,
    kJupiter = 3,
    kSaturn = 4,
    kUranus = 5,
    kNeptune = 6,
    kPluto = 7,
};
constexpr int kPlanetCount = 8;          // Mercury..Pluto without the Earth

// ObjectId of the other bodies: a fixed J2000 point (for the rise and set
// search), the Earth, the Sun and the Moon, and the loaded comets and minor
// planets from their bases on (10000 + i is the i-th loaded comet).
constexpr int32_t kFixedPointId = -10;
constexpr int32_t kEarthId = -3;
constexpr int32_t kSunId = -2;
constexpr int32_t kMoonId = -1;
constexpr int32_t kCometIdBase = 10000;
constexpr int32_t kMinorPlanetIdBase = 20000;
