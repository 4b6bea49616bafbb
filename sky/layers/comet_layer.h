// Loaded comets and minor planets on the chart: the comets' dust and ion
// tails early in the redraw (under the grids, stars and bodies), and the
// markers with their labels inside the solar-system layer. Tails shorten
// as the daylight rises and vanish at level 13; the solar-system views
// show no tails, and no object more than 100 AU from the Sun.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <cstdint>

// Every shown comet: pass 1 its tails, any other pass its marker.
void DrawComets(Scene& scene, RedrawRecord& redraw, int32_t pass);

// Every shown minor planet's marker.
void DrawMinorPlanets(Scene& scene, Drawable drawable);

// The first pass of the comets as a redraw layer.
void DrawCometTailLayer(Scene& scene, RedrawRecord& redraw);

// The tails of comet i that its flag byte asks for, with as many of their
// ten emission points as the daylight leaves (all up to level 3, none from
// level 12 on).
void DrawCometTails(const Scene& scene, RedrawRecord& redraw, int32_t comet);

// The dust fan of comet i over its first n emission points: the weak and
// the strong particle of each emission joined, and each to its neighbour of
// the emission before (ColorCometDulstTail).
void DrawDustTail(const Scene& scene, RedrawRecord& redraw, int32_t comet, int32_t n);

// The ion stream of comet i through its first n emission points
// (ColorCometIonTail).
void DrawIonTail(const Scene& scene, RedrawRecord& redraw, int32_t comet, int32_t n);

// The star-like marker of comet i (colour class 0, never larger than a star
// two magnitudes above the limit) with its labels; in the solar-system
// views its symbol.
void DrawCometMarker(Scene& scene, Drawable drawable, int32_t comet);

// The marker of minor planet i (colour class 4, its own magnitude) with its
// labels; in the solar-system views its symbol.
void DrawMinorPlanetMarker(Scene& scene, Drawable drawable, int32_t minorPlanet);

// Screen point of a tail particle: the double projection in the views
// round a centre (0x1xx), the Q14 one in the maps and the planisphere.
// Given:    comet, step  comet index, emission 0..9
//           force        0 weak, 1 strong (dust only)
// Returned: out, 1 visible; 0 in the solar-system views
int ProjectDustTailPoint(const Scene& scene, int32_t comet, int32_t step, int32_t force, ProjectedPoint& out);
int ProjectIonTailPoint(const Scene& scene, int32_t comet, int32_t step, ProjectedPoint& out);
