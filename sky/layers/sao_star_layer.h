// The SAO star layer: when the SAO star file is the star data in use
// (STARDATA SAO), the stars come from that file, zone by zone around the
// view, down to the star limit; names and designations still come from
// the built-in catalogue.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <cstdio>

// 1 when the SAO star file (gAppEnv->saoFile) is readable: the star dialog
// offers the SAO choice then.
int IsSaoFileAvailable();

// The layer. Reads each zone whose circle meets the view circle, each down
// to the star limit.
// Returned: 1 when drawn, or when the STAR flag is off; 0 when the file
//           cannot be opened or is not an SAO star file (wrong magic or
//           size), with nothing drawn
int DrawSaoStars(Scene& scene, RedrawRecord& redraw);

// Whether zone z of the file is to be read for a view circle: its centre
// closer to the view's centre than the two radii together.
struct StarViewCircle;
int SaoZoneMeetsView(const StarViewCircle& view, int32_t z);

// Draws up to `count` records of a zone from the file's position, ending at
// the first star fainter than the star limit or at a short read. No
// horizon extinction.
void DrawSaoZone(const Scene& scene, RedrawRecord& redraw, FILE* file, int32_t count);

// The magnitude label of an SAO star: "%02d" of mag10 up to 9.9, "%03d"
// from 10.0, "-0%d" from -0.9 to -0.1, in StarMagFontset and
// ColorStarMagFont, centred under the symbol.
// Given:    p      the star's projected point
//           size   its symbol size (DrawStar's)
//           mag10  magnitude x 10
void DrawSaoMagnitudeLabel(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& p, int size, int32_t mag10);

// Names and designations of the built-in stars `last` down to 0 over the
// SAO stars: symbol size 4, no magnitude text.
void DrawBrightStarLabelsOverSao(const Scene& scene, RedrawRecord& redraw, int32_t last);
