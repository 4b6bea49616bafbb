// Lines between projected points on the whole-sky maps: a segment whose
// short way round crosses the map's side edge (cylindrical map) or the
// back meridian (Aitoff ellipse) is drawn as two pieces that end at the
// edge, instead of one line across the whole map.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <cstdint>

// Draws the line a-b with the scene's GC, in one or two clipped pieces by
// the redraw's wrap state; nothing outside its clip rectangle reaches Xlib.
// Given:    scene   display GC
//           redraw  drawable, wrap state, clip rectangle, open run
//           a, b    projected points (pixels)
void DrawProjectedSegment(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& a, const ProjectedPoint& b);

// Given:    wrap   wrap state of the cylindrical map
//           a, b   its projected points
// Returned: 1 when they lie at least half the map width apart in x
int SegmentWrapsCylinder(const WrapState& wrap, const ProjectedPoint& a, const ProjectedPoint& b);

// Given:    wrap   wrap state of the Aitoff map
//           a, b   its projected points (altitude and centre fields as
//                  ProjectAitoffCore leaves them)
// Returned: 1 when the short way between them passes behind the map
int SegmentCrossesEllipseBack(const WrapState& wrap, const ProjectedPoint& a, const ProjectedPoint& b);

// The two points where a segment behind the Aitoff map leaves it: on the
// ellipse's edge at the mean latitude of the ends.
// Given:    scene  view set-up of the map
//           wrap   its wrap state
//           a, b   projected points, in either order
// Returned: left, right  edge points (pixels; only x and y are set)
void SplitAtEllipseEdge(const Scene& scene, const WrapState& wrap, const ProjectedPoint& a, const ProjectedPoint& b,
                        ProjectedPoint& left, ProjectedPoint& right);

// Draws a segment behind the Aitoff map as its two visible pieces: the
// left point to the left edge and the right point to the right edge.
// Given:    scene, redraw, a, b as DrawProjectedSegment
void DrawSplitSegment(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& a, const ProjectedPoint& b);

// Draws one line clipped to the redraw's clip rectangle; a line wholly
// outside it draws nothing.
// Given:    scene           display GC
//           redraw          drawable, clip rectangle, open run
//           x1, y1, x2, y2  ends (pixels, within +-kClipCoordinateLimit)
void DrawClippedLine(const Scene& scene, RedrawRecord& redraw, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// The lines of a layer drawn in one colour and style, gathered in the
// redraw while a run is open and sent as one XDrawSegments when the layer
// flushes them or the run ends, where a call per line would cost more than
// the rest of the line. The server draws the same lines in the same order:
// Xlib would have joined the lines into the same request. The layer sends
// the pending lines before it changes the GC or draws anything else.
// Runs do not nest: an inner one leaves the outer one open.
class SegmentRun {
public:
    SegmentRun(const Scene& scene, RedrawRecord& redraw);
    ~SegmentRun();
    SegmentRun(const SegmentRun&) = delete;
    SegmentRun& operator=(const SegmentRun&) = delete;

private:
    RedrawRecord& redraw_;
    bool opened_;
};

// Sends the lines gathered so far (nothing when no run is open).
void FlushSegmentRun(RedrawRecord& redraw);
