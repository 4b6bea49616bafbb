#include "core/app_env.h"

#include "core/string_utils.h"

namespace {
AppEnv appEnvRecord;
}

AppEnv* gAppEnv = &appEnvRecord;

void ResetAppEnv()
{
    AppEnv& env = *gAppEnv;
    env.scriptRunning = 0;
    env.geometryOption[0] = '\0';
    env.localeOption[0] = '\0';
    env.siteName[0] = '\0';
    env.tzOption[0] = '\0';
    env.stepBox = nullptr;
    env.whatsTodayDialog = nullptr;
    env.commandDialog = nullptr;
    env.lineWidth = 0;
    env.pixelAspect = 1.0;
    env.minPlanetDiscRadius = 7;
    env.skyMarks = nullptr;
    env.skyMarkCount = 0;
    env.stlFileIoPath[0] = '\0';
    env.saveImagePath[0] = '\0';
    env.userObjectFilePath[0] = '\0';
    env.blinkTime = 10;
    env.confirmQuit = 1;
    env.confirmInit = 1;
    env.runStartupScript = 1;
    env.quiet = 0;
    env.listenSocket = -1;          // no socket: 0 is a valid descriptor
    env.listenInputId = 0;
    env.clientSocket = -1;
    env.clientInputId = 0;
}

void SetPendingError(const char* key, const char* parameter)
{
    CopyCut(gAppEnv->errorKey, sizeof gAppEnv->errorKey, key);
    CopyCut(gAppEnv->errorParam, sizeof gAppEnv->errorParam, parameter);
}

bool ToolbarShown()
{
    return gAppEnv->toolbar != nullptr && XtIsManaged(gAppEnv->toolbar);
}
