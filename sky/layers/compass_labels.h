// Compass letters: the sixteen points of the compass along the horizon of
// the horizontal view, and S, E, N, W around the planisphere.
#pragma once

#include "data/fixed_types.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstddef>

constexpr int kDirectionCount = 16;
// Direction names are read into this many bytes: at most 6 characters.
constexpr size_t kDirectionNameSize = 7;

// The name of compass point n (0 S, 4 E, 8 N, 12 W), from
// "messageDirection%02d", cut to kDirectionNameSize - 1 bytes.
// Given:    n     0..15
// Returned: name  the text (terminated)
void DirectionName(int n, char name[kDirectionNameSize]);

// The sixteen compass names on the horizon of the horizontal view (HRZ
// only), centred under their horizon points; S, E, N, W in
// ColorDirection1Font, the others in ColorDirection2Font.
// Given:    scene     view set-up; its view matrix is replaced by `matrix`
//                     while the names are placed, then restored
//           drawable  target
//           matrix    Q14 horizontal-to-view matrix
void DrawHorizonDirections(Scene& scene, Drawable drawable, const FixedMatrix& matrix);

// S, E, N and W around the planisphere's circle (VOLA), turned with the
// view centre's azimuth.
// Given:    scene     view set-up (sky rectangle, projection centre,
//                     horizontal view centre azimuth, degrees)
//           drawable  target
void DrawPlanisphereDirections(const Scene& scene, Drawable drawable);
