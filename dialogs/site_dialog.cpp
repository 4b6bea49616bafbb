#include "dialogs/site_dialog.h"

#include "core/app_env.h"
#include "core/format_check.h"
#include "core/message_box.h"
#include "core/messages.h"
#include "core/options.h"
#include "core/string_utils.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/scrolled_list.h"
#include "dialogs/site_dialog_fields.h"
#include "dialogs/site_edit_dialog.h"
#include "dialogs/site_file.h"
#include "sky/catalog/site_list.h"
#include "sky/scene.h"

#include <Xm/List.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr size_t kMessageSize = 512;
constexpr char kDeleteQuestion[] = "Delete site %s";

FormDialog siteDialog;
Widget siteList = nullptr;
Widget makeDefaultToggle = nullptr;
Widget editButtons[3] = {};      // Edit, New, Remove
Scene* dialogScene = nullptr;

// The file's lines and their names: list position p is line p.
std::vector<std::string> siteLines;
std::vector<std::string> siteNames;

ListSearch siteSearch;
std::string lastSearchText;

// Releases the first count lines of the list and their names; the list's
// own length releases all of it.
void FreeSiteList(int count)
{
    const auto freed = static_cast<std::ptrdiff_t>(
        std::min(siteLines.size(), static_cast<size_t>(std::max(count, 0))));
    siteLines.erase(siteLines.begin(), siteLines.begin() + freed);
    siteNames.erase(siteNames.begin(), siteNames.begin() + freed);
}

// The list read again replaces the one held.
void SetLines(std::vector<std::string> lines)
{
    FreeSiteList(static_cast<int>(siteLines.size()));
    siteLines = std::move(lines);
    siteNames = SiteLineNames(siteLines);
}

// Returned: the number of lines, or -1 after a warning
int LoadSiteList()
{
    std::vector<std::string> lines;
    if (ReadSiteFileLines(gAppEnv->siteFile, lines) == 0) {
        ShowDialogWarning(gAppEnv->toplevel, "messageNoPlaceFileFound");
        return -1;
    }
    SetLines(std::move(lines));
    return static_cast<int>(siteLines.size());
}

int GetSelectedSite()
{
    return SelectedPosition(siteList);
}

// The item as the keyboard and the eye find it: selected without telling
// anyone, and the keyboard cursor on it.
void MarkItem(int position)
{
    XmListSelectPos(siteList, position, False);
    XmListSetKbdItemPos(siteList, position);
}

// The Scene's site is chosen; a site not in the list leaves the choice
// made before. Either way the chosen item is scrolled to the top.
void FillSiteDialog(const Scene& scene)
{
    const std::string current = SiteLineName(scene.siteName);
    const auto found = std::find(siteNames.begin(), siteNames.end(), current);
    if (found != siteNames.end()) {
        XmListSelectPos(siteList, static_cast<int>(found - siteNames.begin()) + 1, False);
    }
    const int selected = GetSelectedSite();
    if (selected > 0) {
        XmListSetPos(siteList, selected);
    }
    const Boolean writable = access(gAppEnv->siteFile, W_OK) == 0 ? True : False;
    for (Widget button : editButtons) {
        XtSetSensitive(button, writable);
    }
    XmToggleButtonSetState(makeDefaultToggle, False, False);
}

// Another instance of the program, or an editor, may have changed the
// file since the list was read: the list shows the file as it is now.
void RefreshSiteList()
{
    std::vector<std::string> lines;
    if (ReadSiteFileLines(gAppEnv->siteFile, lines) != 0 && lines != siteLines) {
        SetLines(std::move(lines));
        SetListItems(siteList, siteNames);
    }
}

void ReloadSiteList()
{
    RefreshSiteList();
    FillSiteDialog(*dialogScene);
}

// A change refused: its warning, and the file read again when it had
// changed.
SiteWriteResult ReportRefusal(const SiteFileError& error)
{
    ShowDialogWarning(gAppEnv->toplevel, error.key, error.argument.c_str());
    if (std::string(error.key) != "messageSiteFileChanged") {
        return kSiteWriteFailed;
    }
    ReloadSiteList();
    return kSiteFileReloaded;
}

void ShowItemsAfterWrite(int index, const std::string& name)
{
    XmString item = XmStringCreateLocalized(const_cast<char*>(name.c_str()));
    if (index >= 0) {
        XmListReplaceItemsPos(siteList, &item, 1, index + 1);
        MarkItem(index + 1);
    } else {
        XmListAddItemUnselected(siteList, item, 1);
        MarkItem(1);
        XmListSetPos(siteList, 1);
    }
    XmStringFree(item);
}

// After a deletion the item now in the deleted one's place is chosen, or
// the last one when the deleted one was last.
void ShowItemsAfterDelete(int position)
{
    XmListDeletePos(siteList, position);
    const int count = static_cast<int>(siteLines.size());
    if (count > 0) {
        MarkItem(position <= count ? position : count);
    }
}

void SiteDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    const int position = GetSelectedSite();
    if (position < 1) {
        return;
    }
    const std::string& name = siteNames[static_cast<size_t>(position - 1)];
    ObserverLocation location{};
    double zone = 0.0;
    if (LookUpSite(name.c_str(), location, zone) == 0) {
        return;
    }
    Scene* scene = static_cast<Scene*>(client);
    CommandText command;
    ComposeLocateCommand(name.c_str(), location, zone, command);
    if (IsCommandRefused(command) == 0) {
        HideFormDialog(siteDialog);
    }
    if (RunCommandText(scene, command) == 0) {
        return;
    }
    if (XmToggleButtonGetState(makeDefaultToggle)) {
        SaveDefaultSite(scene->siteName);
    }
}

// Only hides: what was chosen in the list stays chosen for the next Show.
void SiteDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(siteDialog);
}

// The next name holding the typed text becomes the top item and is chosen;
// no match leaves the prompt up (the kit's search).
void SiteSearchDialogOkCallback(Widget, XtPointer, XtPointer)
{
    RunListSearch(siteSearch);
}

void SiteSearchDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    XtUnmanageChild(siteSearch.prompt);
}

void ShowSiteSearchDialog(Scene*)
{
    siteSearch.list = siteList;
    siteSearch.names = &siteNames;
    siteSearch.keysPerEntry = 1;
    siteSearch.lastText = &lastSearchText;
    ShowListSearch(siteSearch, siteDialog.dialog, "SiteSearchDialog", SiteSearchDialogOkCallback,
                   SiteSearchDialogCancelCallback);
}

void SiteSearchButtonCallback(Widget, XtPointer client, XtPointer)
{
    ShowSiteSearchDialog(static_cast<Scene*>(client));
}

// The list as the edit dialog reaches it.
const SiteListAccess kThisList{SiteListNames, WriteSiteFileLine};

void SiteEditButtonCallback(Widget button, XtPointer, XtPointer)
{
    const int position = GetSelectedSite();
    if (position < 1) {
        ShowDialogWarning(gAppEnv->toplevel, "messageSelectSiteToEdit");
        return;
    }
    ShowSiteEditDialog(button, siteLines[static_cast<size_t>(position - 1)], position - 1,
                       dialogScene, kThisList);
}

void SiteAddButtonCallback(Widget button, XtPointer, XtPointer)
{
    ShowSiteEditDialog(button, kNewSiteLine, -1, dialogScene, kThisList);
}

bool ConfirmDelete(const std::string& name)
{
    char format[kMessageSize];
    GetMessage("messageConfirmDeleteSite", format, sizeof format);
    const char* use = FormatMatchesDefault(format, kDeleteQuestion) != 0 ? format : kDeleteQuestion;
    char question[kMessageSize];
    std::snprintf(question, sizeof question, use, name.c_str());
    return AskQuestion(gAppEnv->toplevel, question) != 0;
}

void SiteDeleteButtonCallback(Widget, XtPointer, XtPointer)
{
    const int position = GetSelectedSite();
    if (position < 1) {
        ShowDialogWarning(gAppEnv->toplevel, "messageSelectSiteToDel");
        return;
    }
    if (!ConfirmDelete(siteNames[static_cast<size_t>(position - 1)])) {
        return;
    }
    SiteFileError error;
    std::vector<std::string> lines = siteLines;
    if (ChangeSiteFile(gAppEnv->siteFile, lines, {kSiteLineDelete, position - 1, ""}, error) == 0) {
        ReportRefusal(error);
        return;
    }
    SetLines(std::move(lines));
    ShowItemsAfterDelete(position);
}

void CreateSiteDialog(Scene* scene)
{
    CreateFormDialog(siteDialog, gAppEnv->toplevel, "SiteDialog", "RCAll");
    Widget all = siteDialog.rowColumn;
    Widget row = XtVaCreateManagedWidget("RCSite", xmRowColumnWidgetClass, all, nullptr);
    siteList = CreateResourceList(row, "SiteList", siteNames);
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, SiteDialogOkCallback, scene},
        {"ButtonCancel", kButtonCancel, SiteDialogCancelCallback, scene},
        {"ButtonSearch", kButtonPlain, SiteSearchButtonCallback, scene},
        {"ButtonEditSite", kButtonPlain, SiteEditButtonCallback, nullptr},
        {"ButtonAddSite", kButtonPlain, SiteAddButtonCallback, nullptr},
        {"ButtonDelSite", kButtonPlain, SiteDeleteButtonCallback, nullptr},
    };
    Widget column = AddDialogButtons(siteDialog, row, "ObsButtons", buttons, 6);
    const char* const editing[] = {"ButtonEditSite", "ButtonAddSite", "ButtonDelSite"};
    for (int i = 0; i < 3; ++i) {
        editButtons[i] = XtNameToWidget(column, editing[i]);
    }
    makeDefaultToggle =
        XtVaCreateManagedWidget("ToggleMakeDefault", xmToggleButtonWidgetClass, all, nullptr);
    XtVaSetValues(siteDialog.dialog, XmNinitialFocus, all, nullptr);
    XtVaSetValues(all, XmNinitialFocus, row, nullptr);
    XtVaSetValues(row, XmNinitialFocus, siteList, nullptr);
}

}  // namespace

void ShowSiteDialog(Scene* scene)
{
    dialogScene = scene;
    if (siteDialog.dialog == nullptr) {
        if (LoadSiteList() < 1) {
            return;
        }
        CreateSiteDialog(scene);
    } else {
        RefreshSiteList();
    }
    FillSiteDialog(*scene);
    ShowFormDialog(siteDialog);
}

Widget SiteDialogWidget()
{
    return siteDialog.dialog;
}

Widget SiteListWidget()
{
    return siteList;
}

const std::vector<std::string>& SiteListNames()
{
    return siteNames;
}

SiteWriteResult WriteSiteFileLine(int index, const std::string& line)
{
    SiteFileError error;
    std::vector<std::string> lines = siteLines;
    const SiteFileChange change{index >= 0 ? kSiteLineReplace : kSiteLineInsert, index, line};
    if (ChangeSiteFile(gAppEnv->siteFile, lines, change, error) == 0) {
        return ReportRefusal(error);
    }
    // An addition lands on the file as another instance may have left it;
    // then the whole list shows the file again, the new site first.
    const bool othersChanged =
        index < 0 && !std::equal(lines.begin() + 1, lines.end(), siteLines.begin(), siteLines.end());
    SetLines(std::move(lines));
    if (othersChanged) {
        SetListItems(siteList, siteNames);
        MarkItem(1);
        XmListSetPos(siteList, 1);
    } else {
        ShowItemsAfterWrite(index, SiteLineName(line));
    }
    return kSiteWritten;
}
