// Precession matrices and coordinate conversion beside the same work done
// by ERFA (and plain double trigonometry) in the same run. Each benchmark
// times both sides over the same batch of points and reports the time per
// call of each and their ratio (Uvola / ERFA).
#include <benchmark/benchmark.h>

#include "astro/astro_time.h"
#include "astro/coordinates.h"
#include "astro/precession.h"

#include <erfa.h>
#include <erfam.h>

#include <array>
#include <chrono>
#include <random>
#include <vector>

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr int kBatch = 64;

struct Sample {
    double jd;
    double position[2];   // RA, Dec of J2000, degrees
};

std::vector<Sample> MakeSamples()
{
    std::mt19937 random(2000);
    std::uniform_real_distribution<double> centuries(-2.0, 2.0);
    std::uniform_real_distribution<double> ra(0, 360);
    std::uniform_real_distribution<double> dec(-89, 89);
    std::vector<Sample> samples(kBatch);
    for (Sample& s : samples)
        s = Sample{kJ2000 + centuries(random) * 36525, {ra(random), dec(random)}};
    return samples;
}

// Runs `ours` and `theirs` over the batch alternately and reports both.
template <typename Ours, typename Theirs>
void RunPair(benchmark::State& state, Ours ours, Theirs theirs)
{
    using Clock = std::chrono::steady_clock;
    const std::vector<Sample> samples = MakeSamples();
    Clock::duration oursTime{}, theirsTime{};
    int64_t calls = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        for (const Sample& s : samples)
            ours(s);
        auto middle = Clock::now();
        for (const Sample& s : samples)
            theirs(s);
        theirsTime += Clock::now() - middle;
        oursTime += middle - start;
        calls += kBatch;
    }
    const double oursNs = std::chrono::duration<double, std::nano>(oursTime).count() / calls;
    const double theirsNs = std::chrono::duration<double, std::nano>(theirsTime).count() / calls;
    state.counters["uvola_ns"] = oursNs;
    state.counters["erfa_ns"] = theirsNs;
    state.counters["ratio"] = oursNs / theirsNs;
}

void BM_PrecessionMatrix(benchmark::State& state)
{
    RunPair(
        state,
        [](const Sample& s) {
            double m[9];
            PrecessionMatrix(kJ2000, s.jd, m);
            benchmark::DoNotOptimize(m);
        },
        [](const Sample& s) {
            double r[3][3];
            eraPmat76(s.jd, 0.0, r);
            benchmark::DoNotOptimize(r);
        });
}

void BM_ConvertEqtToHrz(benchmark::State& state)
{
    AstroTime t{};
    AstroTimeFromJulianDay(kJ2000, 0, ObserverLocation{48.2, 16.4, 0}, t);
    RunPair(
        state,
        [&t](const Sample& s) {
            t.julianDay = s.jd;
            double out[2];
            ConvertCoordinates(t, kFrameEqt, s.position, kFrameHrz, out);
            benchmark::DoNotOptimize(out);
        },
        [&t](const Sample& s) {
            // Precess to date, then hour angle and altitude/azimuth.
            double r[3][3], p[3], q[3], ra = 0, dec = 0, az = 0, el = 0;
            eraPmat76(s.jd, 0.0, r);
            eraS2c(s.position[0] * ERFA_DD2R, s.position[1] * ERFA_DD2R, p);
            eraRxp(r, p, q);
            eraC2s(q, &ra, &dec);
            eraHd2ae(t.localSiderealTime * ERFA_DD2R - ra, dec, t.location.latitude * ERFA_DD2R,
                     &az, &el);
            benchmark::DoNotOptimize(az);
            benchmark::DoNotOptimize(el);
        });
}

void BM_ConvertEqtToGal(benchmark::State& state)
{
    AstroTime t{};
    AstroTimeFromJulianDay(kJ2000, 0, ObserverLocation{48.2, 16.4, 0}, t);
    RunPair(
        state,
        [&t](const Sample& s) {
            double out[2];
            ConvertCoordinates(t, kFrameEqt, s.position, kFrameGal, out);
            benchmark::DoNotOptimize(out);
        },
        [](const Sample& s) {
            double l = 0, b = 0;
            eraIcrs2g(s.position[0] * ERFA_DD2R, s.position[1] * ERFA_DD2R, &l, &b);
            benchmark::DoNotOptimize(l);
            benchmark::DoNotOptimize(b);
        });
}

} // namespace

BENCHMARK(BM_PrecessionMatrix);
BENCHMARK(BM_ConvertEqtToHrz);
BENCHMARK(BM_ConvertEqtToGal);
