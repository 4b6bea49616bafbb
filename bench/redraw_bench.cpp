// Time of one full redraw of the chart at 1280 x 1024: UpdateSkyCanvas with
// the redraw request set, which draws every layer into the back pixmap and
// copies it to the window, then XSync, so that the X server's share of the
// work is counted too. Layers are added to the chart as they are written,
// and this benchmark follows them.
//
// Each redraw benchmark also reports its floor, measured in the same run:
// the frame's own requests recorded once and sent again with every point
// and solid line of one colour in one request and without the requests
// that wait for a reply (bench/redraw_floor.h). "floor_ms" is the floor's
// mean time, interleaved with the redraws so that both see the same load;
// "over_floor" is the redraw's time over it. BM_Floor_* time the floors
// alone.
//
// It needs an X display as large as the window. Run it on a private Xvfb
// through the test harness:
//   tests/harness/uvola-test-env --xvfb -- build/bench/redraw_bench
// (--depth8 instead of --xvfb measures an 8-bit PseudoColor server).
#include <benchmark/benchmark.h>

#include "bench_canvas.h"
#include "redraw_floor.h"

#include "command/interpreter.h"
#include "mainwin/info_box_lines.h"

#include "sky/draw_sky.h"
#include "sky/layers/constellation_layer.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/solar_system_layer.h"
#include "sky/layers/star_layer.h"
#include "sky/redraw_record.h"
#include "tests/harness/x_request_log.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Redraw(Scene& scene)
{
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    XSync(gAppEnv->display, False);
}

// The layers of a chart: each sets the display flags it needs on top of the
// scene's defaults.
using Chart = void (*)(Scene& scene);

void DefaultLayers(Scene&) {}

// The horizontal and J2000 grids in the finest style, their numbers, the
// equator, ecliptic and meridian lines.
void Grids(Scene& scene)
{
    uint8_t* flags = scene.displayFlags;
    flags[kFlagGridNumbers] = kGridMode3 | kHrzGridNumFlag | kEqtGrid2000NumFlag;
    flags[kFlagHorizontalGrid] = kHrzGridFlag | kDirFlag | kMeridianFlag;
    flags[kFlagEquatorial] = kEqtGrid2000Flag | kEqt2000Flag;
    flags[kFlagOtherGrids] = kEclFlag;
    flags[kFlagLineNumbers] = kMrdNumFlag;
}

// Every built-in layer on: the stars with all their labels, the grids as
// above, the Milky Way, the constellation figures, boundaries and both
// names, and the nebulae of all three catalogues with their numbers and
// magnitudes down to the default faint bound of 11.0.
void EveryLayer(Scene& scene)
{
    Grids(scene);
    uint8_t* flags = scene.displayFlags;
    flags[kFlagStars] = kStarFlag;
    flags[kFlagStarLabels] = kStarNameFlag | kBayerFlag | kFlamsteedFlag | kStarMagFlag;
    flags[kFlagConstellations] = kConsName1Flag | kConsName2Flag | kConsLineFlag | kConsLimitFlag;
    flags[kFlagMilkyWay] |= kMilkyWayFlag;
    flags[kFlagNebulae] = kNebulaFlag | kNebulaNameFlag | kNebulaMagFlag;
}

// All 10,009 nebulae, as MAG NEBULALIMIT 0 shows them, without labels.
void AllNebulae(Scene& scene)
{
    scene.displayFlags[kFlagNebulae] = kNebulaFlag;
    scene.mag.nebulaBoundsInUse = 0;
}

// Sets a chart up on the bench scene and puts the scene back afterwards.
class ChartOnCanvas {
public:
    ChartOnCanvas(Chart chart, int32_t mode) : saved_(gBenchScene)
    {
        Scene& scene = gBenchScene;
        chart(scene);
        scene.viewMode = mode;
        scene.view.fieldOfView = mode == kModeAll2Eqt ? 360.0 : 120.0;
        Redraw(scene);   // the pixmap is made on the first call
    }
    ~ChartOnCanvas()
    {
        Scene& scene = gBenchScene;
        std::copy(saved_.displayFlags, saved_.displayFlags + kDisplayFlagCount, scene.displayFlags);
        scene.mag = saved_.mag;
        scene.viewMode = saved_.viewMode;
        scene.view.fieldOfView = saved_.view.fieldOfView;
    }
    ChartOnCanvas(const ChartOnCanvas&) = delete;
    ChartOnCanvas& operator=(const ChartOnCanvas&) = delete;

private:
    Scene saved_;
};

// One frame's requests as they go to the server, made into its floor.
std::vector<uint8_t> RecordFloor(Scene& scene)
{
    Display* display = gAppEnv->display;
    StartXRequestLog(display);
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    const std::vector<uint8_t> frame = StopXRequestLog(display);
    XSync(display, False);
    return FloorRequests(display, frame, {scene.gc, scene.symbolGc});
}

void SendFloor(const std::vector<uint8_t>& floor)
{
    SendRawXRequests(gAppEnv->display, floor);
    XSync(gAppEnv->display, False);
}

// The redraw's time, with its floor's interleaved; or the floor's alone.
void Measure(benchmark::State& state, Chart chart, bool floorOnly)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    ChartOnCanvas onCanvas(chart, static_cast<int32_t>(state.range(0)));
    const std::vector<uint8_t> floor = RecordFloor(scene);
    double redraws = 0.0;
    double floors = 0.0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        if (!floorOnly) {
            Redraw(scene);
            const double redraw = MillisecondsSince(start);
            redraws += redraw;
            state.SetIterationTime(redraw / 1000.0);
            start = Clock::now();
        }
        SendFloor(floor);
        const double floorTime = MillisecondsSince(start);
        floors += floorTime;
        if (floorOnly) {
            state.SetIterationTime(floorTime / 1000.0);
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floors / iterations;
    if (!floorOnly) {
        state.counters["over_floor"] = redraws / floors;
    }
}

void BM_Redraw(benchmark::State& state) { Measure(state, DefaultLayers, false); }
void BM_RedrawWithGrids(benchmark::State& state) { Measure(state, Grids, false); }
void BM_RedrawEveryLayer(benchmark::State& state) { Measure(state, EveryLayer, false); }
void BM_RedrawAllNebulae(benchmark::State& state) { Measure(state, AllNebulae, false); }
void BM_Floor_Redraw(benchmark::State& state) { Measure(state, DefaultLayers, true); }
void BM_Floor_RedrawWithGrids(benchmark::State& state) { Measure(state, Grids, true); }
void BM_Floor_RedrawEveryLayer(benchmark::State& state) { Measure(state, EveryLayer, true); }
void BM_Floor_RedrawAllNebulae(benchmark::State& state) { Measure(state, AllNebulae, true); }

BENCHMARK(BM_Redraw)->Arg(kModeHrz)->Arg(kModeEqt)->Arg(kModeAll2Eqt)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawWithGrids)
    ->Arg(kModeHrz)
    ->Arg(kModeEqt)
    ->Arg(kModeAll2Eqt)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawEveryLayer)
    ->Arg(kModeHrz)
    ->Arg(kModeEqt)
    ->Arg(kModeAll2Eqt)
    ->Arg(kModeVola)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAllNebulae)->Arg(kModeAll2Eqt)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_Redraw)
    ->Arg(kModeHrz)
    ->Arg(kModeEqt)
    ->Arg(kModeAll2Eqt)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_RedrawWithGrids)
    ->Arg(kModeHrz)
    ->Arg(kModeEqt)
    ->Arg(kModeAll2Eqt)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_RedrawEveryLayer)
    ->Arg(kModeHrz)
    ->Arg(kModeEqt)
    ->Arg(kModeAll2Eqt)
    ->Arg(kModeVola)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_RedrawAllNebulae)->Arg(kModeAll2Eqt)->UseManualTime()->Unit(benchmark::kMillisecond);

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
    Redraw(scene);
    for (auto _ : state) {
        ViewLimitsSave save{};
        WidenViewLimits(2048, -8192, scene, save);
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        DrawSolarSystemBodies(scene, redraw, 0);
        RestoreViewLimits(scene, save);
        XSync(gAppEnv->display, False);
    }
    scene.sunFlags = savedSun;
    scene.moonFlags = savedMoon;
    scene.jovianMoonFlags = savedJovian;
    std::copy(savedPlanets.begin(), savedPlanets.end(), scene.planetFlags);
}

BENCHMARK(BM_SolarSystemLayer)->Arg(kModeHrz)->Arg(kModeEqt)->Arg(kModeAll2Eqt)->Unit(benchmark::kMicrosecond);

// The information box's lines with Jupiter picked, composed after every
// redraw while the box is shown: its two rise and set searches and the
// place lines. Its share of a redraw is this time over BM_Redraw's.
void BM_InfoBoxLines(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    scene.viewMode = kModeHrz;
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    const PickedObject saved = scene.pickedObject;
    scene.pickedObject.picked = 1;
    scene.pickedObject.type = kObjectSolarBody;
    scene.pickedObject.id = kJupiter;
    const InfoBoxFont font{[](const char* text) { return 7 * static_cast<int>(std::strlen(text)); },
                           7};
    InfoBoxLines lines{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeClickDataInfo(scene, font, lines));
    }
    scene.pickedObject = saved;
}

BENCHMARK(BM_InfoBoxLines)->Unit(benchmark::kMicrosecond);

// The status line alone: its texts, the Moon icon and all three state icons,
// drawn into the back pixmap, with the server's work.
void BM_StatusBar(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    Redraw(scene);
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
    Scene& scene = gBenchScene;
    scene.viewMode = static_cast<int32_t>(state.range(0));
    scene.view.fieldOfView = 60.0;
    StkExecuteText(scene, "DRIVE");
    XSync(gAppEnv->display, False);
    Display* display = gAppEnv->display;
    const Window window = XtWindow(scene.drawingArea);
    const XRectangle& sky = scene.view.skyRect;
    double ours = 0.0;
    double floor = 0.0;
    bool up = true;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        StkExecuteText(scene, up ? "ZOOM UP 1.8; DRIVE" : "ZOOM DOWN 1.8; DRIVE");
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
