// Fuzzes the element-file code with an arbitrary file: the index build,
// keyed reads of every record's keys and reads at offsets, each line parsed
// and added to the scene's lists (with its orbit path), and the update of
// every added object's place and tails, then the lists freed.
#include "astro/astro_time.h"
#include "astro/comet_tails.h"
#include "astro/small_body_orbit.h"
#include "astro/sun.h"
#include "sky/catalog/element_files.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/scene.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string gElementPath, gIndexPath;
Scene gFuzzScene{};
AstroTime gTime;
SunRecord gSun;

void UpdateAll(Scene& scene)
{
    for (int32_t i = 0; i < scene.cometCount; ++i) {
        UpdateSmallBody(gTime, gSun, scene.cometElements[i], scene.cometPositions[i]);
        UpdateDustTail(gTime, gSun, scene.cometElements[i], scene.cometTails[i]);
        UpdateIonTail(gTime, gSun, scene.cometElements[i], scene.cometTails[i]);
    }
    for (int32_t i = 0; i < scene.mplanetCount; ++i)
        UpdateSmallBody(gTime, gSun, scene.mplanetElements[i], scene.mplanetPositions[i]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The index build reports its progress on standard output.
    std::freopen("/dev/null", "w", stdout);
    const std::string directory = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    const std::string base = directory + "/uvola-fuzz-elements-" + std::to_string(getpid());
    gElementPath = base + ".elm";
    gIndexPath = base + ".dbm";
    AstroTimeFromJulianDay(2461380.5, 0.0, ObserverLocation{35.68, 139.77, 0.0}, gTime);
    SunPosition(gTime, gSun);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(gElementPath.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    BuildElementIndex(gElementPath.c_str(), gIndexPath.c_str());

    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t offset = 0;
    while (offset < text.size()) {
        size_t end = text.find('\n', offset);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(offset, end - offset);
        OrbitalElements el;
        if (ParseElementLine(el, line.c_str()) == 1) {
            char key[kIndexKeySize];
            const std::string padded = line + std::string(kLongElementLine, ' ');
            CopyIndexKey(key, padded.c_str(), kNameColumn, kNameWidth);
            OrbitalElements found;
            ReadOrbitalElementsAt(key, found, gElementPath.c_str(), gIndexPath.c_str());
            if (el.kind == 'M')
                AddMinorPlanet(gFuzzScene, el);
            else
                AddComet(gFuzzScene, el);
        }
        OrbitalElements at;
        ReadOrbitalElementsAtOffset(gElementPath.c_str(), static_cast<int64_t>(offset), at);
        offset = end + 1;
    }
    UpdateAll(gFuzzScene);
    FreeCometList(gFuzzScene);
    FreeMinorPlanetList(gFuzzScene);
    return 0;
}
