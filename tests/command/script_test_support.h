// Script-file tests: files in the private home, comets and minor planets
// read from the shipped element files through their index (as the comet
// dialogs read them), and the states the round trips save and read back.
#pragma once

#include <gtest/gtest.h>

#include "command/interpreter.h"
#include "command/script_writer.h"
#include "core/app_env.h"
#include "core/replacement_file.h"
#include "sky/catalog/element_files.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/scene.h"
#include "tests/harness/test_files.h"

#include <cstdio>
#include <string>
#include <vector>

namespace scripttest {

inline std::string HomePath(const std::string& name)
{
    return TestHome() + "/" + name;
}

// A script in the saved form around the given statements, and an orbit
// block when entries (":label" and element lines) are given.
inline std::string ScriptFileText(const std::vector<std::string>& statements,
                              const std::vector<std::string>& orbit = {})
{
    std::string text = "BLOCK CONTROL\n\tSCENE MAIN\n";
    for (const std::string& statement : statements) {
        text += "\t\t" + statement + "\n";
    }
    text += "\tEND SCENE\nEND BLOCK\n";
    if (!orbit.empty()) {
        text += "\nBLOCK ORBIT\n";
        for (const std::string& line : orbit) {
            text += line + "\n";
        }
        text += "END BLOCK\n";
    }
    return text;
}

inline std::string WriteScript(const std::string& name, const std::vector<std::string>& statements,
                               const std::vector<std::string>& orbit = {})
{
    const std::string path = HomePath(name);
    WriteFile(path, ScriptFileText(statements, orbit));
    return path;
}

// One record of the shipped comet or minor-planet file, by a key of its
// index (designation, number or name, upper case). The indexes are built
// once, in the private home.
inline OrbitalElements ShippedRecord(bool comet, const char* key)
{
    static const auto build = [](const char* file) {
        const std::string element = std::string(UVOLA_SOURCE_DIR "/data/") + file;
        const std::string index = HomePath(std::string(file) + ".dbm");
        ::testing::internal::CaptureStdout();   // the progress dots
        BuildElementIndex(element.c_str(), index.c_str());
        ::testing::internal::GetCapturedStdout();
        return std::pair{element, index};
    };
    static const auto comets = build("comet.elm");
    static const auto minorPlanets = build("mp.elm");
    const auto& files = comet ? comets : minorPlanets;
    OrbitalElements el{};
    EXPECT_EQ(ReadOrbitalElementsAt(key, el, files.first.c_str(), files.second.c_str()), 1) << key;
    return el;
}

// The element line of a shipped record, without its line end.
inline std::string ElementLine(bool comet, const char* key)
{
    const OrbitalElements el = ShippedRecord(comet, key);
    return std::string(el.sourceLine, kLongElementLine);
}

// Loads shipped records into a scene as the comet dialogs do.
inline void LoadShipped(Scene& scene, const std::vector<const char*>& comets,
                        const std::vector<const char*>& minorPlanets)
{
    for (const char* key : comets) {
        ASSERT_EQ(AddComet(scene, ShippedRecord(true, key)), 1);
    }
    for (const char* key : minorPlanets) {
        ASSERT_EQ(AddMinorPlanet(scene, ShippedRecord(false, key)), 1);
    }
}

// The statements a scene saves as.
inline std::vector<std::string> SavedStatements(const Scene& scene, int form)
{
    ScriptText out;
    StkWriteCommands(scene, out, form);
    EXPECT_FALSE(out.refused);
    return out.statements;
}

// Saves as the File and Settings menus and the Save As dialog do: the
// script into a replacement, committed only when it was written.
inline int32_t SaveScriptFile(const Scene& scene, const char* path, int form)
{
    ReplacementFile file;
    return OpenReplacement(file, path) != 0 && StkSaveScript(scene, file.stream, form) != 0 &&
                   CommitReplacement(file) != 0
               ? 1
               : 0;
}

// The whole file a scene saves as.
inline std::string SavedFile(const Scene& scene, int form)
{
    const std::string path = HomePath("saved-state.stl");
    EXPECT_EQ(SaveScriptFile(scene, path.c_str(), form), 1);
    return ReadFile(path);
}

}  // namespace scripttest
