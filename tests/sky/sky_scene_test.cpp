// The scene record's defaults, and what a reset must leave alone.
#include <gtest/gtest.h>

#include "sky/scene.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <tuple>

namespace {

// A scene whose every byte is 0xA5, so that a default the reset forgets
// shows up as garbage rather than as a lucky zero.
Scene& DirtyScene()
{
    static Scene scene;
    std::memset(&scene, 0xA5, sizeof scene);
    return scene;
}

struct Default {
    const char* field;
    double (*read)(const Scene&);
    double value;
};
#define FIELD(expr) #expr, [](const Scene& s) { return static_cast<double>(s.expr); }

// The first redraw after a reset looks south with the horizon along the
// bottom edge: the HRZ target with bit 15, centred once and kept centred.
const Default kDefaults[] = {
    {FIELD(viewMode), 0x101}, {FIELD(viewModeChanged), 1}, {FIELD(mirror), 0},
    {FIELD(timeStep.years), 0}, {FIELD(timeStep.months), 0}, {FIELD(timeStep.days), 0},
    {FIELD(timeStep.hours), 0}, {FIELD(timeStep.minutes), 3}, {FIELD(timeStep.seconds), 0.0},
    {FIELD(animationDirection), 0}, {FIELD(timeSystem), 0},
    {FIELD(animation.workProc), 0}, {FIELD(animation.timer), 0}, {FIELD(animation.running), 0},
    {FIELD(animation.clockMode), 0}, {FIELD(animation.realTimeMode), 0}, {FIELD(animation.synchronised), 1},
    {FIELD(animation.interval), 5}, {FIELD(animation.sunEventLock), 0},
    {FIELD(view.hrzCentreAzimuth), 0.0}, {FIELD(view.hrzCentreAltitude), 0.0},
    {FIELD(view.centreLongitude), 0.0}, {FIELD(view.centreLatitude), 0.0},
    {FIELD(view.fieldOfView), 120.0}, {FIELD(view.verticalField), 120.0}, {FIELD(view.solarViewWidth), 12.0},
    {FIELD(view.zoomFactor), 1.2}, {FIELD(view.minimumField), 1.0}, {FIELD(view.horizonLimit), 0},
    {FIELD(mag.starLimit), 45}, {FIELD(mag.starOffset), 0}, {FIELD(mag.requestPending), 0},
    {FIELD(mag.requestedValue), 0}, {FIELD(mag.starCap), 65}, {FIELD(mag.starLabelLimit), 14},
    {FIELD(mag.nebulaFaint), 110}, {FIELD(mag.nebulaBright), 0}, {FIELD(mag.nebulaBoundsInUse), 1},
    {FIELD(moon.cachedLocation.latitude), 0.0}, {FIELD(moon.cachedLocation.longitude), 0.0},
    {FIELD(moon.cachedLocation.height), 0.0}, {FIELD(moon.cachedLevel), 9},
    {FIELD(moon.julianDay), kNeverJulianDay}, {FIELD(diskMagnitude), 100},
    {FIELD(solarOrigin[0]), 0.0}, {FIELD(solarOrigin[1]), 0.0}, {FIELD(solarOrigin[2]), 0.0},
    {FIELD(cometCount), 0}, {FIELD(cometPositions != nullptr), 0}, {FIELD(cometElements != nullptr), 0},
    {FIELD(cometTails != nullptr), 0}, {FIELD(cometFlags != nullptr), 0}, {FIELD(mplanetCount), 0},
    {FIELD(mplanetPositions != nullptr), 0}, {FIELD(mplanetElements != nullptr), 0},
    {FIELD(mplanetFlags != nullptr), 0}, {FIELD(orbitPathDay), kNeverJulianDay},
    {FIELD(targetLongitude), 0.0}, {FIELD(targetLatitude), 0.0}, {FIELD(targetType), 0x8001},
    {FIELD(targetId), 0}, {FIELD(centring), 1}, {FIELD(keepCentred), 1},
    {FIELD(pickedObject.picked), 0}, {FIELD(pickedObject.clickDataFlags), 0}, {FIELD(pickedObject.type), -1},
    {FIELD(pickedObject.id), 0}, {FIELD(pickedObject.pointerX), -1}, {FIELD(pickedObject.pointerY), -1},
    {FIELD(pickedObject.text[0]), 0},
    {FIELD(trace), 0}, {FIELD(sunFlags), 2}, {FIELD(moonFlags), 2}, {FIELD(earthFlags), 0x22},
    {FIELD(jovianMoonFlags), 1}, {FIELD(statusLine), 1},
    {FIELD(userObjectFiles != nullptr), 0}, {FIELD(userObjectFileCount), 0}, {FIELD(scriptName[0]), 0},
};

struct Kept {
    const char* field;
    size_t offset, size;
};
#define KEPT(member) {#member, offsetof(Scene, member), sizeof(static_cast<Scene*>(nullptr)->member)}

// The widgets, the time and site, the canvas and the click data survive
// INIT, and so does what the next redraw computes anyway.
const Kept kKept[] = {
    KEPT(mainWindow), KEPT(drawingArea), KEPT(hScroll), KEPT(vScroll), KEPT(time), KEPT(siteName),
    KEPT(dateStyle), KEPT(siteZone), KEPT(lastSolarUpdate), KEPT(animation.stopMode),
    KEPT(animation.offsetStart), KEPT(animation.offsetStartDay), KEPT(animation.targetDay),
    KEPT(animation.sunEventValue), KEPT(view.skyRect), KEPT(view.diagonalField), KEPT(view.matrices),
    KEPT(view.xScale), KEPT(view.centreLimit), KEPT(view.screenCentreX), KEPT(view.circleRadius),
    KEPT(view.matricesDouble), KEPT(view.pixelsPerDegree), KEPT(view.starSize), KEPT(mag.faintStarColor),
    KEPT(sun), KEPT(orbitPaths), KEPT(daylightLevel), KEPT(redrawRequested), KEPT(pixmapNew),
    KEPT(background), KEPT(backPixmap), KEPT(gc), KEPT(clickData), KEPT(clickDataText), KEPT(clickDataSize),
};

}  // namespace

TEST(SceneReset, StoresEveryDefault)
{
    Scene& scene = DirtyScene();
    ResetScene(scene);
    for (const Default& d : kDefaults)
        EXPECT_EQ(d.read(scene), d.value) << d.field;
    const uint8_t flags[kDisplayFlagCount] = {1, 0, 0, 5, 0, 0x7F, 7, 0x73, 0, 2, 0, 0, 0, 3, 0, 0};
    for (int i = 0; i < kDisplayFlagCount; ++i)
        EXPECT_EQ(scene.displayFlags[i], flags[i]) << "display flag byte " << i;
    for (int i = 0; i < kPlanetCount; ++i) {
        EXPECT_EQ(scene.planetFlags[i], 0x22) << "planet " << i;
        EXPECT_EQ(scene.planets[i].julianDay, kNeverJulianDay) << "planet " << i;
        EXPECT_EQ(scene.planets[i].cachedLevel, 9) << "planet " << i;
    }
    for (const JovianMoonRecord& satellite : scene.jovianMoons)
        EXPECT_EQ(satellite.julianDay, kNeverJulianDay);
    // The first redraw looks south, with the horizon on the bottom edge.
    const ViewTarget target = ViewTargetOf(scene);
    EXPECT_EQ(std::make_tuple(target.longitude, target.latitude, target.type, target.id, target.centring),
              std::make_tuple(0.0, 0.0, 0x8001, 0, 1));
}

TEST(SceneReset, KeepsTimeSiteCanvasAndClickData)
{
    Scene& scene = DirtyScene();
    static Scene before;
    std::memcpy(&before, &scene, sizeof scene);
    ResetScene(scene);
    for (const Kept& k : kKept) {
        EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&scene) + k.offset,
                              reinterpret_cast<const char*>(&before) + k.offset, k.size),
                  0)
            << k.field;
    }
}

TEST(SceneSmallBodies, FreeingNullsEveryPointerAndLeavesCounts)
{
    Scene& scene = DirtyScene();
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
    for (const Default& d : kDefaults)
        EXPECT_TRUE(std::strstr(d.field, "nullptr") == nullptr || d.read(scene) == 0) << d.field;
    EXPECT_EQ(scene.cometCount, 2);
    EXPECT_EQ(scene.mplanetCount, 1);
    FreeSceneSmallBodies(scene);   // an emptied scene again: harmless
}
