// Reading the user's data files: LoadClickData over a click-data file of
// 10,000 entries (goal 50 ms), LoadUserObjectFile over a file of 1,000
// objects, and over one with a line of 1 GiB, each written under $TMPDIR. The entries name stars by
// designation, Messier, NGC and IC objects (with and without the NEBULA
// keyword: the bare names are tried as constellations and stars first),
// bodies and places, each with a text and two in three with a picture.
//   build/bench/user_files_bench
#include <benchmark/benchmark.h>

#include "core/app_env.h"
#include "data/catalog_tables.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_object_files.h"
#include "sky/scene.h"
#include "tests/sky/sky_view_fixture.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string TempPath(const char* name)
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/" + name;
}

// The target of entry i: a designated star, a Messier, NGC or IC object
// with and without the NEBULA keyword, a body or a place.
std::string Target(int i)
{
    static const char* const kBodies[] = {"SUN", "MOON", "MARS", "JUPITER", "SATURN", "LMC"};
    char text[kObjectCommandTextSize];
    switch (i % 5) {
    case 0:
        for (int32_t star = i % kBrightStarCount;; star = (star + 1) % kBrightStarCount) {
            if (FormatObjectCommandText(*gScene, kObjectStar, star, text) != 0 && text[0] == 'S') {
                return text;
            }
        }
    case 1:
    case 2:
        FormatObjectCommandText(*gScene, kObjectNebula, (i * 7) % GetNebulaCount(), text);
        return i % 5 == 1 ? std::string(text + 7) : std::string(text);   // "M31" or "NEBULA M31"
    case 3: return kBodies[i % 6];
    default: return "EQT " + std::to_string(i % 24) + " " + std::to_string(i % 90);
    }
}

const std::string& ClickDataFile(int entries)
{
    static const std::string path = [entries] {
        const std::string file = TempPath("uvola-bench-click.cdf");
        FILE* out = std::fopen(file.c_str(), "w");
        for (int i = 0; i < entries; ++i) {
            std::fprintf(out, ":%s\n@TEXT \"Entry %d, a text of about the length of the sample's.\"\n",
                         Target(i).c_str(), i);
            if (i % 3 != 0) {
                std::fprintf(out, "@IMAGE picture%d.jpg \"Picture %d\"\n", i, i);
            }
        }
        std::fclose(out);
        return file;
    }();
    return path;
}

const std::string& UserObjectFileOf(int objects)
{
    static const std::string path = [objects] {
        const std::string file = TempPath("uvola-bench-objects.adf");
        FILE* out = std::fopen(file.c_str(), "w");
        for (int i = 0; i < objects; ++i) {
            std::fprintf(out, "EQT %.3f %.3f STAR %.1f %d Object%d %d\n", std::fmod(i * 0.487, 24.0),
                         -80.0 + (i * 13) % 160, (i % 60) / 10.0, i % 10, i, i % 16);
        }
        std::fclose(out);
        return file;
    }();
    return path;
}

Scene& BenchScene()
{
    static std::unique_ptr<Scene> scene = skytest::MakeScene(skytest::ViewSetup{kModeEqt});
    return *scene;
}

void BM_LoadClickData(benchmark::State& state)
{
    const std::string& path = ClickDataFile(static_cast<int>(state.range(0)));
    Scene& scene = BenchScene();
    char message[128];
    for (auto _ : state) {
        if (LoadClickData(scene, path.c_str(), message, sizeof message) == 0) {
            state.SkipWithError("cannot read the click-data file");
            return;
        }
    }
    int32_t entries = 0;
    while (scene.clickData[entries].type != -1) {
        ++entries;
    }
    state.counters["entries"] = entries;
    FreeClickData(scene);
}
BENCHMARK(BM_LoadClickData)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadUserObjectFile(benchmark::State& state)
{
    const std::string& path = UserObjectFileOf(static_cast<int>(state.range(0)));
    Scene& scene = BenchScene();
    char message[128];
    for (auto _ : state) {
        if (LoadUserObjectFile(scene, path.c_str(), scene.userObjectFiles, scene.userObjectFileCount, message,
                               sizeof message) == 0) {
            state.SkipWithError(message);
            return;
        }
        FreeUserObjectFiles(scene);
    }
}
BENCHMARK(BM_LoadUserObjectFile)->Arg(1000)->Unit(benchmark::kMillisecond);

// A user-object file whose second line is a hole of the given MiB: refused
// at that line (goal: 1 GiB within a second), the line never held.
void BM_RefuseHugeLine(benchmark::State& state)
{
    const std::string path = TempPath("uvola-bench-huge.adf");
    FILE* out = std::fopen(path.c_str(), "w");
    std::fputs("M31 A\nX", out);
    std::fclose(out);
    if (truncate(path.c_str(), static_cast<off_t>(state.range(0)) << 20) != 0) {
        state.SkipWithError("no room for the file");
        return;
    }
    Scene& scene = BenchScene();
    char message[256];
    for (auto _ : state) {
        if (LoadUserObjectFile(scene, path.c_str(), scene.userObjectFiles, scene.userObjectFileCount, message,
                               sizeof message) != 0) {
            state.SkipWithError("the huge line was read");
            return;
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_RefuseHugeLine)->Arg(1024)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
