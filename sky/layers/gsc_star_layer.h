// The Guide Star Catalog layer: when the catalogue is the star data in use
// (STARDATA GSC), the stars are read straight from its CD tree, one region
// file per small region near the view, down to the star limit (17.0 at
// most); names and designations still come from the built-in catalogue.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <cstdint>

// The layer. Loads the region index on first use; draws nothing, and says
// nothing, when the index or a region file cannot be read.
void DrawGscStars(Scene& scene, RedrawRecord& redraw);

// Draws the stars of one region file within the star limit, all in
// ColorStar0, with their magnitude labels when STAR_MAG is on.
void DrawGscRegionFile(const Scene& scene, RedrawRecord& redraw, const char* path);

// The magnitude label of a catalogue star, the same as the SAO layer's
// (DrawSaoMagnitudeLabel): 170 for 17.0.
// Given:    p      the star's projected point
//           size   its symbol size (DrawStar's)
//           mag10  magnitude x 10
void DrawGscMagnitudeLabel(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& p, int size, int32_t mag10);

// Names and designations of the built-in stars `last` down to 0 over the
// catalogue's stars, the same as over the SAO stars
// (DrawBrightStarLabelsOverSao).
void DrawBrightStarLabelsOverGsc(const Scene& scene, RedrawRecord& redraw, int32_t last);
