// The Moon on the chart: its phase, the Earth's umbra on it in a lunar
// eclipse, and its dark disk over the Sun in a solar eclipse.
#pragma once

#include "sky/layers/disk_drawing.h"
#include "sky/redraw_record.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <vector>

// The Earth's umbra at the Moon.
struct EarthShadow {
    double magnitude;       // umbral magnitude; -1.0 when the umbra misses the Moon
    double positionAngle;   // of the anti-Sun point seen from the Moon, degrees
    double distance;        // between the Moon's geocentric centre and the anti-Sun point, degrees
    double radius;          // umbra radius, degrees
};

// The Earth's umbra against the Moon's geocentric disk.
// Given:    sun   geocentric J2000 place, degrees
//           moon  geocentric J2000 place, distance (km) and semidiameter
//                 (degrees)
// Returned: the shadow: radius rho = 0.76 x atan(6378.16 km / distance);
//           when the disks (rho + the Moon's semidiameter) overlap at
//           distance d, magnitude (rho - (d - s)) / (2 s), s the Moon's
//           geocentric semidiameter
EarthShadow EarthShadowOnMoon(const SunRecord& sun, const MoonRecord& moon);

// The part of the Moon's disk inside the umbra.
// Given:    mx, my, r   the Moon's pixel and drawn radius
//           sx, sy, R   the shadow's centre and radius (pixels)
//           fill        1: the closed outline (the umbra's arc inside the
//                       Moon, then the Moon's limb inside the umbra walked
//                       back); 0: the umbra's arc alone
//           aspect      pixel aspect ratio
// Returned: points      the outline; empty when the centres coincide, a
//                       radius is 0 or the circles do not cross
void MoonShadowOutline(int32_t mx, int32_t my, int32_t r, int32_t sx, int32_t sy, int32_t R, int fill, double aspect,
                       std::vector<ScreenPoint>& points);

// Draws MoonShadowOutline in ColorMoonEclipse: filled, or as a line.
// Returned: 1 when anything was drawn, 0 when the circles do not cross
int DrawMoonDisk(Scene& scene, RedrawRecord& redraw, int32_t mx, int32_t my, int32_t r, int32_t sx, int32_t sy, int32_t R,
                 int fill);

// The terminator as a line: the curve of the lit-phase outline sampled
// every 10 degrees (19 points), without the thin crescent's minimum.
void DrawTerminator(Scene& scene, RedrawRecord& redraw, int32_t cx, int32_t cy, int32_t r, double fraction,
                    double limbAngle, unsigned long pixel);

// Visual magnitude x 10 of the Moon at an illuminated fraction, from its
// phase angle i: -12.73 + 0.026 |i| + 4e-9 i^4 (i in degrees).
int32_t MoonMagnitude10(double illuminatedFraction);

// The Moon with its phase, eclipse shading and labels; stores the umbral
// magnitude in the record's screenAngle field for the information box.
// Given:    darkOffset  added to the background colour index for the unlit part
void DrawMoon(Scene& scene, RedrawRecord& redraw, int32_t darkOffset);
