// The star limiting magnitude of each redraw: an automatic value from the
// field of view, the star data, the projection and the daylight, plus the
// offset that MAG STAR, INCMAG and DECMAG keep.
#pragma once

#include "sky/scene.h"

// Automatic star limit of the view.
// Given:    scene  field of view (degrees), star cap, view mode, DAYLIGHT
//                  flag and daylight level (0..72)
// Returned: limiting magnitude x 10
int32_t AutoLimitingMagnitude(const Scene& scene);

// Star limit for the next redraw. A pending MAG STAR request becomes the
// limit now and an offset from the automatic value for later redraws.
// Given:    scene  as AutoLimitingMagnitude, request pending and value,
//                  star offset
// Returned: scene  star limit (magnitude x 10, at most the star cap), star
//                  offset, request cleared
void UpdateLimitingMagnitude(Scene& scene);
