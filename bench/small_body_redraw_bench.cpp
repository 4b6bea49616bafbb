// Redraws with loaded small bodies at 1280 x 1024: the equatorial view and
// the Aitoff map with 10,000 minor planets, and SOL1 with 1,000 orbit
// paths, all at an instant whose places are already computed (a pan or a
// zoom). Each reports, beside its time, the X server's floor for the same
// requests measured in the same run: the chart without the objects, plus
// one XDrawPoint per object drawn (markers) or one XDrawLines per path
// through the same pixels (orbits), and the ratio of the two.
//
// Run it on a private Xvfb through the test harness:
//   tests/harness/uvola-test-env --xvfb -- build/bench/small_body_redraw_bench
#include <benchmark/benchmark.h>

#include "bench_canvas.h"
#include "small_body_loads.h"

#include "sky/solar_system_update.h"
#include "sky/view/screen_points.h"

#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Redraw(Scene& scene)
{
    const Clock::time_point t0 = Clock::now();
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    XSync(gAppEnv->display, False);
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// The pixels of every minor planet drawn on the chart.
std::vector<XPoint> MarkerPixels(const Scene& scene)
{
    std::vector<XPoint> pixels;
    for (int32_t i = 0; i < scene.mplanetCount; ++i) {
        ProjectedPoint p{};
        if (GetSolarBodyScreenPoint(scene, kMinorPlanetIdBase + i, p) != 0 && p.x >= 0 && p.y >= 0 &&
            p.x < kBenchWidth && p.y < kBenchHeight)
            pixels.push_back({static_cast<short>(p.x), static_cast<short>(p.y)});
    }
    return pixels;
}

// The pixels of every orbit path, one run per path (visible points only).
std::vector<std::vector<XPoint>> PathPixels(const Scene& scene)
{
    std::vector<std::vector<XPoint>> paths;
    for (int32_t i = 0; i < scene.mplanetCount; ++i) {
        const SmallBodyRecord& place = scene.mplanetPositions[i];
        std::vector<XPoint> run;
        for (int32_t k = 0; k < place.orbitPointCount; ++k) {
            ProjectedPoint p{};
            if (ProjectSolarSystemPoint(scene, place.orbitPath[k], p) != 0)
                run.push_back({static_cast<short>(p.x), static_cast<short>(p.y)});
        }
        paths.push_back(run);
    }
    return paths;
}

// Times the redraw with the objects (the benchmark's own time) and, in
// each iteration, the floor: the chart without them plus `requests`.
template <typename Requests>
void TimeAgainstFloor(benchmark::State& state, Scene& scene, Requests requests)
{
    double ours = 0.0, floor = 0.0;
    for (auto _ : state) {
        const double redraw = Redraw(scene);
        state.SetIterationTime(redraw / 1000.0);
        ours += redraw;
        const int32_t count = scene.mplanetCount;
        scene.mplanetCount = 0;
        floor += Redraw(scene);
        const Clock::time_point t0 = Clock::now();
        requests();
        XSync(gAppEnv->display, False);
        floor += std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        scene.mplanetCount = count;
    }
    state.counters["floor_ms"] = floor / state.iterations();
    state.counters["over_floor"] = ours / floor;
}

void Prepare(Scene& scene, int32_t mode, double field, int minorPlanets)
{
    scene.viewMode = mode;
    scene.view.fieldOfView = field;
    LoadSmallBodies(scene, 0, minorPlanets);
    Redraw(scene);   // computes every place once
}

void BM_RedrawWithMinorPlanets(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    const int32_t mode = static_cast<int32_t>(state.range(0));
    constexpr int kMinorPlanets = 10000;
    Prepare(scene, mode, mode == kModeAll2Eqt ? 360.0 : 120.0, kMinorPlanets);
    const std::vector<XPoint> pixels = MarkerPixels(scene);
    state.counters["drawn"] = static_cast<double>(pixels.size());
    TimeAgainstFloor(state, scene, [&] {
        for (const XPoint& p : pixels)
            XDrawPoint(gAppEnv->display, scene.backPixmap, scene.gc, p.x, p.y);
    });
    LoadSmallBodies(scene, 0, 0);
}
BENCHMARK(BM_RedrawWithMinorPlanets)->Arg(kModeEqt)->Arg(kModeAll2Eqt)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RedrawSol1WithOrbits(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    constexpr int kOrbits = 1000;
    scene.view.solarViewWidth = 12.0;
    Prepare(scene, kModeSol1, 60.0, kOrbits);
    const std::vector<std::vector<XPoint>> paths = PathPixels(scene);
    TimeAgainstFloor(state, scene, [&] {
        for (const std::vector<XPoint>& run : paths)
            if (run.size() > 1)
                XDrawLines(gAppEnv->display, scene.backPixmap, scene.gc, const_cast<XPoint*>(run.data()),
                           static_cast<int>(run.size()), CoordModeOrigin);
    });
    LoadSmallBodies(scene, 0, 0);
    scene.viewMode = kModeHrz;
}
BENCHMARK(BM_RedrawSol1WithOrbits)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
