#include "sky/view/clipping.h"

#include <cstdlib>

namespace {

int32_t Left(const XRectangle& clip) { return clip.x; }
int32_t Top(const XRectangle& clip) { return clip.y; }
int32_t Right(const XRectangle& clip) { return int32_t{clip.x} + clip.width; }
int32_t Bottom(const XRectangle& clip) { return int32_t{clip.y} + clip.height; }

bool WithinLimit(int32_t v)
{
    return v >= -kClipCoordinateLimit && v <= kClipCoordinateLimit;
}

// Moves the end (x, y) onto the left or right edge when it lies beyond it.
void ClipInX(const XRectangle& clip, int32_t& x, int32_t& y, int32_t otherX, int32_t otherY, int32_t code)
{
    if (code & kClipLeft) {
        y = ClipIntersect(x, y, otherX, otherY, Left(clip));
        x = Left(clip);
    } else if (code & kClipRight) {
        y = ClipIntersect(x, y, otherX, otherY, Right(clip));
        x = Right(clip);
    }
}

// Moves the end (x, y) onto the top or bottom edge when it lies beyond it.
void ClipInY(const XRectangle& clip, int32_t& x, int32_t& y, int32_t otherX, int32_t otherY, int32_t code)
{
    if (code & kClipAbove) {
        x = ClipIntersect(y, x, otherY, otherX, Top(clip));
        y = Top(clip);
    } else if (code & kClipBelow) {
        x = ClipIntersect(y, x, otherY, otherX, Bottom(clip));
        y = Bottom(clip);
    }
}

}  // namespace

int32_t ClipOutcode(const XRectangle& clip, int32_t x, int32_t y)
{
    int32_t code = 0;
    if (x < Left(clip)) {
        code |= kClipLeft;
    } else if (x > Right(clip)) {
        code |= kClipRight;
    }
    if (y < Top(clip)) {
        code |= kClipAbove;
    } else if (y > Bottom(clip)) {
        code |= kClipBelow;
    }
    return code;
}

int32_t ClipIntersect(int32_t p0, int32_t q0, int32_t p1, int32_t q1, int32_t e)
{
    const int64_t dq = int64_t{q1} - q0;
    const int64_t dp = int64_t{p1} - p0;
    return static_cast<int32_t>(q0 + dq * (int64_t{e} - p0) / dp);
}

int ClipSegment(const XRectangle& clip, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2)
{
    if (!WithinLimit(x1) || !WithinLimit(y1) || !WithinLimit(x2) || !WithinLimit(y2)) {
        return 0;
    }
    int32_t o1 = ClipOutcode(clip, x1, y1);
    int32_t o2 = ClipOutcode(clip, x2, y2);
    if (o1 & o2) {
        return 0;
    }
    // Work on copies: a segment found invisible half-way leaves the ends alone.
    int32_t ax = x1, ay = y1, bx = x2, by = y2;
    ClipInX(clip, ax, ay, bx, by, o1);
    o1 = ClipOutcode(clip, ax, ay);
    if (o1 & o2) {
        return 0;
    }
    ClipInY(clip, ax, ay, bx, by, o1);
    o1 = ClipOutcode(clip, ax, ay);
    if (o1 & o2) {
        return 0;
    }
    ClipInX(clip, bx, by, ax, ay, o2);
    o2 = ClipOutcode(clip, bx, by);
    if (o1 & o2) {
        return 0;
    }
    ClipInY(clip, bx, by, ax, ay, o2);
    o2 = ClipOutcode(clip, bx, by);
    if (o1 & o2) {
        return 0;
    }
    x1 = ax, y1 = ay, x2 = bx, y2 = by;
    return 1;
}

int FitsXCoordinates(int32_t x, int32_t y)
{
    return x >= -32768 && x <= 32767 && y >= -32768 && y <= 32767;
}
