// STL: a script file's SCENE MAIN block run statement by statement, with
// the comets and minor planets it names loaded from its own BLOCK ORBIT.
// The handler itself is declared in command/command_handlers.h.
#pragma once

#include <cstdint>

struct Scene;

// Scripts may run scripts through STL this deep; a script that runs itself
// stops there instead of running until the stack breaks.
constexpr int32_t kMaxScriptDepth = 16;

// Statements that the scripts of one top-level statement may run, and
// script files they may open, nested scripts included; past either bound
// they all stop. A saved state with every comet and 100,000 minor planets
// (a few statements each) stays inside the first, and a million statements
// run in a few seconds; scripts that run scripts that run scripts in a loop
// reach the second within a fraction of a second.
constexpr int32_t kMaxScriptStatements = 1000000;
constexpr int32_t kMaxScriptFiles = 256;

// Runs the statements between SCENE MAIN and END SCENE (any case; without
// END SCENE, to the end of the file; without SCENE MAIN, nothing).
// Statements whose first argument is WINDOW are skipped; COMET name and
// MINORPLANET name load the object from the file's BLOCK ORBIT; every other
// statement goes to StkDispatch with its first ten arguments. Errors are not
// reported one by one: the last one stays pending for the caller (the STL
// statement reports it). gAppEnv->scriptRunning counts the scripts running.
// Given:    scene  the Scene
//           path   the script file (null: nothing is run)
// Returned: 1 when the file was read; 0 when it is no readable regular file
//           ("stkErrorFileNotFound" with the path), kMaxScriptDepth
//           scripts are running already ("stkErrorIllegalParam" with the
//           path) or the scripts of the top-level statement opened
//           kMaxScriptFiles files already; a script that reaches
//           kMaxScriptStatements stops there. Either bound records
//           "stkErrorScriptTooLong" with the script's path and stops every
//           script until the top-level statement ends.
int32_t StkRunScriptScene(Scene& scene, const char* path);
