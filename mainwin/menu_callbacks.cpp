#include "mainwin/menu_callbacks.h"

#include "command/script_runner.h"
#include "command/script_writer.h"
#include "core/app_env.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/options.h"
#include "core/replacement_file.h"
#include "core/string_utils.h"
#include "dialogs/command_dialog.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/step_box.h"
#include "mainwin/menu_commands.h"
#include "sky/scene.h"

#include <unistd.h>

#include <string>

namespace {

constexpr size_t kQuestionSize = 512;

// A script file's scene run as STL runs it, and its last error told as an
// STL statement's would be.
void RunScriptScene(Scene* scene, const char* path)
{
    StkClearError();
    StkRunScriptScene(*scene, path);
    if (gAppEnv->errorKey[0] != '\0') {
        StkReportError("STL");
        StkClearError();
    }
}

Scene* SceneOf(XtPointer client)
{
    return static_cast<Scene*>(client);
}

bool UserAgrees(const char* key)
{
    char question[kQuestionSize];
    GetMessage(key, question, sizeof question);
    return AskQuestion(gAppEnv->toplevel, question) != 0;
}

void RunShowOrHide(XtPointer client, const char* keyword)
{
    Scene* scene = SceneOf(client);
    const std::string text = ShowOrHideCommand(*scene, keyword);
    StkExecuteText(*scene, text.c_str());
}

// A save that failed: the old file is still there; the user is told which
// file could not be written.
void TellCannotCreate(const char* path)
{
    ShowDialogWarning(gAppEnv->toplevel, "messageCannotCreateFile", path);
}

}  // namespace

void SendViewAngle(Scene* scene, double width)
{
    const std::string text = ViewAngleCommand(*scene, width);
    if (!text.empty()) {
        StkExecuteText(*scene, text.c_str());
    }
}

void SendViewDirection(Scene* scene, double azimuth)
{
    const std::string text = ViewDirectionCommand(*scene, azimuth);
    if (!text.empty()) {
        StkExecuteText(*scene, text.c_str());
    }
}

void MenuFileSaveCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = SceneOf(client);
    if (scene->scriptName[0] == '\0') {
        ShowSaveFileDialog(scene);
        return;
    }
    // Written into a replacement, so that a failed save keeps the old file.
    ReplacementFile file;
    if (OpenReplacement(file, scene->scriptName) == 0 || StkSaveScript(*scene, file.stream, kScriptFormScene) == 0 ||
        CommitReplacement(file) == 0) {
        TellCannotCreate(scene->scriptName);
    }
}

void MenuFileQuitCallback(Widget, XtPointer client, XtPointer)
{
    StkExecuteText(*SceneOf(client), "EXIT");
}

void MenuSettingsInitializeCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = SceneOf(client);
    if (gAppEnv->confirmInit != 0 && !UserAgrees("messageConfirmReInitAll")) {
        return;
    }
    StkExecuteText(*scene, "INIT");
    const char* uvolarc = gAppEnv->startupScriptPath;
    if (uvolarc[0] != '\0' && access(uvolarc, R_OK) == 0) {
        RunScriptScene(scene, uvolarc);
    }
    StkExecuteText(*scene, "DRIVE");
}

void MenuSettingsSaveAsDefaultCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = SceneOf(client);
    if (!UserAgrees("messageConfirmSaveEnv")) {
        return;
    }
    const char* uvolarc = gAppEnv->startupScriptPath;
    ReplacementFile file;
    if (uvolarc[0] == '\0' || OpenReplacement(file, uvolarc) == 0 ||
        StkSaveScript(*scene, file.stream, kScriptFormDefault) == 0 || CommitReplacement(file) == 0) {
        TellCannotCreate(uvolarc);
        return;
    }
    SaveDefaultSite(scene->siteName);
}

void MenuViewPictureMarkCallback(Widget, XtPointer client, XtPointer)
{
    RunShowOrHide(client, "PICTUREMARK");
}

void MenuViewDaylightCallback(Widget, XtPointer client, XtPointer)
{
    RunShowOrHide(client, "DAYLIGHT");
}

void MenuViewStatusbarCallback(Widget, XtPointer client, XtPointer)
{
    RunShowOrHide(client, "STATUSBAR");
}

void MenuObjectSkyMarkCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = SceneOf(client);
    StkExecuteText(*scene, SkyMarkCommand(*scene));
    StkExecuteText(*scene, "DRIVE");
}

void MenuOptionStepBoxCallback(Widget, XtPointer client, XtPointer)
{
    ShowStepBox(SceneOf(client), XtIsManaged(gAppEnv->stepBox) ? 0 : 1);
}

void MenuOptionCommandBoxCallback(Widget, XtPointer client, XtPointer)
{
    ToggleCommandDialog(SceneOf(client));
}
