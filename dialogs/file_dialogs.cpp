#include "dialogs/file_dialogs.h"

#include "command/script_writer.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "dialogs/checked_message.h"
#include "dialogs/command_text.h"
#include "dialogs/file_choice.h"
#include "dialogs/form_dialog.h"
#include "sky/scene.h"

#include <sys/stat.h>
#include <unistd.h>

#include <Xm/FileSB.h>
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
    Widget widget = nullptr;
};

void OpenFileOkCallback(Widget, XtPointer, XtPointer);
void SaveFileOkCallback(Widget, XtPointer, XtPointer);
void SaveImageOkCallback(Widget, XtPointer, XtPointer);

FileDialog openFile{"OpenFile", "*.stl", nullptr, OpenFileOkCallback};
FileDialog saveFile{"SaveFile", "*.stl", nullptr, SaveFileOkCallback};
FileDialog saveImage{"SaveImage", "*.xpm", nullptr, SaveImageOkCallback};

// Separators of a compound string come back as the line breaks they were
// made from; unparsed without this they would vanish and "a<LF>b" would
// pass for "ab".
XmParseTable SeparatorTable()
{
    static XmParseMapping mapping = [] {
        XmString separator = XmStringSeparatorCreate();
        Arg args[4];
        Cardinal count = 0;
        XtSetArg(args[count], XmNpattern, const_cast<char*>("\n")), ++count;
        XtSetArg(args[count], XmNpatternType, XmCHARSET_TEXT), ++count;
        XtSetArg(args[count], XmNsubstitute, separator), ++count;
        XtSetArg(args[count], XmNincludeStatus, XmINSERT), ++count;
        XmParseMapping made = XmParseMappingCreate(args, count);
        XmStringFree(separator);
        return made;
    }();
    return &mapping;
}

std::string ChosenName(XtPointer call)
{
    auto* chosen = static_cast<XmFileSelectionBoxCallbackStruct*>(call);
    char* text = static_cast<char*>(XmStringUnparse(chosen->value, nullptr, XmCHARSET_TEXT,
                                                    XmCHARSET_TEXT, SeparatorTable(), 1,
                                                    XmOUTPUT_ALL));
    std::string name = text != nullptr ? text : "";
    XtFree(text);
    return name;
}

void Remember(const FileDialog& dialog, const std::string& chosen)
{
    const std::string directory = RememberedDirectory(chosen, dialog.directory);
    CopyCut(dialog.directory, kPathSize, directory.c_str());
}

// STL reads only a regular file it can read: a directory or a FIFO would
// become the current script and read nothing, or block.
bool IsReadableRegularFile(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), R_OK) == 0;
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
    const std::string name = ChosenName(call);
    CommandText command;
    ComposeOpenScript(name.c_str(), command);
    if (Refused(scene, command)) {
        return;
    }
    if (!IsReadableRegularFile(name)) {
        ShowCheckedWarning(gAppEnv->toplevel, "messageCannotOpenFile", "Can't open file: %s",
                           name.c_str());
        return;
    }
    RunChosen(openFile, scene, command, name);
    CopyCut(scene->scriptName, sizeof scene->scriptName, name.c_str());
}

// The state goes through the state writer, which replaces the old file
// only once the new one is whole.
void SaveFileOkCallback(Widget, XtPointer client, XtPointer call)
{
    Scene* scene = static_cast<Scene*>(client);
    const std::string name = ChosenName(call);
    CommandText refusal;
    CheckSaveName(name.c_str(), refusal);
    if (Refused(scene, refusal)) {
        return;
    }
    if (StkSaveScriptFile(*scene, name.c_str(), kScriptFormScene) == 0) {
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
    const std::string name = ChosenName(call);
    CommandText command;
    ComposeSaveImage(name.c_str(), command);
    if (!Refused(scene, command)) {
        RunChosen(saveImage, scene, command, name);
    }
}

void HideFileDialogCallback(Widget widget, XtPointer, XtPointer)
{
    XtUnmanageChild(widget);
}

// OK that fails leaves the dialog up with the name, so it is not managed
// away by the box itself.
void CreateFileDialog(FileDialog& dialog, Scene* scene)
{
    Arg args[1];
    XtSetArg(args[0], XmNautoUnmanage, False);
    dialog.widget = XmCreateFileSelectionDialog(gAppEnv->toplevel, const_cast<char*>(dialog.name),
                                                args, 1);
    XtUnmanageChild(XmFileSelectionBoxGetChild(dialog.widget, XmDIALOG_HELP_BUTTON));
    XtAddCallback(dialog.widget, XmNokCallback, dialog.ok, scene);
    XtAddCallback(dialog.widget, XmNcancelCallback, HideFileDialogCallback, nullptr);
    CloseAsCancel(dialog.widget, XmFileSelectionBoxGetChild(dialog.widget, XmDIALOG_CANCEL_BUTTON));
}

void ShowFileDialog(FileDialog& dialog, char* directory, Scene* scene)
{
    dialog.directory = directory;
    if (dialog.widget == nullptr) {
        CreateFileDialog(dialog, scene);
    }
    const std::string open = DirectoryToOpen(directory);
    XmString folder = XmStringCreateLocalized(const_cast<char*>(open.c_str()));
    XmString pattern = XmStringCreateLocalized(const_cast<char*>(dialog.pattern));
    XtVaSetValues(dialog.widget, XmNdirectory, folder, XmNpattern, pattern, nullptr);
    XmStringFree(folder);
    XmStringFree(pattern);
    XtManageChild(dialog.widget);
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
