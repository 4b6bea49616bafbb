// STL of a saved state holding 1,000 minor planets at 1280 x 1024: INIT, the
// place, date and view, 1,000 MINORPLANET statements each found in the
// script's BLOCK ORBIT and loaded with its orbit path, and the closing DRIVE
// that computes every place and draws the chart. The second benchmark runs
// the same script without its DRIVE: the reading and loading alone.
//
// Run it on a private Xvfb through the test harness:
//   tests/harness/uvola-test-env --xvfb -- build/bench/script_bench
#include <benchmark/benchmark.h>

#include "bench_canvas.h"
#include "small_body_loads.h"

#include "command/interpreter.h"
#include "command/script_writer.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int kMinorPlanets = 1000;

std::string ScratchDirectory()
{
    static const std::string path = [] {
        static char pattern[] = "/tmp/uvola-bench-XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return path;
}

// The saved state, as a file: whole, or without its final DRIVE.
std::string SavedState(bool withDrive)
{
    const std::string path = ScratchDirectory() + (withDrive ? "/state.stl" : "/state-no-drive.stl");
    Scene& scene = gBenchScene;
    LoadSmallBodies(scene, 0, kMinorPlanets);
    StkExecuteText(&scene, "DATE 2024,3,20,22,0,0,9; LOCATE 139.77E,35.68N,9,40,Tokyo; MODE EQT; "
                           "VIEW ANGLE 120; LOOK EQT 12 0; SHOW MINORPLANET_NAME");
    if (StkSaveScriptFile(scene, path.c_str(), kScriptFormScene) == 0) {
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
    const std::string path = SavedState(withDrive);
    if (path.empty()) {
        state.SkipWithError("the state could not be saved");
        return;
    }
    const std::string statement = "STL \"" + path + "\"";
    gAppEnv->quiet = 1;
    for (auto _ : state) {
        StkExecuteText(&gBenchScene, statement.c_str());
        XSync(gAppEnv->display, False);
    }
    if (gAppEnv->errorKey[0] != '\0' || gBenchScene.mplanetCount != kMinorPlanets) {
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

BENCHMARK(BM_StlOfSavedState)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StlOfSavedStateWithoutRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
