// The constellation layers of the chart: the stick figures between the
// bright stars, the boundaries and the names, all from the built-in tables
// of J2000 unit vectors, so that every view mode draws them alike.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>

// Constellation display-flag bits (byte kFlagConstellations).
constexpr uint8_t kConsName1Flag = 1;    // abbreviation
constexpr uint8_t kConsName2Flag = 2;    // full name
constexpr uint8_t kConsLineFlag = 8;     // stick figures
constexpr uint8_t kConsLimitFlag = 32;   // boundaries

// The stick figures of the whole table, solid in ColorConstLine, when
// CONS_LINE is on.
// Given:    scene   flags, view set-up, GC
//           redraw  drawable, wrap state, clip rectangle
void DrawConstellationLines(Scene& scene, RedrawRecord& redraw);

// The stick figures between two entries of ConstellationLineTable: each
// polyline starts at an entry with kFigureStartFlag and runs to the entry
// before the next such one, which may lie past `end` (the entry after the
// table stops the last one).
// Given:    scene, redraw  as DrawConstellationLines
//           first, end     entry indexes; nothing when first >= end
void DrawConstellationLineRange(const Scene& scene, RedrawRecord& redraw, int32_t first, int32_t end);

// The names at the 89 label points (Serpens twice), in ColorConstNameFont
// with ConstNameFontset: the full name (CONS_NAME2) above the abbreviation
// (CONS_NAME1), both centred on the point's column.
void DrawConstellationNames(Scene& scene, RedrawRecord& redraw);

// The boundaries, dashed in ColorConstBorder with the GC's dash list, when
// CONS_LIMIT is on; the GC is left drawing solid lines.
void DrawConstellationBoundaries(Scene& scene, RedrawRecord& redraw);
