// The Sun, the Moon, the planets and Jupiter's satellites on the chart:
// disks of their apparent size (at least the minimum disk radius), planets
// as star-like points or magnified disks, with their labels; in the
// solar-system views symbols on their orbits. The Moon is drawn last, so
// that it covers the Sun in a solar eclipse.
#pragma once

#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>

// Drawn radius of a body's disk.
// Given:    semidiameter  degrees
//           scene         pixels per radian
// Returned: r0 = (int)(semidiameter in radians x pixels per radian + 0.5),
//           held within 0..2^24 so that huge magnifications stay integers
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

// The Sun: filled disk (BodyFlags bit 1 clear) or outline, ColorStar3 or
// reddened near the horizon, then its labels; its symbol in the
// solar-system views.
void DrawSun(Scene& scene, Drawable drawable);

// Io..Callisto as single white points when Jupiter and JMOON are shown,
// with their numbers (JMOON_NO) and names (JMOON_NAME).
void DrawJovianSatellites(Scene& scene, Drawable drawable);

// The whole layer: in the solar-system views first the orbits; then the
// planets from Pluto down to Mercury, the minor planets, the comets'
// markers, the satellites, the Sun and last the Moon.
// Given:    moonDarkOffset  added to the background colour index for the
//                           Moon's unlit part (the redraw passes 0)
void DrawSolarSystemBodies(Scene& scene, Drawable drawable, int32_t moonDarkOffset);

// DrawSolarSystemBodies as a redraw layer.
void DrawSolarSystemLayer(Scene& scene, Drawable drawable);

// Whether the chart shows the sky flipped left to right (MIRROR 2; the
// planisphere is never flipped), so that position angles on the sky turn
// the other way on the screen.
int PositionAnglesMirrored(const Scene& scene);
