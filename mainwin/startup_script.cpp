#include "mainwin/startup_script.h"

#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/regular_file.h"
#include "core/user_directory.h"
#include "mainwin/command_line.h"
#include "sky/scene.h"

#include <cstdio>

namespace {

void QuotedStl(const char* path, char* text, size_t size)
{
    const int length = std::snprintf(text, size, "STL \"%s\"", path);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        text[0] = '\0';
    }
}

}  // namespace

void StartupScriptStatement(const char* commandLineFile, char* text, size_t size)
{
    if (size == 0) {
        return;
    }
    text[0] = '\0';
    if (commandLineFile != nullptr && commandLineFile[0] != '\0') {
        char expanded[kPathSize];
        if (ExpandTilde(commandLineFile, expanded, sizeof expanded) != nullptr) {
            QuotedStl(expanded, text, size);
        }
        return;
    }
    const char* uvolarc = gAppEnv->startupScriptPath;
    if (gAppEnv->runStartupScript == 1 && IsReadableRegularFile(uvolarc) != 0) {
        QuotedStl(uvolarc, text, size);
    }
}

void RunStartupScript()
{
    char statement[2 * kPathSize];
    StartupScriptStatement(StartupFileName(), statement, sizeof statement);
    if (statement[0] != '\0') {
        // One statement: StkExecuteText would split the name at a ";".
        StkExecuteLine(*gScene, statement);
    }
}
