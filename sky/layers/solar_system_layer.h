// The Sun, the Moon, the planets and Jupiter's satellites on the chart:
// disks of their apparent size (at least the minimum disk radius), planets
// as star-like points or magnified disks, with their labels; in the
// solar-system views symbols on their orbits. The Moon is drawn last, so
// that it covers the Sun in a solar eclipse.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>

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
void DrawSolarSystemBodies(Scene& scene, RedrawRecord& redraw, int32_t moonDarkOffset);

// DrawSolarSystemBodies as a redraw layer.
void DrawSolarSystemLayer(Scene& scene, RedrawRecord& redraw);
