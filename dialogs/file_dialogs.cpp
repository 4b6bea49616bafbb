#include "dialogs/file_dialogs.h"

#include "command/script_writer.h"
#include "core/app_env.h"
#include "core/regular_file.h"
#include "core/replacement_file.h"
#include "core/string_utils.h"
#include "dialogs/file_dialogs_fields.h"
#include "dialogs/kit/checked_message.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/file_box.h"
#include "dialogs/kit/file_box_directory.h"
#include "sky/scene.h"

#include <Xm/Xm.h>

#include <string>

namespace {

// One member of the family: its widget, its files and the directory it
// keeps.
struct FileDialog {
    const char* name;          // widget name
    const char* pattern;       // the files listed
    char* directory;           // the AppEnv path it remembers
    XtCallbackProc ok;
    XtCallbackProc cancel;
    Widget widget = nullptr;
};

void OpenFileOkCallback(Widget, XtPointer, XtPointer);
void SaveFileOkCallback(Widget, XtPointer, XtPointer);
void SaveImageOkCallback(Widget, XtPointer, XtPointer);
void OpenFileCancelCallback(Widget, XtPointer, XtPointer);
void SaveFileCancelCallback(Widget, XtPointer, XtPointer);
void SaveImageCancelCallback(Widget, XtPointer, XtPointer);

FileDialog openFile{"OpenFile", "*.stl", nullptr, OpenFileOkCallback, OpenFileCancelCallback};
FileDialog saveFile{"SaveFile", "*.stl", nullptr, SaveFileOkCallback, SaveFileCancelCallback};
FileDialog saveImage{"SaveImage", "*.xpm", nullptr, SaveImageOkCallback,
                     SaveImageCancelCallback};

void Remember(const FileDialog& dialog, const std::string& chosen)
{
    const std::string directory = RememberedDirectory(chosen, dialog.directory);
    CopyCut(dialog.directory, kPathSize, directory.c_str());
}

// A refused command is reported as the interpreter reports its errors,
// and the dialog stays up with the name.
bool Refused(Scene* scene, const CommandText& command)
{
    if (IsCommandRefused(command) == 0) {
        return false;
    }
    RunCommandText(scene, command);
    return true;
}

// Hides the dialog, runs its command, remembers the directory.
void RunChosen(FileDialog& dialog, Scene* scene, const CommandText& command, const std::string& name)
{
    XtUnmanageChild(dialog.widget);
    RunCommandText(scene, command);
    Remember(dialog, name);
}

void OpenFileOkCallback(Widget, XtPointer client, XtPointer call)
{
    Scene* scene = static_cast<Scene*>(client);
    const std::string name = ChosenFileName(call);
    CommandText command;
    ComposeOpenScript(name.c_str(), command);
    if (Refused(scene, command)) {
        return;
    }
    if (IsReadableRegularFile(name.c_str()) == 0) {
        ShowCheckedWarning(gAppEnv->toplevel, "messageCannotOpenFile", "Can't open file: %s",
                           name.c_str());
        return;
    }
    RunChosen(openFile, scene, command, name);
    CopyCut(scene->scriptName, sizeof scene->scriptName, name.c_str());
}

// The state goes through the state writer into a replacement, which takes
// the old file's place only once the new one is whole.
void SaveFileOkCallback(Widget, XtPointer client, XtPointer call)
{
    Scene* scene = static_cast<Scene*>(client);
    const std::string name = ChosenFileName(call);
    CommandText refusal;
    CheckSaveName(name.c_str(), refusal);
    if (Refused(scene, refusal)) {
        return;
    }
    ReplacementFile file;
    if (OpenReplacement(file, name.c_str()) == 0 || StkSaveScript(*scene, file.stream, kScriptFormScene) == 0 ||
        CommitReplacement(file) == 0) {
        ShowCheckedWarning(gAppEnv->toplevel, "messageCannotCreateFile", "Can't create file: %s",
                           name.c_str());
        return;
    }
    XtUnmanageChild(saveFile.widget);
    CopyCut(scene->scriptName, sizeof scene->scriptName, name.c_str());
    Remember(saveFile, name);
}

void SaveImageOkCallback(Widget, XtPointer client, XtPointer call)
{
    Scene* scene = static_cast<Scene*>(client);
    const std::string name = ChosenFileName(call);
    CommandText command;
    ComposeSaveImage(name.c_str(), command);
    if (!Refused(scene, command)) {
        RunChosen(saveImage, scene, command, name);
    }
}

// Cancel only hides: the next Show opens in the remembered directory.
void OpenFileCancelCallback(Widget, XtPointer, XtPointer)
{
    XtUnmanageChild(openFile.widget);
}

void SaveFileCancelCallback(Widget, XtPointer, XtPointer)
{
    XtUnmanageChild(saveFile.widget);
}

void SaveImageCancelCallback(Widget, XtPointer, XtPointer)
{
    XtUnmanageChild(saveImage.widget);
}

// The file box comes with a Cancel that hides it; each dialog has its own.
Widget CreateFileDialog(const FileDialog& dialog, Scene* scene)
{
    Widget box = CreateFileBox(gAppEnv->toplevel, dialog.name, dialog.ok, scene);
    XtRemoveAllCallbacks(box, XmNcancelCallback);
    XtAddCallback(box, XmNcancelCallback, dialog.cancel, scene);
    return box;
}

void ShowFileDialog(FileDialog& dialog, char* directory, Scene* scene)
{
    dialog.directory = directory;
    if (dialog.widget == nullptr) {
        dialog.widget = CreateFileDialog(dialog, scene);
    }
    ShowFileBox(dialog.widget, directory, dialog.pattern);
}

}  // namespace

void ShowOpenFileDialog(Scene* scene)
{
    ShowFileDialog(openFile, gAppEnv->stlFileIoPath, scene);
}

void ShowSaveFileDialog(Scene* scene)
{
    ShowFileDialog(saveFile, gAppEnv->stlFileIoPath, scene);
}

void ShowSaveImageDialog(Scene* scene)
{
    ShowFileDialog(saveImage, gAppEnv->saveImagePath, scene);
}

Widget OpenFileDialogWidget()
{
    return openFile.widget;
}

Widget SaveFileDialogWidget()
{
    return saveFile.widget;
}

Widget SaveImageDialogWidget()
{
    return saveImage.widget;
}
