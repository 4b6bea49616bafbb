// The Moon from independent libraries, for the Moon tests: libnova's
// ELP 2000-82B for the place and ERFA for frames, the Sun and the observer.
#pragma once

#include <erfa.h>
#include <erfam.h>
#include <libnova/dynamical_time.h>
#include <libnova/lunar.h>

#include <cmath>

namespace moon_oracle {

// Geocentric vector of the Moon, km, mean equator and equinox of date.
// jde is dynamical time; precision is libnova's (0 = every ELP term).
inline void EquatorOfDate(double jde, double v[3], double precision = 0.0)
{
    ln_rect_posn r;
    ln_get_lunar_geo_posn(jde, &r, precision);
    // libnova gives the mean ecliptic and equinox of J2000.
    double ecliptic[3] = {r.X, r.Y, r.Z};
    double j2000Ecliptic[3][3];
    eraEcm06(ERFA_DJ00, 0.0, j2000Ecliptic);
    double gcrs[3];
    eraTrxp(j2000Ecliptic, ecliptic, gcrs);
    double precession[3][3];
    eraPmat06(jde, 0.0, precession);
    eraRxp(precession, gcrs, v);
}

// Geocentric ecliptic place of date, degrees, and distance, km.
inline void EclipticOfDate(double jde, double& lon, double& lat, double& dist,
                           double precision = 0.0)
{
    ln_rect_posn r;
    ln_get_lunar_geo_posn(jde, &r, precision);
    double ecliptic[3] = {r.X, r.Y, r.Z};
    double j2000Ecliptic[3][3];
    eraEcm06(ERFA_DJ00, 0.0, j2000Ecliptic);
    double gcrs[3];
    eraTrxp(j2000Ecliptic, ecliptic, gcrs);
    double ofDate[3][3];
    eraEcm06(jde, 0.0, ofDate);
    double v[3];
    eraRxp(ofDate, gcrs, v);
    double a, b;
    eraC2s(v, &a, &b);
    lon = eraAnp(a) * ERFA_DR2D;
    lat = b * ERFA_DR2D;
    dist = eraPm(v);
}

// Dynamical time of a UT Julian day with libnova's delta T.
inline double Jde(double jd)
{
    return jd + ln_get_dynamical_time_diff(jd) / 86400.0;
}

// Longitude difference a - b brought into (-180, 180].
inline double LongitudeDifference(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

} // namespace moon_oracle
