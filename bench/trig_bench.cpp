// The table sine against the library sine on the same angles. The
// "ratio_to_std_sin" counter of BM_SinDeg is its time per call divided by
// that of BM_StdSin measured in the same run (BM_StdSin runs first).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "astro/fixed_point.h"
#include "astro/trig.h"

namespace {

constexpr int kAngleCount = 4096;

const std::vector<double>& Angles()
{
    static const std::vector<double> angles = [] {
        std::mt19937_64 rng(1);
        std::uniform_real_distribution<double> angle(-720.0, 720.0);
        std::vector<double> a(kAngleCount);
        for (double& x : a) {
            x = angle(rng);
        }
        return a;
    }();
    return angles;
}

double gStdSinNanoseconds = 0.0;

template <typename Sine>
double NanosecondsPerCall(benchmark::State& state, Sine sine)
{
    const std::vector<double>& angles = Angles();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        double sum = 0.0;
        for (double x : angles) {
            sum += sine(x);
        }
        benchmark::DoNotOptimize(sum);
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    const double calls = static_cast<double>(state.iterations()) * kAngleCount;
    state.SetItemsProcessed(static_cast<int64_t>(calls));
    state.counters["ns_per_call"] = elapsed.count() / calls;
    return elapsed.count() / calls;
}

void BM_StdSin(benchmark::State& state)
{
    gStdSinNanoseconds = NanosecondsPerCall(state, [](double x) { return std::sin(x * kRadiansPerDegree); });
}

void BM_SinDeg(benchmark::State& state)
{
    const double ns = NanosecondsPerCall(state, [](double x) { return SinDeg(x); });
    if (gStdSinNanoseconds > 0.0) {
        state.counters["ratio_to_std_sin"] = ns / gStdSinNanoseconds;
    }
}

void BM_FixedAcos(benchmark::State& state)
{
    NanosecondsPerCall(state, [](double x) { return double(FixedAcos(static_cast<int32_t>(x * 22.7))); });
}

} // namespace

BENCHMARK(BM_StdSin);
BENCHMARK(BM_SinDeg);
BENCHMARK(BM_FixedAcos);
