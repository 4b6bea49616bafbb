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

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

// Longitude and latitude (degrees) of a Q14 grid vector.
void Angles(const FixedVector& v, double& lon, double& lat)
{
    lon = std::atan2(double(v[1]), double(v[0])) / kDeg;
    if (lon < 0)
        lon += 360.0;
    lat = std::atan2(double(v[2]), std::hypot(double(v[0]), double(v[1]))) / kDeg;
}

TEST(GridGeometry, TablesHoldTruncatedQ14Values)
{
    EXPECT_EQ(GridLatitudeSineTable()[0], 16135);   // sin 80 = 0.98481
    EXPECT_EQ(GridLatitudeSineTable()[5], 8191);    // sin 30 just below one half
    EXPECT_EQ(GridLatitudeSineTable()[8], 0);
    EXPECT_EQ(GridHourPointTable()[0][8].x, 16384);
    EXPECT_EQ(GridHourPointTable()[0][8].y, 0);
    EXPECT_EQ(GridDegreePointTable()[9][8].x, 0);
    EXPECT_EQ(GridDegreePointTable()[9][8].y, 16384);
    EXPECT_EQ(HorizonStepSineTable()[0], 0);
    EXPECT_EQ(HorizonStepSineTable()[6], 8192);     // sin 30 rounded
    EXPECT_EQ(HorizonStepSineTable()[18], 16384);
}

TEST(GridGeometry, QuadrantsCoverTheSphereInHalfHoursAndTenDegrees)
{
    struct Case {
        int q, i, j;
        GridUnit unit;
        double lon, lat;
    };
    const Case cases[] = {
        {0, 0, 8, kGridHours, 0.0, 0.0},      {0, 3, 8, kGridHours, 22.5, 0.0},
        {0, 9, 2, kGridHours, 67.5, 60.0},    {1, 0, 4, kGridHours, 180.0, 40.0},
        {1, 4, 8, kGridHours, 150.0, 0.0},    {2, 4, 8, kGridHours, 210.0, 0.0},
        {3, 4, 8, kGridHours, 330.0, 0.0},    {7, 4, 1, kGridHours, 330.0, -70.0},
        {0, 3, 8, kGridDegrees, 30.0, 0.0},   {2, 5, 3, kGridDegrees, 230.0, 50.0},
        {5, 2, 6, kGridDegrees, 160.0, -20.0},
    };
    for (const Case& c : cases) {
        FixedVector v{};
        GridTransformQuadrant(c.q, c.i, c.j, c.unit, v);
        double lon = 0, lat = 0;
        Angles(v, lon, lat);
        EXPECT_NEAR(lon, c.lon, 0.02) << c.q << " " << c.i << " " << c.j;
        EXPECT_NEAR(lat, c.lat, 0.02) << c.q << " " << c.i << " " << c.j;
        EXPECT_NEAR(std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]), 16384.0, 3.0);
    }
}

TEST(GridGeometry, PoleMarksAreCrossesOfAboutOneDegree)
{
    for (const auto& mark : GridPoleMarkTable) {
        double lon = 0, lat = 0;
        Angles(mark[0], lon, lat);
        EXPECT_NEAR(std::fabs(lat), 89.0, 0.05);
        EXPECT_EQ(mark[0][2], mark[1][2]);
        EXPECT_EQ(mark[0][0], -mark[1][0]);
        EXPECT_EQ(mark[0][1], -mark[1][1]);
    }
}

TEST(GridLabels, LongitudesFoldIntoTheirQuadrants)
{
    EXPECT_EQ(GridFoldLabelValue(0, 12, kGridHours), 6);
    EXPECT_EQ(GridFoldLabelValue(1, 0, kGridHours), 12);
    EXPECT_EQ(GridFoldLabelValue(1, 4, kGridHours), 10);
    EXPECT_EQ(GridFoldLabelValue(2, 4, kGridHours), 14);
    EXPECT_EQ(GridFoldLabelValue(3, 4, kGridHours), 22);
    EXPECT_EQ(GridFoldLabelValue(3, 0, kGridHours), 0);    // 24 prints as 0
    EXPECT_EQ(GridFoldLabelValue(7, 0, kGridHours), 0);
    EXPECT_EQ(GridFoldLabelValue(3, 0, kGridDegrees), 0);  // 360 prints as 0
    EXPECT_EQ(GridFoldLabelValue(1, 2, kGridDegrees), 160);
    EXPECT_EQ(GridFoldLabelValue(2, 2, kGridDegrees), 200);
    EXPECT_EQ(GridLatitudeOfBand(0, 2), 60);
    EXPECT_EQ(GridLatitudeOfBand(6, 2), -60);
}

std::string Label(int32_t mode, GridUnit unit, int kind, int q, int i, int j)
{
    char text[kGridLabelSize];
    if (!GridLabelText(mode, unit, kind, q, i, j, text, sizeof text))
        return "(none)";
    return text;
}

TEST(GridLabels, HourLabelsStandAtWholeHoursWithTheirLatitude)
{
    EXPECT_EQ(Label(kModeEqt, kGridHours, kGridLabelGrid, 3, 0, 8), "0h00\260");
    EXPECT_EQ(Label(kModeEqt, kGridHours, kGridLabelGrid, 0, 12, 8), "6h00\260");
    EXPECT_EQ(Label(kModeEqt, kGridHours, kGridLabelGrid, 0, 4, 5), "2h+30\260");
    EXPECT_EQ(Label(kModeEqt, kGridHours, kGridLabelGrid, 6, 4, 5), "14h-30\260");
    EXPECT_EQ(Label(kModeEqt, kGridHours, kGridLabelGrid, 0, 3, 5), "(none)");
    EXPECT_EQ(Label(kModeEqt, kGridHours, kGridLabelLine, 2, 6, 8), "15h");
    EXPECT_EQ(Label(kModeEqt, kGridHours, kGridLabelLine, 2, 5, 8), "(none)");
}

TEST(GridLabels, DegreeLabelsAndAzimuthsCountedThroughTheWest)
{
    EXPECT_EQ(Label(kModeEcl, kGridDegrees, kGridLabelGrid, 0, 3, 6), "30\260+20\260");
    EXPECT_EQ(Label(kModeEcl, kGridDegrees, kGridLabelGrid, 4, 3, 6), "30\260-20\260");
    EXPECT_EQ(Label(kModeEcl, kGridDegrees, kGridLabelLine, 1, 3, 8), "150\260");
    // Frame longitude 90 (east) is azimuth 270; 0 stays 0.
    EXPECT_EQ(Label(kModeHrz, kGridDegrees, kGridLabelHorizontal, 0, 9, 4), "270\260+40\260");
    EXPECT_EQ(Label(kModeHrz, kGridDegrees, kGridLabelHorizontal, 0, 0, 4), "0\260+40\260");
    EXPECT_EQ(Label(kModeHrz, kGridDegrees, kGridLabelHorizontal, 1, 0, 4), "180\260+40\260");
    // No numbers on the horizon itself in the horizontal views; elsewhere the horizon is numbered.
    EXPECT_EQ(Label(kModeHrz, kGridDegrees, kGridLabelHorizontal, 0, 3, 8), "(none)");
    EXPECT_EQ(Label(kModeVola, kGridDegrees, kGridLabelHorizontal, 0, 3, 8), "(none)");
    EXPECT_EQ(Label(kModeEqt, kGridDegrees, kGridLabelHorizontal, 0, 3, 8), "330\26000\260");
}

TEST(GridLabels, MeridianAltitudeUsesTheDegreeFormat)
{
    char text[kGridLabelSize];
    MeridianAltitudeText(70, text, sizeof text);
    EXPECT_STREQ(text, "70\260");
}

TEST(GridLabelFormats, LabelsAreCutToTheirBuffer)
{
    char text[6];
    FormatGridLabel("messageGridEqtRaFormat1", "%dh+%02d\260", 123456, 89, text, sizeof text);
    EXPECT_STREQ(text, "12345");
}

}  // namespace
