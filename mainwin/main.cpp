// uvola: the program's entry. For now it builds its records and its
// per-user directory; the main window is built by a later stage.
#include "core/app_env.h"
#include "core/user_directory.h"
#include "sky/scene.h"

#include <cstdio>

int main()
{
    ResetAppEnv();
    MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath);
    ResetScene(*gScene);
    std::printf("uvola: records ready, user directory \"%s\"; the main window is not built yet.\n",
                gAppEnv->userDirectory);
    return 0;
}
