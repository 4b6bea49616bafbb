// The whole chart with every built-in layer on, in the program's own
// colours, in each family of views: the Milky Way, the constellation
// figures, boundaries and names and the nebula symbols all reach the
// pixmap over the stars, grids and ground.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/layers/constellation_layer.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/star_layer.h"

using namespace canvastest;

namespace {

struct ChartCase {
    int32_t viewMode;
    double fieldOfView;
    const char* name;
};

class EveryLayerChartTest : public ChartTest, public ::testing::WithParamInterface<ChartCase> {};

TEST_P(EveryLayerChartTest, SkyLayersReachTheChart)
{
    OpenChart(800, 600);
    scene.time.date.hour = 21;   // a March evening at Tokyo: Orion in the west
    uint8_t* flags = scene.displayFlags;
    flags[kFlagStars] = kStarFlag;
    flags[kFlagStarLabels] = kStarNameFlag | kBayerFlag;
    flags[kFlagConstellations] = kConsName2Flag | kConsLineFlag | kConsLimitFlag;
    flags[kFlagMilkyWay] = kMilkyWayFlag;
    flags[kFlagNebulae] = kNebulaFlag | kNebulaNameFlag;
    flags[kFlagHorizontalGrid] = kDirFlag;
    flags[kFlagEquatorial] = kEqt2000Flag;
    flags[kFlagOtherGrids] = kEclFlag;
    scene.mag.nebulaFaint = 80;   // the brighter deep-sky objects, as a chart for the eye
    const ChartCase& chart = GetParam();
    View(chart.viewMode, 100.0, 10.0, chart.fieldOfView);   // Orion to Gemini, across the winter Milky Way
    scene.view.hrzCentreAzimuth = 90.0;   // the west
    scene.view.hrzCentreAltitude = 20.0;
    Drive();
    SaveShot(chart.name);
    const Snapshot shot = Shot();
    for (auto [colour, least] : {std::pair{kColorConstLine, 200}, {kColorConstBorder, 200}, {kColorMilkyWayLine, 100},
                                 {kColorNebulaMark, 20}, {kColorConstNameFont, 20}})
        EXPECT_GT(shot.Count(Cell(colour)), least) << chart.name << " colour " << colour;
}

INSTANTIATE_TEST_SUITE_P(Views, EveryLayerChartTest,
                         ::testing::Values(ChartCase{kModeHrz, 120.0, "chart_hrz"},
                                           ChartCase{kModeEqt, 90.0, "chart_eqt"},
                                           ChartCase{kModeAll1Eqt, 360.0, "chart_all1"},
                                           ChartCase{kModeAll2Eqt, 360.0, "chart_all2"},
                                           ChartCase{kModeVola, 180.0, "chart_vola"}),
                         [](const ::testing::TestParamInfo<ChartCase>& param) { return std::string(param.param.name); });

}  // namespace
