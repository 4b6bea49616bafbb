// A pen that draws a polyline of sky directions point by point, joining
// only neighbours that are both visible, so that a hidden point breaks the
// line instead of drawing it across the chart.
#pragma once

#include "data/fixed_types.h"
#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>

struct Pen {
    int32_t visible;          // 1 when the last point projected
    ProjectedPoint last;
    RedrawRecord* redraw;
    const Scene* scene;
};

// Starts a polyline at a direction.
// Given:    v         Q14 unit vector, J2000 equatorial
//           scene     view set-up and GC
//           redraw    drawable, wrap state, clip rectangle
// Returned: the pen at the projected point
Pen PenMoveTo(const FixedVector& v, const Scene& scene, RedrawRecord& redraw);

// Continues the polyline: draws from the last point when both are visible.
// Given:    v    Q14 unit vector, J2000 equatorial
//           pen  from PenMoveTo or an earlier PenLineTo
// Returned: pen  at the new point, with its visibility
void PenLineTo(const FixedVector& v, Pen& pen);

// Sets the scene's GC for plain lines in a colour: the user's line width,
// solid, butt caps, miter joins.
// Given:    pixel  the colour's pixel value
void UseSolidPen(const Scene& scene, unsigned long pixel);

// Sets the scene's GC for dashed lines in a colour: the user's line width,
// on-off dashes of the X default list (4 on, 4 off, from offset 0), butt
// caps, miter joins. The list is set each time: a user LINE pattern
// changes the GC's list, and a dashed grid or boundary drawn after it, in
// this chart or the next, would otherwise take that pattern.
// Given:    pixel  the colour's pixel value
void UseDashedPen(const Scene& scene, unsigned long pixel);
