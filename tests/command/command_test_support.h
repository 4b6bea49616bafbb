// Running command text on the real scene in the command tests.
#pragma once

#include <gtest/gtest.h>

#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/keywords.h"
#include "sky/scene.h"

#include <cstring>
#include <span>
#include <string>

// A fresh application record and scene for running commands as the command
// port runs them (quiet: errors stay in gAppEnv), with a sky rectangle under
// a status strip and nothing to keep centred.
inline void ResetForCommands(Scene& scene)
{
    ResetAppEnv();
    gAppEnv->quiet = 1;
    ResetScene(scene);
    scene.keepCentred = 0;
    scene.view.skyRect = {0, 20, 800, 600};
}

// The entries of a keyword table, without its end entry.
inline std::span<const KeywordEntry> TableEntries(const KeywordEntry* table)
{
    size_t size = 0;
    while (table[size].keyword != nullptr) {
        ++size;
    }
    return {table, size};
}

// Runs a text; returns the pending error key ("" when none).
inline std::string RunCommand(Scene& scene, const std::string& text)
{
    StkExecuteText(scene, text.c_str());
    return gAppEnv->errorKey;
}

// A refused text: its error key and parameter, and the Scene byte for byte
// as it was.
inline void ExpectRefusedUnchanged(Scene& scene, const std::string& text, const char* key,
                                   const char* parameter)
{
    SCOPED_TRACE(text);
    static Scene before;
    std::memcpy(&before, &scene, sizeof scene);
    EXPECT_EQ(RunCommand(scene, text), key);
    EXPECT_STREQ(gAppEnv->errorParam, parameter);
    EXPECT_EQ(std::memcmp(&before, &scene, sizeof scene), 0) << "the Scene changed";
}
