// The record of one drawing of the chart: what the layers gather and keep
// while they draw into one drawable. DrawSky builds one for each redraw and
// passes it to every layer; nothing in it outlives the drawing, so a second
// chart (a test's, one drawn beside the main window's) never shares pending
// lines, points or labels with the first. What must outlive a drawing (the
// Guide Star Catalog's region choice) is kept in the Scene.
#pragma once

#include "sky/colors.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// How lines wrap on the whole-sky maps: none, around the cylinder's sides,
// or behind the ellipse.
enum WrapMode : int32_t {
    kWrapNone = 0,
    kWrapCylinder = 1,
    kWrapEllipse = 2,
};

struct WrapState {
    int32_t mode;          // WrapMode
    int32_t halfWidth;     // cylinder: half the map width (pixels)
    int32_t leftEdge;      // cylinder: left edge column
    int32_t rightEdge;     // cylinder: right edge column + 1
    int32_t centreColumn;  // ellipse: the central meridian's column
};

// The lines of an open SegmentRun, sent as one XDrawSegments.
struct PendingSegments {
    bool open = false;
    GC gc = nullptr;
    std::vector<XSegment> segments;
};

// The star-symbol points of an open StarPointBatch, one list per colour.
// Each send of the pending points starts a new generation, so a cell marked
// in an older one holds nothing pending.
struct PendingPoints {
    bool open = false;
    GC gc = nullptr;
    int width = 0;                  // the back pixmap's size
    int height = 0;
    std::array<std::vector<XPoint>, kPaletteSize> points;
    std::vector<int32_t> colours;   // those with pending points, in the order first used
    int symbols = 0;
    std::vector<uint16_t> cells;    // generation << 8 | colour of the pending points, per 4 x 4 pixels
    int columns = 0;
    int rows = 0;
    int generation = 1;
};

// The grid layer's lines of one colour and dash, gathered while it draws;
// a colour of -1 when the GC holds something else.
struct GridLineStyle {
    bool gathering = false;
    int32_t color = -1;
    int dashed = 0;
};

// The grid-number formats read from the resources so far: a resource
// look-up costs more than the rest of a label.
struct KeptGridFormat {
    const char* key;
    char format[64];
};

struct KeptGridFormats {
    std::array<KeptGridFormat, 8> formats{};
    size_t count = 0;
};

struct RedrawRecord {
    Drawable drawable = None;
    XRectangle clip{};              // lines reach Xlib only inside it
    WrapState wrap{};
    PendingSegments segments;
    PendingPoints points;
    GridLineStyle gridLines;
    KeptGridFormats gridFormats;
};

// The record for drawing the scene's chart into a drawable, as DrawSky
// starts one: the wrap state (SetWrapMode) and the clip rectangle
// (SetClipRectangle) of the scene, nothing pending. Other drawings of the
// chart (a test's, a benchmark's) start theirs here.
// Given:    scene     view mode, sky rectangle, screen centre
//           drawable  target
RedrawRecord StartRedraw(const Scene& scene, Drawable drawable);

// The wrap state of the scene's view mode, taken before the layers are
// drawn and again by the grid layer: ALL1 maps wrap around the cylinder's
// sides (left edge the sky rectangle's x, right edge x + width + 1, half
// width half their distance), ALL2 maps behind the ellipse (centre column
// the screen centre's x), other modes not at all. It is kept in the
// redraw's record, not in the process, so that two charts never share it.
// Given:    scene  view mode, sky rectangle, screen centre
// Returned: the wrap state for the redraw's record
WrapState SetWrapMode(const Scene& scene);

// The clip rectangle of a redraw, taken before the layers are drawn: a
// copy of the sky rectangle, kept in the redraw's record like the wrap
// state.
// Given:    scene  sky rectangle
// Returned: the clip rectangle for the redraw's record
XRectangle SetClipRectangle(const Scene& scene);
