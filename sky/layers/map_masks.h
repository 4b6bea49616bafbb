// Backgrounds and masks of the views whose sky does not fill the sky
// rectangle: the planisphere circle (VOLA), the Aitoff ellipse (ALL2) and
// the cylindrical map's polar bands (ALL1). Outside the sky is painted in
// ColorPlanisphereBack, the sky itself in the scene's background colour.
#pragma once

#include "sky/colors.h"
#include "sky/scene.h"

#include <X11/Xlib.h>


// Room for the densest half ellipse (step 2: 91 points) and two corners.
constexpr int kHalfEllipsePoints = 93;

// Points of half a circle or of half an ellipse half as high as wide,
// from the top (angle 90) through the side (angle 0) to the bottom.
// Given:    cx, cy     centre (pixels)
//           r          horizontal radius (pixels, 0 or more)
//           step       degrees between points; divides 90
//           flip       0 right half, 1 left half
//           yDivisor   1 circle, 2 ellipse
// Returned: points     points 0..n, held within the 16-bit range
//           n = 180 / step
int BuildHalfEllipse(XPoint* points, int32_t cx, int32_t cy, int32_t r, int32_t step, int32_t flip,
                     int32_t yDivisor);

// Planisphere background: the sky rectangle outside the circle, the sky
// colour inside.
// Given:    scene     sky rectangle, screen centre, circle radius, GC,
//                     background ColorIndex
//           drawable  target
void FillPlanisphereBackground(const Scene& scene, Drawable drawable);

// Aitoff background: the sky rectangle outside the ellipse of width w - 2,
// the sky colour inside.
// Given:    scene, drawable as FillPlanisphereBackground
void FillAitoffBackground(const Scene& scene, Drawable drawable);

// Paints over whatever the layers drew outside the Aitoff ellipse.
// Given:    scene, drawable as FillPlanisphereBackground
void MaskAitoffMap(const Scene& scene, Drawable drawable);

// Paints over the cylindrical map beyond latitude +-70 degrees.
// Given:    scene     sky rectangle, screen centre, pixels per radian in y
//           drawable  target
void MaskCylindricalMap(const Scene& scene, Drawable drawable);

// Paints over whatever the layers drew outside the planisphere circle.
// Given:    scene, drawable as FillPlanisphereBackground
void MaskPlanisphere(const Scene& scene, Drawable drawable);
