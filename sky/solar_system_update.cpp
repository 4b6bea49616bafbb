#include "sky/solar_system_update.h"

#include "astro/comet_tails.h"
#include "astro/coordinates.h"
#include "astro/eclipse.h"
#include "astro/jovian_moons.h"
#include "astro/moon.h"
#include "astro/phase_angle.h"
#include "astro/planets.h"
#include "astro/small_body_orbit.h"
#include "astro/sun.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "sky/catalog/object_names.h"
#include "sky/scene.h"

#include <cstring>

SolarSystemRecomputations gSolarSystemRecomputations;

namespace {

constexpr int32_t kFullSeries = 1;

bool IsPicked(const Scene& scene, int32_t type, int32_t id)
{
    const PickedObject& picked = scene.pickedObject;
    return picked.picked != 0 && picked.type == type && picked.id == id;
}

bool SameSite(const ObserverLocation& a, const ObserverLocation& b)
{
    return a.latitude == b.latitude && a.longitude == b.longitude && a.height == b.height;
}

void UpdateSun(Scene& scene)
{
    // The Sun keeps its own day as well: the day of the last update alone
    // would leave it stale after anyone else had moved the scene's clock.
    const double jd = scene.time.julianDay;
    if (jd != scene.lastSolarUpdate || jd != scene.sun.julianDay) {
        SunPosition(scene.time, scene.sun);
        ++gSolarSystemRecomputations.sun;
    }
    if (!IsSolarSystemView(scene.viewMode)) {
        const double place[2] = {scene.sun.raJ2000, scene.sun.decJ2000};
        double horizontal[2];
        ConvertCoordinates(scene.time, kFrameEqt, place, kFrameHrz, horizontal);
        scene.sun.azimuth = horizontal[0];
        scene.sun.altitude = horizontal[1];
    }
}

// The Moon's record was computed for the scene's day and site, at least as
// finely as asked.
bool MoonHoldsInstant(const Scene& scene, int32_t level)
{
    const MoonRecord& moon = scene.moon;
    return moon.cachedLevel <= level && SameSite(moon.cachedLocation, scene.time.location) &&
           moon.julianDay == scene.time.julianDay;
}

void UpdateMoonRecord(Scene& scene, int32_t level)
{
    if (MoonNeedsUpdate(scene, level) == 0)
        return;
    UpdateMoon(scene.time, scene.moon, scene.sun, level);
    scene.moon.age = MoonAge(scene.time.julianDay, scene.sun, scene.moon);
    ++gSolarSystemRecomputations.moon;
}

// The eclipse fields from the Sun and the Moon as they now stand. Not only
// when the Moon was recomputed: the Sun's recomputation clears them, and a
// Moon that already held the instant (after a solar-system view at another
// day, say) would not bring them back. A Moon left stale by those views
// tells no eclipse.
void UpdateEclipse(Scene& scene, int32_t level)
{
    if (MoonHoldsInstant(scene, level))
        SolarEclipseMagnitude(scene.moon, scene.sun);
    else
        scene.sun.eclipseMagnitude = -1.0;
}

void ComputePlanet(Scene& scene, int32_t planet, int32_t level)
{
    PlanetPosition(planet, scene.time, scene.sun, scene.planets[planet], level);
    ++gSolarSystemRecomputations.planets[planet];
}

void UpdatePlanets(Scene& scene, const int32_t levels[kPlanetCount])
{
    const SunRecord& sun = scene.sun;
    for (int32_t i = 0; i < kPlanetCount; ++i) {
        PlanetRecord& planet = scene.planets[i];
        if (PlanetNeedsUpdate(scene, i, levels[i]) != 0)
            ComputePlanet(scene, i, levels[i]);
        if ((scene.planetFlags[i] & kBodyOutline) != 0)
            PhaseAndLimbAngle(sun.raJ2000, sun.decJ2000, sun.distance, planet.raJ2000, planet.decJ2000,
                              planet.distance, planet.illuminatedFraction, planet.brightLimbAngle);
    }
}

void UpdateSatellites(Scene& scene, int32_t jupiterLevel)
{
    if (JovianMoonsNeedUpdate(scene) == 0)
        return;
    // A satellite can be picked while Jupiter is hidden, and a hidden
    // Jupiter is not brought up to date above: the satellites would be
    // placed round where Jupiter stood at some other time.
    const PlanetRecord& jupiter = scene.planets[kJupiter];
    if (jupiter.julianDay != scene.time.julianDay || jupiter.cachedLevel > jupiterLevel)
        ComputePlanet(scene, kJupiter, jupiterLevel);
    UpdateJovianMoons(scene.time, jupiter, scene.jovianMoons);
    ++gSolarSystemRecomputations.jovianMoons;
}

// The label a failure is reported with: the object's first non-blank
// name, trailing blanks cut.
void ReportSmallBodyFailure(const char* key, const OrbitalElements& elements)
{
    char label[64];
    CopyCut(label, sizeof label, GetOrbitalElementsLabel(elements));
    for (size_t n = std::strlen(label); n > 0 && label[n - 1] == ' '; --n)
        label[n - 1] = '\0';
    SetPendingError(key, label);
}

// A tail that cannot be computed loses its bit, so the next redraw does
// not try it again; shown again, it is tried and reported again.
void HideFailedTail(Scene& scene, int32_t i, uint8_t bit)
{
    scene.cometFlags[i] &= static_cast<uint8_t>(~bit);
    ReportSmallBodyFailure("stkErrorCalcCometTail", scene.cometElements[i]);
}

void UpdateComet(Scene& scene, int32_t i)
{
    const OrbitalElements& elements = scene.cometElements[i];
    CometTail& tail = scene.cometTails[i];
    if (CometNeedsUpdate(scene, i) != 0 &&
        UpdateSmallBody(scene.time, scene.sun, elements, scene.cometPositions[i]) == 0) {
        scene.cometFlags[i] &= static_cast<uint8_t>(~kBodyShown);
        ReportSmallBodyFailure("stkErrorCalcCometPos", elements);
    }
    if (IonTailNeedsUpdate(scene, i) != 0 && UpdateIonTail(scene.time, scene.sun, elements, tail) == 0)
        HideFailedTail(scene, i, kBodyIonTail);
    if (DustTailNeedsUpdate(scene, i) != 0 && UpdateDustTail(scene.time, scene.sun, elements, tail) == 0)
        HideFailedTail(scene, i, kBodySpotOrDustTail);
}

void UpdateSmallBodies(Scene& scene)
{
    for (int32_t i = 0; i < scene.cometCount; ++i) {
        if (scene.cometPositions[i].kind == 'C')
            UpdateComet(scene, i);
    }
    for (int32_t i = 0; i < scene.mplanetCount; ++i) {
        if (scene.mplanetPositions[i].kind != 'M' || MinorPlanetNeedsUpdate(scene, i) == 0)
            continue;
        if (UpdateSmallBody(scene.time, scene.sun, scene.mplanetElements[i], scene.mplanetPositions[i]) == 0) {
            scene.mplanetFlags[i] &= static_cast<uint8_t>(~kBodyShown);
            ReportSmallBodyFailure("stkErrorCalcMpPos", scene.mplanetElements[i]);
        }
    }
}

}  // namespace

void SetPrecisionLevels(const Scene& /*scene*/, int32_t& moonLevel, int32_t planetLevels[8])
{
    moonLevel = kFullSeries;
    for (int i = 0; i < kPlanetCount; ++i)
        planetLevels[i] = kFullSeries;
}

void UpdateSolarSystem(Scene& scene)
{
    UpdateSun(scene);

    int32_t moonLevel = kFullSeries;
    int32_t planetLevels[kPlanetCount];
    SetPrecisionLevels(scene, moonLevel, planetLevels);

    UpdateMoonRecord(scene, moonLevel);
    UpdateEclipse(scene, moonLevel);
    UpdatePlanets(scene, planetLevels);
    UpdateSatellites(scene, planetLevels[kJupiter]);
    UpdateSmallBodies(scene);
}

int32_t MoonNeedsUpdate(const Scene& scene, int32_t level)
{
    if (IsPicked(scene, kObjectSolarBody, kMoonId))
        return 1;
    if (IsSolarSystemView(scene.viewMode))
        return 0;
    // The Moon's own day, not the day of the last update: the solar-system
    // views skip the Moon while the day moves on, and it must not come back
    // stale.
    return MoonHoldsInstant(scene, level) ? 0 : 1;
}

int32_t PlanetNeedsUpdate(const Scene& scene, int32_t planet, int32_t level)
{
    if (IsPicked(scene, kObjectSolarBody, planet))
        return 1;
    if ((scene.planetFlags[planet] & kBodyShown) == 0)
        return 0;
    const PlanetRecord& record = scene.planets[planet];
    return record.julianDay != scene.time.julianDay || record.cachedLevel > level ? 1 : 0;
}

int32_t CometNeedsUpdate(const Scene& scene, int32_t comet)
{
    if (IsPicked(scene, kObjectSolarBody, kCometIdBase + comet))
        return 1;
    if (scene.cometPositions[comet].julianDay == scene.time.julianDay)
        return 0;
    return (scene.cometFlags[comet] & kBodyShown) != 0 ? 1 : 0;
}

int32_t MinorPlanetNeedsUpdate(const Scene& scene, int32_t minorPlanet)
{
    if (IsPicked(scene, kObjectSolarBody, kMinorPlanetIdBase + minorPlanet))
        return 1;
    if (scene.mplanetPositions[minorPlanet].julianDay == scene.time.julianDay)
        return 0;
    return (scene.mplanetFlags[minorPlanet] & kBodyShown) != 0 ? 1 : 0;
}

int32_t DustTailNeedsUpdate(const Scene& scene, int32_t comet)
{
    if (scene.cometTails[comet].dustDay == scene.time.julianDay)
        return 0;
    constexpr uint8_t kWanted = kBodyShown | kBodySpotOrDustTail;
    return (scene.cometFlags[comet] & kWanted) == kWanted ? 1 : 0;
}

int32_t IonTailNeedsUpdate(const Scene& scene, int32_t comet)
{
    if (scene.cometTails[comet].ionDay == scene.time.julianDay)
        return 0;
    constexpr uint8_t kWanted = kBodyShown | kBodyIonTail;
    return (scene.cometFlags[comet] & kWanted) == kWanted ? 1 : 0;
}

int32_t JovianMoonsNeedUpdate(const Scene& scene)
{
    if (scene.pickedObject.picked != 0 && scene.pickedObject.type == kObjectJovianMoon)
        return 1;
    if ((scene.planetFlags[kJupiter] & kBodyShown) == 0 || (scene.jovianMoonFlags & kJovianMoonsShown) == 0)
        return 0;
    return scene.jovianMoons[0].julianDay != scene.time.julianDay ? 1 : 0;
}
