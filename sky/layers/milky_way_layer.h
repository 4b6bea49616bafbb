// The outline of the Milky Way, six polylines of J2000 directions.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>

// Milky Way display-flag bit (byte kFlagMilkyWay).
constexpr uint8_t kMilkyWayFlag = 4;

// Daylight level from which the sky is too bright for the Milky Way.
constexpr int32_t kMilkyWayDaylightLimit = 5;

// The outline when MILKYWAY is on and the daylight level is below
// kMilkyWayDaylightLimit.
// Given:    scene   flags, daylight level, view set-up, GC
//           redraw  drawable, wrap state, clip rectangle
void DrawMilkyWay(Scene& scene, RedrawRecord& redraw);

// The six polylines of MilkyWayTable, solid in ColorMilkyWayLine.
void DrawMilkyWayOutline(const Scene& scene, RedrawRecord& redraw);
