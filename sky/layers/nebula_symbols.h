// The 9 x 9 symbols of deep-sky objects: one picture per symbol type and
// size class, as single X bitmaps (drawn as stipples on visuals with
// writable colour cells) and as one strip with inverted bits (copied with
// GXor on other visuals).
#pragma once

#include "data/nebula_symbol_bits.h"

#include <X11/Xlib.h>
#include <array>
#include <cstdint>

constexpr int kNebulaStripWidth = kNebulaSymbolTypes * kNebulaSymbolSize;     // 162
constexpr int kNebulaStripHeight = kNebulaSizeClasses * kNebulaSymbolSize;    // 27
constexpr int kNebulaStripRowBytes = (kNebulaStripWidth + 7) / 8;             // 21

struct NebulaSymbol {
    int32_t width;                 // 9
    int32_t height;                // 9
    const unsigned char* data;     // NebulaSymbolBits row
    Pixmap bitmap;                 // made for one redraw, None otherwise
};

// The 54 symbols; their bitmaps exist only between CreateNebulaSymbolBitmaps
// and FreeNebulaSymbolBitmaps.
extern std::array<NebulaSymbol, kNebulaSymbolCount> NebulaSymbolTable;

// The 54 pictures as one bitmap of kNebulaStripWidth x kNebulaStripHeight
// with inverted bits (1 where a picture is empty): symbol type t, size
// class m is the cell at column t x 9, row m x 9.
const std::array<unsigned char, kNebulaStripRowBytes * kNebulaStripHeight>& NebulaSymbolStrip();

// Size class of a magnitude.
// Given:    mag10  magnitude x 10, 255 when not given
// Returned: 0 brighter than 6.0, 1 from 6.0 to 11.9, 2 fainter or no magnitude
int32_t NebulaSizeClass(int32_t mag10);

// Whether the picture of a symbol has a pixel set.
// Given:    index     symbol type x 3 + size class
//           col, row  0..8 within the picture
int NebulaSymbolPixel(int32_t index, int col, int row);

// Makes the 54 single bitmaps on a window of the screen, and frees them.
void CreateNebulaSymbolBitmaps(Display* display, Drawable window);
void FreeNebulaSymbolBitmaps(Display* display);
