// Bringing every body record of the scene up to the scene's instant before
// a redraw. Each body is recomputed only when its own record no longer
// matches the instant, the site or the precision asked for, so a redraw
// that only pans or zooms costs no astronomy.
//
// It lives in the sky library because it reads and writes the Scene; the
// astronomy library it drives takes records and returns records.
#pragma once

#include <cstdint>

struct Scene;

// Updates the Sun (and outside the solar-system views its horizontal
// place), the Moon with its age, the eclipse fields of the Sun (from the
// Sun and the Moon as they stand after every update; none while the Moon
// is stale), the planets with their phases when drawn as disks, and
// Jupiter's satellites (with Jupiter itself first when it is hidden but a
// satellite is picked). Then the loaded comets with their tails, in every
// view, and the minor planets; one whose place or tail cannot be computed
// is hidden (or loses the tail) and leaves its error key and label pending
// for the command that caused the redraw, each time it fails.
// Given:    scene  its time record (instant and site), view mode, body flags
//                  and picked object
// Returned: scene  its Sun, Moon, planet, Jovian-satellite, comet, tail and
//                  minor-planet records, and the comet and minor-planet flag
//                  bytes of any that failed
void UpdateSolarSystem(Scene& scene);

// The precision level asked of the Moon and planet series: always 1, the
// full series.
// Returned: moonLevel, planetLevels[8]
void SetPrecisionLevels(const Scene& scene, int32_t& moonLevel, int32_t planetLevels[8]);

// Predicates: 1 when the record must be recomputed, else 0. "Picked" means
// the scene's picked object is set and is the body named; a picked body is
// always recomputed, so that the information box shows it current.

// Picked Moon; else 0 in the solar-system views; else when the record's
// level is coarser than `level`, its site differs from the scene's, or its
// own Julian day differs from the scene's.
int32_t MoonNeedsUpdate(const Scene& scene, int32_t level);

// Picked planet `planet` (0 Mercury .. 7 Pluto); else 0 when the planet is
// hidden; else when its day differs from the scene's or its level is
// coarser than `level`.
int32_t PlanetNeedsUpdate(const Scene& scene, int32_t planet, int32_t level);

// Picked comet `comet` (0-based); else 0 when its record holds the scene's
// day; else when the comet is shown.
int32_t CometNeedsUpdate(const Scene& scene, int32_t comet);

// The same for the minor planet `minorPlanet` (0-based).
int32_t MinorPlanetNeedsUpdate(const Scene& scene, int32_t minorPlanet);

// 0 when the comet's dust tail holds the scene's day; else when the comet
// and its dust tail are shown.
int32_t DustTailNeedsUpdate(const Scene& scene, int32_t comet);

// The same for the ion tail.
int32_t IonTailNeedsUpdate(const Scene& scene, int32_t comet);

// Any Jovian satellite picked; else 0 when Jupiter or the satellites are
// hidden; else when the first satellite record's day differs from the
// scene's.
int32_t JovianMoonsNeedUpdate(const Scene& scene);

// How many times each body was computed by UpdateSolarSystem since the
// counts were last zeroed: lets the tests and the benchmark see what a
// redraw really cost. Unsigned, so that a long animation wraps them
// harmlessly.
struct SolarSystemRecomputations {
    uint32_t sun;
    uint32_t moon;
    uint32_t planets[8];
    uint32_t jovianMoons;
};
extern SolarSystemRecomputations gSolarSystemRecomputations;
