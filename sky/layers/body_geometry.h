// The measures on the chart that every body drawing shares: the drawn
// radius of a disk, the screen direction of celestial north at a body, and
// whether position angles turn the other way on a flipped chart. The Sun,
// the Moon and the planets each take them from here.
#pragma once

#include "sky/scene.h"

#include <cstdint>

// Largest drawn disk radius: huge magnifications stay integers. Pixels.
constexpr double kLargestDiskRadius = 16777216.0;   // 2^24

// The unit vector of a direction.
// Given:    ra, dec  degrees
// Returned: v        unit vector, x toward RA 0, z toward the pole
void UnitVector(double ra, double dec, double v[3]);

// Drawn radius of a body's disk.
// Given:    semidiameter  degrees
//           scene         pixels per radian
// Returned: r0 = (int)(semidiameter in radians x pixels per radian + 0.5),
//           held within 0..kLargestDiskRadius
int32_t BodyDiskRadius(const Scene& scene, double semidiameter);

// Screen direction of celestial north at a body, which position angles on
// the sky (bright limbs, axes) are added to.
// Given:    ra, dec  J2000 place of the body, degrees
//           r0       its true disk radius (pixels): the probe point north of
//                    it lies 4 degrees off below 2 pixels, 2 below 3, else
//                    0.5
//           x, y     the body's pixel
// Returned: 270 - atan2(y' - y, x' - x) in degrees for the probe's pixel
//           (x', y'); 0 when the probe is not on the chart
double ScreenPositionAngle(const Scene& scene, double ra, double dec, int32_t r0, int32_t x, int32_t y);

// Whether the chart shows the sky flipped left to right (MIRROR 2; the
// planisphere is never flipped), so that position angles on the sky turn
// the other way on the screen.
int PositionAnglesMirrored(const Scene& scene);
