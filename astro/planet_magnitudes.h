// Apparent size and visual magnitude of the planets with their phase laws.
// Planet numbers: 0 Mercury, 1 Venus, 2 Mars, 3 Jupiter, 4 Saturn,
// 5 Uranus, 6 Neptune, 7 Pluto.
#pragma once

#include <array>
#include <cstdint>

struct PlanetPhysical {
    double semidiameter;     // arcseconds at 1 AU
    double magnitudeAtUnit;  // V(1,0): visual magnitude at 1 AU from Sun and Earth, phase 0
};

extern const std::array<PlanetPhysical, 8> PlanetPhysicalTable;

// Phase angle Sun-planet-Earth from the sides of the triangle.
// Given:    r      Sun-planet distance, AU
//           delta  Earth-planet distance, AU
//           R      Earth-Sun distance, AU
// Returned: degrees in [0, 180]; a cosine that rounding puts outside
//           [-1, 1] is held to it, and a degenerate triangle gives 0
double PlanetPhaseAngle(double r, double delta, double R);

// Visual magnitude: V(1,0) + 5 log10(r delta) with the phase law of Mercury,
// Venus, Mars and Jupiter, the ring term of Saturn, nothing more for
// Uranus, Neptune and Pluto.
// Given:    planet     0..7
//           r, delta, R  distances as for PlanetPhaseAngle, AU
//           longitude  heliocentric ecliptic longitude, degrees (Saturn only)
//           jd         Julian day (Saturn only)
// Returned: the magnitude; 0 for a planet number outside 0..7
// Reference: the phase laws are G. Müller's, as given by Meeus,
//           Astronomical Algorithms (the older of his two sets).
double PlanetMagnitude(int32_t planet, double r, double delta, double R, double longitude, double jd);

// A magnitude in the tenths the records keep: floor(10 m + 0.5), so -4.45
// gives -44 and 0.25 gives 3.
// Given:    m      magnitude
// Returned: tenths, held to +-99999 (NaN gives 0) so the conversion is
//           always defined
int32_t MagnitudeTenths(double m);
