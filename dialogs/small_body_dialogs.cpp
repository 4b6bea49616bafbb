#include "dialogs/small_body_dialogs.h"

#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/regular_file.h"
#include "dialogs/element_list.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/kit/form_dialog.h"
#include "dialogs/kit/scrolled_list.h"
#include "dialogs/progress_gauge.h"
#include "dialogs/small_body_dialogs_fields.h"
#include "sky/scene.h"

#include <X11/cursorfont.h>
#include <Xm/List.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr size_t kSearchTextSize = 128;   // remembered search texts keep 127 bytes
constexpr int kMaxToggles = 7;

// A dialog's own callbacks, registered on its widgets.
struct SmallBodyCallbacks {
    XtCallbackProc ok;
    XtCallbackProc cancel;
    XtCallbackProc clear;
    XtCallbackProc search;
    XtCallbackProc selection;
    XtCallbackProc toggle;
};

struct SmallBodyDialog {
    const SmallBodyKind* kind;
    SmallBodyCallbacks callbacks;
    Scene* scene = nullptr;
    FormDialog dialog{};
    Widget list = nullptr;
    Widget toggles[kMaxToggles] = {};
    ElementList entries{};
    std::string searchText{};
};

SmallBodyDialog cometDialog{
    &kCometKind,
    {CometDialogOkCallback, CometDialogCancelCallback, CometClearButtonCallback,
     CometSearchButtonCallback, CometListSelectionCallback, CometToggleCallback}};
SmallBodyDialog mplanetDialog{
    &kMinorPlanetKind,
    {MPlanetDialogOkCallback, MPlanetDialogCancelCallback, MPlanetClearButtonCallback,
     MPlanetSearchButtonCallback, MPlanetListSelectionCallback, MPlanetToggleCallback}};
ListSearch search;   // the one prompt both dialogs share

// The watch cursor on the main window while a long read runs.
class WatchCursor {
public:
    WatchCursor()
    {
        static Cursor watch = XCreateFontCursor(gAppEnv->display, XC_watch);
        XDefineCursor(gAppEnv->display, XtWindow(gAppEnv->toplevel), watch);
        XmUpdateDisplay(gAppEnv->toplevel);
    }
    ~WatchCursor() { XUndefineCursor(gAppEnv->display, XtWindow(gAppEnv->toplevel)); }
    WatchCursor(const WatchCursor&) = delete;
    WatchCursor& operator=(const WatchCursor&) = delete;
};

std::vector<uint8_t> ToggleBits(const SmallBodyKind& kind)
{
    std::vector<uint8_t> bits;
    for (int i = 0; i < kind.toggleCount; ++i) {
        bits.push_back(kind.toggles[i].bit);
    }
    return bits;
}

void SetToggleLook(Widget toggle, const EntryToggleState& state)
{
    if (state.indeterminate != 0) {
        XtVaSetValues(toggle, XmNtoggleMode, XmTOGGLE_INDETERMINATE, nullptr);
        XmToggleButtonSetValue(toggle, XmINDETERMINATE, False);
    } else {
        XtVaSetValues(toggle, XmNtoggleMode, XmTOGGLE_BOOLEAN, nullptr);
        XmToggleButtonSetValue(toggle, state.set != 0 ? XmSET : XmUNSET, False);
    }
    XtSetSensitive(toggle, state.sensitive != 0);
}

void ClearToggles(SmallBodyDialog& d)
{
    for (int i = 0; i < d.kind->toggleCount; ++i) {
        SetToggleLook(d.toggles[i], EntryToggleState{0, 0, 0});
    }
}

void RefreshToggles(SmallBodyDialog& d)
{
    const std::vector<int> positions = SelectedPositions(d.list);
    if (positions.empty()) {
        return;
    }
    const std::vector<EntryToggleState> states =
        EntryToggleStates(d.entries, positions, ToggleBits(*d.kind));
    for (int i = 0; i < d.kind->toggleCount; ++i) {
        SetToggleLook(d.toggles[i], states[static_cast<size_t>(i)]);
    }
}

// A toggle pressed: its bit on every selected entry.
void ToggleEntries(SmallBodyDialog& d, int index, XtPointer call)
{
    if (index < 0 || index >= d.kind->toggleCount) {
        return;
    }
    Widget toggle = d.toggles[index];
    const auto* change = static_cast<XmToggleButtonCallbackStruct*>(call);
    XtVaSetValues(toggle, XmNtoggleMode, XmTOGGLE_BOOLEAN, nullptr);
    SetEntryBit(d.entries, SelectedPositions(d.list), d.kind->toggles[index].bit,
                change->set == XmSET ? 1 : 0);
    RefreshToggles(d);
}

void ClearEntries(SmallBodyDialog& d)
{
    for (ElementListEntry& entry : d.entries.entries) {
        entry.flags = d.kind->defaultFlags;
    }
    XmListDeselectAllItems(d.list);
    ClearToggles(d);
}

// The remembered search text cut to what its buffer holds, at a
// character's end, so the prompt never shows half a character.
void KeepRememberedText(std::string& text)
{
    std::mbstate_t state{};
    size_t kept = 0;
    while (kept < text.size()) {
        size_t length = std::mbrlen(text.data() + kept, text.size() - kept, &state);
        if (length == 0 || length > text.size() - kept) {
            length = 1;   // a NUL or a byte that starts no character
            state = std::mbstate_t{};
        }
        if (kept + length > kSearchTextSize - 1) {
            break;
        }
        kept += length;
    }
    text.resize(kept);
}

// The chosen objects read and added in list order, each with its flags.
void LoadChosen(SmallBodyDialog& d)
{
    const SmallBodyKind& kind = *d.kind;
    Scene& scene = *d.scene;
    std::vector<const ElementListEntry*> chosen;
    for (const ElementListEntry& entry : d.entries.entries) {
        if ((entry.flags & kBodyShown) != 0) {
            chosen.push_back(&entry);
        }
    }
    const int total = static_cast<int>(chosen.size()) + kind.gaugeExtra;
    ResetGaugeCancel();
    const bool gauge = ReadShowsGauge(kind, static_cast<int>(chosen.size()));
    if (gauge) {
        OpenGauge(kind.gaugeKey);
    }
    kind.freeLoaded(scene);
    // Opened once for the whole load: opened for every record, the file
    // took a third of the time of loading 100,000.
    const UniqueFile elements = OpenRegularFile(kind.elementFile());
    int number = 1;
    for (const ElementListEntry* entry : chosen) {
        UpdateGauge(100 * number / total);
        if (IsGaugeCancelled() != 0 || scene.*kind.loadedCount >= kind.maxLoaded) {
            break;
        }
        OrbitalElements el;
        if (ReadListedElements(*entry, elements.get(), kind.elementFile(), kind.indexFile(), el) == 0) {
            continue;
        }
        if (kind.addLoaded(scene, el) == 0) {
            break;
        }
        CommandText command;
        AddEntryStatements(command, kind, number, entry->flags);
        RunCommandText(&scene, command);
        ++number;
    }
    if (gauge) {
        CloseGauge();
    }
}

void LoadChosenAndDrive(SmallBodyDialog& d, Scene* scene)
{
    d.scene = scene;
    HideFormDialog(d.dialog);
    {
        WatchCursor watch;
        LoadChosen(d);
    }
    StkExecuteText(*scene, "DRIVE");
}

void CreateToggles(SmallBodyDialog& d, Widget parent)
{
    Widget column = XtVaCreateManagedWidget(d.kind->controlName, xmRowColumnWidgetClass, parent,
                                            nullptr);
    for (int i = 0; i < d.kind->toggleCount; ++i) {
        d.toggles[i] = XtVaCreateManagedWidget(d.kind->toggles[i].name, xmToggleButtonWidgetClass,
                                               column, nullptr);
        XtAddCallback(d.toggles[i], XmNvalueChangedCallback, d.callbacks.toggle,
                      reinterpret_cast<XtPointer>(static_cast<intptr_t>(i)));
    }
}

void CreateSmallBodyDialog(SmallBodyDialog& d)
{
    CreateFormDialog(d.dialog, gAppEnv->toplevel, d.kind->dialogName, d.kind->rowColumnName);
    d.list = CreateResourceList(d.dialog.rowColumn, d.kind->listName, d.entries.items);
    XtAddCallback(d.list, XmNextendedSelectionCallback, d.callbacks.selection, d.scene);
    CreateToggles(d, d.dialog.rowColumn);
    const DialogButton buttons[] = {
        {"ButtonOK", kButtonDefault, d.callbacks.ok, d.scene},
        {"ButtonCancel", kButtonCancel, d.callbacks.cancel, d.scene},
        {"ButtonClear", kButtonPlain, d.callbacks.clear, d.scene},
        {"ButtonSearch", kButtonPlain, d.callbacks.search, d.scene},
    };
    AddDialogButtons(d.dialog, d.dialog.rowColumn, d.kind->buttonsName, buttons, 4);
}

// The element file listed once per run, on the first use that finds
// entries in it; the dialog is built with them.
// Returned: false when there is nothing to list (the user was told)
bool ListElementFile(SmallBodyDialog& d)
{
    if (d.dialog.dialog != nullptr) {
        return true;
    }
    int count = 0;
    {
        WatchCursor watch;
        count = LoadElementList(d.entries, d.kind->elementFile());
    }
    if (count == kElementListNoMemory) {
        ShowDialogWarning(gAppEnv->toplevel, "messageSystemOutOfMemory");
    }
    if (count == kElementFileMissing) {
        ShowDialogWarning(gAppEnv->toplevel, "messageNoElementFile");
    }
    // A file without entries gives nothing to choose from: no dialog, and
    // nothing to say.
    if (count < 1) {
        return false;
    }
    CreateSmallBodyDialog(d);
    return true;
}

void ShowSmallBodyDialog(SmallBodyDialog& d, Scene* scene)
{
    d.scene = scene;
    if (!ListElementFile(d)) {
        return;
    }
    const SmallBodyKind& kind = *d.kind;
    MarkLoadedEntries(d.entries, kind.defaultFlags, scene->*kind.loadedElements,
                      scene->*kind.loadedFlags, scene->*kind.loadedCount);
    XmListDeselectAllItems(d.list);
    ClearToggles(d);
    ShowFormDialog(d.dialog);
}

}  // namespace

void CometDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    LoadChosenAndDrive(cometDialog, static_cast<Scene*>(client));
}

void CometDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(cometDialog.dialog);
}

void CometClearButtonCallback(Widget, XtPointer, XtPointer)
{
    ClearEntries(cometDialog);
}

void CometSearchButtonCallback(Widget, XtPointer, XtPointer)
{
    ShowCometSearchDialog(cometDialog.dialog.dialog, cometDialog.list, cometDialog.searchText,
                          cometDialog.entries);
}

void CometListSelectionCallback(Widget, XtPointer, XtPointer)
{
    RefreshToggles(cometDialog);
}

void CometToggleCallback(Widget, XtPointer client, XtPointer call)
{
    ToggleEntries(cometDialog, static_cast<int>(reinterpret_cast<intptr_t>(client)), call);
}

void MPlanetDialogOkCallback(Widget, XtPointer client, XtPointer)
{
    LoadChosenAndDrive(mplanetDialog, static_cast<Scene*>(client));
}

void MPlanetDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    HideFormDialog(mplanetDialog.dialog);
}

void MPlanetClearButtonCallback(Widget, XtPointer, XtPointer)
{
    ClearEntries(mplanetDialog);
}

void MPlanetSearchButtonCallback(Widget, XtPointer, XtPointer)
{
    ShowCometSearchDialog(mplanetDialog.dialog.dialog, mplanetDialog.list,
                          mplanetDialog.searchText, mplanetDialog.entries);
}

void MPlanetListSelectionCallback(Widget, XtPointer, XtPointer)
{
    RefreshToggles(mplanetDialog);
}

void MPlanetToggleCallback(Widget, XtPointer client, XtPointer call)
{
    ToggleEntries(mplanetDialog, static_cast<int>(reinterpret_cast<intptr_t>(client)), call);
}

void ShowCometSearchDialog(Widget parent, Widget list, std::string& rememberedText,
                           const ElementList& entries)
{
    search.list = list;
    search.names = &entries.searchNames;
    search.keysPerEntry = 2;
    search.lastText = &rememberedText;
    ShowListSearch(search, parent, "CometSearchDialog", CometSearchDialogOkCallback,
                   CometSearchDialogCancelCallback);
}

void CometSearchDialogOkCallback(Widget, XtPointer, XtPointer)
{
    RunListSearch(search);
    KeepRememberedText(*search.lastText);
}

void CometSearchDialogCancelCallback(Widget, XtPointer, XtPointer)
{
    XtUnmanageChild(search.prompt);
}

void ShowCometDialog(Scene* scene)
{
    ShowSmallBodyDialog(cometDialog, scene);
}

void ShowMPlanetDialog(Scene* scene)
{
    ShowSmallBodyDialog(mplanetDialog, scene);
}

Widget CometDialogWidget()
{
    return cometDialog.dialog.dialog;
}

Widget MPlanetDialogWidget()
{
    return mplanetDialog.dialog.dialog;
}
