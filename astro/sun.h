// Place and physical ephemeris of the Sun, and with it the Earth's
// heliocentric position that the planets, comets and Jovian satellites
// start from. A short periodic series serves 1950-2060; a mean-element
// model with an equation of the centre serves every other date.
#pragma once

#include "astro/body_records.h"
#include "astro/time_records.h"

// Julian days (UT) bounding the span of the short periodic series of the
// Sun, the Moon and the planets; both bounds use the mean-element models.
constexpr double kSeriesFirstJulianDay = 2433282.5;   // 1950 January 0.0
constexpr double kSeriesLastJulianDay = 2473459.5;    // 2060 January 1.0

// Whether a Julian day lies strictly inside the series span.
// Given:    jd     Julian day (UT)
// Returned: 1 inside (2433282.5, 2473459.5), else 0
int32_t InSeriesSpan(double jd);

// Every field of the Sun's record for an instant: the series inside the
// series span, the mean-element model elsewhere.
// Given:    t      instant; its Julian day (UT), years since 1975, obliquity
//                  with sine and cosine and precession matrix are used
// Returned: sun    all fields except azimuth, altitude and the eclipse
//                  position angle; eclipseMagnitude = -1.0, julianDay = t's;
//                  geometricEarth from GeometricEarth
void SunPosition(const AstroTime& t, SunRecord& sun);

// Geometric longitude and distance of the Sun from a short periodic series
// (18 terms in longitude, 4 in log10 R).
// Given:    t        years since 1975.0 (YearsSince1975), meant for 1950-2060
// Returned: ecliptic {longitude in [0, 360), latitude 0}, degrees, mean
//                    ecliptic and equinox of date
//           r        Earth-Sun distance, AU
void SunSeries(double t, double ecliptic[2], double& r);

// The Sun from mean elements referred to 1900 and a three-term equation of
// the centre; finite for every date. The eccentricity polynomial turns
// negative some 25000 years ahead and is held at 0 from there.
// Given:    jd       Julian day (taken as dynamical time)
// Returned: ecliptic {longitude in [0, 360), latitude 0}, degrees, mean
//                    ecliptic and equinox of date
//           r        Earth-Sun distance, AU
void SunKeplerModel(double jd, double ecliptic[2], double& r);

// Orientation of the Sun's rotation axis and of its prime meridian
// (Carrington's elements: equator inclined 7.25 degrees, synodic rotation
// of 25.38 days from JD 2398220.0).
// Given:    t          instant; its Julian day and mean obliquity are used
//           longitude  the Sun's ecliptic longitude of date, degrees
// Returned: p          position angle of the northern rotation pole,
//                      degrees, measured east from the north point
//           b0         heliographic latitude of the disk centre, degrees
//           eta        the auxiliary angle eta, degrees (-180, 180]
//           l0         heliographic longitude of the disk centre, [0, 360)
// Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 29.
void SunPhysicalEphemeris(const AstroTime& t, double longitude, double& p, double& b0,
                          double& eta, double& l0);
