#include "sky/view/clipping.h"

#include <cstdlib>

namespace {

// One rectangle for the whole redraw, taken before the layers are drawn.
XRectangle clipRectangle;

int32_t Left() { return clipRectangle.x; }
int32_t Top() { return clipRectangle.y; }
int32_t Right() { return int32_t{clipRectangle.x} + clipRectangle.width; }
int32_t Bottom() { return int32_t{clipRectangle.y} + clipRectangle.height; }

bool WithinLimit(int32_t v)
{
    return v >= -kClipCoordinateLimit && v <= kClipCoordinateLimit;
}

// Moves the end (x, y) onto the left or right edge when it lies beyond it.
void ClipInX(int32_t& x, int32_t& y, int32_t otherX, int32_t otherY, int32_t code)
{
    if (code & kClipLeft) {
        y = ClipIntersect(x, y, otherX, otherY, Left());
        x = Left();
    } else if (code & kClipRight) {
        y = ClipIntersect(x, y, otherX, otherY, Right());
        x = Right();
    }
}

// Moves the end (x, y) onto the top or bottom edge when it lies beyond it.
void ClipInY(int32_t& x, int32_t& y, int32_t otherX, int32_t otherY, int32_t code)
{
    if (code & kClipAbove) {
        x = ClipIntersect(y, x, otherY, otherX, Top());
        y = Top();
    } else if (code & kClipBelow) {
        x = ClipIntersect(y, x, otherY, otherX, Bottom());
        y = Bottom();
    }
}

}  // namespace

void SetClipRectangle(const Scene& scene)
{
    clipRectangle = scene.view.skyRect;
}

int32_t ClipOutcode(int32_t x, int32_t y)
{
    int32_t code = 0;
    if (x < Left()) {
        code |= kClipLeft;
    } else if (x > Right()) {
        code |= kClipRight;
    }
    if (y < Top()) {
        code |= kClipAbove;
    } else if (y > Bottom()) {
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

int ClipSegment(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2)
{
    if (!WithinLimit(x1) || !WithinLimit(y1) || !WithinLimit(x2) || !WithinLimit(y2)) {
        return 0;
    }
    int32_t o1 = ClipOutcode(x1, y1);
    int32_t o2 = ClipOutcode(x2, y2);
    if (o1 & o2) {
        return 0;
    }
    // Work on copies: a segment found invisible half-way leaves the ends alone.
    int32_t ax = x1, ay = y1, bx = x2, by = y2;
    ClipInX(ax, ay, bx, by, o1);
    o1 = ClipOutcode(ax, ay);
    if (o1 & o2) {
        return 0;
    }
    ClipInY(ax, ay, bx, by, o1);
    o1 = ClipOutcode(ax, ay);
    if (o1 & o2) {
        return 0;
    }
    ClipInX(bx, by, ax, ay, o2);
    o2 = ClipOutcode(bx, by);
    if (o1 & o2) {
        return 0;
    }
    ClipInY(bx, by, ax, ay, o2);
    o2 = ClipOutcode(bx, by);
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
