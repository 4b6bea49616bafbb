#include "dialogs/command_dialog.h"

#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/regular_file.h"
#include "dialogs/command_history.h"

#include <Xm/List.h>
#include <Xm/SelectioB.h>
#include <Xm/Text.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

Widget ChildOf(unsigned char which)
{
    return XmSelectionBoxGetChild(gAppEnv->commandDialog, which);
}

Widget HistoryList()
{
    return ChildOf(XmDIALOG_LIST);
}

std::string ItemText(XmString item)
{
    char* text = static_cast<char*>(XmStringUnparse(item, nullptr, XmCHARSET_TEXT,
                                                   XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
    std::string result = text != nullptr ? text : "";
    XtFree(text);
    return result;
}

std::vector<std::string> HistoryItems()
{
    XmStringTable items = nullptr;
    int count = 0;
    XtVaGetValues(HistoryList(), XmNitems, &items, XmNitemCount, &count, nullptr);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(ItemText(items[i]));
    }
    return lines;
}

void AppendHistoryItem(const std::string& line)
{
    XmString item = XmStringCreateLocalized(const_cast<char*>(line.c_str()));
    XmListAddItemUnselected(HistoryList(), item, 0);
    XmStringFree(item);
}

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t\n\v\f\r") == std::string::npos;
}

void CloseCallback(Widget dialog, XtPointer, XtPointer)
{
    XtUnmanageChild(dialog);
}

}  // namespace

void ToggleCommandDialog(Scene* scene)
{
    if (gAppEnv->commandDialog == nullptr) {
        CreateCommandDialog(scene);
    }
    Widget dialog = gAppEnv->commandDialog;
    if (XtIsManaged(dialog)) {
        XtUnmanageChild(dialog);
        return;
    }
    // The selection needs the text's window: selected before the first
    // showing, the line would come up unselected and typing would add to it.
    XtManageChild(dialog);
    SelectLastCommandHistoryItem();
}

void CreateCommandDialog(Scene* scene)
{
    Widget dialog = XmCreateSelectionDialog(gAppEnv->toplevel, const_cast<char*>("CommandDialog"),
                                            nullptr, 0);
    gAppEnv->commandDialog = dialog;
    for (unsigned char child : {XmDIALOG_LIST_LABEL, XmDIALOG_HELP_BUTTON, XmDIALOG_APPLY_BUTTON,
                                XmDIALOG_SELECTION_LABEL}) {
        XtUnmanageChild(ChildOf(child));
    }
    XtAddCallback(dialog, XmNokCallback, CommandDialogOkCallback, scene);
    XtAddCallback(dialog, XmNcancelCallback, CloseCallback, scene);
    LoadCommandHistory();
}

void CommandDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    auto* scene = static_cast<Scene*>(client);
    char* value = XmTextGetString(ChildOf(XmDIALOG_TEXT));
    const std::string line = value != nullptr ? value : "";
    XtFree(value);
    if (IsBlank(line)) {
        return;
    }
    if (line.size() > kLongestCommandLine) {
        StkRefuseStatement(line.c_str());
        return;
    }
    const std::vector<std::string> history = HistoryItems();
    if (history.empty() || history.back() != line) {
        AppendHistoryItem(line);
    }
    StkExecuteText(*scene, line.c_str());
    SelectLastCommandHistoryItem();
}

int LoadCommandHistory()
{
    if (gAppEnv->commandDialog == nullptr) {
        return -1;
    }
    char path[kPathSize];
    if (GetHistoryFilePath(path, sizeof path) == 0) {
        return 0;
    }
    // A FIFO or a device put in the history file's place must not hang the
    // dialog.
    const UniqueFile stream = OpenRegularFile(path);
    if (stream == nullptr) {
        return -1;
    }
    const std::vector<std::string> lines = ReadHistoryLines(stream.get());
    for (const std::string& line : lines) {
        AppendHistoryItem(line);
    }
    return static_cast<int>(lines.size());
}

int SaveCommandHistory()
{
    char path[kPathSize];
    if (gAppEnv->commandDialog == nullptr || GetHistoryFilePath(path, sizeof path) == 0) {
        return 0;
    }
    if (gAppEnv->saveHistory <= 0) {
        unlink(path);
        return 0;
    }
    return WriteHistoryFile(path, HistoryItems(), gAppEnv->saveHistory);
}

void SelectLastCommandHistoryItem()
{
    if (gAppEnv->commandDialog == nullptr) {
        return;
    }
    Widget list = HistoryList();
    XmStringTable items = nullptr;
    int count = 0;
    XtVaGetValues(list, XmNitems, &items, XmNitemCount, &count, nullptr);
    if (count == 0) {
        return;
    }
    const std::string newest = ItemText(items[count - 1]);
    XmListSetBottomPos(list, 0);
    XmListSelectPos(list, 0, True);
    Widget text = ChildOf(XmDIALOG_TEXT);
    XmTextSetString(text, const_cast<char*>(newest.c_str()));
    XmTextSetSelection(text, 0, XmTextGetLastPosition(text),
                       XtLastTimestampProcessed(XtDisplay(text)));
}
