#include "astro/planets.h"

#include "astro/astro_constants.h"
#include "astro/body_ids.h"
#include "astro/clamped_math.h"
#include "astro/coordinates.h"
#include "astro/planet_elements.h"
#include "astro/planet_magnitudes.h"
#include "astro/planet_series.h"
#include "astro/sun.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <cmath>

namespace {

// Position angle and angle to the line of sight of a J2000 pole.
void PoleAngles(const double pole[2], const PlanetRecord& p, double angles[2])
{
    const double body[2] = {p.raJ2000, p.decJ2000};
    double c[3];
    ToBodyFrame(pole, body, c);
    angles[0] = Atan2Safe(c[1], c[0]) * kDegreesPerRadian;
    angles[1] = AcosDeg(c[2]);
}

}   // namespace

int32_t PlanetHeliocentric(int32_t planet, const AstroTime& t, double ecliptic[2], double& r,
                           int32_t level)
{
    if (InSeriesSpan(t.julianDay) != 0)
        return PlanetSeries(planet, t, ecliptic, r, level);
    return PlanetByElements(planet, t, ecliptic, r);
}

int32_t PlanetPosition(int32_t planet, const AstroTime& t, const SunRecord& sun, PlanetRecord& p,
                       int32_t level)
{
    if (planet < 0 || planet >= kPlanetCount)
        return 0;
    double ecliptic[2];
    double r = 0.0;
    PlanetHeliocentric(planet, t, ecliptic, r, level);
    p.helioLongitude = ecliptic[0];
    p.helioLatitude = ecliptic[1];
    p.helioDistance = r;

    // Heliocentric vector: ecliptic of date, equator of date, J2000.
    double ecl[3];
    double date[3];
    double toEquator[9];
    VectorFromSpherical(ecliptic, ecl);
    VectorScale(ecl, r, ecl);
    RotationX(-t.obliquity, toEquator);
    MatrixTimesVector(ecl, toEquator, date);
    MatrixTimesVector(date, t.precessionToJ2000, p.helioVector);

    // Geocentric direction and distance.
    double geo[3];
    VectorSubtract(p.helioVector, sun.earthVector, geo);
    p.distance = VectorLength(geo);
    VectorScale(geo, p.distance > 0.0 ? 1.0 / p.distance : 0.0, p.unitVector);
    FixedFromVector(p.unitVector, p.fixedVector);
    double place[2];
    SphericalFromVector(p.unitVector, place);
    p.raJ2000 = place[0];
    p.decJ2000 = place[1];

    const double m = PlanetMagnitude(planet, r, p.distance, sun.distance, p.helioLongitude, t.julianDay);
    p.magnitude = MagnitudeTenths(m);
    const double semidiameter = PlanetPhysicalTable[static_cast<size_t>(planet)].semidiameter;
    p.diameter = p.distance > 0.0 ? 2.0 * semidiameter / p.distance : 0.0;
    p.julianDay = t.julianDay;
    p.cachedLevel = level;

    double angles[2];
    if (planet == kJupiter || planet == kSaturn) {
        if (planet == kJupiter)
            JupiterAxis(t, p, angles);
        else
            SaturnRing(t, p, angles);
        p.axisPositionAngle = angles[0];
        p.axisAngle = angles[1];
    }
    return 1;
}

void JupiterAxis(const AstroTime& t, const PlanetRecord& p, double angles[2])
{
    // The pole on the equator of date, carried to J2000 like the planet.
    const double T = (t.julianDay - 2433282.5) / kDaysPerJulianCentury;
    const double poleOfDate[2] = {268.0 + 0.1061 * T, 64.5 - 0.0164 * T};
    double pole[2];
    RotateSpherical(poleOfDate, pole, t.precessionToJ2000);
    PoleAngles(pole, p, angles);
}

void SaturnRing(const AstroTime& t, const PlanetRecord& p, double angles[2])
{
    // Ascending node and inclination of the ring plane on the ecliptic of
    // date; its pole lies 90 degrees behind the node.
    const double T = t.centuriesSinceJ2000;
    const double node = 169.50847 + 1.394681 * T + 0.000412 * T * T;
    const double inclination = 28.075216 - 0.012998 * T + 0.000004 * T * T;
    const double poleEcliptic[2] = {node - 90.0, 90.0 - inclination};
    double poleOfDate[2];
    ConvertCoordinates(t, kFrameEcl, poleEcliptic, kFrameEqtDate, poleOfDate);
    double pole[2];
    RotateSpherical(poleOfDate, pole, t.precessionToJ2000);
    PoleAngles(pole, p, angles);
}

void ToBodyFrame(const double pole[2], const double body[2], double c[3])
{
    const double sinPoleDec = SinDeg(pole[1]);
    const double cosPoleDec = CosDeg(pole[1]);
    const double sinDec = SinDeg(body[1]);
    const double cosDec = CosDeg(body[1]);
    const double dRa = pole[0] - body[0];
    c[0] = sinPoleDec * cosDec - CosDeg(dRa) * cosPoleDec * sinDec;
    c[1] = cosPoleDec * SinDeg(dRa);
    c[2] = sinPoleDec * sinDec + CosDeg(dRa) * cosPoleDec * cosDec;
}
