// The scene record's defaults, and what a reset must leave alone.
#include <gtest/gtest.h>

#include "sky/scene.h"

#include <cstdlib>
#include <cstring>

namespace {
// A scene whose every byte is 0xA5, so that a default the reset forgets
// shows up as garbage rather than as a lucky zero.
Scene* DirtyScene()
{
    static Scene scene;
    std::memset(&scene, 0xA5, sizeof scene);
    return &scene;
}
}  // namespace

TEST(SceneReset, StoresTheViewAndTimeDefaults)
{
    Scene& scene = *DirtyScene();
    ResetScene(scene);
    EXPECT_EQ(scene.viewMode, 0x101);
    EXPECT_EQ(scene.viewModeChanged, 1);
    EXPECT_EQ(scene.mirror, 0);
    EXPECT_EQ(scene.timeStep.years, 0);
    EXPECT_EQ(scene.timeStep.months, 0);
    EXPECT_EQ(scene.timeStep.days, 0);
    EXPECT_EQ(scene.timeStep.hours, 0);
    EXPECT_EQ(scene.timeStep.minutes, 3);
    EXPECT_EQ(scene.timeStep.seconds, 0.0);
    EXPECT_EQ(scene.animationDirection, 0);
    EXPECT_EQ(scene.timeSystem, 0);
    EXPECT_EQ(scene.view.fieldOfView, 120.0);
    EXPECT_EQ(scene.view.verticalField, 120.0);
    EXPECT_EQ(scene.view.solarViewWidth, 12.0);
    EXPECT_EQ(scene.view.zoomFactor, 1.2);
    EXPECT_EQ(scene.view.minimumField, 1.0);
    EXPECT_EQ(scene.view.horizonLimit, 0);
    EXPECT_EQ(scene.view.hrzCentreAzimuth, 0.0);
    EXPECT_EQ(scene.view.centreLatitude, 0.0);
}

TEST(SceneReset, StoresAnimationAndMagnitudeDefaults)
{
    Scene& scene = *DirtyScene();
    ResetScene(scene);
    EXPECT_EQ(scene.animation.workProc, 0u);
    EXPECT_EQ(scene.animation.timer, 0u);
    EXPECT_EQ(scene.animation.running, 0);
    EXPECT_EQ(scene.animation.clockMode, 0);
    EXPECT_EQ(scene.animation.realTimeMode, 0);
    EXPECT_EQ(scene.animation.synchronised, 1);
    EXPECT_EQ(scene.animation.interval, 5);
    EXPECT_EQ(scene.animation.sunEventLock, 0);
    EXPECT_EQ(scene.mag.starLimit, 45);
    EXPECT_EQ(scene.mag.starOffset, 0);
    EXPECT_EQ(scene.mag.requestPending, 0);
    EXPECT_EQ(scene.mag.starCap, 65);
    EXPECT_EQ(scene.mag.starLabelLimit, 14);
    EXPECT_EQ(scene.mag.nebulaFaint, 110);
    EXPECT_EQ(scene.mag.nebulaBright, 0);
    EXPECT_EQ(scene.mag.nebulaBoundsInUse, 1);
}

TEST(SceneReset, FirstRedrawLooksSouthWithHorizonAtBottom)
{
    Scene& scene = *DirtyScene();
    ResetScene(scene);
    EXPECT_EQ(scene.targetType, 0x8001);
    EXPECT_EQ(scene.targetId, 0);
    EXPECT_EQ(scene.targetLongitude, 0.0);
    EXPECT_EQ(scene.targetLatitude, 0.0);
    EXPECT_EQ(scene.centring, 1);
    EXPECT_EQ(scene.keepCentred, 1);
}

TEST(SceneReset, StoresDisplayAndBodyFlags)
{
    Scene& scene = *DirtyScene();
    ResetScene(scene);
    const uint8_t expected[kDisplayFlagCount] = {1, 0, 0, 5, 0, 0x7F, 7, 0x73, 0, 2, 0, 0, 0, 3, 0, 0};
    for (int i = 0; i < kDisplayFlagCount; ++i)
        EXPECT_EQ(scene.displayFlags[i], expected[i]) << "display flag byte " << i;
    EXPECT_EQ(scene.trace, 0);
    EXPECT_EQ(scene.sunFlags, 2);
    EXPECT_EQ(scene.moonFlags, 2);
    EXPECT_EQ(scene.earthFlags, 0x22);
    for (uint8_t flags : scene.planetFlags)
        EXPECT_EQ(flags, 0x22);
    EXPECT_EQ(scene.jovianMoonFlags, 1);
    EXPECT_EQ(scene.statusLine, 1);
    EXPECT_EQ(scene.pickedObject.picked, 0);
    EXPECT_EQ(scene.pickedObject.type, -1);
    EXPECT_EQ(scene.pickedObject.pointerX, -1);
    EXPECT_EQ(scene.pickedObject.pointerY, -1);
    EXPECT_STREQ(scene.pickedObject.text, "");
    EXPECT_STREQ(scene.scriptName, "");
}

TEST(SceneReset, MarksEveryCachedBodyAsNeverComputed)
{
    Scene& scene = *DirtyScene();
    ResetScene(scene);
    for (const PlanetRecord& planet : scene.planets) {
        EXPECT_EQ(planet.julianDay, kNeverJulianDay);
        EXPECT_EQ(planet.precisionLevel, 9);
    }
    for (const JovianMoonRecord& satellite : scene.jovianMoons)
        EXPECT_EQ(satellite.julianDay, kNeverJulianDay);
    EXPECT_EQ(scene.moon.cachedLevel, 9);
    EXPECT_EQ(scene.moon.cachedLocation.latitude, 0.0);
    EXPECT_EQ(scene.moon.julianDay, kNeverJulianDay);
    EXPECT_EQ(scene.orbitPathDay, kNeverJulianDay);
    EXPECT_EQ(scene.diskMagnitude, 100);
    EXPECT_EQ(scene.solarOrigin[0], 0.0);
    EXPECT_EQ(scene.solarOrigin[2], 0.0);
}

TEST(SceneReset, EmptiesSmallBodyListsAndUserFiles)
{
    Scene& scene = *DirtyScene();
    ResetScene(scene);
    EXPECT_EQ(scene.cometCount, 0);
    EXPECT_EQ(scene.mplanetCount, 0);
    EXPECT_EQ(scene.cometPositions, nullptr);
    EXPECT_EQ(scene.cometElements, nullptr);
    EXPECT_EQ(scene.cometTails, nullptr);
    EXPECT_EQ(scene.cometFlags, nullptr);
    EXPECT_EQ(scene.mplanetPositions, nullptr);
    EXPECT_EQ(scene.mplanetElements, nullptr);
    EXPECT_EQ(scene.mplanetFlags, nullptr);
    EXPECT_EQ(scene.userObjectFiles, nullptr);
    EXPECT_EQ(scene.userObjectFileCount, 0);
}

TEST(SceneReset, KeepsTimeSiteCanvasAndClickData)
{
    Scene& scene = *DirtyScene();
    scene.time.date = DateTime{2024, 3, 20, 21, 15, 30.5, 9.0};
    scene.time.julianDay = 2460390.0;
    std::strcpy(scene.siteName, "Tokyo");
    scene.dateStyle = 2;
    scene.siteZone = 9.0;
    scene.lastSolarUpdate = 2460389.0;
    scene.view.skyRect = XRectangle{0, 20, 800, 580};
    scene.backPixmap = 77;
    scene.gc = reinterpret_cast<GC>(0x1234);
    auto* clickData = reinterpret_cast<ClickDataIndex*>(0x5678);
    scene.clickData = clickData;
    scene.daylightLevel = 30;
    scene.redrawRequested = 1;
    scene.animation.stopMode = 2;
    scene.animation.sunEventValue = -6;

    ResetScene(scene);

    EXPECT_EQ(scene.time.date.year, 2024);
    EXPECT_EQ(scene.time.date.minute, 15);
    EXPECT_EQ(scene.time.date.second, 30.5);
    EXPECT_EQ(scene.time.julianDay, 2460390.0);
    EXPECT_STREQ(scene.siteName, "Tokyo");
    EXPECT_EQ(scene.dateStyle, 2);
    EXPECT_EQ(scene.siteZone, 9.0);
    EXPECT_EQ(scene.lastSolarUpdate, 2460389.0);
    EXPECT_EQ(scene.view.skyRect.y, 20);
    EXPECT_EQ(scene.view.skyRect.width, 800);
    EXPECT_EQ(scene.backPixmap, 77u);
    EXPECT_EQ(scene.gc, reinterpret_cast<GC>(0x1234));
    EXPECT_EQ(scene.clickData, clickData);
    EXPECT_EQ(scene.daylightLevel, 30);
    EXPECT_EQ(scene.redrawRequested, 1);
    EXPECT_EQ(scene.animation.stopMode, 2);
    EXPECT_EQ(scene.animation.sunEventValue, -6);
}

TEST(SceneSmallBodies, FreeingNullsEveryPointerAndLeavesCounts)
{
    Scene& scene = *DirtyScene();
    ResetScene(scene);
    scene.cometCount = 2;
    scene.mplanetCount = 1;
    scene.cometPositions = static_cast<SmallBodyRecord*>(std::malloc(16));
    scene.cometElements = static_cast<OrbitalElements*>(std::malloc(16));
    scene.cometTails = static_cast<CometTail*>(std::malloc(16));
    scene.cometFlags = static_cast<uint8_t*>(std::malloc(2));
    scene.mplanetPositions = static_cast<SmallBodyRecord*>(std::malloc(16));
    scene.mplanetElements = static_cast<OrbitalElements*>(std::malloc(16));
    scene.mplanetFlags = static_cast<uint8_t*>(std::malloc(1));

    FreeSceneSmallBodies(scene);

    EXPECT_EQ(scene.cometPositions, nullptr);
    EXPECT_EQ(scene.cometElements, nullptr);
    EXPECT_EQ(scene.cometTails, nullptr);
    EXPECT_EQ(scene.cometFlags, nullptr);
    EXPECT_EQ(scene.mplanetPositions, nullptr);
    EXPECT_EQ(scene.mplanetElements, nullptr);
    EXPECT_EQ(scene.mplanetFlags, nullptr);
    EXPECT_EQ(scene.cometCount, 2);
    EXPECT_EQ(scene.mplanetCount, 1);
    // Freeing an empty scene again is harmless.
    FreeSceneSmallBodies(scene);
}
