// The Moon's places seen from the centre of the Earth and from the
// observer, and the record the sky shows.
#include "astro/moon.h"

#include "astro/astro_constants.h"
#include "astro/clamped_math.h"
#include "astro/coordinates.h"
#include "astro/phase_angle.h"
#include "astro/sun.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <cmath>

namespace {

constexpr double kMoonRadiusKm = 1738.0;

// Julian days between which the libration formulas are used (about
// -500 to +4500); elsewhere their polynomials have run away.
constexpr double kLibrationFirstJulianDay = 1538798.0;
constexpr double kLibrationLastJulianDay = 3364651.0;

// Ecliptic of date to equator of date.
void EquatorialOfDate(const AstroTime& t, double lambda, double beta, double place[2])
{
    const double sinLambda = SinDeg(lambda);
    const double sinBeta = SinDeg(beta);
    const double cosBeta = CosDeg(beta);
    place[0] = NormalizeDegrees(std::atan2(cosBeta * sinLambda * t.cosObliquity - sinBeta * t.sinObliquity,
                                           cosBeta * CosDeg(lambda)) *
                                kDegreesPerRadian);
    place[1] = AsinDeg(sinBeta * t.cosObliquity + cosBeta * sinLambda * t.sinObliquity);
}

} // namespace

void MoonObserverVector(const AstroTime& t, double station[3])
{
    constexpr double a = 6377.397155;                 // equatorial radius, km
    constexpr double e2 = 0.006674372230614;          // eccentricity squared
    constexpr double polarFactor = 0.993325627769386; // 1 - e2
    const double phi = t.location.latitude;
    const double lon = t.location.longitude;
    const double h = t.location.height / 1000.0;
    const double sinPhi = SinDeg(phi);
    const double cosPhi = CosDeg(phi);
    const double Nr = a / ClampedSqrt(1.0 - e2 * sinPhi * sinPhi);

    // Earth-fixed coordinates with the datum shift.
    const double X = (Nr + h) * cosPhi * CosDeg(lon) - 0.136;
    const double Y = (Nr + h) * cosPhi * SinDeg(lon) + 0.521;
    const double Z = (h + polarFactor * Nr) * sinPhi + 0.681;

    const double g = t.localSiderealTime - lon;
    const double cosG = CosDeg(g);
    const double sinG = SinDeg(g);
    station[0] = X * cosG - Y * sinG;
    station[1] = Y * cosG + X * sinG;
    station[2] = Z;
}

void MoonPosition(const AstroTime& t, MoonRecord& moon, int32_t level)
{
    if (InSeriesSpan(t.julianDay))
        MoonSeries(moon, t.yearsSince1975, level);
    else
        MoonKeplerModel(t.julianDay, moon);

    // Geocentric place, of date and J2000.
    double geo[2];
    EquatorialOfDate(t, moon.eclipticLongitude, moon.eclipticLatitude, geo);
    double geoJ2000[2];
    RotateSpherical(geo, geoJ2000, t.precessionToJ2000);
    moon.geoRaJ2000 = geoJ2000[0];
    moon.geoDecJ2000 = geoJ2000[1];

    // Topocentric vector: the Moon from the centre minus the observer.
    const double cosDec = CosDeg(geo[1]);
    const double r = moon.geoDistance;
    const double centre[3] = {r * cosDec * CosDeg(geo[0]), r * cosDec * SinDeg(geo[0]),
                              r * SinDeg(geo[1])};
    double station[3];
    MoonObserverVector(t, station);
    double topo[3];
    VectorSubtract(centre, station, topo);
    moon.distance = VectorLength(topo);

    double ofDate[2];
    ofDate[0] = NormalizeDegrees(std::atan2(topo[1], topo[0]) * kDegreesPerRadian);
    ofDate[1] = AsinDeg(topo[2] / moon.distance);
    moon.raDate = ofDate[0];
    moon.decDate = ofDate[1];
    double j2000[2];
    RotateSpherical(ofDate, j2000, t.precessionToJ2000);
    moon.raJ2000 = j2000[0];
    moon.decJ2000 = j2000[1];

    moon.geoSemidiameter = std::atan(kMoonRadiusKm / moon.geoDistance) * kDegreesPerRadian;
    moon.semidiameter = std::atan(kMoonRadiusKm / moon.distance) * kDegreesPerRadian;

    if (t.julianDay > kLibrationFirstJulianDay && t.julianDay < kLibrationLastJulianDay) {
        MoonPhysicalEphemeris(t, moon, geo[0]);
    } else {
        moon.axisPositionAngle = 0.0;
        moon.librationLongitude = 0.0;
        moon.librationLatitude = 0.0;
    }
}

void UpdateMoon(const AstroTime& t, MoonRecord& moon, const SunRecord& sun, int32_t level)
{
    MoonPosition(t, moon, level);

    const double place[2] = {moon.raJ2000, moon.decJ2000};
    VectorFromSpherical(place, moon.unitVector);
    FixedFromVector(moon.unitVector, moon.fixedVector);

    PhaseAndLimbAngle(sun.raJ2000, sun.decJ2000, sun.distance, moon.raJ2000, moon.decJ2000,
                      moon.distance / kAstronomicalUnitKm, moon.illuminatedFraction,
                      moon.brightLimbAngle);

    double horizontal[2];
    ConvertCoordinates(t, kFrameEqt, place, kFrameHrz, horizontal);
    moon.azimuth = horizontal[0];
    moon.altitude = horizontal[1];

    // The driver compares these with the scene before recomputing.
    moon.cachedLocation = t.location;
    moon.cachedLevel = level;
    moon.julianDay = t.julianDay;
}
