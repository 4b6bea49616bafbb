// The layers of the user-object files (LOAD AD) and the sky-mark file: their
// LINE ... END outlines, drawn early under the stars, and their points with
// names, drawn after the solar-system bodies; points given in horizontal
// coordinates are drawn again after the ground, so they stand on the
// landscape.
#pragma once

#include "sky/redraw_record.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <X11/Xlib.h>
#include <cstdint>

struct UserObject;

// AD and SKYMARK group bits (bytes kFlagUserObjects and kFlagSkyMarks).
constexpr uint8_t kMarksShownFlag = 1;     // AD, SKYMARK
constexpr uint8_t kMarkNamesFlag = 2;      // AD_NAME, SKYMARK_NAME

// Screen point of a record: GetTargetScreenPoint of its own type, id and
// coordinates.
// Returned: out, 1 visible
int ProjectMarkVertex(const Scene& scene, const UserObject& record, ProjectedPoint& out);

// The outlines of one file's records: each LINE starts a polyline in its
// colour and dash pattern, the points after it are its vertices, END ends
// it. A segment is drawn when both its ends are visible. The GC's line style
// is solid again afterwards.
// Given:    records  up to the kUserObjectArrayEnd record
void DrawMarkShape(const Scene& scene, RedrawRecord& redraw, const UserObject* records);

// The points of one file's records: STAR records as star symbols of their
// magnitude and colour class, then, with names, each name in its colour to
// the right of the symbol (a plain point's at the point, MARK 0's centred).
// Given:    records    up to the kUserObjectArrayEnd record
//           withNames  1: draw the names
//           pass       0: only points given in horizontal coordinates;
//                      1: every other point
void DrawMarkPoints(const Scene& scene, Drawable drawable, const UserObject* records, int withNames, int pass);

// The layers, over the Scene's user-object files while AD is on (names with
// AD_NAME) and over AppEnv's sky marks while SKYMARK is on (names with
// SKYMARK_NAME).
void DrawUserObjectShapes(Scene& scene, RedrawRecord& redraw);
void DrawUserObjectPoints(Scene& scene, Drawable drawable);
void DrawUserObjectPointsOnTop(Scene& scene, Drawable drawable);
void DrawSkyMarkShapes(Scene& scene, RedrawRecord& redraw);
void DrawSkyMarkPoints(Scene& scene, Drawable drawable);
void DrawSkyMarkPointsOnTop(Scene& scene, Drawable drawable);

// The three depths of the redraw: the sky marks' part, then the user
// objects'.
void DrawMarkShapeLayer(Scene& scene, RedrawRecord& redraw);
void DrawMarkPointLayer(Scene& scene, RedrawRecord& redraw);
void DrawMarkPointOnTopLayer(Scene& scene, RedrawRecord& redraw);
