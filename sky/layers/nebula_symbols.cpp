// The nebula symbol tables and the bitmaps made from them.
#include "sky/layers/nebula_symbols.h"

#include <algorithm>

namespace {

constexpr int32_t kMagnitudesPerClass = 60;   // 6.0 magnitudes

std::array<NebulaSymbol, kNebulaSymbolCount> MakeSymbolTable()
{
    std::array<NebulaSymbol, kNebulaSymbolCount> table{};
    for (int i = 0; i < kNebulaSymbolCount; ++i) {
        table[i] = NebulaSymbol{kNebulaSymbolSize, kNebulaSymbolSize, NebulaSymbolBits[i], None};
    }
    return table;
}

}  // namespace

std::array<NebulaSymbol, kNebulaSymbolCount> NebulaSymbolTable = MakeSymbolTable();

int32_t NebulaSizeClass(int32_t mag10) { return std::min(mag10 / kMagnitudesPerClass, int32_t{2}); }

int NebulaSymbolPixel(int32_t index, int col, int row)
{
    return (NebulaSymbolBits[index][row * 2 + col / 8] >> (col % 8)) & 1;
}

const std::array<unsigned char, kNebulaStripRowBytes * kNebulaStripHeight>& NebulaSymbolStrip()
{
    static const auto strip = [] {
        std::array<unsigned char, kNebulaStripRowBytes * kNebulaStripHeight> bits{};
        bits.fill(0xff);   // the padding bits past column 161 stay set: they are never copied
        for (int type = 0; type < kNebulaSymbolTypes; ++type) {
            for (int sizeClass = 0; sizeClass < kNebulaSizeClasses; ++sizeClass) {
                const int index = type * kNebulaSizeClasses + sizeClass;
                for (int row = 0; row < kNebulaSymbolSize; ++row) {
                    for (int col = 0; col < kNebulaSymbolSize; ++col) {
                        if (!NebulaSymbolPixel(index, col, row)) {
                            continue;
                        }
                        const int x = type * kNebulaSymbolSize + col;
                        const int y = sizeClass * kNebulaSymbolSize + row;
                        bits[y * kNebulaStripRowBytes + x / 8] &= static_cast<unsigned char>(~(1u << (x % 8)));
                    }
                }
            }
        }
        return bits;
    }();
    return strip;
}

void CreateNebulaSymbolBitmaps(Display* display, Drawable window)
{
    for (NebulaSymbol& symbol : NebulaSymbolTable) {
        symbol.bitmap = XCreateBitmapFromData(display, window, reinterpret_cast<const char*>(symbol.data),
                                              static_cast<unsigned int>(symbol.width),
                                              static_cast<unsigned int>(symbol.height));
    }
}

void FreeNebulaSymbolBitmaps(Display* display)
{
    for (NebulaSymbol& symbol : NebulaSymbolTable) {
        if (symbol.bitmap != None) {
            XFreePixmap(display, symbol.bitmap);
            symbol.bitmap = None;
        }
    }
}
