// Nanoseconds per point of the projections over a realistic spread: the
// directions of a random sky, so that in the azimuthal views most points
// are culled or land anywhere in the window, as catalogue stars do.
#include <benchmark/benchmark.h>

#include "astro/astro_time.h"
#include "core/app_env.h"
#include "sky/scene.h"
#include "sky/view/projection.h"
#include "sky/view/view_setup.h"

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

std::unique_ptr<Scene> MakeView(int32_t mode, double field)
{
    ResetAppEnv();
    gAppEnv->fontAscent = 16;
    auto scene = std::make_unique<Scene>();
    ResetScene(*scene);
    const DateTime date{2024, 3, 20, 22, 0, 0.0, 9.0};
    AstroTimeFromDate(date, ObserverLocation{35.68, 139.77, 40.0}, scene->time);
    scene->viewMode = mode;
    scene->view.skyRect = XRectangle{0, 0, 1024, 768};
    scene->view.fieldOfView = field;
    scene->view.centreLongitude = 80.0;
    scene->view.centreLatitude = 20.0;
    scene->view.hrzCentreAzimuth = 30.0;
    scene->view.hrzCentreAltitude = 40.0;
    ComputeViewScale(*scene);
    ComputeViewMatrices(*scene);
    return scene;
}

// Directions spread over the whole sphere, as Q14 vectors.
std::vector<FixedVector> SkyDirections()
{
    std::mt19937 rng(9120);
    std::normal_distribution<double> normal;
    std::vector<FixedVector> points(9120);
    for (FixedVector& p : points) {
        double v[3] = {normal(rng), normal(rng), normal(rng)};
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        p = {static_cast<int32_t>(v[0] / n * 16384), static_cast<int32_t>(v[1] / n * 16384),
             static_cast<int32_t>(v[2] / n * 16384)};
    }
    return points;
}

// Directions within the field of a narrow view, so that the precise path
// does its whole work rather than culling.
std::vector<FixedVector> DirectionsInView(const Scene& scene, double radiusDegrees)
{
    std::mt19937 rng(80);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double* m = scene.view.matricesDouble[0];
    std::vector<FixedVector> points(9120);
    for (FixedVector& p : points) {
        const double t = unit(rng) * radiusDegrees * M_PI / 180;
        const double a = unit(rng) * 2 * M_PI;
        const double f[3] = {std::cos(t), std::sin(t) * std::cos(a), std::sin(t) * std::sin(a)};
        for (int i = 0; i < 3; ++i) {
            p[i] = static_cast<int32_t>((m[i] * f[0] + m[3 + i] * f[1] + m[6 + i] * f[2]) * 16384);
        }
    }
    return points;
}

void RunProjection(benchmark::State& state, const Scene& scene, const std::vector<FixedVector>& points)
{
    int64_t visible = 0;
    for (auto _ : state) {
        for (const FixedVector& v : points) {
            ProjectedPoint p;
            visible += ProjectPoint(scene, v, p);
            benchmark::DoNotOptimize(p);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
    state.counters["ns_per_point"] = benchmark::Counter(
        static_cast<double>(state.iterations() * points.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["visible_share"] =
        static_cast<double>(visible) / static_cast<double>(state.iterations() * points.size());
}

void BM_FastPathEquatorial(benchmark::State& state)
{
    const auto scene = MakeView(kModeEqt, 100.0);
    RunProjection(state, *scene, SkyDirections());
}

void BM_FastPathHorizontal(benchmark::State& state)
{
    const auto scene = MakeView(kModeHrz, 120.0);
    RunProjection(state, *scene, SkyDirections());
}

void BM_FastPathAllVisible(benchmark::State& state)
{
    const auto scene = MakeView(kModeEqt, 100.0);
    RunProjection(state, *scene, DirectionsInView(*scene, 50.0));
}

void BM_PrecisePathNarrowView(benchmark::State& state)
{
    const auto scene = MakeView(kModeEqt, 2.0);
    RunProjection(state, *scene, DirectionsInView(*scene, 1.2));
}

void BM_AitoffMap(benchmark::State& state)
{
    const auto scene = MakeView(kModeAll2Eqt, 120.0);
    RunProjection(state, *scene, SkyDirections());
}

void BM_CylindricalMap(benchmark::State& state)
{
    const auto scene = MakeView(kModeAll1Gal, 120.0);
    RunProjection(state, *scene, SkyDirections());
}

}  // namespace

BENCHMARK(BM_FastPathEquatorial);
BENCHMARK(BM_FastPathHorizontal);
BENCHMARK(BM_FastPathAllVisible);
BENCHMARK(BM_PrecisePathNarrowView);
BENCHMARK(BM_AitoffMap);
BENCHMARK(BM_CylindricalMap);
