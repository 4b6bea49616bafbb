#include "sky/scene.h"

#include <cstdlib>

namespace {
Scene sceneRecord;

// Display-flag bytes of a fresh scene, in DisplayFlagIndex order.
constexpr uint8_t kDefaultDisplayFlags[kDisplayFlagCount] = {
    1,     // stars
    0,     // star labels
    0,     // constellations
    5,     // Milky Way
    0,     // nebulae
    0x7F,  // all nebula types
    7,     // Messier, NGC and IC
    0x73,  // daylight, twilight, both meteor kinds, horizon
    0,     // grid style and numbers
    2,     // compass directions
    0,     // equatorial grids
    0,     // other grids
    0,     // line numbers
    3,     // user objects and their names
    0,     // sky marks
    0,     // picture marks
};

void ResetHead(Scene& scene)
{
    scene.viewMode = kModeHrz;
    scene.viewModeChanged = 1;
    scene.mirror = 0;
}

void ResetTime(Scene& scene)
{
    scene.timeStep = DateInterval{0, 0, 0, 0, 3, 0.0};
    scene.animationDirection = 0;
    scene.timeSystem = kTimeSystemLst;
}

void ResetAnimation(AnimationState& animation)
{
    animation.workProc = 0;
    animation.timer = 0;
    animation.running = 0;
    animation.clockMode = 0;
    animation.realTimeMode = 0;
    animation.synchronised = 1;
    animation.interval = 5;
    animation.sunEventLock = 0;
}

void ResetView(ViewGeometry& view)
{
    view.hrzCentreAzimuth = 0.0;
    view.hrzCentreAltitude = 0.0;
    view.centreLongitude = 0.0;
    view.centreLatitude = 0.0;
    view.fieldOfView = 120.0;
    view.verticalField = 120.0;
    view.solarViewWidth = 12.0;
    view.zoomFactor = 1.2;
    view.minimumField = 1.0;
    view.horizonLimit = 0;
}

void ResetMagnitudes(MagnitudeLimits& mag)
{
    mag.starLimit = 45;
    mag.starOffset = 0;
    mag.requestPending = 0;
    mag.requestedValue = 0;
    mag.starCap = 65;
    mag.starLabelLimit = 14;
    mag.nebulaFaint = 110;
    mag.nebulaBright = 0;
    mag.nebulaBoundsInUse = 1;
}

void ResetSolarSystem(Scene& scene)
{
    scene.moon.cachedLocation = ObserverLocation{0.0, 0.0, 0.0};
    scene.moon.cachedLevel = kFullPrecision;
    scene.moon.julianDay = kNeverJulianDay;
    for (PlanetRecord& planet : scene.planets) {
        planet.julianDay = kNeverJulianDay;
        planet.cachedLevel = kFullPrecision;
    }
    scene.diskMagnitude = 100;
    for (double& axis : scene.solarOrigin)
        axis = 0.0;
    for (JovianMoonRecord& satellite : scene.jovianMoons)
        satellite.julianDay = kNeverJulianDay;
    scene.cometCount = 0;
    scene.mplanetCount = 0;
    scene.cometPositions = nullptr;
    scene.cometElements = nullptr;
    scene.cometTails = nullptr;
    scene.mplanetPositions = nullptr;
    scene.mplanetElements = nullptr;
    scene.cometCapacity = 0;
    scene.mplanetCapacity = 0;
    scene.orbitPathDay = kNeverJulianDay;
}

void ResetTargetAndFlags(Scene& scene)
{
    // The first redraw turns to the south point with the horizon at the bottom.
    scene.targetLongitude = 0.0;
    scene.targetLatitude = 0.0;
    scene.targetType = 1 | kRecentreTarget;
    scene.targetId = 0;
    scene.centring = 1;
    for (int i = 0; i < kDisplayFlagCount; ++i)
        scene.displayFlags[i] = kDefaultDisplayFlags[i];
}

void ResetPickedObject(PickedObject& picked)
{
    picked.picked = 0;
    picked.clickDataFlags = 0;
    picked.type = -1;
    picked.id = 0;
    picked.pointerX = -1;
    picked.pointerY = -1;
    picked.text[0] = '\0';
}

void ResetBodyFlags(Scene& scene)
{
    scene.trace = 0;
    scene.sunFlags = kBodyShown;
    scene.moonFlags = kBodyShown;
    scene.earthFlags = kBodyShown | kBodyOrbit;
    for (uint8_t& flags : scene.planetFlags)
        flags = kBodyShown | kBodyOrbit;
    scene.jovianMoonFlags = 1;
    scene.cometFlags = nullptr;
    scene.mplanetFlags = nullptr;
}

void ResetCanvasTail(Scene& scene)
{
    scene.statusLine = 1;
    scene.keepCentred = 1;
    scene.userObjectFiles = nullptr;
    scene.userObjectFileCount = 0;
    scene.scriptName[0] = '\0';
}
}  // namespace

Scene* gScene = &sceneRecord;

ViewTarget ViewTargetOf(const Scene& scene)
{
    return ViewTarget{scene.targetLongitude, scene.targetLatitude, scene.targetType, scene.targetId, scene.centring};
}

void ResetScene(Scene& scene)
{
    ResetHead(scene);
    ResetTime(scene);
    ResetAnimation(scene.animation);
    ResetView(scene.view);
    ResetMagnitudes(scene.mag);
    ResetSolarSystem(scene);
    ResetTargetAndFlags(scene);
    ResetPickedObject(scene.pickedObject);
    ResetBodyFlags(scene);
    ResetCanvasTail(scene);
}

void FreeSceneSmallBodies(Scene& scene)
{
    std::free(scene.cometPositions);
    std::free(scene.cometElements);
    std::free(scene.cometTails);
    std::free(scene.cometFlags);
    std::free(scene.mplanetPositions);
    std::free(scene.mplanetElements);
    std::free(scene.mplanetFlags);
    scene.cometPositions = nullptr;
    scene.cometElements = nullptr;
    scene.cometTails = nullptr;
    scene.cometFlags = nullptr;
    scene.mplanetPositions = nullptr;
    scene.mplanetElements = nullptr;
    scene.mplanetFlags = nullptr;
    scene.cometCapacity = 0;
    scene.mplanetCapacity = 0;
}
