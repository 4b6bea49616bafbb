#include "dialogs/user_object_dialog.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "core/string_utils.h"
#include "dialogs/kit/checked_message.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/file_box.h"
#include "dialogs/kit/file_box_directory.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/scrolled_list.h"
#include "dialogs/user_object_dialog_fields.h"
#include "sky/catalog/user_object_files.h"
#include "sky/scene.h"

#include <Xm/Form.h>
#include <Xm/List.h>
#include <Xm/Xm.h>

#include <string>
#include <vector>

namespace {

FormDialog userObjectDialog;
Widget userObjectList = nullptr;
Widget deleteButton = nullptr;
Widget addFileBox = nullptr;
// The files the dialog shows, from Show to OK or Cancel.
std::vector<std::string> workingPaths;

std::vector<std::string> WorkingItems()
{
    std::vector<std::string> items;
    for (const std::string& path : workingPaths) {
        items.push_back(UserObjectItem(path));
    }
    return items;
}

// The list shows the working paths; Delete waits for a selection.
void SetUserObjectSensitive()
{
    SetListItems(userObjectList, WorkingItems());
    XtSetSensitive(deleteButton, False);
    if (!workingPaths.empty()) {
        BringToTopAndSelect(userObjectList, 1);
    }
}

void FreeUserObjectLists()
{
    workingPaths.clear();
    SetListItems(userObjectList, {});
}

// Every loaded file, whole: a path is never cut to a slot's size.
void LoadUserObjectLists(const Scene& scene)
{
    workingPaths.clear();
    for (int32_t i = 0; i < scene.userObjectFileCount; ++i) {
        workingPaths.push_back(scene.userObjectFiles[i].path);
    }
}

int GetSelectedUserObject()
{
    return SelectedPosition(userObjectList);
}

void UserObjectSelectCallback(Widget, XtPointer, XtPointer)
{
    XtSetSensitive(deleteButton, GetSelectedUserObject() > 0 ? True : False);
}

void UserObjectDeleteCallback(Widget, XtPointer, XtPointer)
{
    const int next = DeleteUserObjectPath(workingPaths, GetSelectedUserObject());
    if (next < 0) {
        return;
    }
    SetListItems(userObjectList, WorkingItems());
    if (next > 0) {
        ShowAndSelect(userObjectList, next);
    } else {
        XtSetSensitive(deleteButton, False);
    }
}

// A file listed already, unreadable or unnameable in a LOAD statement is
// refused with the box left up for another choice.
void AddUserObjectDialogOkCallback(Widget box, XtPointer client, XtPointer call)
{
    const std::string name = ChosenFileName(call);
    CommandText refusal;
    switch (AddUserObjectPath(workingPaths, name, IsReadableRegularFile(name.c_str()) != 0, refusal)) {
    case kUserObjectListed:
        ShowCheckedWarning(gAppEnv->toplevel, "messageObjectAlreadySelected", "Already selected: %s",
                           name.c_str());
        return;
    case kUserObjectUnreadable:
        ShowCheckedWarning(gAppEnv->toplevel, "messageCannotOpenFile", "Can't open file: %s",
                           name.c_str());
        return;
    case kUserObjectBadName:
        RunCommandText(static_cast<Scene*>(client), refusal);
        return;
    case kUserObjectAdded:
        break;
    }
    const std::string directory = RememberedDirectory(name, gAppEnv->userObjectFilePath);
    CopyCut(gAppEnv->userObjectFilePath, kPathSize, directory.c_str());
    XtUnmanageChild(box);
    SetListItems(userObjectList, WorkingItems());
    ShowAndSelect(userObjectList, static_cast<int>(workingPaths.size()));
}

void AddUserObjectDialogCancelCallback(Widget box, XtPointer, XtPointer)
{
    XtUnmanageChild(box);
}

// The box opens where the user-object files were when it was made; the
// folder a later choice remembers goes to the options file, not to it.
void ShowAddUserObjectDialog(Widget button, XtPointer client, XtPointer)
{
    if (addFileBox != nullptr) {
        XtManageChild(addFileBox);
        return;
    }
    addFileBox = CreateFileBox(button, "AddUserObjectDialog", AddUserObjectDialogOkCallback, client);
    SetFileBoxCancel(addFileBox, AddUserObjectDialogCancelCallback, nullptr);
    ShowFileBox(addFileBox, gAppEnv->userObjectFilePath, "*.adf");
}

void UserObjectDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    CommandText command;
    ComposeUserObjectCommands(workingPaths, command);
    if (RunCommandTextAndHide(static_cast<Scene*>(client), command, userObjectDialog) != 0) {
        FreeUserObjectLists();
    }
}

// Cancel, and the window manager's close with it, forgets the working
// list, so the next Show starts from the loaded files alone.
void UserObjectDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(userObjectDialog);
    FreeUserObjectLists();
}

void CreateUserObjectDialog(Scene* scene)
{
    CreateFormDialog(userObjectDialog, gAppEnv->toplevel, "UserObjectDialog", "RCUserObject");
    Widget controls = XtVaCreateManagedWidget("UserObjectCtrls", xmFormWidgetClass,
                                              userObjectDialog.rowColumn, nullptr);
    userObjectList = CreateResourceList(controls, "UserObjectList", {});
    XtAddCallback(userObjectList, XmNbrowseSelectionCallback, UserObjectSelectCallback, nullptr);
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, UserObjectDialogOkCallback, scene},
        {"ButtonCancel", kButtonCancel, UserObjectDialogCancelCallback, nullptr},
        {"ButtonAddFile", kButtonPlain, ShowAddUserObjectDialog, scene},
        {"ButtonDelFile", kButtonPlain, UserObjectDeleteCallback, nullptr},
    };
    Widget column = AddDialogButtons(userObjectDialog, userObjectDialog.rowColumn,
                                     "UserObjectButtons", buttons, 4);
    deleteButton = XtNameToWidget(column, "ButtonDelFile");
}

}  // namespace

void ShowUserObjectDialog(Scene* scene)
{
    if (userObjectDialog.dialog == nullptr) {
        CreateUserObjectDialog(scene);
    }
    LoadUserObjectLists(*scene);
    SetUserObjectSensitive();
    ShowFormDialog(userObjectDialog);
}

Widget UserObjectDialogWidget()
{
    return userObjectDialog.dialog;
}

Widget AddUserObjectDialogWidget()
{
    return addFileBox;
}
