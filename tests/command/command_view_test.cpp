// The view commands run through the interpreter against the real Scene,
// without a display: INIT, MIRROR, VIEW, ZOOM, LOOK, TRACK, BLINK and
// SOL_OFFSET with valid, boundary and refused arguments.
#include <gtest/gtest.h>

#include "tests/command/command_test_support.h"

#include "astro/astro_time.h"
#include "astro/coordinates.h"
#include "command/interpreter.h"
#include "command/view_commands.h"
#include "core/app_env.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/scene.h"
#include "sky/view/view_setup.h"
#include "tests/sky/catalog/catalog_ids.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

class ViewCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->quiet = 1;
        gAppEnv->startingUp = 1;   // INIT leaves the site alone
        ResetScene(scene);
        scene.keepCentred = 0;
        scene.view.skyRect = XRectangle{0, 0, 800, 600};
        const DateTime date{2024, 3, 20, 22, 0, 0.0, 9.0};
        AstroTimeFromDate(date, ObserverLocation{35.68, 139.77, 40.0}, scene.time);
        ComputeViewScale(scene);
        ComputeViewMatrices(scene);
    }

    std::string Run(const char* text) { return RunCommand(scene, text); }

    // A refused command: its error key and parameter, and the Scene as it was.
    void ExpectRefused(const char* text, const char* key, const char* parameter)
    {
        scene.keepCentred = 0;
        ExpectRefusedUnchanged(scene, text, key, parameter);
    }

    // A command that must do nothing and report nothing.
    void ExpectIgnored(const char* text)
    {
        SCOPED_TRACE(text);
        static Scene before;
        scene.keepCentred = 0;
        std::memcpy(&before, &scene, sizeof scene);
        EXPECT_EQ(Run(text), "");
        EXPECT_EQ(std::memcmp(&before, &scene, sizeof scene), 0) << "the Scene changed";
    }

    Scene& scene = *gScene;
};

// Each step from the value the row before left; the field stops at its limits.
TEST_F(ViewCommands, ZoomStopsAtTheFieldLimits)
{
    struct Step {
        const char* command;
        double field;
    };
    scene.view.fieldOfView = 3.0;
    for (const Step& step : {Step{"ZOOM UP 1.8", 1.2}, Step{"ZOOM UP 1.8", 1.0}, Step{"ZOOM UP", 1.0},
                             Step{"zoom down", 1.2}, Step{"ZOOM D 10", 11.2}, Step{"ZOOM Up", 11.2 / 1.2},
                             Step{"ZOOM DOWN 500", MaxFieldOfView(scene)},
                             Step{"ZOOM DOWN 0", MaxFieldOfView(scene)}}) {  // 0 is the factor
        EXPECT_EQ(Run(step.command), "") << step.command;
        EXPECT_DOUBLE_EQ(scene.view.fieldOfView, step.field) << step.command;
    }
}

TEST_F(ViewCommands, ZoomInTheSolarSystemViewsAndMaps)
{
    scene.viewMode = kModeSol2;
    scene.view.solarViewWidth = 100.0;
    for (const auto& [command, width] : {std::pair{"ZOOM DOWN", 120.0}, std::pair{"ZOOM DOWN; ZOOM DOWN", 150.0},
                                         std::pair{"ZOOM UP 1000", 2.0}}) {
        EXPECT_EQ(Run(command), "") << command;
        EXPECT_DOUBLE_EQ(scene.view.solarViewWidth, width) << command;
    }
    scene.viewMode = kModeAll1Eqt;
    ExpectIgnored("ZOOM UP");
    scene.viewMode = kModeVola;
    ExpectIgnored("ZOOM DOWN 5");
}

TEST_F(ViewCommands, ZoomRefusals)
{
    scene.view.fieldOfView = 30.0;
    ExpectIgnored("ZOOM X");
    ExpectIgnored("ZOOM X nan");
    ExpectRefused("ZOOM", "stkErrorIllegalParam", "");
    for (const std::string direction : {"UP ", "DOWN "}) {
        for (const char* factor : {"nan", "inf"}) {
            ExpectRefused(("ZOOM " + direction + factor).c_str(), "stkErrorIllegalParam", factor);
        }
    }
    // Any finite value, negative ones too (only the bound in the direction
    // of the zoom holds; the redraw clamps the rest), and text as 0 (the
    // factor).
    const double most = MaxFieldOfView(scene);
    for (const auto& [command, field] : {std::pair{"ZOOM UP -5", 35.0}, std::pair{"ZOOM UP 1e300", 1.0},
                                         std::pair{"ZOOM DOWN -5", -4.0}, std::pair{"ZOOM DOWN 1e300", most},
                                         std::pair{"ZOOM UP many", most / 1.2}}) {
        EXPECT_EQ(Run(command), "") << command;
        EXPECT_DOUBLE_EQ(scene.view.fieldOfView, field) << command;
    }
}

TEST_F(ViewCommands, MirrorTakesEveryOrientationBelowThree)
{
    for (int32_t mirror : {1, 2, 0, -1, -7}) {
        EXPECT_EQ(Run(("MIRROR " + std::to_string(mirror)).c_str()), "");
        EXPECT_EQ(scene.mirror, mirror);
    }
    scene.mirror = 1;
    ExpectRefused("MIRROR 3", "stkErrorIllegalParam", "3");
    ExpectRefused("MIRROR", "stkErrorIllegalParam", "");
    ExpectRefused("MIRROR 99999999999999", "stkErrorIllegalParam", "99999999999999");
    ExpectRefused("MIRROR -99999999999999", "stkErrorIllegalParam", "-99999999999999");
    EXPECT_EQ(Run("MIRROR x"), "");
    EXPECT_EQ(scene.mirror, 0);
}

TEST_F(ViewCommands, ViewAngleSolAndCenter)
{
    EXPECT_EQ(Run("VIEW ANGLE 30"), "");
    EXPECT_DOUBLE_EQ(scene.view.fieldOfView, 30.0);
    EXPECT_EQ(Run("view angle 500"), "");   // no clamp here: the redraw clamps
    EXPECT_DOUBLE_EQ(scene.view.fieldOfView, 500.0);
    EXPECT_EQ(Run("VIEW SOL 5.5"), "");
    EXPECT_DOUBLE_EQ(scene.view.solarViewWidth, 5.5);
    EXPECT_EQ(Run("VIEW SOL 0"), "");   // unchecked
    EXPECT_DOUBLE_EQ(scene.view.solarViewWidth, 0.0);

    ExpectRefused("VIEW", "stkErrorIllegalParam", "");
    ExpectRefused("VIEW FOO 1", "stkErrorSyntax", "FOO");
    ExpectRefused("VIEW ANGLE 0", "stkErrorIllegalParam", "0");
    ExpectRefused("VIEW ANGLE -3", "stkErrorIllegalParam", "-3");
    ExpectRefused("VIEW ANGLE inf", "stkErrorIllegalParam", "inf");
    ExpectRefused("VIEW ANGLE", "stkErrorIllegalParam", "");
    ExpectRefused("VIEW ANGLE x", "stkErrorIllegalParam", "x");
    ExpectRefused("VIEW SOL nan", "stkErrorIllegalParam", "nan");
    ExpectRefused("VIEW CENTER", "stkErrorIllegalParam", "");
    ExpectRefused("VIEW CENTER NOSUCH", "stkErrorIllegalParam", "NOSUCH");
    ExpectRefused("VIEW CENTER eqt 5 1e300", "stkErrorIllegalParam", "EQT");
    ExpectRefused("VIEW CENTER nosuch", "stkErrorIllegalParam", "NOSUCH");

    int32_t sirius = -1;
    ASSERT_NE(sirius = catalogtest::StarId("Sirius"), -1);
    EXPECT_EQ(Run("VIEW CENTER STAR alphaCMa"), "");
    EXPECT_EQ(scene.centring, 1);
    EXPECT_EQ(scene.targetType, kObjectStar);
    EXPECT_EQ(scene.targetId, sirius);
    EXPECT_EQ(Run("VIEW CENTER EQT 0530.5,-0523"), "");
    EXPECT_EQ(scene.targetType, kFrameEqt);
    EXPECT_NEAR(scene.targetLongitude, 82.625, 1e-12);
    // Ordinary numbers are taken as given, text that is none as 0.
    const struct {
        const char* text;
        int32_t type;
        double longitude, latitude;
    } places[] = {{"VIEW CENTER HRZ abc 30", kFrameHrz, 0.0, 30.0},
                  {"VIEW CENTER HRZ 10 95", kFrameHrz, 10.0, 95.0},
                  {"VIEW CENTER EQT 25 0", kFrameEqt, 375.0, 0.0}};
    for (const auto& place : places) {
        EXPECT_EQ(Run(place.text), "") << place.text;
        EXPECT_EQ(scene.targetType, place.type) << place.text;
        EXPECT_DOUBLE_EQ(scene.targetLongitude, place.longitude) << place.text;
        EXPECT_DOUBLE_EQ(scene.targetLatitude, place.latitude) << place.text;
    }
}

TEST_F(ViewCommands, ViewCenterHrzRecentresOnTheHorizon)
{
    scene.centring = 0;
    EXPECT_EQ(Run("VIEW CENTER hrz"), "");
    EXPECT_EQ(scene.centring, 1);
    EXPECT_EQ(scene.targetType, kObjectScreen | kRecentreTarget);
    // While tracking it changes nothing.
    scene.centring = 2;
    scene.targetType = kObjectSolarBody;
    EXPECT_EQ(Run("VIEW CENTER HRZ"), "");
    EXPECT_EQ(scene.targetType, kObjectSolarBody);
    EXPECT_EQ(scene.centring, 2);
    // With coordinates HRZ is a place like any other.
    scene.centring = 0;
    EXPECT_EQ(Run("VIEW CENTER HRZ 90 10"), "");
    EXPECT_EQ(scene.targetType, kFrameHrz);
    EXPECT_DOUBLE_EQ(scene.targetLongitude, 90.0);
}

TEST_F(ViewCommands, LookCentresOnceAndTrackSurvivesLookAndZoom)
{
    scene.keepCentred = 1;
    EXPECT_EQ(Run("LOOK MARS"), "");
    EXPECT_EQ(scene.keepCentred, 0);
    EXPECT_EQ(scene.centring, 1);
    EXPECT_EQ(scene.targetType, kObjectSolarBody);
    EXPECT_EQ(scene.targetId, 2);
    EXPECT_EQ(scene.redrawRequested, 1);   // LOOK ends with DRIVE

    EXPECT_EQ(Run("TRACK JUPITER"), "");
    EXPECT_EQ(scene.centring, 2);
    EXPECT_EQ(scene.targetId, 3);
    EXPECT_EQ(Run("LOOK SUN"), "");
    EXPECT_EQ(Run("VIEW CENTER MOON"), "");
    EXPECT_EQ(Run("ZOOM UP; ZOOM DOWN 3"), "");
    EXPECT_EQ(scene.centring, 2);
    EXPECT_EQ(scene.targetId, 3);
    // A refused LOOK is still reported while tracking.
    EXPECT_EQ(Run("LOOK NOSUCH"), "stkErrorIllegalParam");
    EXPECT_EQ(scene.targetId, 3);

    EXPECT_EQ(Run("TRACK off"), "");
    EXPECT_EQ(scene.centring, 0);
    EXPECT_EQ(Run("TRACK"), "");   // not tracking: nothing
    EXPECT_EQ(scene.centring, 0);
    EXPECT_EQ(Run("TRACK MARS; TRACK"), "");
    EXPECT_EQ(scene.centring, 0);
}

TEST_F(ViewCommands, LookAndTrackRefusals)
{
    ExpectRefused("LOOK", "stkErrorIllegalParam", "");
    // A target LOOK cannot read is reported, and the view is still redrawn
    // as it stands: nothing else of the Scene changes.
    const std::pair<const char*, const char*> unreadable[] = {
        {"LOOK nosuch", "NOSUCH"}, {"LOOK PLANET", "PLANET"}, {"LOOK EQT 5 inf", "EQT"},
        {"LOOK EQT nan 0", "EQT"}, {"LOOK hrz 10 1e300", "HRZ"},  {"LOOK star", "STAR"},
    };
    for (const auto& [text, parameter] : unreadable) {
        SCOPED_TRACE(text);
        static Scene before;
        scene.keepCentred = 1;
        scene.redrawRequested = 0;
        std::memcpy(&before, &scene, sizeof scene);
        before.keepCentred = 0;
        before.redrawRequested = 1;
        EXPECT_EQ(Run(text), "stkErrorIllegalParam");
        EXPECT_STREQ(gAppEnv->errorParam, parameter);
        EXPECT_EQ(std::memcmp(&before, &scene, sizeof scene), 0) << "more than the redraw request changed";
    }
    ExpectRefused("TRACK NOSUCH", "stkErrorIllegalParam", "NOSUCH");
    ExpectRefused("TRACK GAL 1e999 0", "stkErrorIllegalParam", "GAL");
    ExpectRefused("BLINK", "stkErrorIllegalParam", "");
    ExpectRefused("BLINK NOSUCH", "stkErrorIllegalParam", "NOSUCH");
}

TEST_F(ViewCommands, LookIoShowsTheSatellites)
{
    scene.jovianMoonFlags = 0;
    EXPECT_EQ(Run("LOOK IO"), "");
    EXPECT_EQ(scene.targetType, kObjectJovianMoon);
    EXPECT_EQ(scene.jovianMoonFlags & 1, 1);
}

TEST_F(ViewCommands, BlinkWithoutAWindowDoesNothing)
{
    ExpectIgnored("BLINK SUN");
    ExpectIgnored("BLINK STAR alphaCMa");
}

// Half the BlinkTime rounded up, for every BlinkTime an int holds: the sum
// must not overflow (UBSan reports it in the sanitizer run).
TEST(BlinkFlashes, HalfTheBlinkTimeRoundedUpWithoutOverflow)
{
    const std::pair<int32_t, int64_t> rows[] = {
        {1, 1}, {2, 1}, {5, 3}, {10, 5}, {20, 10}, {INT32_MAX, 1073741824}, {INT32_MAX - 1, 1073741823},
    };
    for (const auto& [blinkTime, flashes] : rows) {
        EXPECT_EQ(StkBlinkFlashes(blinkTime), flashes) << blinkTime;
    }
}

TEST_F(ViewCommands, SolOffsetSetsTheOrigin)
{
    EXPECT_EQ(Run("SOL_OFFSET 1.5, -2, 3"), "");
    EXPECT_DOUBLE_EQ(scene.solarOrigin[0], 1.5);
    EXPECT_DOUBLE_EQ(scene.solarOrigin[1], -2.0);
    EXPECT_DOUBLE_EQ(scene.solarOrigin[2], 3.0);
    EXPECT_EQ(Run("SOL_OFFSET 4"), "");
    EXPECT_DOUBLE_EQ(scene.solarOrigin[0], 4.0);
    EXPECT_DOUBLE_EQ(scene.solarOrigin[1], 0.0);
    EXPECT_DOUBLE_EQ(scene.solarOrigin[2], 0.0);
    ExpectRefused("SOL_OFFSET 1 nan 3", "stkErrorIllegalParam", "nan");
    ExpectRefused("SOL_OFFSET 1 2 -inf", "stkErrorIllegalParam", "-inf");
    EXPECT_EQ(Run("SOL_OFFSET x 2 1e99"), "");
    EXPECT_DOUBLE_EQ(scene.solarOrigin[0], 0.0);
    EXPECT_DOUBLE_EQ(scene.solarOrigin[2], 1e99);
    EXPECT_EQ(Run("sol_offset off"), "");
    EXPECT_EQ(scene.solarOrigin[0], 0.0);
    EXPECT_EQ(Run("SOL_OFFSET"), "");
    EXPECT_EQ(scene.solarOrigin[0], 0.0);
}

TEST_F(ViewCommands, InitStopsTheRunAndResetsTheScene)
{
    scene.mirror = 2;
    scene.viewMode = kModeGal;
    scene.view.fieldOfView = 12.0;
    scene.centring = 2;
    scene.animation.running = 1;
    scene.cometCount = 2;
    scene.cometPositions = static_cast<SmallBodyRecord*>(std::calloc(2, sizeof(SmallBodyRecord)));
    scene.cometFlags = static_cast<uint8_t*>(std::calloc(2, 1));
    EXPECT_EQ(Run("INIT"), "");
    EXPECT_EQ(scene.animation.running, 0);
    EXPECT_EQ(scene.mirror, 0);
    EXPECT_EQ(scene.viewMode, kModeHrz);
    EXPECT_EQ(scene.centring, 1);
    EXPECT_EQ(scene.cometCount, 0);
    EXPECT_EQ(scene.cometPositions, nullptr);
    EXPECT_EQ(scene.cometFlags, nullptr);
    EXPECT_EQ(scene.targetType, kFrameHrz | kRecentreTarget);
    // The keep-centred flag is cleared after INIT like after every reset command.
    EXPECT_EQ(scene.keepCentred, 0);
}

}  // namespace
