// Disks, flattened disks and the unlit part of a phase, drawn as polygons
// rather than with Xlib's arcs so that they can be flattened, turned, cut by
// a terminator and scaled by the display's pixel aspect ratio. Every outline
// is sampled every 5 degrees on the whole-degree sine table.
//
// The outlines are worked out in 32-bit pixels (DiskPoints, OblateDiskPoints,
// LitPhasePoints: no X involved) and reach Xlib, whose coordinates are
// 16-bit, only after being clipped to the drawing reach of the scene
// (DrawingReach): a disk wholly off the chart draws nothing, and a disk
// larger than the chart is cut down to it instead of wrapping round.
#pragma once

#include "sky/scene.h"

#include <cstdint>
#include <vector>

// A pixel of an outline before clipping.
struct ScreenPoint {
    int32_t x;
    int32_t y;
};

// A rectangle in pixels, both edges included.
struct PixelBounds {
    int32_t left, top, right, bottom;
};

// Points in every full outline: 0, 5, ..., 360 degrees.
constexpr int kDiskOutlinePoints = 73;

// Nearest integer, halves away from zero (x + 0.5 truncated for x >= 0,
// x - 0.5 truncated below).
// Given:    value  any finite value within the int32 range
// Returned: the integer
int32_t RoundToNearest(double value);

// Outline of a disk.
// Given:    cx, cy  centre (pixels)
//           r       radius (pixels)
//           aspect  pixel aspect ratio, multiplies every vertical offset
// Returned: points  73 points, a = 0, 5, ..., 360 degrees:
//                   (cx + round(r cos a), cy - round(r sin a x aspect))
void DiskPoints(int32_t cx, int32_t cy, int32_t r, double aspect, std::vector<ScreenPoint>& points);

// Outline of a flattened, turned disk (Jupiter's globe, Saturn's).
// Given:    cx, cy  centre (pixels)
//           r       equatorial radius (pixels)
//           ratio   axis ratio b/a
//           angle   position angle P of the axis on the screen (degrees)
//           aspect  pixel aspect ratio
// Returned: points  73 points, with u = cos a, v = ratio sin a:
//                   (cx + round((u cos P - v sin P) r),
//                    cy - round((v cos P + u sin P) r aspect))
void OblateDiskPoints(int32_t cx, int32_t cy, int32_t r, double ratio, double angle, double aspect,
                      std::vector<ScreenPoint>& points);

// Outline of the unlit part of a disk: the terminator (37 points) and the
// dark half of the limb (36 points).
// Given:    cx, cy    centre (pixels)
//           r         radius (pixels)
//           fraction  illuminated fraction k, 0..1
//           limbAngle screen angle χ of the bright limb (degrees); the
//                     terminator is turned by θ = χ + 90
//           aspect    pixel aspect ratio
// Returned: points    the 73 points, or none
//           1 with the points; 0 when the unlit part is under half a pixel
//           ((1 - k)(2r + 1) < 0.4) and nothing is to be drawn
// Notes:    a k in (0.01, 1 / (r + 1)] is raised to 1 / (r + 1), so that a
//           thin crescent keeps about one pixel of light.
int LitPhasePoints(int32_t cx, int32_t cy, int32_t r, double fraction, double limbAngle, double aspect,
                   std::vector<ScreenPoint>& points);

// The part of the drawable a disk can be seen in: the sky rectangle and the
// status strip above it, with a margin so that edges added by clipping lie
// off the pixmap.
// Given:    scene  sky rectangle (pixels)
// Returned: the bounds
PixelBounds DrawingReach(const Scene& scene);

// A closed outline cut to a rectangle (Sutherland-Hodgman), for filling.
// Given:    points  the outline, any 32-bit pixels
//           bounds  the rectangle
// Returned: clipped the outline inside the rectangle; empty when none of
//                   the outline's area lies in it
void ClipOutline(const std::vector<ScreenPoint>& points, const PixelBounds& bounds,
                 std::vector<ScreenPoint>& clipped);

// Fills a disk.
// Given:    scene     GC, sky rectangle; gAppEnv pixel aspect
//           drawable  pixmap or window
//           cx, cy    centre (pixels)
//           r         radius (pixels); 0 is a single point
//           pixel     pixel value to fill with
void FillDisk(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, unsigned long pixel);

// Draws the outline of a disk as one thin or AppEnv-wide solid line.
// Given:    as FillDisk; gAppEnv line width
void DrawDiskOutline(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, unsigned long pixel);

// Fills a flattened, turned disk.
// Given:    as FillDisk, with ratio and angle as for OblateDiskPoints
void FillOblateDisk(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double ratio,
                    double angle, unsigned long pixel);

// Fills the unlit part of a disk. The caller fills the whole disk in the
// lit colour first, then calls this with the background's colour index, so
// that k = 0 paints the disk dark and k near 1 leaves it lit.
// Given:    scene       GC, sky rectangle; gAppEnv pixel table and aspect
//           drawable    pixmap or window
//           cx, cy, r   disk (pixels)
//           fraction    illuminated fraction k
//           limbAngle   screen angle of the bright limb (degrees)
//           colorIndex  ColorIndex of the unlit part
void FillLitPhase(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double fraction,
                  double limbAngle, int32_t colorIndex);

// Whether the stars are shown faint enough for the bright galaxies and the
// Magellanic Clouds to count as seen: picking and the picture marks ask.
// Given:    scene  star limiting magnitude in use (tenths)
// Returned: 1 when it is fainter than 3.9 (exceeds 39), else 0
int IsStarLimitFainterThan39(const Scene& scene);
