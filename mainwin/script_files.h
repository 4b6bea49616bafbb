// The menus' road to script files: the state saved as a script (Save, Save
// As Default) and a script's scene run (Initialize). The script writer and
// runner of the command language are not in this version yet; these stand
// in for them and go when they come.
#pragma once

struct Scene;

constexpr int kScriptFormWhole = 0;                // the whole state
constexpr int kScriptFormDefaultEnvironment = 1;   // uvolarc: no date

// Saves the state as a script file.
// Returned: 1 saved; 0 not saved (nothing is written in this version)
int SaveScriptFile(const Scene& scene, const char* path, int form);

// Runs a script file's scene, as STL does (which reports that it is not
// available in this version).
void RunScriptScene(Scene* scene, const char* path);
