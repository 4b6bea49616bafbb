// The minor-planet index built from the shipped mp.elm (7,098 records, four
// keys each), as a first start builds it, and one keyed read of a record
// through it, as the comet dialogs and scripts read them.
#include <benchmark/benchmark.h>

#include "small_body_loads.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Standard output sent to /dev/null while it lives: the index build's
// progress dots would fill the report.
struct QuietStdout {
    int saved;
    QuietStdout()
    {
        std::fflush(stdout);
        saved = dup(1);
        std::FILE* null = std::fopen("/dev/null", "w");
        dup2(fileno(null), 1);
        std::fclose(null);
    }
    ~QuietStdout()
    {
        std::fflush(stdout);
        dup2(saved, 1);
        close(saved);
    }
};

std::string ScratchIndex()
{
    static const std::string path = [] {
        static char pattern[] = "/tmp/uvola-bench-XXXXXX";
        mkdtemp(pattern);
        std::atexit([] { std::system(("rm -rf '" + std::string(pattern) + "'").c_str()); });
        return std::string(pattern) + "/mp.dbm";
    }();
    return path;
}

void BM_BuildMinorPlanetIndex(benchmark::State& state)
{
    const std::string elements = ElementFilePath("mp.elm");
    QuietStdout quiet;
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildElementIndex(elements.c_str(), ScratchIndex().c_str()));
}
BENCHMARK(BM_BuildMinorPlanetIndex)->Unit(benchmark::kMillisecond);

void BM_ReadOrbitalElementsAt(benchmark::State& state)
{
    const std::string elements = ElementFilePath("mp.elm");
    {
        QuietStdout quiet;
        BuildElementIndex(elements.c_str(), ScratchIndex().c_str());
    }
    const char* keys[] = {"CERES", "2015 KV175", "581804", "VESTA"};
    OrbitalElements el;
    int n = 0;
    for (auto _ : state) {
        if (ReadOrbitalElementsAt(keys[n++ % 4], el, elements.c_str(), ScratchIndex().c_str()) != 1)
            state.SkipWithError("a key was not found");
        benchmark::DoNotOptimize(el.perihelionTime);
    }
}
BENCHMARK(BM_ReadOrbitalElementsAt)->Unit(benchmark::kMicrosecond);

}  // namespace
