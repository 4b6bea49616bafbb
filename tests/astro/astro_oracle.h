// The independent ephemerides the astro tests compare with, and the time
// set-up they share. ERFA gives the frames, the Earth (eraEpv00) and the
// planets of eraPlan94; libnova gives ELP 2000-82B for the Moon and VSOP87
// (with Meeus's Pluto) for the planets. The program takes Julian days as
// UT; the oracles get dynamical time.
#pragma once

#include "astro/astro_time.h"
#include "astro/body_records.h"

#include <erfa.h>
#include <erfam.h>
#include <libnova/libnova.h>

#include <cmath>

namespace astro_oracle {

constexpr double kDeg = ERFA_DD2R;   // radians per degree
inline const ObserverLocation kGreenwich{51.477, 0.0, 50.0};

// The program's time record of a UT Julian day at a site.
inline AstroTime TimeAt(double jdUt, const ObserverLocation& site = kGreenwich)
{
    AstroTime t;
    AstroTimeFromJulianDay(jdUt, 0.0, site, t);
    return t;
}

// TT of a UT Julian day by the long-term parabola of Morrison and
// Stephenson (2004), dT = -20 + 32 u^2 seconds, u = (year - 1820) / 100:
// the secular delta T the program's long-range models carry.
inline double TerrestrialTime(double jdUt)
{
    const double u = ((jdUt - 2451545.0) / 365.25 + 2000.0 - 1820.0) / 100.0;
    return jdUt + (-20.0 + 32.0 * u * u) / 86400.0;
}

// TT of a UT Julian day by libnova's delta T (good near the present only).
inline double NovaTime(double jdUt)
{
    return jdUt + ln_get_dynamical_time_diff(jdUt) / 86400.0;
}

// Difference of two angles in degrees, brought into [-180, 180].
inline double Wrap180(double degrees)
{
    return std::remainder(degrees, 360.0);
}

// Angle between two directions, degrees.
inline double AngleDegrees(const double a[3], const double b[3])
{
    double x[3] = {a[0], a[1], a[2]}, y[3] = {b[0], b[1], b[2]};
    return eraSepp(x, y) / kDeg;
}

// Angle between two places {longitude, latitude} in degrees, degrees.
inline double SeparationDegrees(double lon1, double lat1, double lon2, double lat2)
{
    return eraSeps(lon1 * kDeg, lat1 * kDeg, lon2 * kDeg, lat2 * kDeg) / kDeg;
}

// {longitude, latitude} in degrees of a vector, longitude in [0, 360).
inline void PlaceOf(double v[3], double place[2])
{
    eraC2s(v, &place[0], &place[1]);
    place[0] = eraAnp(place[0]) / kDeg;
    place[1] /= kDeg;
}

// Heliocentric place from libnova on the J2000 ecliptic (L, B in degrees,
// R in AU) of a planet 0..7 (Mercury..Pluto) or the Earth (kEarthId).
inline ln_helio_posn NovaHeliocentric(int32_t body, double tt)
{
    static void (*const planets[8])(double, ln_helio_posn*) = {
        ln_get_mercury_helio_coords, ln_get_venus_helio_coords,  ln_get_mars_helio_coords,
        ln_get_jupiter_helio_coords, ln_get_saturn_helio_coords, ln_get_uranus_helio_coords,
        ln_get_neptune_helio_coords, ln_get_pluto_helio_coords};
    ln_helio_posn p{};
    (body == kEarthId ? ln_get_earth_helio_coords : planets[body])(tt, &p);
    return p;
}

// The same as a J2000 equatorial vector, AU (unit length with unit = true).
inline void NovaHeliocentricVector(int32_t body, double tt, double v[3], bool unit = false)
{
    const ln_helio_posn p = NovaHeliocentric(body, tt);
    double ecliptic[3], toEquator[3][3];
    eraS2p(p.L * kDeg, p.B * kDeg, unit ? 1.0 : p.R, ecliptic);
    eraIr(toEquator);
    eraRx(-84381.406 / 3600.0 * kDeg, toEquator);
    eraRxp(toEquator, ecliptic, v);
}

// The Earth from the Sun by eraEpv00, J2000 equatorial, AU.
inline void ErfaEarth(double tt, double earth[3])
{
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(tt, 0.0, heliocentric, barycentric);
    eraCp(heliocentric[0], earth);
}

// The Moon's geocentric vector from ELP 2000-82B, km, in GCRS axes (libnova
// gives the mean ecliptic and equinox of J2000). precision is libnova's
// (0 = every term).
inline void MoonGcrs(double jde, double v[3], double precision = 0.0)
{
    ln_rect_posn r;
    ln_get_lunar_geo_posn(jde, &r, precision);
    double ecliptic[3] = {r.X, r.Y, r.Z}, j2000Ecliptic[3][3];
    eraEcm06(ERFA_DJ00, 0.0, j2000Ecliptic);
    eraTrxp(j2000Ecliptic, ecliptic, v);
}

// The same on the mean equator and equinox of date.
inline void MoonEquatorOfDate(double jde, double v[3])
{
    double gcrs[3], precession[3][3];
    MoonGcrs(jde, gcrs);
    eraPmat06(jde, 0.0, precession);
    eraRxp(precession, gcrs, v);
}

// Geocentric ecliptic place of date of the Moon, degrees, and distance, km.
inline void MoonEclipticOfDate(double jde, double& lon, double& lat, double& dist, double precision = 0.0)
{
    double gcrs[3], ofDate[3][3], v[3], place[2];
    MoonGcrs(jde, gcrs, precision);
    eraEcm06(jde, 0.0, ofDate);
    eraRxp(ofDate, gcrs, v);
    PlaceOf(v, place);
    lon = place[0];
    lat = place[1];
    dist = eraPm(v);
}

} // namespace astro_oracle
