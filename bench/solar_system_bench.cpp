// One full solar-system update at a new instant, as every redraw after a
// time step pays it, beside libnova computing the same bodies from VSOP87
// and ELP 2000-82B, over the same batch of instants in one run. Reports the
// time per update of each side, libnova's time over ours, and how far our
// places lie from libnova's (geometric, geocentric, J2000 equator; libnova's
// ecliptic frames turned with ERFA). Jupiter's satellites have no libnova
// counterpart and are timed on our side only.
#include <benchmark/benchmark.h>

#include "astro/astro_time.h"
#include "astro/solar_system_update.h"
#include "sky/scene.h"

#include <erfa.h>
#include <erfam.h>
#include <libnova/dynamical_time.h>
#include <libnova/lunar.h>
#include <libnova/solar.h>

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
};

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
    }
    return worst;
}

void LibnovaBodies(double jd, ln_equ_posn out[2])
{
    const double jde = Jde(jd);
    ln_get_solar_equ_coords(jde, &out[0]);
    ln_get_lunar_equ_coords(jde, &out[1]);
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
            ln_equ_posn places[2];
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
}
BENCHMARK(BM_SolarSystemUpdateBesideLibnova)->Unit(benchmark::kMillisecond);

}  // namespace
