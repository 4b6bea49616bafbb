#include "astro/jovian_moons.h"

#include "astro/astro_constants.h"
#include "astro/clamped_math.h"
#include "astro/planets.h"
#include "astro/precession.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <cmath>

const std::array<JovianMoonElements, kJovianMoonTableSize> JovianMoonTable = {{
    {19.8, 7432435.4, 0.002820642967710703},    // Io
    {214.4, 3702713.1, 0.004486301843736144},   // Europa
    {221.8, 1837851.9, 0.007154219642298383},   // Ganymede
    {80.9, 787884.7, 0.01258550847014065},      // Callisto
}};

void JovianMoonPositions(const AstroTime& t, const PlanetRecord& jupiter,
                         JovianMoonRecord moons[kJovianMoonTableSize])
{
    const double jd = t.julianDay;

    // Jupiter on the equator of date, where the satellites' plane is given.
    double toDate[9];
    PrecessionMatrix(kJ2000, jd, toDate);
    double jupiterDate[3];
    MatrixTimesVector(jupiter.unitVector, toDate, jupiterDate);
    double centre[2];
    SphericalFromVector(jupiterDate, centre);

    // The plane of the orbits: inclination to the equator of date and the
    // right ascension of its ascending node.
    const double T = (jd - kJ2000) / kDaysPerJulianCentury;
    const double sinI = SinDeg(25.5 + 0.01 * T);
    const double cosI = CosDeg(25.5 + 0.01 * T);
    const double node = -(1.91 - 0.1 * T);

    for (int i = 0; i < kJovianMoonTableSize; ++i) {
        const JovianMoonElements& orbit = JovianMoonTable[i];

        // Direction of the satellite from Jupiter's centre, as a right
        // ascension and declination of date.
        const double L = orbit.meanLatitudeJ2000 + orbit.rate * T;
        const double ux = CosDeg(L);
        const double uy = cosI * SinDeg(L);
        const double uz = sinI * SinDeg(L);
        const double fromJupiter[2] = {std::atan2(uy, ux) * kDegreesPerRadian + node,
                                       std::atan2(uz, ClampedSqrt(ux * ux + uy * uy)) * kDegreesPerRadian};

        // Its position angle on the sky and its angle from the line of sight.
        double c[3];
        ToBodyFrame(fromJupiter, centre, c);
        const double positionAngle = std::atan2(c[1], c[0]) * kDegreesPerRadian;
        const double fromSightLine = std::atan2(ClampedSqrt(c[0] * c[0] + c[1] * c[1]), c[2]);

        // Apparent separation from Jupiter, then the satellite's place of date.
        const double separation = orbit.radius / jupiter.distance * std::sin(fromSightLine) * kDegreesPerRadian;
        double place[2];
        place[1] = centre[1] + separation * CosDeg(positionAngle);
        const double meanDec = (centre[1] + place[1]) / 2.0;
        place[0] = centre[0] + separation * SinDeg(positionAngle) / CosDeg(meanDec);

        double ofDate[3];
        VectorFromSpherical(place, ofDate);
        MatrixTimesVector(ofDate, t.precessionToJ2000, moons[i].unitVector);
        FixedFromVector(moons[i].unitVector, moons[i].fixedVector);
    }
}

void UpdateJovianMoons(const AstroTime& t, const PlanetRecord& jupiter,
                       JovianMoonRecord moons[kJovianMoonTableSize])
{
    JovianMoonPositions(t, jupiter, moons);
    moons[0].julianDay = t.julianDay;
}
