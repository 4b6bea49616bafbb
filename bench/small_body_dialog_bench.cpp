// Loading 100,000 minor planets as the minor-planet dialog's OK loads them:
// an element file of 100,000 records (the shipped mp.elm over and over, each
// record with a second name of its own) with its index and list; then for
// every entry the record read through the index, the object added, and the
// statements of its toggles run (goal: under 1.5 s). The gauge and the
// closing DRIVE are left out. Then the dialog shown again over them.
//
// Run it on a private Xvfb through the test harness:
//   tests/harness/uvola-test-env --xvfb -- build/bench/small_body_dialog_bench
#include <benchmark/benchmark.h>

#include "bench_canvas.h"

#include "core/regular_file.h"
#include "dialogs/element_list.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/small_body_dialogs_fields.h"
#include "sky/catalog/element_files.h"
#include "sky/catalog/small_body_lists.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 100000;

struct LoadFiles {
    std::string elements, index;
};

// The element file and its index, written once.
const LoadFiles& Files()
{
    static const LoadFiles files = [] {
        static char pattern[] = "/tmp/uvola-bench-XXXXXX";
        const std::string directory = mkdtemp(pattern);
        std::atexit([] { std::system(("rm -rf '" + std::string(pattern) + "'").c_str()); });
        LoadFiles f{directory + "/mp.elm", directory + "/mp.dbm"};
        std::vector<std::string> lines;
        std::ifstream in(UVOLA_SOURCE_DIR "/data/mp.elm", std::ios::binary);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        std::ofstream out(f.elements, std::ios::binary);
        for (int i = 0; i < kRecords; ++i) {
            std::string line = lines[static_cast<size_t>(i) % lines.size()];
            char second[16];
            std::snprintf(second, sizeof second, "B%-14d", i);
            line.replace(188, 15, second);
            out << line << '\n';
        }
        out.close();
        // The index build's progress dots would fill the report.
        std::fflush(stdout);
        const int saved = dup(1);
        std::FILE* null = std::fopen("/dev/null", "w");
        dup2(fileno(null), 1);
        BuildElementIndex(f.elements.c_str(), f.index.c_str());
        std::fflush(stdout);
        dup2(saved, 1);
        close(saved);
        std::fclose(null);
        return f;
    }();
    return files;
}

// The canvas open and the list of the 100,000 read; false (the run
// skipped) otherwise.
bool OpenList(benchmark::State& state, ElementList& list)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no X display (run under tests/harness/uvola-test-env --xvfb)");
        return false;
    }
    if (LoadElementList(list, Files().elements.c_str()) != kRecords) {
        state.SkipWithError("the element list was not read");
        return false;
    }
    return true;
}

// Every entry read and added as the dialog's OK does it, with the
// statements of its toggles when `statements` is set.
void LoadListed(Scene& scene, const ElementList& list, bool statements)
{
    const LoadFiles& files = Files();
    FreeMinorPlanetList(scene);
    const UniqueFile elements = OpenRegularFile(files.elements.c_str());
    int number = 1;
    for (const ElementListEntry& entry : list.entries) {
        OrbitalElements el;
        if (ReadListedElements(entry, elements.get(), files.elements.c_str(), files.index.c_str(), el) == 0 ||
            AddMinorPlanet(scene, el) == 0)
            break;
        if (statements) {
            CommandText command;
            AddEntryStatements(command, kMinorPlanetKind, number++, kNewMinorPlanetFlags);
            RunCommandText(&scene, command);
        }
    }
}

void BM_DialogLoadsMinorPlanets(benchmark::State& state)
{
    ElementList list;
    if (!OpenList(state, list))
        return;
    gAppEnv->quiet = 1;
    for (auto _ : state)
        LoadListed(gBenchScene, list, true);
    if (gBenchScene.mplanetCount != kRecords)
        state.SkipWithError("not every minor planet was loaded");
}

BENCHMARK(BM_DialogLoadsMinorPlanets)->Unit(benchmark::kMillisecond)->Iterations(1);

// The dialog shown again over the 100,000 loaded: each loaded object's
// flags found for its entry of the list.
void BM_DialogShowMarksLoadedMinorPlanets(benchmark::State& state)
{
    ElementList list;
    if (!OpenList(state, list))
        return;
    Scene& scene = gBenchScene;
    LoadListed(scene, list, false);
    for (auto _ : state)
        MarkLoadedEntries(list, kMinorPlanetKind.defaultFlags, scene.mplanetElements, scene.mplanetFlags,
                          scene.mplanetCount);
    if (scene.mplanetCount != kRecords || (list.entries.back().flags & kBodyShown) == 0)
        state.SkipWithError("not every minor planet was marked");
}

BENCHMARK(BM_DialogShowMarksLoadedMinorPlanets)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
