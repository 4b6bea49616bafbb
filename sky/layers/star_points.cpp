#include "sky/layers/star_points.h"

#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/redraw_shortcuts.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <vector>

namespace {

constexpr int kCellShift = 2;            // cells of 4 x 4 pixels
constexpr int kGenerations = 256;        // a generation is the high byte of a cell

// The open batch. Each send of the pending points starts a new generation,
// so a cell marked in an older one holds nothing pending.
struct PendingPoints {
    Display* display = nullptr;
    Drawable drawable = None;
    GC gc = nullptr;
    int width = 0;
    int height = 0;
    std::array<std::vector<XPoint>, kPaletteSize> points;
    std::vector<int32_t> colours;   // those with pending points, in the order first used
    int symbols = 0;
    std::vector<uint16_t> cells;    // generation << 8 | colour of the pending points
    int columns = 0;
    int rows = 0;
    int generation = 1;
};

PendingPoints gPending;

void NextGeneration()
{
    if (++gPending.generation == kGenerations) {
        std::fill(gPending.cells.begin(), gPending.cells.end(), uint16_t{0});
        gPending.generation = 1;
    }
}

void SendPoints(Display* display, Drawable drawable, GC gc, int32_t colorIndex, XPoint* points, size_t count)
{
    XSetForeground(display, gc, gAppEnv->pixels[colorIndex]);
    XDrawPoints(display, drawable, gc, points, static_cast<int>(count), CoordModeOrigin);
}

void OpenBatch(const Scene& scene, Drawable drawable)
{
    PendingPoints& p = gPending;
    p.display = gAppEnv->display;
    p.drawable = drawable;
    p.gc = scene.gc;
    p.width = scene.backPixmapWidth;
    p.height = scene.backPixmapHeight;
    const int columns = (p.width >> kCellShift) + 1;
    const int rows = (p.height >> kCellShift) + 1;
    if (columns != p.columns || rows != p.rows) {
        p.columns = columns;
        p.rows = rows;
        p.cells.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), uint16_t{0});
        p.generation = 1;
    }
}

// The cells under a symbol's box, clamped to the grid.
struct CellSpan {
    int column0, column1, row0, row1;
};

CellSpan CellsUnder(int left, int top, int right, int bottom)
{
    const PendingPoints& p = gPending;
    return CellSpan{std::max(left, 0) >> kCellShift, std::min(right, p.width - 1) >> kCellShift,
                    std::max(top, 0) >> kCellShift, std::min(bottom, p.height - 1) >> kCellShift};
}

bool CoversOtherColour(const CellSpan& span, int32_t colorIndex)
{
    const PendingPoints& p = gPending;
    for (int row = span.row0; row <= span.row1; ++row) {
        const uint16_t* cell = &p.cells[static_cast<size_t>(row) * p.columns];
        for (int column = span.column0; column <= span.column1; ++column) {
            if ((cell[column] >> 8) == p.generation && (cell[column] & 0xFF) != colorIndex) {
                return true;
            }
        }
    }
    return false;
}

void MarkCells(const CellSpan& span, int32_t colorIndex)
{
    PendingPoints& p = gPending;
    const auto mark = static_cast<uint16_t>(p.generation << 8 | colorIndex);
    for (int row = span.row0; row <= span.row1; ++row) {
        uint16_t* cell = &p.cells[static_cast<size_t>(row) * p.columns];
        for (int column = span.column0; column <= span.column1; ++column) {
            cell[column] = mark;
        }
    }
}

void GatherSymbol(int x, int y, const SymbolShape& shape, int32_t colorIndex)
{
    PendingPoints& p = gPending;
    const int left = x + shape.left;
    const int right = x + shape.right;
    const int top = y + shape.top;
    const int bottom = y + shape.bottom;
    if (right < 0 || left >= p.width || bottom < 0 || top >= p.height) {
        return;   // wholly off the pixmap
    }
    const CellSpan span = CellsUnder(left, top, right, bottom);
    if (CoversOtherColour(span, colorIndex)) {
        FlushStarPoints();
    }
    std::vector<XPoint>& points = p.points[colorIndex];
    if (points.empty()) {
        p.colours.push_back(colorIndex);
    }
    const bool inside = left >= 0 && right < p.width && top >= 0 && bottom < p.height;
    for (int i = 0; i < shape.count; ++i) {
        const int px = x + shape.pixels[i].dx;
        const int py = y + shape.pixels[i].dy;
        if (inside || (px >= 0 && px < p.width && py >= 0 && py < p.height)) {
            points.push_back(XPoint{static_cast<short>(px), static_cast<short>(py)});
        }
    }
    MarkCells(span, colorIndex);
    if (++p.symbols >= gRedrawShortcuts.batchSize) {
        FlushStarPoints();
    }
}

// A symbol drawn at once: its pixels within the protocol's 16-bit range.
void DrawSymbolNow(const Scene& scene, Drawable drawable, int x, int y, const SymbolShape& shape, int32_t colorIndex)
{
    std::array<XPoint, kMostSymbolPixels> points{};
    size_t kept = 0;
    for (int i = 0; i < shape.count && kept < points.size(); ++i) {
        const int px = x + shape.pixels[i].dx;
        const int py = y + shape.pixels[i].dy;
        if (px >= SHRT_MIN && px <= SHRT_MAX && py >= SHRT_MIN && py <= SHRT_MAX) {
            points[kept++] = XPoint{static_cast<short>(px), static_cast<short>(py)};
        }
    }
    if (kept > 0) {
        SendPoints(gAppEnv->display, drawable, scene.gc, colorIndex, points.data(), kept);
    }
}

}  // namespace

void DrawSymbolPixels(const Scene& scene, Drawable drawable, int x, int y, const SymbolShape& shape,
                      int32_t colorIndex)
{
    if (gPending.drawable != None && gPending.drawable == drawable) {
        GatherSymbol(x, y, shape, colorIndex);
    } else {
        DrawSymbolNow(scene, drawable, x, y, shape, colorIndex);
    }
}

void FlushStarPoints()
{
    PendingPoints& p = gPending;
    if (p.drawable == None || p.colours.empty()) {
        return;
    }
    for (int32_t colorIndex : p.colours) {
        std::vector<XPoint>& points = p.points[colorIndex];
        if (!points.empty()) {
            SendPoints(p.display, p.drawable, p.gc, colorIndex, points.data(), points.size());
            points.clear();
        }
    }
    p.colours.clear();
    p.symbols = 0;
    NextGeneration();
}

StarPointBatch::StarPointBatch(const Scene& scene, Drawable drawable)
    : opened_(gPending.drawable == None && drawable != None && drawable == scene.backPixmap &&
              scene.backPixmapWidth > 0 && scene.backPixmapHeight > 0)
{
    if (opened_) {
        OpenBatch(scene, drawable);
    }
}

StarPointBatch::~StarPointBatch()
{
    if (opened_) {
        FlushStarPoints();
        gPending.drawable = None;
    }
}
