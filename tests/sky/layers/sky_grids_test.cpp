// Grid geometry and grid numbers without a display: the Q14 point tables
// against the formulas they come from, the quadrant folding, the label
// values and texts (the hour in the fourth quadrant, azimuths counted
// through the west), and the check that keeps a restyled format from
// reading arguments it was never given.
#include <gtest/gtest.h>

#include "sky/layers/grid_labels.h"
#include "sky/view/grid_geometry.h"

#include <cmath>
#include <string>
#include <tuple>

namespace {

constexpr double kDeg = M_PI / 180.0;

TEST(GridGeometry, TablesHoldTruncatedQ14Values)
{
    // sin 80 = 0.98481; sin 30 just below one half, truncated, in the
    // latitude table and rounded in the horizon steps.
    for (auto [value, expected] :
         {std::pair{GridLatitudeSineTable()[0], 16135}, {GridLatitudeSineTable()[5], 8191}, {GridLatitudeSineTable()[8], 0},
          {GridHourPointTable()[0][8].x, 16384}, {GridHourPointTable()[0][8].y, 0}, {GridDegreePointTable()[9][8].x, 0},
          {GridDegreePointTable()[9][8].y, 16384}, {HorizonStepSineTable()[0], 0}, {HorizonStepSineTable()[6], 8192},
          {HorizonStepSineTable()[18], 16384}})
        EXPECT_EQ(value, expected);
}

TEST(GridGeometry, QuadrantsCoverTheSphereInHalfHoursAndTenDegrees)
{
    const struct {
        int q, i, j;
        GridUnit unit;
        double lon, lat;
    } cases[] = {
        {0, 0, 8, kGridHours, 0.0, 0.0},      {0, 3, 8, kGridHours, 22.5, 0.0},  {0, 9, 2, kGridHours, 67.5, 60.0},
        {1, 0, 4, kGridHours, 180.0, 40.0},   {1, 4, 8, kGridHours, 150.0, 0.0}, {2, 4, 8, kGridHours, 210.0, 0.0},
        {3, 4, 8, kGridHours, 330.0, 0.0},    {7, 4, 1, kGridHours, 330.0, -70.0}, {0, 3, 8, kGridDegrees, 30.0, 0.0},
        {2, 5, 3, kGridDegrees, 230.0, 50.0}, {5, 2, 6, kGridDegrees, 160.0, -20.0},
    };
    for (const auto& c : cases) {
        FixedVector v{};
        GridTransformQuadrant(c.q, c.i, c.j, c.unit, v);
        const double lon = std::fmod(std::atan2(double(v[1]), double(v[0])) / kDeg + 360.0, 360.0);
        const double lat = std::atan2(double(v[2]), std::hypot(double(v[0]), double(v[1]))) / kDeg;
        EXPECT_NEAR(lon, c.lon, 0.02) << c.q << " " << c.i << " " << c.j;
        EXPECT_NEAR(lat, c.lat, 0.02) << c.q << " " << c.i << " " << c.j;
        EXPECT_NEAR(std::hypot(double(v[0]), double(v[1]), double(v[2])), 16384.0, 3.0);
    }
}

TEST(GridGeometry, PoleMarksAreCrossesOfAboutOneDegree)
{
    for (const auto& mark : GridPoleMarkTable) {
        const double across = std::hypot(double(mark[0][0]), double(mark[0][1]));
        EXPECT_NEAR(std::fabs(std::atan2(double(mark[0][2]), across) / kDeg), 89.0, 0.05);
        EXPECT_EQ(mark[0][2], mark[1][2]);
        EXPECT_EQ(mark[0][0], -mark[1][0]);
        EXPECT_EQ(mark[0][1], -mark[1][1]);
    }
}

TEST(GridLabels, LongitudesFoldIntoTheirQuadrants)
{
    // 24 hours and 360 degrees print as 0.
    for (auto [q, i, unit, value] :
         {std::tuple{0, 12, kGridHours, 6}, {1, 0, kGridHours, 12}, {1, 4, kGridHours, 10}, {2, 4, kGridHours, 14},
          {3, 4, kGridHours, 22}, {3, 0, kGridHours, 0}, {7, 0, kGridHours, 0}, {3, 0, kGridDegrees, 0},
          {1, 2, kGridDegrees, 160}, {2, 2, kGridDegrees, 200}})
        EXPECT_EQ(GridFoldLabelValue(q, i, unit), value) << q << " " << i;
    EXPECT_EQ(GridLatitudeOfBand(0, 2), 60);
    EXPECT_EQ(GridLatitudeOfBand(6, 2), -60);
}

TEST(GridLabels, HourDegreeAndAzimuthLabels)
{
    // Hours at whole hours with their latitude; frame longitude 90 (east)
    // is azimuth 270 and 0 stays 0; no numbers on the horizon itself in
    // the horizontal views, elsewhere the horizon is numbered.
    const struct {
        int32_t mode;
        GridUnit unit;
        int kind, q, i, j;
        const char* text;
    } cases[] = {
        {kModeEqt, kGridHours, kGridLabelGrid, 3, 0, 8, "0h00\260"},
        {kModeEqt, kGridHours, kGridLabelGrid, 0, 12, 8, "6h00\260"},
        {kModeEqt, kGridHours, kGridLabelGrid, 0, 4, 5, "2h+30\260"},
        {kModeEqt, kGridHours, kGridLabelGrid, 6, 4, 5, "14h-30\260"},
        {kModeEqt, kGridHours, kGridLabelGrid, 0, 3, 5, nullptr},
        {kModeEqt, kGridHours, kGridLabelLine, 2, 6, 8, "15h"},
        {kModeEqt, kGridHours, kGridLabelLine, 2, 5, 8, nullptr},
        {kModeEcl, kGridDegrees, kGridLabelGrid, 0, 3, 6, "30\260+20\260"},
        {kModeEcl, kGridDegrees, kGridLabelGrid, 4, 3, 6, "30\260-20\260"},
        {kModeEcl, kGridDegrees, kGridLabelLine, 1, 3, 8, "150\260"},
        {kModeHrz, kGridDegrees, kGridLabelHorizontal, 0, 9, 4, "270\260+40\260"},
        {kModeHrz, kGridDegrees, kGridLabelHorizontal, 0, 0, 4, "0\260+40\260"},
        {kModeHrz, kGridDegrees, kGridLabelHorizontal, 1, 0, 4, "180\260+40\260"},
        {kModeHrz, kGridDegrees, kGridLabelHorizontal, 0, 3, 8, nullptr},
        {kModeVola, kGridDegrees, kGridLabelHorizontal, 0, 3, 8, nullptr},
        {kModeEqt, kGridDegrees, kGridLabelHorizontal, 0, 3, 8, "330\26000\260"},
    };
    KeptGridFormats kept;
    for (const auto& c : cases) {
        char text[kGridLabelSize];
        const int made = GridLabelText(kept, c.mode, c.unit, c.kind, c.q, c.i, c.j, text, sizeof text);
        EXPECT_EQ(made ? std::string(text) : "(none)", c.text ? c.text : "(none)") << c.q << " " << c.i << " " << c.j;
    }
    char text[kGridLabelSize];
    MeridianAltitudeText(kept, 70, text, sizeof text);
    EXPECT_STREQ(text, "70\260");
    // Cut to the buffer.
    char shortText[6];
    FormatGridLabel(kept, "messageGridEqtRaFormat1", "%dh+%02d\260", 123456, 89, shortText, sizeof shortText);
    EXPECT_STREQ(shortText, "12345");
}

}  // namespace
