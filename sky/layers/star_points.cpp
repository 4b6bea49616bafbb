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

void NextGeneration(PendingPoints& p)
{
    if (++p.generation == kGenerations) {
        std::fill(p.cells.begin(), p.cells.end(), uint16_t{0});
        p.generation = 1;
    }
}

void SendPoints(Drawable drawable, GC gc, int32_t colorIndex, XPoint* points, size_t count)
{
    Display* display = gAppEnv->display;
    XSetForeground(display, gc, gAppEnv->pixels[colorIndex]);
    XDrawPoints(display, drawable, gc, points, static_cast<int>(count), CoordModeOrigin);
}

void OpenBatch(const Scene& scene, PendingPoints& p)
{
    p.open = true;
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

CellSpan CellsUnder(const PendingPoints& p, int left, int top, int right, int bottom)
{
    return CellSpan{std::max(left, 0) >> kCellShift, std::min(right, p.width - 1) >> kCellShift,
                    std::max(top, 0) >> kCellShift, std::min(bottom, p.height - 1) >> kCellShift};
}

bool CoversOtherColour(const PendingPoints& p, const CellSpan& span, int32_t colorIndex)
{
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

void MarkCells(PendingPoints& p, const CellSpan& span, int32_t colorIndex)
{
    const auto mark = static_cast<uint16_t>(p.generation << 8 | colorIndex);
    for (int row = span.row0; row <= span.row1; ++row) {
        uint16_t* cell = &p.cells[static_cast<size_t>(row) * p.columns];
        for (int column = span.column0; column <= span.column1; ++column) {
            cell[column] = mark;
        }
    }
}

void GatherSymbol(RedrawRecord& redraw, int x, int y, const SymbolShape& shape, int32_t colorIndex)
{
    PendingPoints& p = redraw.points;
    const int left = x + shape.left;
    const int right = x + shape.right;
    const int top = y + shape.top;
    const int bottom = y + shape.bottom;
    if (right < 0 || left >= p.width || bottom < 0 || top >= p.height) {
        return;   // wholly off the pixmap
    }
    const CellSpan span = CellsUnder(p, left, top, right, bottom);
    if (CoversOtherColour(p, span, colorIndex)) {
        FlushStarPoints(redraw);
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
    MarkCells(p, span, colorIndex);
    if (++p.symbols >= gRedrawShortcuts.batchSize) {
        FlushStarPoints(redraw);
    }
}

}  // namespace

// A symbol drawn at once: its pixels within the protocol's 16-bit range.
void DrawSymbolPixelsNow(const Scene& scene, Drawable drawable, int x, int y, const SymbolShape& shape,
                         int32_t colorIndex)
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
        SendPoints(drawable, scene.gc, colorIndex, points.data(), kept);
    }
}

void DrawSymbolPixels(const Scene& scene, RedrawRecord& redraw, int x, int y, const SymbolShape& shape,
                      int32_t colorIndex)
{
    if (redraw.points.open) {
        GatherSymbol(redraw, x, y, shape, colorIndex);
    } else {
        DrawSymbolPixelsNow(scene, redraw.drawable, x, y, shape, colorIndex);
    }
}

void FlushStarPoints(RedrawRecord& redraw)
{
    PendingPoints& p = redraw.points;
    if (!p.open || p.colours.empty()) {
        return;
    }
    for (int32_t colorIndex : p.colours) {
        std::vector<XPoint>& points = p.points[colorIndex];
        if (!points.empty()) {
            SendPoints(redraw.drawable, p.gc, colorIndex, points.data(), points.size());
            points.clear();
        }
    }
    p.colours.clear();
    p.symbols = 0;
    NextGeneration(p);
}

StarPointBatch::StarPointBatch(const Scene& scene, RedrawRecord& redraw)
    : redraw_(redraw),
      opened_(!redraw.points.open && redraw.drawable != None && redraw.drawable == scene.backPixmap &&
              scene.backPixmapWidth > 0 && scene.backPixmapHeight > 0)
{
    if (opened_) {
        OpenBatch(scene, redraw.points);
    }
}

StarPointBatch::~StarPointBatch()
{
    if (opened_) {
        FlushStarPoints(redraw_);
        redraw_.points.open = false;
    }
}
