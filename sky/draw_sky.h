// The chart: time, view and positions brought up to date, then every layer
// drawn in a fixed order, the status strip last.
#pragma once

#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>

// The cull limits a layer is drawn with, saved while they are widened.
struct ViewLimitsSave {
    double centreLimit;
    double horizonLimit;
    int32_t centreLimitFixed;   // Q14
    int32_t horizonLimitFixed;  // Q14
};

// Lowest centre limit a widened layer gets (Q14): points within a few
// degrees of the point opposite the view axis would land arbitrarily far off.
constexpr int32_t kLowestWidenedCentreLimit = -16344;

// Loosens the cull limits for one layer whose lines and shapes may cross the
// chart's edge. In Q14 a margin of 2048 lowers the cosine limit by 0.125; a
// horizon limit of -8192 admits points 30 degrees below the horizon axis,
// -16384 all.
// Given:    margin        Q14 amount the centre limit is lowered by (not
//                         below -16344)
//           horizonLimit  Q14 horizon limit to use
// Returned: scene         both limits, Q14 and double
//           save          the limits before
void WidenViewLimits(int32_t margin, int32_t horizonLimit, Scene& scene, ViewLimitsSave& save);

// Puts back the limits WidenViewLimits saved.
void RestoreViewLimits(Scene& scene, const ViewLimitsSave& save);

// Rebuilds the scene's time record from its date and site; with a Sun-event
// lock (STIME) the clock moves to the locked event of the date: sunrise or
// sunset plus the lock's minutes, or the Sun's passage through the lock's
// altitude. On a date without that event the clock stays as set.
// Given:    scene  date, location, Sun-event lock
// Returned: scene  time record
void ApplySunEventTime(Scene& scene);

// Turns the view toward the target when it is to be centred: always in the
// horizontal view while the keep-centred flag is on, else once after LOOK
// or at every redraw while tracking.
// Given:    scene  keep-centred flag, view mode, centring state, target
// Returned: scene  target type (bit 15 cleared outside HRZ), centring state
//                  (1 becomes 0)
void UpdateViewCenter(Scene& scene);

// Draws the whole chart.
// Given:    scene     everything the layers read; the sky rectangle and
//                     GC of the canvas
//           drawable  the back pixmap
// Returned: scene     time record, view set-up, daylight level, faint-star
//                     colour, star limit, last solar-system update
void DrawSky(Scene& scene, Drawable drawable);
