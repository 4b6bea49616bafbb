// Sky projections: a direction (J2000 unit vector, Q14 or double) to a
// pixel of the sky rectangle, for every view mode.
//
// Azimuthal equidistant (HRZ, EQT, ECL, GAL, SOL1-3, VOLA with the axis at
// the zenith) in a fast Q14 form below 80 pixels per degree and a precise
// double form from there on; equidistant cylindrical (ALL1); Aitoff (ALL2).
// All read the view set up by ComputeViewScale and ComputeViewMatrices.
//
// Pixel coordinates are held within +-kProjectionLimit, so that the
// clipping arithmetic never overflows; only clipped lines and points inside
// the 16-bit range ever reach Xlib.
#pragma once

#include "data/fixed_types.h"
#include "sky/scene.h"

#include <cstdint>

// Result of every projection. Every field is written by every projection
// (0 where a projection has nothing to say).
struct ProjectedPoint {
    int32_t x;          // pixel column
    int32_t y;          // pixel row
    int32_t altitude;   // HRZ/VOLA: Q14 sine of the altitude;
                        // ALL1/ALL2: rotated z component (Q14) x 65536
    int32_t centre;     // azimuthal: Q14 cosine to the view axis;
                        // ALL2: cos(longitude / 2) (Q14) x 65536, 0x40000000 at a pole
};

constexpr int32_t kProjectionLimit = 1 << 30;
constexpr double kPrecisePixelsPerDegree = 80.0;
constexpr int32_t kAitoffPoleCentre = 0x40000000;

// Projects a Q14 direction with the scene's view mode; the precise
// azimuthal forms from 80 pixels per degree on (or when the scale is NaN).
// Given:    scene  view set-up
//           v      Q14 unit vector, J2000 equatorial
// Returned: out    pixel and the cull quantities
//           1 when the point is visible, else 0 (out still filled)
int ProjectPoint(const Scene& scene, const FixedVector& v, ProjectedPoint& out);

// Projects a double direction (Sun, Moon, planets, tails). Azimuthal modes
// only: the whole-sky maps return 0.
// Given:    scene  view set-up
//           v      unit vector, J2000 equatorial
// Returned: out    pixel, altitude and centre (Q14)
//           1 when visible, else 0
int ProjectPointDouble(const Scene& scene, const double v[3], ProjectedPoint& out);

// theta / sin(theta) of the angle to the view axis, with a divisor that
// keeps it in range far from the axis (the caller multiplies the scale by
// the divisor).
// Given:    c        Q14 cosine of theta
// Returned: k        Q14 theta / sin(theta), divided by the divisor
//           divisor  1, 10 (c < -4239) or 100 (c < -15394)
//           k
int32_t AzimuthalFactorFixed(int32_t c, int32_t& k, int32_t& divisor);

// The azimuthal forms, by name; ProjectPoint picks one.
// Given:    scene, v as ProjectPoint
// Returned: out, 1 when visible
//
// HRZ and VOLA, Q14 throughout; culls at the centre and horizon limits;
// MIRROR 1 turns the chart 180 degrees with the horizon at the top.
int ProjectAzimuthalHorizonFixed(const Scene& scene, const FixedVector& v, ProjectedPoint& out);
// EQT, ECL, GAL and SOL1-3, Q14 throughout; centre cull only.
int ProjectAzimuthalFixed(const Scene& scene, const FixedVector& v, ProjectedPoint& out);
// HRZ and VOLA, Q14 culls, double projection.
int ProjectAzimuthalHorizonPrecise(const Scene& scene, const FixedVector& v, ProjectedPoint& out);
// EQT, ECL, GAL and SOL1-3, Q14 cull, double projection.
int ProjectAzimuthalPrecise(const Scene& scene, const FixedVector& v, ProjectedPoint& out);

// HRZ and VOLA for a double vector, double culls.
int ProjectAzimuthalHorizonDouble(const Scene& scene, const double v[3], ProjectedPoint& out);
// EQT, ECL, GAL and SOL1-3 for a double vector, double cull.
int ProjectAzimuthalDouble(const Scene& scene, const double v[3], ProjectedPoint& out);

// The azimuthal projection with a caller's frame matrix in place of the
// view matrix (the ground layer projects horizontal-frame points with it).
// Given:    frame  Q14 matrix from the vector's frame to the view frame
//           scene  view set-up (scales, limits, centre, mirror)
//           v      Q14 unit vector in the frame's source frame
// Returned: out    pixel and centre
//           1 when visible; 0 behind the centre limit or, on the precise
//           path, beyond the 16-bit pixel range
int ProjectAzimuthalInFrame(const FixedMatrix& frame, const Scene& scene, const FixedVector& v,
                            ProjectedPoint& out);

// Equidistant cylindrical map (ALL1): x = cx - longitude x w / 2pi around
// the view centre; latitudes beyond about 79.85 degrees are not visible.
// Given:    scene, v as ProjectPoint
// Returned: out    pixel; altitude = rotated z (Q14) x 65536; centre 0
//           1 when visible
int ProjectCylindrical(const Scene& scene, const FixedVector& v, ProjectedPoint& out);

// Aitoff map (ALL2) of a J2000 direction; always visible.
// Given:    scene, v as ProjectPoint
// Returned: out as ProjectAitoffCore, 1
int ProjectAitoff(const Scene& scene, const FixedVector& v, ProjectedPoint& out);

// Aitoff map of a direction already in the map frame: the whole sphere
// fills an ellipse of width w and height w / 2 around the screen centre.
// Given:    scene  screen centre, x/y scale
//           u      Q14 unit vector of the map frame (x toward the centre)
// Returned: out    pixel; altitude = u.z x 65536; centre = cos(longitude/2)
//                  (Q14) x 65536, kAitoffPoleCentre at a pole
void ProjectAitoffCore(const Scene& scene, const FixedVector& u, ProjectedPoint& out);
