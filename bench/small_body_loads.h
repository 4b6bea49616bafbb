// Loads for the small-body benchmarks: the shipped element files read
// record by record, and scenes holding a given number of comets or minor
// planets taken from them in file order (round again when more are asked
// for than the file holds).
#pragma once

#include "sky/catalog/element_files.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/scene.h"

#include <fstream>
#include <string>
#include <vector>

inline std::string ElementFilePath(const char* name)
{
    return std::string(UVOLA_SOURCE_DIR "/data/") + name;
}

inline const std::vector<OrbitalElements>& ShippedRecords(bool comets)
{
    static const auto read = [](const char* name) {
        std::vector<OrbitalElements> records;
        std::ifstream in(ElementFilePath(name), std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            OrbitalElements el;
            if (ParseElementLine(el, line.c_str()) == 1)
                records.push_back(el);
        }
        return records;
    };
    static const std::vector<OrbitalElements> cometRecords = read("comet.elm");
    static const std::vector<OrbitalElements> minorPlanetRecords = read("mp.elm");
    return comets ? cometRecords : minorPlanetRecords;
}

// Replaces the scene's loaded objects by `comets` comets and `minorPlanets`
// minor planets.
inline void LoadSmallBodies(Scene& scene, int comets, int minorPlanets)
{
    FreeCometList(scene);
    FreeMinorPlanetList(scene);
    const std::vector<OrbitalElements>& c = ShippedRecords(true);
    const std::vector<OrbitalElements>& m = ShippedRecords(false);
    for (int i = 0; i < comets; ++i)
        AddComet(scene, c[i % c.size()]);
    for (int i = 0; i < minorPlanets; ++i)
        AddMinorPlanet(scene, m[i % m.size()]);
}
