// Which Guide Star Catalog regions a chart needs. Circles around the
// catalogue's large and small regions discard most of the sky; the
// projected outline decides the rest. The choice is kept in the Scene's
// GscSelection and narrowed from one redraw to the next while the view
// neither moves, widens, nor turns.
#pragma once

#include "data/fixed_types.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <vector>

struct GscChoice {
    int32_t region;      // small-region number 1..9537
    int32_t zone;        // its zone, 0..23 (GscZoneTable)
};

// 0 only when the region certainly lies outside the rectangle: its outline,
// sampled along its four edges from the corners, projects wholly above,
// below, left or right of it; 1 when any outline point falls inside or
// does not project.
// Given:    corners  Q14 J2000 corners; 0 and 2 diagonally opposite, 0-1
//                    and 2-3 along parallels
//           rect     pixel rectangle, left and top inclusive
int IsGscRegionInView(const Scene& scene, const FixedVector (&corners)[4], const XRectangle& rect);

// The regions the chart needs, in zone order.
// Given:    scene  view set up for the chart; the kept choice
//           index  the loaded region index (gAppEnv->gscRegionIndex)
// Returned: the chosen regions
//           scene  the choice kept for the next redraw
std::vector<GscChoice> SelectGscRegions(Scene& scene, const void* index);

// Forgets the scene's kept choice, so that the next selection starts afresh.
void ForgetGscSelection(Scene& scene);

// The circle around a lat-lon box given by its corners: centre from their
// vectors, radius the largest corner distance.
// Given:    corners  unit vectors, 0 and 2 diagonally opposite
// Returned: centre   unit vector; radius in degrees
void GscRegionCircle(const double (&corners)[4][3], double (&centre)[3], double& radius);
