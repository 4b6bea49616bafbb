#include "sky/view/grid_geometry.h"

#include "astro/trig.h"
#include "data/fixed_types.h"

#include <cmath>

namespace {

int32_t TruncatedQ14(double value) { return static_cast<int32_t>(kFixedOne * value); }

double LatitudeOfIndex(int j) { return (80.0 - 10.0 * j) * kRadiansPerDegree; }

GridPointRow PointRow(double longitudeDegrees)
{
    GridPointRow row{};
    const double lon = longitudeDegrees * kRadiansPerDegree;
    for (int j = 0; j < kGridLatitudeCount; ++j) {
        const double cosLat = std::cos(LatitudeOfIndex(j));
        row[j] = GridPlanePoint{TruncatedQ14(cosLat * std::cos(lon)), TruncatedQ14(cosLat * std::sin(lon))};
    }
    return row;
}

// The hour grid's rows beyond the middle of the quadrant are the first
// rows mirrored about 45 degrees: x and y exchanged.
GridPlanePoint PlanePoint(int i, int j, GridUnit unit)
{
    if (unit == kGridDegrees) {
        return GridDegreePointTable()[i][j];
    }
    if (i < kGridHourRows) {
        return GridHourPointTable()[i][j];
    }
    const GridPlanePoint p = GridHourPointTable()[12 - i][j];
    return GridPlanePoint{p.y, p.x};
}

}  // namespace

const std::array<int32_t, kGridLatitudeCount>& GridLatitudeSineTable()
{
    static const std::array<int32_t, kGridLatitudeCount> table = [] {
        std::array<int32_t, kGridLatitudeCount> t{};
        for (int j = 0; j < kGridLatitudeCount; ++j) {
            t[j] = TruncatedQ14(std::sin(LatitudeOfIndex(j)));
        }
        return t;
    }();
    return table;
}

const std::array<GridPointRow, kGridHourRows>& GridHourPointTable()
{
    static const std::array<GridPointRow, kGridHourRows> table = [] {
        std::array<GridPointRow, kGridHourRows> t{};
        for (int r = 0; r < kGridHourRows; ++r) {
            t[r] = PointRow(7.5 * r);
        }
        return t;
    }();
    return table;
}

const std::array<GridPointRow, kGridDegreeRows>& GridDegreePointTable()
{
    static const std::array<GridPointRow, kGridDegreeRows> table = [] {
        std::array<GridPointRow, kGridDegreeRows> t{};
        for (int r = 0; r < kGridDegreeRows; ++r) {
            t[r] = PointRow(10.0 * r);
        }
        return t;
    }();
    return table;
}

const std::array<std::array<FixedVector, 2>, 4> GridPoleMarkTable = {{
    {{FixedVector{285, 0, 16381}, FixedVector{-285, 0, 16381}}},
    {{FixedVector{0, 285, 16381}, FixedVector{0, -285, 16381}}},
    {{FixedVector{285, 0, -16381}, FixedVector{-285, 0, -16381}}},
    {{FixedVector{0, 285, -16381}, FixedVector{0, -285, -16381}}},
}};

const std::array<int32_t, kHorizonStepCount>& HorizonStepSineTable()
{
    static const std::array<int32_t, kHorizonStepCount> table = [] {
        std::array<int32_t, kHorizonStepCount> t{};
        for (int k = 0; k < kHorizonStepCount; ++k) {
            t[k] = static_cast<int32_t>(std::lround(kFixedOne * std::sin(5.0 * k * kRadiansPerDegree)));
        }
        return t;
    }();
    return table;
}

int GridStepsPerQuadrant(GridUnit unit) { return unit == kGridHours ? 12 : 9; }

void GridTransformQuadrant(int q, int i, int j, GridUnit unit, FixedVector& v)
{
    const GridPlanePoint p = PlanePoint(i, j, unit);
    const int32_t z = GridLatitudeSineTable()[j];
    switch (q % 4) {
    case 0: v = FixedVector{p.x, p.y, 0}; break;
    case 1: v = FixedVector{-p.x, p.y, 0}; break;
    case 2: v = FixedVector{-p.x, -p.y, 0}; break;
    default: v = FixedVector{p.x, -p.y, 0}; break;
    }
    v[2] = q >= 4 ? -z : z;
}

int ProjectGridPoint(const Scene& scene, int q, int i, int j, GridUnit unit, ProjectedPoint& out)
{
    FixedVector v{};
    GridTransformQuadrant(q, i, j, unit, v);
    return ProjectPoint(scene, v, out);
}

int32_t GridFoldLabelValue(int q, int i, GridUnit unit)
{
    const int32_t half = unit == kGridHours ? 12 : 180;
    const int32_t v = unit == kGridHours ? i / 2 : 10 * i;
    int32_t value = 0;
    switch (q % 4) {
    case 0: value = v; break;
    case 1: value = half - v; break;
    case 2: value = v + half; break;
    default: value = 2 * half - v; break;
    }
    return value == 2 * half ? 0 : value;
}

int32_t GridLatitudeOfBand(int q, int j)
{
    const int32_t latitude = 80 - 10 * j;
    return q >= 4 ? -latitude : latitude;
}
