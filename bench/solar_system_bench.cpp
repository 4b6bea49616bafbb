// One full solar-system update at a new instant, as every redraw after a
// time step pays it, beside libnova computing the same bodies from VSOP87
// and ELP 2000-82B, over the same batch of instants in one run. Reports the
// time per update of each side, libnova's time over ours, and how far our
// places lie from libnova's (geometric, geocentric, J2000 equator; libnova's
// ecliptic frames turned with ERFA). Jupiter's satellites have no libnova
// counterpart and are timed on our side only. Then the same update with
// 1,000 and 10,000 minor planets, and with 100 comets and their tails.
#include <benchmark/benchmark.h>

#include "astro/astro_time.h"
#include "sky/scene.h"
#include "sky/solar_system_update.h"
#include "small_body_loads.h"

#include <erfa.h>
#include <erfam.h>
#include <libnova/dynamical_time.h>
#include <libnova/earth.h>
#include <libnova/jupiter.h>
#include <libnova/lunar.h>
#include <libnova/mars.h>
#include <libnova/mercury.h>
#include <libnova/neptune.h>
#include <libnova/pluto.h>
#include <libnova/saturn.h>
#include <libnova/solar.h>
#include <libnova/uranus.h>
#include <libnova/venus.h>

#include <array>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kBatch = 64;
const ObserverLocation kSite{35.6581, 139.7414, 40.0};

std::vector<AstroTime> MakeInstants()
{
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> days(0.0, 50.0 * 365.25);
    std::vector<AstroTime> instants(kBatch);
    for (AstroTime& t : instants)
        AstroTimeFromJulianDay(2451545.0 + days(random), 9.0, kSite, t);
    return instants;
}

Scene& FreshScene()
{
    static Scene scene;
    ResetScene(scene);
    return scene;
}

double Jde(double jd)
{
    return jd + ln_get_dynamical_time_diff(jd) / 86400.0;
}

// Direction of an ecliptic place (mean ecliptic and equinox of `epoch`,
// degrees) on the J2000 equator.
void EclipticToJ2000(double lon, double lat, double epoch, double v[3])
{
    double ecl[3];
    eraS2c(lon * ERFA_DD2R, lat * ERFA_DD2R, ecl);
    double rotation[3][3];
    eraEcm06(epoch, 0.0, rotation);
    eraTrxp(rotation, ecl, v);
}

double ArcsecFrom(double raDeg, double decDeg, double v[3])
{
    double ra, dec;
    eraC2s(v, &ra, &dec);
    return eraSeps(raDeg * ERFA_DD2R, decDeg * ERFA_DD2R, ra, dec) * ERFA_DR2AS;
}

struct Accuracy {
    double sun = 0.0;    // arcseconds, largest over the batch
    double moon = 0.0;
    double planet = 0.0;
    int worstPlanet = 0;
};

using HelioFunction = void (*)(double, ln_helio_posn*);
using EquatorialFunction = void (*)(double, ln_equ_posn*);

// Mercury..Pluto in the scene's order.
const std::array<HelioFunction, 8> kLibnovaHelio = {
    ln_get_mercury_helio_coords, ln_get_venus_helio_coords,   ln_get_mars_helio_coords,
    ln_get_jupiter_helio_coords, ln_get_saturn_helio_coords,  ln_get_uranus_helio_coords,
    ln_get_neptune_helio_coords, ln_get_pluto_helio_coords};
const std::array<EquatorialFunction, 8> kLibnovaEquatorial = {
    ln_get_mercury_equ_coords, ln_get_venus_equ_coords,   ln_get_mars_equ_coords,
    ln_get_jupiter_equ_coords, ln_get_saturn_equ_coords,  ln_get_uranus_equ_coords,
    ln_get_neptune_equ_coords, ln_get_pluto_equ_coords};

// Geometric geocentric direction of a planet from libnova's heliocentric
// places of it and of the Earth (ecliptic of J2000), on the J2000 equator.
void LibnovaPlanet(int planet, double jde, double v[3])
{
    ln_helio_posn body, earth;
    kLibnovaHelio[planet](jde, &body);
    ln_get_earth_helio_coords(jde, &earth);
    double b[3], e[3];
    eraS2p(body.L * ERFA_DD2R, body.B * ERFA_DD2R, body.R, b);
    eraS2p(earth.L * ERFA_DD2R, earth.B * ERFA_DD2R, earth.R, e);
    double ecl[3];
    eraPmp(b, e, ecl);
    double rotation[3][3];
    eraEcm06(ERFA_DJ00, 0.0, rotation);
    eraTrxp(rotation, ecl, v);
}

Accuracy CompareWithLibnova(const std::vector<AstroTime>& instants)
{
    Accuracy worst;
    Scene& scene = FreshScene();
    for (const AstroTime& t : instants) {
        scene.time = t;
        UpdateSolarSystem(scene);
        const double jde = Jde(t.julianDay);

        // libnova's geometric Sun is referred to the ecliptic of J2000.
        ln_helio_posn sun;
        ln_get_solar_geom_coords(jde, &sun);
        double v[3];
        EclipticToJ2000(sun.L, sun.B, ERFA_DJ00, v);
        worst.sun = std::fmax(worst.sun, ArcsecFrom(scene.sun.raJ2000, scene.sun.decJ2000, v));

        // So is its ELP Moon, in km.
        ln_rect_posn moon;
        ln_get_lunar_geo_posn(jde, &moon, 0.0);
        double ecl[3] = {moon.X, moon.Y, moon.Z};
        double rotation[3][3];
        eraEcm06(ERFA_DJ00, 0.0, rotation);
        eraTrxp(rotation, ecl, v);
        worst.moon = std::fmax(worst.moon, ArcsecFrom(scene.moon.geoRaJ2000, scene.moon.geoDecJ2000, v));

        for (int i = 0; i < kPlanetCount; ++i) {
            LibnovaPlanet(i, jde, v);
            const double d = ArcsecFrom(scene.planets[i].raJ2000, scene.planets[i].decJ2000, v);
            if (d > worst.planet) {
                worst.planet = d;
                worst.worstPlanet = i;
            }
        }
    }
    return worst;
}

constexpr int kLibnovaBodies = 10;

void LibnovaBodies(double jd, ln_equ_posn out[kLibnovaBodies])
{
    const double jde = Jde(jd);
    ln_get_solar_equ_coords(jde, &out[0]);
    ln_get_lunar_equ_coords(jde, &out[1]);
    for (int i = 0; i < kPlanetCount; ++i)
        kLibnovaEquatorial[i](jde, &out[2 + i]);
}

void BM_SolarSystemUpdateBesideLibnova(benchmark::State& state)
{
    const std::vector<AstroTime> instants = MakeInstants();
    const Accuracy accuracy = CompareWithLibnova(instants);
    Scene& scene = FreshScene();
    using Clock = std::chrono::steady_clock;
    Clock::duration ours{}, theirs{};
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        for (const AstroTime& t : instants) {
            scene.time = t;
            UpdateSolarSystem(scene);
            benchmark::DoNotOptimize(scene.moon.raJ2000);
        }
        const Clock::time_point t1 = Clock::now();
        for (const AstroTime& t : instants) {
            ln_equ_posn places[kLibnovaBodies];
            LibnovaBodies(t.julianDay, places);
            benchmark::DoNotOptimize(places);
        }
        theirs += Clock::now() - t1;
        ours += t1 - t0;
    }
    const double updates = static_cast<double>(state.iterations()) * kBatch;
    const double ourMicroseconds = std::chrono::duration<double, std::micro>(ours).count() / updates;
    const double theirMicroseconds = std::chrono::duration<double, std::micro>(theirs).count() / updates;
    state.counters["uvola_us"] = ourMicroseconds;
    state.counters["libnova_us"] = theirMicroseconds;
    state.counters["libnova_over_uvola"] = theirMicroseconds / ourMicroseconds;
    state.counters["sun_max_arcsec"] = accuracy.sun;
    state.counters["moon_max_arcsec"] = accuracy.moon;
    state.counters["planet_max_arcsec"] = accuracy.planet;
    state.counters["worst_planet"] = accuracy.worstPlanet;
}
BENCHMARK(BM_SolarSystemUpdateBesideLibnova)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The update at a new instant with loaded minor planets, or with comets and
// both their tails: the two instants alternate, so that every object is
// recomputed each time. Counters: the time per minor planet, per comet.
void SmallBodyUpdate(benchmark::State& state, int comets, int minorPlanets)
{
    Scene& scene = FreshScene();
    LoadSmallBodies(scene, comets, minorPlanets);
    AstroTime instants[2];
    AstroTimeFromJulianDay(2461380.5, 9.0, kSite, instants[0]);
    AstroTimeFromJulianDay(2461381.5, 9.0, kSite, instants[1]);
    using Clock = std::chrono::steady_clock;
    Clock::duration smallBodies{};
    int n = 0;
    for (auto _ : state) {
        scene.time = instants[n++ % 2];
        const Clock::time_point t0 = Clock::now();
        UpdateSolarSystem(scene);
        smallBodies += Clock::now() - t0;
        benchmark::DoNotOptimize(scene.mplanetCount > 0 ? scene.mplanetPositions[0].raReference : 0.0);
    }
    const double perUpdate = std::chrono::duration<double, std::milli>(smallBodies).count() / state.iterations();
    state.counters["update_ms"] = perUpdate;
    if (comets > 0)
        state.counters["per_comet_ms"] = perUpdate / comets;
    if (minorPlanets > 0)
        state.counters["per_minor_planet_us"] = perUpdate * 1000.0 / minorPlanets;
    LoadSmallBodies(scene, 0, 0);
}

void BM_MinorPlanetsAtANewInstant(benchmark::State& state)
{
    SmallBodyUpdate(state, 0, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_MinorPlanetsAtANewInstant)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CometsWithTailsAtANewInstant(benchmark::State& state)
{
    SmallBodyUpdate(state, static_cast<int>(state.range(0)), 0);
}
BENCHMARK(BM_CometsWithTailsAtANewInstant)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
