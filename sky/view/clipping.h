// Integer clipping of line segments to a redraw's clip rectangle (the sky
// rectangle), so that lines
// whose ends lie far off the chart reach Xlib (16-bit coordinates) only as
// the part that is on it.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>

// Outcode bits of a point against the clip rectangle; the right and
// bottom edges (x + width, y + height) count as inside.
enum ClipOutcodeBits : int32_t {
    kClipLeft = 1,
    kClipRight = 2,
    kClipAbove = 4,
    kClipBelow = 8,
};

// Ends farther out than this are refused by ClipSegment; the projections
// never produce them.
constexpr int32_t kClipCoordinateLimit = 1 << 30;

// Given:    clip   clip rectangle (pixels)
//           x, y   pixel
// Returned: outcode (ClipOutcodeBits) against the clip rectangle
int32_t ClipOutcode(const XRectangle& clip, int32_t x, int32_t y);

// Where the segment (p0, q0)-(p1, q1) meets the line p = e, in 64-bit
// integer arithmetic with truncating division.
// Given:    p0, q0, p1, q1  ends, within +-kClipCoordinateLimit, p0 != p1
//           e               the p of the line, between p0 and p1
// Returned: q0 + (q1 - q0) x (e - p0) / (p1 - p0)
int32_t ClipIntersect(int32_t p0, int32_t q0, int32_t p1, int32_t q1, int32_t e);

// One Cohen-Sutherland pass: each end moved at most once in x and once in
// y onto the clip rectangle's edges.
// Given:    clip            clip rectangle (pixels)
//           x1, y1, x2, y2  ends of the segment (pixels)
// Returned: x1, y1, x2, y2  ends moved onto the rectangle (unchanged when
//                           nothing is visible)
//           1 when part of the segment lies in the clip rectangle, else 0;
//           0 also for ends beyond +-kClipCoordinateLimit
int ClipSegment(const XRectangle& clip, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);

// Whether a pixel can be handed to Xlib, whose coordinates are 16-bit.
// Given:    x, y   pixel
// Returned: 1 when both lie within -32768..32767
int FitsXCoordinates(int32_t x, int32_t y);
