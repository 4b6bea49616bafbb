// Place of the Moon: its geocentric ecliptic place and distance (a short
// periodic series for 1950-2060, a perturbed Kepler orbit for every other
// date), the geocentric and topocentric equatorial places, apparent radii,
// optical librations and the position angle of the axis, the horizontal
// place, and the age since new moon. Julian days are UT; angles degrees;
// distances km.
#pragma once

#include "astro/body_records.h"
#include "astro/time_records.h"

#include <cstdint>

// Everything the sky shows of the Moon for an instant and site.
// Given:    t      instant and site (Julian day UT, sidereal time, obliquity,
//                  precession matrix, observer)
//           sun    the Sun for the same instant (J2000 place, distance in AU)
//           level  series precision level (2, 3 shorter series; else full)
// Returned: moon   MoonPosition's fields, unitVector and fixedVector of the
//                  topocentric J2000 place, illuminatedFraction and
//                  brightLimbAngle, azimuth and altitude, and the cache
//                  fields: cachedLocation = t's site, cachedLevel = level,
//                  julianDay = t's Julian day
void UpdateMoon(const AstroTime& t, MoonRecord& moon, const SunRecord& sun, int32_t level);

// Places, distances, radii and librations of the Moon.
// Given:    t      instant and site, as for UpdateMoon
//           level  series precision level
// Returned: moon   ecliptic place of date, geoDistance, geocentric J2000
//                  place, topocentric places of date and J2000, distance,
//                  semidiameters, librations and axis angle (0 outside JD
//                  1538798.0..3364651.0); parallax only from the series
//                  (2433282.5 < JD < 2473459.5), else left as it was
// Notes:    the observer's position is that of MoonObserverVector.
void MoonPosition(const AstroTime& t, MoonRecord& moon, int32_t level);

// The observer's position that the Moon's topocentric place is seen from.
// Given:    t        site (latitude, east longitude, height in metres) and
//                    local sidereal time
// Returned: station  geocentric equatorial vector of date, km: the point on
//                    the Bessel 1841 ellipsoid moved by (-0.136, 0.521,
//                    0.681) km and turned by the Greenwich sidereal angle
void MoonObserverVector(const AstroTime& t, double station[3]);

// Geocentric place and distance from the short series.
// Given:    t      years since 1975.0 (YearsSince1975), meant for 1950-2060
//           level  series precision level
// Returned: moon   eclipticLongitude in [0, 360), eclipticLatitude, degrees,
//                  mean ecliptic and equinox of date; parallax, degrees;
//                  geoDistance = 6378.14 / sin(parallax), km
void MoonSeries(MoonRecord& moon, double t, int32_t level);

// Ecliptic longitude from the series: the mean longitude, the equation of
// the centre and the first 44 (level 1 or 9), 19 (level 2) or 4 (level 3)
// table terms.
// Given:    t      years since 1975.0
//           level  series precision level
// Returned: longitude, degrees, not normalised
double MoonLongitudeSeries(double t, int32_t level);

// Ecliptic latitude from the series with 29, 14 or 3 table terms.
// Given:    t      years since 1975.0
//           level  series precision level
// Returned: latitude, degrees
double MoonLatitudeSeries(double t, int32_t level);

// The Moon on a Kepler ellipse whose mean longitude, perigee and node move
// with polynomial mean elements (epoch JD 2378496.0), with five periodic
// terms in the mean longitude and one in latitude. Finite for every date.
// Given:    jd     Julian day (taken as dynamical time)
// Returned: moon   eclipticLongitude in [0, 360), eclipticLatitude, degrees;
//                  geoDistance, km
void MoonKeplerModel(double jd, MoonRecord& moon);

// Optical librations and the position angle of the axis (without the
// physical librations and nutation).
// Given:    t          instant (centuries since J2000, mean obliquity)
//           moon       eclipticLongitude and eclipticLatitude of date
//           geoRaDate  geocentric right ascension of date, degrees
// Returned: moon       librationLongitude, librationLatitude in [-90, 90],
//                      axisPositionAngle in [0, 360), degrees
// Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 53.
void MoonPhysicalEphemeris(const AstroTime& t, MoonRecord& moon, double geoRaDate);

// Instant of a mean new moon with the two largest corrections (the Sun's
// and the Moon's anomalies).
// Given:    k      lunation number counted from the new moon of 1900 January
// Returned: Julian day of that new moon
double NewMoonJulianDay(double k);

// Days since the last new moon: from the lunation formula for JD
// 1356173.0..3547272.0 (about -1000 to +5000), else from the elongation.
// Given:    jd     Julian day
//           sun    eclipticLongitude of the Sun
//           moon   eclipticLongitude of the Moon
// Returned: age, days; in [0, 29.53) outside the lunation span
double MoonAge(double jd, const SunRecord& sun, const MoonRecord& moon);
