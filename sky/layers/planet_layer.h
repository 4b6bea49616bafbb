// The planets on the chart: star-like points, or magnified disks with
// their phases, Jupiter flattened and Saturn with its rings.
#pragma once

#include "sky/layers/disk_drawing.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <vector>

// Drawn radius of a planet's magnified disk.
// Given:    diameter   apparent diameter, arc seconds
//           scene      DISK_MAG, pixels per radian
// Returned: (int)(diameter / 3600 x 0.5 x DISK_MAG in radians x pixels per
//           radian + 0.5); 1 when that is below 2
int32_t PlanetDiskRadius(const Scene& scene, double diameter);

// Axis ratio of Saturn's globe seen at an angle to its pole.
// Given:    axisAngle  angle between the line of sight and the pole, degrees
// Returned: 0.8923 / sqrt(sin^2 x + 0.79619929 cos^2 x): 0.8923 edge-on, 1 pole-on
double SaturnGlobeRatio(double axisAngle);

// Half of one ring annulus: the outer ellipse every 5 degrees from `from`
// to `to`, then the inner one backwards.
// Given:    cx, cy       Saturn's pixel
//           inner, outer radii of the annulus (pixels)
//           ratio        ellipse axis ratio (cos of the axis angle)
//           angle        screen angle of the ring's major axis (degrees)
//           from, to     degrees along the ellipse, from < to
//           aspect       pixel aspect ratio
// Returned: points
void RingHalfPoints(int32_t cx, int32_t cy, double inner, double outer, double ratio, double angle, int from, int to,
                    double aspect, std::vector<ScreenPoint>& points);

// Fills the two annuli of one half of the rings (B ring 1.503 r to 1.943 r,
// A ring 1.989 r to 2.26 r) with the winding rule.
void FillRingHalf(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double ratio, double angle,
                  int from, int to);

// The rings: the back half (180..360), then the front half (0..180).
void DrawSaturnRings(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double ratio, double angle,
                     int front);

// Saturn: the back half of the rings, the flattened globe, the front half.
// Given:    angle      screen angle of the ring's major axis (degrees)
//           axisAngle  line of sight to the ring pole (degrees)
void DrawSaturn(Scene& scene, Drawable drawable, int32_t cx, int32_t cy, int32_t r, double angle, double axisAngle);

// Planets `first` down to `last` (indexes 0..7, Mercury..Pluto) as points
// or disks with their labels; in the solar-system views as their symbols.
// Given:    darkIndex  ColorIndex of the unlit part of a disk
void DrawPlanets(Scene& scene, Drawable drawable, int32_t first, int32_t last, int32_t darkIndex);
