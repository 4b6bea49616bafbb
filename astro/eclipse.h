// Overlap of two round disks on the sky, and the magnitude of a solar
// eclipse from it.
#pragma once

#include "astro/body_records.h"

#include <cstdint>

// Whether two disks overlap, with the separation of their centres.
// Given:    centre1       {longitude, latitude} of the first centre, degrees
//           centre2       the second centre, same frame
//           radiusSum     sum of the two radii, degrees
// Returned: positionAngle of centre2 seen from centre1, degrees in (0, 360]
//           distance      between the centres, degrees
//           (both left unchanged when a quick test on the raw longitude or
//           latitude difference, more than 1.1 x radiusSum, rules the
//           overlap out)
// Notes:    the quick longitude test is exact only while the centres lie
//           within 24.6 degrees of the equator of their frame; beyond that
//           disks that just touch may be reported apart.
//           1 when distance <= radiusSum, else 0
int32_t DisksOverlap(const double centre1[2], const double centre2[2], double radiusSum,
                     double& positionAngle, double& distance);

// Magnitude of a solar eclipse seen from the site of the Moon's record.
// Given:    moon   topocentric J2000 place (raJ2000, decJ2000) and
//                  semidiameter, degrees
//           sun    J2000 place and semidiameter, degrees
// Returned: sun    eclipseMagnitude = (s - d) / (2 x the Sun's semidiameter),
//                  s the sum of the semidiameters and d the separation of
//                  the centres, above 1 when the Moon covers the Sun with
//                  room to spare, and -1.0 when the disks do not overlap;
//                  eclipsePositionAngle = the Moon's centre seen from the
//                  Sun's, degrees (left as it was when the disks are far apart)
//           1 when the disks overlap, else 0
int32_t SolarEclipseMagnitude(const MoonRecord& moon, SunRecord& sun);
