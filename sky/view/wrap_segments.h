// Lines between projected points on the whole-sky maps: a segment whose
// short way round crosses the map's side edge (cylindrical map) or the
// back meridian (Aitoff ellipse) is drawn as two pieces that end at the
// edge, instead of one line across the whole map.
#pragma once

#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <vector>

// How lines wrap: none, around the cylinder's sides, or behind the ellipse.
struct WrapState {
    int32_t mode;        // 0 none, 1 cylinder, 2 ellipse
    int32_t halfWidth;   // cylinder: half the map width (pixels)
    int32_t leftEdge;    // cylinder: left edge column
    int32_t rightEdge;   // cylinder: right edge column + 1
    int32_t centreColumn;  // ellipse: the central meridian's column
};

// Takes the wrap state of the scene's view mode for the layers that follow.
// Given:    scene  view mode, sky rectangle, screen centre
void SetWrapMode(const Scene& scene);

// The wrap state in use.
const WrapState& CurrentWrapState();

// Draws the line a-b with the scene's GC, in one or two clipped pieces by
// the wrap mode; nothing outside the clip rectangle reaches Xlib.
// Given:    scene     display GC
//           drawable  target
//           a, b      projected points (pixels)
void DrawProjectedSegment(const Scene& scene, Drawable drawable, const ProjectedPoint& a,
                          const ProjectedPoint& b);

// Given:    a, b   projected points of the cylindrical map
// Returned: 1 when they lie at least half the map width apart in x
int SegmentWrapsCylinder(const ProjectedPoint& a, const ProjectedPoint& b);

// Given:    a, b   projected points of the Aitoff map (altitude and centre
//                  fields as ProjectAitoffCore leaves them)
// Returned: 1 when the short way between them passes behind the map
int SegmentCrossesEllipseBack(const ProjectedPoint& a, const ProjectedPoint& b);

// The two points where a segment behind the Aitoff map leaves it: on the
// ellipse's edge at the mean latitude of the ends.
// Given:    scene  view set-up of the map
//           a, b   projected points, in either order
// Returned: left, right  edge points (pixels; only x and y are set)
void SplitAtEllipseEdge(const Scene& scene, const ProjectedPoint& a, const ProjectedPoint& b,
                        ProjectedPoint& left, ProjectedPoint& right);

// Draws a segment behind the Aitoff map as its two visible pieces: the
// left point to the left edge and the right point to the right edge.
// Given:    scene, drawable, a, b as DrawProjectedSegment
void DrawSplitSegment(const Scene& scene, Drawable drawable, const ProjectedPoint& a,
                      const ProjectedPoint& b);

// Draws one line clipped to the clip rectangle; a line wholly outside it
// draws nothing.
// Given:    scene           display GC
//           drawable        target
//           x1, y1, x2, y2  ends (pixels, within +-kClipCoordinateLimit)
void DrawClippedLine(const Scene& scene, Drawable drawable, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2);

// The lines of a layer drawn in one colour and style, gathered while a run
// is open on the drawable and sent as one XDrawSegments when the layer
// flushes them or the run ends, where a call per line would cost more than
// the rest of the line. The server draws the same lines in the same order:
// Xlib would have joined the lines into the same request. The layer sends
// the pending lines before it changes the GC or draws anything else.
// Runs do not nest: an inner one leaves the outer one open.
class SegmentRun {
public:
    SegmentRun(const Scene& scene, Drawable drawable);
    ~SegmentRun();
    SegmentRun(const SegmentRun&) = delete;
    SegmentRun& operator=(const SegmentRun&) = delete;

private:
    bool opened_;
};

// Sends the lines gathered so far (nothing when no run is open).
void FlushSegmentRun();
