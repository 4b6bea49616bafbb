// Time of one full redraw of the chart at 1280 x 1024: UpdateSkyCanvas with
// the redraw request set, which draws every layer into the back pixmap and
// copies it to the window, then XSync, so that the X server's share of the
// work is counted too. Layers are added to the chart as they are written,
// and this benchmark follows them.
//
// It needs an X display as large as the window. Run it on a private Xvfb
// through the test harness:
//   tests/harness/uvola-test-env --xvfb -- build/bench/redraw_bench
// (--depth8 instead of --xvfb measures an 8-bit PseudoColor server).
#include <benchmark/benchmark.h>

#include "bench_canvas.h"

#include "command/interpreter.h"

#include "sky/draw_sky.h"
#include "sky/layers/constellation_layer.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/solar_system_layer.h"
#include "sky/layers/star_layer.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace {

void BM_Redraw(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    scene.viewMode = static_cast<int32_t>(state.range(0));
    scene.view.fieldOfView = scene.viewMode == kModeAll2Eqt ? 360.0 : 120.0;
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);   // the pixmap is made on the first call
    XSync(gAppEnv->display, False);
    for (auto _ : state) {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
        XSync(gAppEnv->display, False);
    }
}

BENCHMARK(BM_Redraw)->Arg(kModeHrz)->Arg(kModeEqt)->Arg(kModeAll2Eqt)->Unit(benchmark::kMillisecond);

// The same with the horizontal and J2000 grids in the finest style, their
// numbers, the equator, ecliptic and meridian lines.
void BM_RedrawWithGrids(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    uint8_t* flags = gBenchScene.displayFlags;
    std::array<uint8_t, kDisplayFlagCount> saved{};
    std::copy(flags, flags + kDisplayFlagCount, saved.begin());
    flags[kFlagGridNumbers] = kGridMode3 | kHrzGridNumFlag | kEqtGrid2000NumFlag;
    flags[kFlagHorizontalGrid] = kHrzGridFlag | kDirFlag | kMeridianFlag;
    flags[kFlagEquatorial] = kEqtGrid2000Flag | kEqt2000Flag;
    flags[kFlagOtherGrids] = kEclFlag;
    flags[kFlagLineNumbers] = kMrdNumFlag;
    BM_Redraw(state);
    std::copy(saved.begin(), saved.end(), flags);
}

BENCHMARK(BM_RedrawWithGrids)->Arg(kModeHrz)->Arg(kModeEqt)->Arg(kModeAll2Eqt)->Unit(benchmark::kMillisecond);

// Every built-in layer on: the stars with all their labels, the grids as
// above, the Milky Way, the constellation figures, boundaries and both
// names, and the nebulae of all three catalogues with their numbers and
// magnitudes down to the default faint bound of 11.0.
void BM_RedrawEveryLayer(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    uint8_t* flags = gBenchScene.displayFlags;
    std::array<uint8_t, kDisplayFlagCount> saved{};
    std::copy(flags, flags + kDisplayFlagCount, saved.begin());
    flags[kFlagStars] = kStarFlag;
    flags[kFlagStarLabels] = kStarNameFlag | kBayerFlag | kFlamsteedFlag | kStarMagFlag;
    flags[kFlagConstellations] = kConsName1Flag | kConsName2Flag | kConsLineFlag | kConsLimitFlag;
    flags[kFlagMilkyWay] |= kMilkyWayFlag;
    flags[kFlagNebulae] = kNebulaFlag | kNebulaNameFlag | kNebulaMagFlag;
    flags[kFlagGridNumbers] = kGridMode3 | kHrzGridNumFlag | kEqtGrid2000NumFlag;
    flags[kFlagHorizontalGrid] = kHrzGridFlag | kDirFlag | kMeridianFlag;
    flags[kFlagEquatorial] = kEqtGrid2000Flag | kEqt2000Flag;
    flags[kFlagOtherGrids] = kEclFlag;
    flags[kFlagLineNumbers] = kMrdNumFlag;
    BM_Redraw(state);
    std::copy(saved.begin(), saved.end(), flags);
}

BENCHMARK(BM_RedrawEveryLayer)
    ->Arg(kModeHrz)
    ->Arg(kModeEqt)
    ->Arg(kModeAll2Eqt)
    ->Arg(kModeVola)
    ->Unit(benchmark::kMillisecond);

// The Sun, the Moon, the planets as magnified disks (Saturn with its rings)
// and Jupiter's satellites with every label, drawn alone into the back
// pixmap with the layer's widened limits, with the server's work; the
// chart is set up once by a full redraw.
void BM_SolarSystemLayer(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    const uint8_t savedSun = scene.sunFlags, savedMoon = scene.moonFlags, savedJovian = scene.jovianMoonFlags;
    std::array<uint8_t, kPlanetCount> savedPlanets{};
    std::copy(scene.planetFlags, scene.planetFlags + kPlanetCount, savedPlanets.begin());
    const uint8_t labels = kBodyShown | kBodyName | kBodyMagnitude | kBodyDate;
    scene.sunFlags = labels;
    scene.moonFlags = labels;
    for (uint8_t& flags : scene.planetFlags) {
        flags = labels | kBodyOutline;
    }
    scene.jovianMoonFlags = 7;
    scene.viewMode = static_cast<int32_t>(state.range(0));
    scene.view.fieldOfView = scene.viewMode == kModeAll2Eqt ? 360.0 : 120.0;
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    XSync(gAppEnv->display, False);
    for (auto _ : state) {
        ViewLimitsSave save{};
        WidenViewLimits(2048, -8192, scene, save);
        DrawSolarSystemBodies(scene, scene.backPixmap, 0);
        RestoreViewLimits(scene, save);
        XSync(gAppEnv->display, False);
    }
    scene.sunFlags = savedSun;
    scene.moonFlags = savedMoon;
    scene.jovianMoonFlags = savedJovian;
    std::copy(savedPlanets.begin(), savedPlanets.end(), scene.planetFlags);
}

BENCHMARK(BM_SolarSystemLayer)->Arg(kModeHrz)->Arg(kModeEqt)->Arg(kModeAll2Eqt)->Unit(benchmark::kMicrosecond);

// The status line alone: its texts, the Moon icon and all three state icons,
// drawn into the back pixmap, with the server's work.
void BM_StatusBar(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    scene.centring = 2;
    scene.trace = 1;
    scene.animation.sunEventLock = 1;
    XRectangle rect{};
    StatusLineRect(scene, rect);
    for (auto _ : state) {
        DrawStatusBar(scene, scene.backPixmap, rect);
        XSync(gAppEnv->display, False);
    }
    scene.centring = 0;
    scene.trace = 0;
    scene.animation.sunEventLock = 0;
}

BENCHMARK(BM_StatusBar)->Unit(benchmark::kMicrosecond);

// One step of the toolbar's zoom repeat, which runs "ZOOM UP 1.8; DRIVE"
// (or DOWN) every 15 ms while a zoom button is held: the text through the
// interpreter and the whole redraw, with the server's work. Up and down
// alternate so the field stays where the chart is. Against the X server's
// floor for a redraw: clearing the pixmap and copying it to the window.
void BM_ZoomRepeat(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    using Clock = std::chrono::steady_clock;
    Scene& scene = gBenchScene;
    scene.viewMode = static_cast<int32_t>(state.range(0));
    scene.view.fieldOfView = 60.0;
    StkExecuteText(&scene, "DRIVE");
    XSync(gAppEnv->display, False);
    Display* display = gAppEnv->display;
    const Window window = XtWindow(scene.drawingArea);
    const XRectangle& sky = scene.view.skyRect;
    double ours = 0.0;
    double floor = 0.0;
    bool up = true;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        StkExecuteText(&scene, up ? "ZOOM UP 1.8; DRIVE" : "ZOOM DOWN 1.8; DRIVE");
        XSync(display, False);
        const Clock::time_point t1 = Clock::now();
        XFillRectangle(display, scene.backPixmap, scene.gc, sky.x, sky.y, sky.width, sky.height);
        XCopyArea(display, scene.backPixmap, window, scene.gc, 0, 0, kBenchWidth, kBenchHeight, 0, 0);
        XSync(display, False);
        const Clock::time_point t2 = Clock::now();
        ours += std::chrono::duration<double, std::milli>(t1 - t0).count();
        floor += std::chrono::duration<double, std::milli>(t2 - t1).count();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        up = !up;
    }
    state.counters["floor_ms"] = floor / static_cast<double>(state.iterations());
    state.counters["over_floor"] = ours / floor;
}

BENCHMARK(BM_ZoomRepeat)->Arg(kModeHrz)->Arg(kModeEqt)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
