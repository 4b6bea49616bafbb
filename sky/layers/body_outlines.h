// Outlines of the body layer that are not whole disks (the Earth's shadow
// on the Moon, the terminator line, Saturn's rings), handed to Xlib only
// after clipping: a shadow or a ring of a deeply magnified body can reach
// far beyond X's 16-bit coordinates.
#pragma once

#include "sky/layers/disk_drawing.h"
#include "sky/redraw_record.h"
#include "sky/scene.h"

#include <vector>

// A closed outline filled after it is cut to the drawing reach.
// Given:    points   the outline, any 32-bit pixels
//           pixel    pixel value to fill with
//           winding  1: WindingRule and a non-convex shape (rings);
//                    0: the GC's even-odd rule and a complex shape
void FillBodyOutline(Scene& scene, Drawable drawable, const std::vector<ScreenPoint>& points, unsigned long pixel,
                     int winding);

// An open polyline drawn as segments cut to the redraw's clip rectangle,
// in a solid line of the AppEnv width.
void DrawBodyPolyline(Scene& scene, RedrawRecord& redraw, const std::vector<ScreenPoint>& points, unsigned long pixel);

// Whether a body of radius r at (x, y) can reach the drawing area; disks far
// off it are skipped before any outline is worked out.
// Given:    x, y  centre (pixels); r radius (pixels), anything >= 0
int BodyNearDrawingArea(const Scene& scene, int32_t x, int32_t y, double r);
