// The epochs and units the whole astronomy library counts from. Julian days
// are those of the standard epochs; every routine that names one of these
// takes it from here, so that a frame or a time argument cannot drift from
// another by a mistyped digit.
#pragma once

// J2000.0 (2000 January 1, 12h), the epoch of the stored places: Julian day.
constexpr double kJ2000 = 2451545.0;

// The equinox of the EQT_B1950 frame: Julian day, the Besselian epoch
// B1950.0 (2433282.4235) taken at its whole day.
constexpr double kB1950 = 2433282.0;

// Days in a Julian century, the unit of the IAU time arguments.
constexpr double kDaysPerJulianCentury = 36525.0;

constexpr double kMinutesPerDay = 1440.0;

// The astronomical unit in kilometres (IAU 1976).
constexpr double kAstronomicalUnitKm = 149597870.0;
