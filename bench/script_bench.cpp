// STL of a saved state holding 1,000 or 100,000 minor planets at 1280 x
// 1024: INIT, the place, date and view, the MINORPLANET statements each
// found in the script's BLOCK ORBIT and loaded with its orbit path, and the
// closing DRIVE that computes every place and draws the chart. The second
// benchmark runs the same script without its DRIVE: the reading and loading
// alone (goal for 100,000: under 1.5 s).
//
// Run it on a private Xvfb through the test harness:
//   tests/harness/uvola-test-env --xvfb -- build/bench/script_bench
#include <benchmark/benchmark.h>

#include "bench_canvas.h"
#include "small_body_loads.h"

#include "command/interpreter.h"
#include "command/script_writer.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ScratchDirectory()
{
    static const std::string path = [] {
        static char pattern[] = "/tmp/uvola-bench-XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return path;
}

// The saved state with `count` minor planets, as a file: whole, or without
// its final DRIVE.
std::string SavedState(bool withDrive, int count)
{
    const std::string path =
        ScratchDirectory() + (withDrive ? "/state-" : "/state-no-drive-") + std::to_string(count) + ".stl";
    Scene& scene = gBenchScene;
    LoadSmallBodies(scene, 0, count);
    StkExecuteText(scene, "DATE 2024,3,20,22,0,0,9; LOCATE 139.77E,35.68N,9,40,Tokyo; MODE EQT; "
                           "VIEW ANGLE 120; LOOK EQT 12 0; SHOW MINORPLANET_NAME");
    FILE* file = std::fopen(path.c_str(), "w");
    const bool saved = file != nullptr && StkSaveScript(scene, file, kScriptFormScene) != 0;
    if (file == nullptr || std::fclose(file) != 0 || !saved) {
        return "";
    }
    if (!withDrive) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        std::string script = text.str();
        script.erase(script.find("\t\tDRIVE\n"), 8);
        std::ofstream(path) << script;
    }
    return path;
}

void RunSavedState(benchmark::State& state, bool withDrive)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return;
    }
    const int count = static_cast<int>(state.range(0));
    const std::string path = SavedState(withDrive, count);
    if (path.empty()) {
        state.SkipWithError("the state could not be saved");
        return;
    }
    const std::string statement = "STL \"" + path + "\"";
    gAppEnv->quiet = 1;
    for (auto _ : state) {
        StkExecuteText(gBenchScene, statement.c_str());
        XSync(gAppEnv->display, False);
    }
    if (gAppEnv->errorKey[0] != '\0' || gBenchScene.mplanetCount != count) {
        state.SkipWithError("the script did not load every minor planet");
    }
}

void BM_StlOfSavedState(benchmark::State& state)
{
    RunSavedState(state, true);
}

void BM_StlOfSavedStateWithoutRedraw(benchmark::State& state)
{
    RunSavedState(state, false);
}

BENCHMARK(BM_StlOfSavedState)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StlOfSavedStateWithoutRedraw)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
