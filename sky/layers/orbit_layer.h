// Orbits in the solar-system views: the planets' and the Earth's closed
// curves, the open paths of loaded comets and minor planets, the optional
// axes (SOL_GRID), the Earth, and the symbols every body is drawn as there.
#pragma once

#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>

// Everything of the orbits for one redraw, before the bodies: the planet
// paths are recomputed when the scene's day has moved more than 1000 years
// from theirs.
void DrawOrbits(Scene& scene, Drawable drawable);

// One path, in runs of consecutive visible points (an invisible point ends
// a run, a run of one point is not drawn).
// Given:    points     n heliocentric J2000 points, AU
//           n          their count
//           closed     non-zero: the last point joins the first
//           visible    room for n + 1 ints
//           pixels     room for n + 1 XPoints
//           colorIndex ColorIndex of the path
void DrawOrbitPolyline(const Scene& scene, Drawable drawable, const double (*points)[3], int32_t n, int32_t closed,
                       int* visible, XPoint* pixels, int32_t colorIndex);

// The symbol of a body at its pixel.
// Given:    id     ObjectId: -2 Sun, -3 Earth, 0..7 planets, a loaded
//                  comet or minor planet
// Returned: its size (the label radius): 5 Sun, 4 Jupiter and Saturn, 3
//           Uranus to Pluto, 2 Mercury to Mars and the Earth, 1 comets and
//           minor planets, 0 (nothing drawn) for any other id
int32_t DrawBodySymbol(const Scene& scene, Drawable drawable, int32_t x, int32_t y, int32_t id);

// Two 9-pixel strokes at (x1, y1), 30 degrees either side of the line from
// (x0, y0); nothing when the points coincide. Colour and line as set.
void DrawArrowHead(const Scene& scene, Drawable drawable, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
