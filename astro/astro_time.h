// The time arguments of the astronomy library and the AstroTime record that
// bundles them with a date and a place: local mean sidereal time, years
// since 1975.0, centuries since J2000, and (from astro/precession.h) the
// mean obliquity and the precession matrix of the date. Julian days are UT;
// angles are degrees.
#pragma once

#include "astro/time_records.h"

// Local mean sidereal time (Newcomb's expression referred to 1900 January 0.5).
// Given:    jd         Julian day (UT)
//           longitude  east longitude, degrees
// Returned: local mean sidereal time, degrees in [0, 360)
double LocalSiderealTime(double jd, double longitude);

// Time argument of the Sun, Moon and planet series: Julian years from 1975
// January 0.0, plus a dynamical-time correction of 45.1 s at 1975.0 growing
// by 1.0 s a year.
// Given:    jd     Julian day (UT)
// Returned: years
double YearsSince1975(double jd);

// Given:    jd     Julian day
// Returned: Julian centuries from JD 2451545.0
double CenturiesSinceJ2000(double jd);

// The instant of a local date seen from a place.
// Given:    date      local date and clock with its zone
//           location  observer's place
// Returned: t         the date and place, julianDay = JulianDayFromDate(date),
//                     and every derived field (AstroTimeUpdate)
void AstroTimeFromDate(const DateTime& date, const ObserverLocation& location, AstroTime& t);

// The instant of a Julian day seen from a place.
// Given:    jd        Julian day (UT)
//           zone      hours east of UT for the local date
//           location  observer's place
// Returned: t         date = local calendar date and clock of jd + zone/24
//                     with that zone, julianDay = jd, and every derived field
void AstroTimeFromJulianDay(double jd, double zone, const ObserverLocation& location,
                            AstroTime& t);

// Recomputes the fields derived from julianDay and the longitude: local
// sidereal time, years since 1975, centuries since J2000, mean obliquity
// with its table sine and cosine, and the precession matrix from the mean
// equator of date to that of J2000.
// Given:    t      julianDay and location.longitude
// Returned: t      localSiderealTime .. precessionToJ2000
void AstroTimeUpdate(AstroTime& t);
