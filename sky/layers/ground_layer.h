// The ground of the horizontal view: the part of the chart below the
// horizon filled in the landscape colour, with the compass letters on it.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <array>

// Horizon points at 5-degree steps from the view's azimuth, 0..130 degrees.
constexpr int kGroundPointCount = 27;

// The horizon on one side of the view, projected: point k is the horizon
// 5 k degrees in azimuth from the view centre (to the left on a normal
// chart); the other side is its mirror image.
// Given:    scene   view set-up of the horizontal view (centre altitude,
//                   vertical field, sky rectangle, projection centre,
//                   scales, centre limit, mirror)
// Returned: points  the projected points 0..count-1 (no gaps)
//           count   of points to use: the scan stops at the first two
//                   horizon points in a row that do not project (the
//                   first of them excluded) or just after the first point
//                   more than 10 pixels beyond a side edge; 26 when
//                   neither happens
int ComputeGroundPolygon(const Scene& scene, std::array<ProjectedPoint, kGroundPointCount>& points);

// The ground polygon: the edge point under the far end of the mirrored
// half, the mirrored points, point 0, the points, and the edge point under
// the last; 2 count + 1 points. The edge is the chart's bottom, or its top
// when the chart is rotated 180 degrees.
// Given:    scene   sky rectangle, projection centre, mirror
//           points  as ComputeGroundPolygon returns them
//           count   at least 2
// Returned: polygon the points (pixels, held within 16 bits)
void GroundPolygonPoints(const Scene& scene, const std::array<ProjectedPoint, kGroundPointCount>& points,
                         int count, std::array<XPoint, 2 * kGroundPointCount + 1>& polygon);

// The ground layer of the horizontal view (under the HORIZON flag): the
// ground in ColorLandscape, then the compass letters when DIR is set.
// Fewer than two horizon points on the chart draw no ground.
// Given:    scene     view set-up, display flags
//           redraw    drawable (the letters are the grid layer's)
void DrawGround(Scene& scene, RedrawRecord& redraw);
