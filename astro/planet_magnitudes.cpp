#include "astro/planet_magnitudes.h"

#include "astro/clamped_math.h"
#include "astro/trig.h"

#include <algorithm>
#include <cmath>

const std::array<PlanetPhysical, 8> PlanetPhysicalTable = {{
    {3.36, -0.42},    // Mercury
    {8.34, -4.4},     // Venus
    {4.68, -1.52},    // Mars
    {98.44, -9.4},    // Jupiter
    {82.73, -8.68},   // Saturn
    {35.02, -7.19},   // Uranus
    {33.5, -6.87},    // Neptune
    {2.07, -1.0},     // Pluto
}};

double PlanetPhaseAngle(double r, double delta, double R)
{
    const double c = (r * r + delta * delta - R * R) / (2.0 * r * delta);
    return AcosDeg(std::isfinite(c) ? c : 1.0);
}

double PlanetMagnitude(int32_t planet, double r, double delta, double R, double longitude, double jd)
{
    if (planet < 0 || planet >= static_cast<int32_t>(PlanetPhysicalTable.size()))
        return 0.0;
    const double m0 = PlanetPhysicalTable[static_cast<size_t>(planet)].magnitudeAtUnit +
                      5.0 * std::log10(r * delta);
    const double i = PlanetPhaseAngle(r, delta, R);
    switch (planet) {
    case 0:
        return m0 + 0.038 * i - 0.000273 * i * i + 0.000002 * i * i * i;
    case 1:
        return m0 + 0.0009 * i + 0.000239 * i * i - 0.00000065 * i * i * i;
    case 2:
        return m0 + 0.016 * i;
    case 3:
        return m0 + 0.005 * i;
    case 4: {
        // The rings brighten Saturn as they open towards the Earth; the
        // opening follows the heliocentric longitude.
        const double year = (jd - 1721423.5) / 365.244 + 1.0;
        return m0 - 1.1 * std::abs(SinDeg(longitude + 38.0 - 0.014 * year));
    }
    default:
        return m0;
    }
}

int32_t MagnitudeTenths(double m)
{
    if (std::isnan(m))
        return 0;
    return static_cast<int32_t>(std::clamp(std::floor(10.0 * m + 0.5), -99999.0, 99999.0));
}
