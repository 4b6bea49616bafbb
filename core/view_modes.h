// The view modes: projection family x 256 + coordinate frame (the CoordFrame
// codes of astro/coordinates.h, 1 horizontal .. 6 galactic), and the tests
// on them that the layers, the commands and the main window share. They
// live in core/ because the MODE keyword table here names them.
#pragma once

#include <cstdint>

enum ViewMode : int32_t {
    kModeHrz = 0x101,
    kModeEqt = 0x104,
    kModeEcl = 0x105,
    kModeGal = 0x106,
    kModeSol1 = 0x204,
    kModeSol2 = 0x205,
    kModeSol3 = 0x206,
    kModeAll1Eqt = 0x304,
    kModeAll1Ecl = 0x305,
    kModeAll1Gal = 0x306,
    kModeAll2Eqt = 0x404,
    kModeAll2Ecl = 0x405,
    kModeAll2Gal = 0x406,
    kModeVola = 0x801,
};

// The projection families, the high byte of a ViewMode.
enum ViewFamily : int32_t {
    kFamilySky = 1,            // HRZ, EQT, ECL, GAL: azimuthal views of the sky
    kFamilySolarSystem = 2,    // SOL1..SOL3: the solar system from outside
    kFamilyCylinder = 3,       // ALL1: the cylindrical whole-sky map
    kFamilyAitoff = 4,         // ALL2: the Aitoff whole-sky map
    kFamilyPlanisphere = 8,    // VOLA
};

constexpr int32_t ViewFamilyOf(int32_t mode)
{
    return mode >> 8;
}

// The CoordFrame code of a mode.
constexpr int32_t ViewFrameOf(int32_t mode)
{
    return mode & 0xff;
}

constexpr bool IsSolarSystemView(int32_t mode)
{
    return ViewFamilyOf(mode) == kFamilySolarSystem;
}

// ALL1 and ALL2: the maps that show the whole sky with a wrap-around edge.
constexpr bool IsWholeSkyMap(int32_t mode)
{
    return ViewFamilyOf(mode) == kFamilyCylinder || ViewFamilyOf(mode) == kFamilyAitoff;
}
