// The whole chart with every built-in layer on, in the program's own
// colours, in each family of views: the Milky Way, the constellation
// figures, boundaries and names and the nebula symbols all reach the
// pixmap over the stars, grids and ground. With UVOLA_SHOT_DIR set the
// charts are written there as pictures for a person to look at.
#include "tests/sky/layers/sky_grids_shot.h"

#include "sky/layers/constellation_layer.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/star_layer.h"

using namespace gridtest;

namespace {

Scene gChartScene;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct ChartCase {
    int32_t viewMode;
    double fieldOfView;
    const char* name;
};

class EveryLayerChartTest : public ::testing::TestWithParam<ChartCase> {
protected:
    void SetUp() override
    {
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(gChartScene);
        scene.time.date.hour = 21;   // a March evening at Tokyo: Orion in the west
        scene.centring = 0;
        uint8_t* flags = scene.displayFlags;
        flags[kFlagStars] = kStarFlag;
        flags[kFlagStarLabels] = kStarNameFlag | kBayerFlag;
        flags[kFlagConstellations] = kConsName2Flag | kConsLineFlag | kConsLimitFlag;
        flags[kFlagMilkyWay] |= kMilkyWayFlag;
        flags[kFlagNebulae] = kNebulaFlag | kNebulaNameFlag;
        flags[kFlagHorizontalGrid] = kDirFlag;
        flags[kFlagEquatorial] = kEqt2000Flag;
        flags[kFlagOtherGrids] = kEclFlag;
        scene.mag.nebulaFaint = 80;   // the brighter deep-sky objects, as a chart for the eye
    }

    int CountOf(const Snapshot& shot, int colour)
    {
        return CountColour(shot, kWidth, kHeight, Cell(colour));
    }

    Scene& scene = gChartScene;
};

TEST_P(EveryLayerChartTest, SkyLayersReachTheChart)
{
    const ChartCase& chart = GetParam();
    scene.viewMode = chart.viewMode;
    scene.view.fieldOfView = chart.fieldOfView;
    scene.view.centreLongitude = 100.0;   // Orion to Gemini, across the winter Milky Way
    scene.view.centreLatitude = 10.0;
    scene.view.hrzCentreAzimuth = 90.0;   // the west
    scene.view.hrzCentreAltitude = 20.0;
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    SaveShot(scene, kWidth, kHeight, chart.name);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_GT(CountOf(shot, kColorConstLine), 200) << chart.name;
    EXPECT_GT(CountOf(shot, kColorConstBorder), 200) << chart.name;
    EXPECT_GT(CountOf(shot, kColorMilkyWayLine), 100) << chart.name;
    EXPECT_GT(CountOf(shot, kColorNebulaMark), 20) << chart.name;
    EXPECT_GT(CountOf(shot, kColorConstNameFont), 20) << chart.name;
}

INSTANTIATE_TEST_SUITE_P(Views, EveryLayerChartTest,
                         ::testing::Values(ChartCase{kModeHrz, 120.0, "chart_hrz"},
                                           ChartCase{kModeEqt, 90.0, "chart_eqt"},
                                           ChartCase{kModeAll1Eqt, 360.0, "chart_all1"},
                                           ChartCase{kModeAll2Eqt, 360.0, "chart_all2"},
                                           ChartCase{kModeVola, 180.0, "chart_vola"}),
                         [](const ::testing::TestParamInfo<ChartCase>& param) { return std::string(param.param.name); });

}  // namespace
