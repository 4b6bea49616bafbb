// The mark layers at 1280 x 1024 on the whole-sky Aitoff map, each drawn
// alone into the back pixmap with its widened limits and the server's work
// (goal 2 ms each): the sample sky marks with their names, a user-object
// file of 1,000 objects (outlines, stars and named marks), and the picture
// marks of a click-data file of 500 entries. The chart is set up once by a
// full redraw.
//
// Each also reports, measured in the same run, the X server's floor for the
// layer's own requests ("floor_ms": recorded once, every point and solid
// line of one colour in one request, nothing that waits for a reply; see
// bench/redraw_floor.h) and "over_floor", the layer's time over it.
//   tests/harness/uvola-test-env --xvfb -- build/bench/mark_layers_bench
// (--depth8 instead of --xvfb: the stippled picture marks of an 8-bit
// PseudoColor server).
#include <benchmark/benchmark.h>

#include "bench_canvas.h"
#include "redraw_floor.h"

#include "sky/catalog/click_data.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_object_files.h"
#include "sky/draw_sky.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/picture_mark_layer.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/user_object_layer.h"
#include "sky/object_type.h"
#include "sky/redraw_record.h"
#include "tests/harness/x_request_log.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string TempPath(const char* name)
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/" + name;
}

double Milliseconds(const std::function<void()>& draw)
{
    XSync(gAppEnv->display, False);
    const Clock::time_point start = Clock::now();
    draw();
    XSync(gAppEnv->display, False);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The whole sky, every star to 6.5, nothing else drawn.
Scene& WholeSky()
{
    Scene& scene = gBenchScene;
    scene.viewMode = kModeAll2Eqt;
    scene.view.fieldOfView = 360.0;
    scene.displayFlags[kFlagStars] = kStarFlag;
    scene.displayFlags[kFlagMilkyWay] = 0;
    scene.mag.requestPending = 1;
    scene.mag.requestedValue = 65;
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    return scene;
}

// The three depths of the mark layers, each in its bracket as the redraw
// draws them.
void DrawMarkLayers(Scene& scene)
{
    RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
    for (void (*layer)(Scene&, RedrawRecord&) : {DrawMarkShapeLayer, DrawMarkPointLayer, DrawMarkPointOnTopLayer}) {
        ViewLimitsSave save{};
        WidenViewLimits(4096, -16384, scene, save);
        layer(scene, redraw);
        RestoreViewLimits(scene, save);
    }
}

// The X server's floor for what `draw` sends: its requests, recorded once,
// made into their floor (bench/redraw_floor.h).
std::vector<uint8_t> RecordFloor(const Scene& scene, const std::function<void()>& draw)
{
    Display* display = gAppEnv->display;
    StartXRequestLog(display);
    draw();
    const std::vector<uint8_t> frame = StopXRequestLog(display);
    XSync(display, False);
    return FloorRequests(display, frame, {scene.gc, scene.symbolGc});
}

// The layer's time, with its floor's interleaved.
void TimeAgainstFloor(benchmark::State& state, const Scene& scene, const std::function<void()>& draw)
{
    const std::vector<uint8_t> floorRequests = RecordFloor(scene, draw);
    double ours = 0.0, floor = 0.0;
    for (auto _ : state) {
        const double drawn = Milliseconds(draw);
        state.SetIterationTime(drawn / 1000.0);
        ours += drawn;
        floor += Milliseconds([&] { SendRawXRequests(gAppEnv->display, floorRequests); });
    }
    state.counters["floor_ms"] = floor / state.iterations();
    state.counters["over_floor"] = ours / floor;
}

bool Ready(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return false;
    }
    return true;
}

void BM_SkyMarks(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    Scene& scene = WholeSky();
    char message[128];
    if (LoadUserObjectFile(scene, UVOLA_SOURCE_DIR "/data/skymark.adf", gAppEnv->skyMarks, gAppEnv->skyMarkCount,
                           message, sizeof message) == 0) {
        state.SkipWithError("cannot read data/skymark.adf");
        return;
    }
    scene.displayFlags[kFlagSkyMarks] = kMarksShownFlag | kMarkNamesFlag;
    TimeAgainstFloor(state, scene, [&] { DrawMarkLayers(scene); });
    scene.displayFlags[kFlagSkyMarks] = 0;
    FreeUserObjectList(gAppEnv->skyMarks, gAppEnv->skyMarkCount);
}
BENCHMARK(BM_SkyMarks)->UseManualTime()->Unit(benchmark::kMillisecond);

// 1,000 records over the whole sky: 50 outlines of eight vertices, 300
// named stars and 250 named marks.
std::string ThousandObjectFile()
{
    const std::string path = TempPath("uvola-bench-marks.adf");
    FILE* out = std::fopen(path.c_str(), "w");
    int records = 0;
    for (int line = 0; line < 50; ++line, records += 10) {
        std::fprintf(out, "LINE %d, %s\n", line % 9, line % 2 ? "f0f0" : "ffff");
        for (int v = 0; v < 8; ++v) {
            std::fprintf(out, "EQT %.3f %.3f\n", std::fmod(line * 0.48 + v * 0.1, 24.0), -60.0 + line * 2.4 + v);
        }
        std::fprintf(out, "END\n");
    }
    for (int i = 0; records < 1000; ++i, ++records) {
        const double ra = std::fmod(i * 0.0733, 24.0), dec = -85.0 + std::fmod(i * 3.7, 170.0);
        if (i < 300) {
            std::fprintf(out, "EQT %.3f %.3f STAR %.1f %d Star%d 3\n", ra, dec, (i % 60) / 10.0, i % 10, i);
        } else {
            std::fprintf(out, "EQT %.3f %.3f MARK %d Mark%d 7\n", ra, dec, i % 2, i);
        }
    }
    std::fclose(out);
    return path;
}

void BM_ThousandUserObjects(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    Scene& scene = WholeSky();
    const std::string path = ThousandObjectFile();
    char message[128];
    if (LoadUserObjectFile(scene, path.c_str(), scene.userObjectFiles, scene.userObjectFileCount, message,
                           sizeof message) == 0 ||
        scene.userObjectFiles[0].count != 1000) {
        state.SkipWithError(message);
        return;
    }
    scene.displayFlags[kFlagUserObjects] = kMarksShownFlag | kMarkNamesFlag;
    TimeAgainstFloor(state, scene, [&] { DrawMarkLayers(scene); });
    FreeUserObjectFiles(scene);
}
BENCHMARK(BM_ThousandUserObjects)->UseManualTime()->Unit(benchmark::kMillisecond);

// 500 entries with pictures: 400 designated stars and 100 Messier and NGC
// objects.
std::string FiveHundredEntryFile()
{
    const std::string path = TempPath("uvola-bench-marks.cdf");
    FILE* out = std::fopen(path.c_str(), "w");
    char text[kObjectCommandTextSize];
    int entries = 0;
    for (int32_t star = 0; star < kBrightStarCount && entries < 400; ++star) {
        if (FormatObjectCommandText(gBenchScene, kObjectStar, star, text) != 0 && text[0] == 'S') {
            std::fprintf(out, ":%s\n@TEXT \"A star with a picture.\"\n@IMAGE star%d.jpg \"Star\"\n", text, star);
            ++entries;
        }
    }
    for (int32_t nebula = 0; entries < 500; nebula += 3, ++entries) {
        FormatObjectCommandText(gBenchScene, kObjectNebula, nebula, text);
        std::fprintf(out, ":%s\n@TEXT \"A nebula.\"\n@IMAGE nebula%d.jpg\n", text, nebula);
    }
    std::fclose(out);
    return path;
}

void BM_PictureMarks(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    Scene& scene = WholeSky();
    const std::string path = FiveHundredEntryFile();
    std::snprintf(gAppEnv->clickDataFile, kPathSize, "%s", path.c_str());
    char message[128];
    if (LoadClickData(scene, path.c_str(), message, sizeof message) == 0) {
        state.SkipWithError("cannot read the click-data file");
        return;
    }
    scene.displayFlags[kFlagNebulae] = kNebulaFlag;
    scene.displayFlags[kFlagPictureMarks] = kPictureMarkFlag;
    int marks = 0;
    for (int32_t i = 0; scene.clickData[i].type != -1; ++i) {
        ProjectedPoint p{};
        marks += PictureMarkPosition(scene, i, p);
    }
    state.counters["marks"] = marks;
    TimeAgainstFloor(state, scene, [&] {
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        DrawPictureMarks(scene, redraw);
    });
    scene.displayFlags[kFlagPictureMarks] = 0;
    scene.displayFlags[kFlagNebulae] = 0;
    FreeClickData(scene);
}
BENCHMARK(BM_PictureMarks)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
