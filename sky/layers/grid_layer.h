// The coordinate-grid layer: grids of the horizontal, J2000, of-date and
// B1950 equatorial, ecliptic-of-date and galactic frames, their
// fundamental circles and the meridian line, with their numbers.
//
// Each grid is drawn by composing the scene's view and horizon matrices
// with the frame's rotation for the duration of the grid, so the view's
// projection, culls and wrap rules apply to grid lines as they do to stars.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/grid_geometry.h"

#include <X11/Xlib.h>
#include <cstdint>

// Grid style (display-flag byte kFlagGridNumbers, bits 0-1).
enum GridStyle : int {
    kGridNormal = 0,   // dashed main lines
    kGridMode1 = 1,    // solid main lines, subdivided every 5 degrees
    kGridMode2 = 2,    // every 2 degrees (10 minutes)
    kGridMode3 = 3,    // every degree (5 minutes)
};
constexpr uint8_t kGridStyleMask = 3;

// Bits of the grid display-flag bytes.
constexpr uint8_t kHorizonFlag = 64;            // kFlagSkyAndGround
constexpr uint8_t kHrzGridNumFlag = 4;          // kFlagGridNumbers
constexpr uint8_t kEqtGrid2000NumFlag = 8;
constexpr uint8_t kEqtGrid1950NumFlag = 16;
constexpr uint8_t kEqtGridDateNumFlag = 32;
constexpr uint8_t kEclGridNumFlag = 64;
constexpr uint8_t kGalGridNumFlag = 128;
constexpr uint8_t kHrzGridFlag = 1;             // kFlagHorizontalGrid
constexpr uint8_t kDirFlag = 2;
constexpr uint8_t kMeridianFlag = 4;
constexpr uint8_t kEqtGrid2000Flag = 1;         // kFlagEquatorial
constexpr uint8_t kEqtGrid1950Flag = 2;
constexpr uint8_t kEqtGridDateFlag = 4;
constexpr uint8_t kEqt2000Flag = 8;
constexpr uint8_t kEqt1950Flag = 16;
constexpr uint8_t kEqtDateFlag = 32;
constexpr uint8_t kEclGridFlag = 1;             // kFlagOtherGrids
constexpr uint8_t kEclFlag = 2;
constexpr uint8_t kGalGridFlag = 4;
constexpr uint8_t kGalFlag = 8;
constexpr uint8_t kMrdNumFlag = 1;              // kFlagLineNumbers
constexpr uint8_t kEqt2000NumFlag = 2;
constexpr uint8_t kEqt1950NumFlag = 4;
constexpr uint8_t kEqtDateNumFlag = 8;
constexpr uint8_t kEclNumFlag = 16;
constexpr uint8_t kGalNumFlag = 32;

// What DrawHorizontalGrid draws.
enum HorizontalGridPart : int {
    kHorizontalGridLines = 1,
    kHorizonDirectionLabels = 2,   // HRZ only
    kMeridianLinePart = 3,
};

// The grid layer: every grid and circle whose display flag is set, in a
// fixed order (horizontal, J2000, date, B1950, ecliptic, galactic grids;
// meridian; the three equators, ecliptic, galactic equator).
// Given:    scene     view set-up, time, display flags
//           redraw    drawable, wrap state, clip rectangle, grid gathering
// Returned: scene     matrices as they were; the GC's line style solid
void DrawGrids(Scene& scene, RedrawRecord& redraw);

// The horizontal frame's grid (4 quadrants, azimuth labels), compass
// labels or meridian line.
// Given:    scene     view set-up, time, site, display flags
//           redraw    drawable, wrap state, clip rectangle, grid gathering
//           what      HorizontalGridPart
//           style     GridStyle
//           color     ColorIndex of the lines
void DrawHorizontalGrid(Scene& scene, RedrawRecord& redraw, int what, int style, int32_t color);

// The grids (gridOrLine 1) or fundamental circles (0) of the other frames.
// Given:    scene       view set-up, time (Julian day UT, mean obliquity)
//           redraw      drawable, wrap state, clip rectangle, grid gathering
//           gridOrLine  1 grid, 0 circle
//           style       GridStyle
//           color       ColorIndex
void DrawEquatorialGrid2000(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color);
void DrawEquatorialGridDate(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color);
void DrawEquatorialGrid1950(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color);
void DrawEclipticGrid(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color);
void DrawGalacticGrid(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color);

// An equatorial grid or equator of another epoch.
// Given:    scene, redraw, gridOrLine, style, color as above
//           frame       precession matrix from that equator to J2000
//           which       0 of date, 1 B1950 (chooses the label flags)
void DrawPrecessedEquatorialGrid(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style,
                                 const double frame[9], int which, int32_t color);

// A grid of meridians and parallels every hour or 10 degrees up to
// latitude 80, with the pole crosses, in the frame installed in the scene.
// Given:    scene          view set-up with the grid's frame
//           redraw         drawable, wrap state, clip rectangle, grid gathering
//           unit           hours or degrees
//           quadrantCount  8 (whole sphere) or 4 (northern half)
//           style          GridStyle (taken as NORMAL in the whole-sky maps)
//           labelFlag      non-zero: draw the numbers
//           labelKind      GridLabelKind
//           color          ColorIndex
void DrawCoordinateGrid(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int quadrantCount, int style,
                        int labelFlag, int labelKind, int32_t color);

// The fundamental circle (latitude 0) of the frame installed in the scene,
// solid, with longitude numbers when labelFlag is set.
void DrawGreatCircle(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int quadrantCount, int labelFlag,
                     int32_t color);

// The meridian from the south point through the zenith to the north point,
// with altitude numbers when labelFlag is set; horizontal frame installed.
void DrawMeridianLine(const Scene& scene, RedrawRecord& redraw, int labelFlag, int32_t color);

// One grid line between projected points, dashed or solid, with the
// application's line width; wraps as the view's lines do.
void DrawGridSegment(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& a, const ProjectedPoint& b,
                     int dashed, int32_t color);
