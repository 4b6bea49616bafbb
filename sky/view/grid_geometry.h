// Points of the coordinate grids. Every grid is laid out in its own frame
// from small Q14 tables: a point is named by a quadrant code, a longitude
// index and a latitude index, and projected through the scene's matrices,
// which the grid layer has composed with the frame's rotation.
#pragma once

#include "data/fixed_types.h"
#include "sky/scene.h"
#include "sky/view/projection.h"

#include <array>
#include <cstdint>

// Longitude unit of a grid: half-hour steps (12 per quadrant) or 10-degree
// steps (9 per quadrant).
enum GridUnit : int {
    kGridHours = 0,
    kGridDegrees = 1,
};

constexpr int kGridLatitudeCount = 9;    // latitude indexes 0..8: 80, 70, .. 0 degrees
constexpr int kGridEquatorIndex = 8;
constexpr int kGridHourRows = 7;         // longitude 7.5 r degrees, r = 0..6
constexpr int kGridDegreeRows = 10;      // longitude 10 r degrees, r = 0..9
constexpr int kHorizonStepCount = 19;    // sines of 0, 5, .. 90 degrees

struct GridPlanePoint {
    int32_t x, y;   // Q14
};

using GridPointRow = std::array<GridPlanePoint, kGridLatitudeCount>;

// trunc(16384 sin(80 - 10 j degrees)), j = 0..8.
const std::array<int32_t, kGridLatitudeCount>& GridLatitudeSineTable();

// Row r: longitude 7.5 r degrees; column j: latitude 80 - 10 j degrees;
// x = trunc(16384 cos(lat) cos(lon)), y = trunc(16384 cos(lat) sin(lon)).
const std::array<GridPointRow, kGridHourRows>& GridHourPointTable();

// Row r: longitude 10 r degrees; columns as GridHourPointTable.
const std::array<GridPointRow, kGridDegreeRows>& GridDegreePointTable();

// The small crosses (arms of about 1 degree) on the north and south poles:
// four segments of two Q14 vectors.
extern const std::array<std::array<FixedVector, 2>, 4> GridPoleMarkTable;

// 16384 sin(5 k degrees) rounded to the nearest integer, k = 0..18.
const std::array<int32_t, kHorizonStepCount>& HorizonStepSineTable();

// Longitude steps in one quadrant of a grid: 12 (hours) or 9 (degrees).
int GridStepsPerQuadrant(GridUnit unit);

// The Q14 direction of a grid point in the grid's own frame.
// Given:    q     quadrant code 0..7: q mod 4 the longitude quadrant (0-90,
//                 90-180, 180-270, 270-360 degrees), q >= 4 the south half
//           i     longitude index within the quadrant, 0..GridStepsPerQuadrant
//           j     latitude index 0..8 (80 .. 0 degrees)
//           unit  hours or degrees
// Returned: v     Q14 unit vector of the frame
void GridTransformQuadrant(int q, int i, int j, GridUnit unit, FixedVector& v);

// Projects a grid point with ProjectPoint and the scene's current matrices.
// Given:    scene           view set-up (with the grid frame installed)
//           q, i, j, unit   as GridTransformQuadrant
// Returned: out             pixel and cull quantities
//           1 when the point is visible
int ProjectGridPoint(const Scene& scene, int q, int i, int j, GridUnit unit, ProjectedPoint& out);

// The longitude a grid label shows at index i of quadrant q.
// Given:    q, i, unit  as GridTransformQuadrant
// Returned: whole hours 0..23 (unit hours, i / 2 folded into the quadrant)
//           or degrees 0..359 (unit degrees); 24 and 360 become 0
int32_t GridFoldLabelValue(int q, int i, GridUnit unit);

// The latitude of band j: 80 - 10 j degrees, negated in the south half.
// Given:    q, j  as GridTransformQuadrant
// Returned: degrees
int32_t GridLatitudeOfBand(int q, int j);
