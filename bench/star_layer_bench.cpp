// Time of the built-in star layer drawn into a 1280 x 1024 pixmap with the
// limit at 6.5, so that all 9120 stars are projected: a wide equatorial view
// (most stars visible), a narrow one (most culled) and the horizontal view
// with its extinction, each with and without labels; XSync counts the X
// server's share. Run it on a private Xvfb:
//   tests/harness/uvola-test-env --xvfb -- build/bench/star_layer_bench
#include <benchmark/benchmark.h>

#include "bench_canvas.h"

#include "sky/layers/star_layer.h"
#include "sky/redraw_record.h"

namespace {

// range(0): view mode; range(1): field of view; range(2): label flags.
void BM_BuiltinStars(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    Scene& scene = gBenchScene;
    scene.viewMode = static_cast<int32_t>(state.range(0));
    scene.view.fieldOfView = static_cast<double>(state.range(1));
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);   // view set-up and the pixmap
    scene.mag.starLimit = 65;
    scene.displayFlags[kFlagStars] = kStarFlag;
    scene.displayFlags[kFlagStarLabels] = static_cast<uint8_t>(state.range(2));
    XSync(gAppEnv->display, False);
    for (auto _ : state) {
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        DrawBuiltinStars(scene, redraw);
        XSync(gAppEnv->display, False);
    }
}

BENCHMARK(BM_BuiltinStars)
    ->Args({kModeEqt, 180, 0})
    ->Args({kModeEqt, 180, kStarNameFlag | kBayerFlag | kFlamsteedFlag | kStarMagFlag})
    ->Args({kModeEqt, 20, 0})
    ->Args({kModeHrz, 120, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
