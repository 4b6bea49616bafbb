// View set-up before each redraw: the scene's view settings (mode, centre,
// field of view, sky rectangle) turned into what the projections read —
// pixel scales, projection centre, cull limit around the view axis and the
// three view rotations — and the bounds of the field of view.
#pragma once

#include "sky/scene.h"

// Smallest field of view the scale is computed with: keeps pixels per
// radian far inside the int32 range and the Q14 projection sound.
constexpr double kSmallestFieldOfView = 0.01;

// Pixel scales, screen centre, cull limit and pixels per degree of the
// scene's view mode. The field of view is first brought within
// kSmallestFieldOfView and MaxFieldOfView (and stored back); ZOOM's
// minimum field does not bound it.
// Given:    scene  view mode, field of view (degrees), sky rectangle,
//                  solar-system view width (AU)
// Returned: scene  field of view, vertical field and diagonal field
//                  (degrees); x/y scale (integer pixels per radian) and
//                  pixelsPerRadianX/Y; solar-system scale (pixels per AU);
//                  screen centre (pixels); circle radius (pixels, VOLA);
//                  centre limit (Q14 cosine and double); pixels per degree
void ComputeViewScale(Scene& scene);

// The horizon matrix (J2000 to the site's horizontal frame), the
// horizontal-to-view matrix and the view matrix of the horizontal modes,
// in double and Q14.
// Given:    scene  current AstroTime (local sidereal time, latitude,
//                  precession matrix), horizontal view centre (degrees),
//                  vertical field and screen centre (from ComputeViewScale)
// Returned: scene  matrices[0..2] and matricesDouble[0..2]
void ComputeViewBaseMatrices(Scene& scene);

// View matrix of the equator-of-date modes (EQT, SOL1, ALL1_EQT, ALL2_EQT):
// RotationZY(L, -B) x inverse(precession), B = 0 in the whole-sky maps.
// Given:    scene  view centre (degrees, frame of date), precession matrix
// Returned: scene  view matrix (first) in double and Q14
void ComputeViewMatricesEqtDate(Scene& scene);

// View matrix of the ecliptic modes (ECL, SOL2, ALL1_ECL, ALL2_ECL).
// Given:    scene  view centre (ecliptic longitude/latitude of date,
//                  degrees), mean obliquity, precession matrix
// Returned: scene  view matrix (first) in double and Q14
void ComputeViewMatricesEcliptic(Scene& scene);

// View matrix of the galactic modes (GAL, SOL3, ALL1_GAL, ALL2_GAL),
// straight from J2000.
// Given:    scene  view centre (galactic longitude/latitude, degrees)
// Returned: scene  view matrix (first) in double and Q14
void ComputeViewMatricesGalactic(Scene& scene);

// All view rotations of the scene's mode: the base matrices always, then
// the view matrix of the mode's frame.
// Given:    scene  as the functions above
// Returned: scene  matrices and matricesDouble
void ComputeViewMatrices(Scene& scene);

// Keeps the vertical extent of the horizontal view (HRZ) within 110
// degrees; other modes are left alone.
// Given:    scene  view mode, field of view (degrees), sky rectangle
//           apply  1: store the reduced field of view
// Returned: 1
int ClampFieldOfView(Scene& scene, int apply);

// Widest field of view the window shape allows: 110 degrees vertically in
// HRZ, 180 otherwise, at most 180 across.
// Given:    scene  view mode, sky rectangle
// Returned: degrees, rounded to 0.1
double MaxFieldOfView(const Scene& scene);

// The height of a screen pixel over its width that the chart is drawn
// with: AppEnv's, 1 when it is unset (or there is no AppEnv yet).
double PixelAspect();
