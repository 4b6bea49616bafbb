// The points of the star symbols, gathered per colour while a star layer
// draws into the back pixmap and sent as one XDrawPoints request for each
// colour, where one request per star would make a thousand of them a frame.
// The picture stays what drawing star by star gives: a symbol that would
// land on pending points of another colour first sends everything pending
// (a 4 x 4-pixel grid tells, generously, where points are pending), and the
// layers send the pending points before each label they draw, since a later
// symbol may cover an earlier label. Points off the pixmap are dropped.
#pragma once

#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstdint>

// One pixel of a symbol, relative to the star's pixel.
struct SymbolPixel {
    int8_t dx, dy;
};

// A symbol: its pixels and the box they lie in (inclusive, relative).
struct SymbolShape {
    const SymbolPixel* pixels;
    int count;
    int left, top, right, bottom;
};

// The most pixels one symbol may have: the 13-pixel disc of the brightest
// stars with each pixel made a 4 x 4 square (the largest STARSIZE).
constexpr int kMostSymbolPixels = 13 * 4 * 4;

// The shape of `count` pixels with its box worked out.
constexpr SymbolShape ShapeOf(const SymbolPixel* pixels, int count)
{
    SymbolShape shape{pixels, count, 0, 0, 0, 0};
    for (int i = 0; i < count; ++i) {
        shape.left = pixels[i].dx < shape.left ? pixels[i].dx : shape.left;
        shape.right = pixels[i].dx > shape.right ? pixels[i].dx : shape.right;
        shape.top = pixels[i].dy < shape.top ? pixels[i].dy : shape.top;
        shape.bottom = pixels[i].dy > shape.bottom ? pixels[i].dy : shape.bottom;
    }
    return shape;
}

// Draws a symbol's pixels in a colour: gathered while a batch is open on
// the drawable, else sent at once in one request.
// Given:    scene       GC; back pixmap and its size (the open batch's)
//           x, y        the star's pixel
//           shape       the symbol
//           colorIndex  ColorIndex of the points
void DrawSymbolPixels(const Scene& scene, Drawable drawable, int x, int y, const SymbolShape& shape,
                      int32_t colorIndex);

// Sends the pending points (nothing when no batch is open).
void FlushStarPoints();

// Opens the batch for the scene's back pixmap while it lives (a drawable
// other than the back pixmap gets no batch), and sends what is pending when
// it ends. Batches do not nest: an inner one leaves the outer one open.
class StarPointBatch {
public:
    StarPointBatch(const Scene& scene, Drawable drawable);
    ~StarPointBatch();
    StarPointBatch(const StarPointBatch&) = delete;
    StarPointBatch& operator=(const StarPointBatch&) = delete;

private:
    bool opened_;
};
