// The chart's star layer: one of the three star catalogues draws the stars.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"

// The star layer of the chart: the built-in stars unless the SAO file or
// the Guide Star Catalog is the star data in use.
void DrawStarLayer(Scene& scene, RedrawRecord& redraw);
