#include "dialogs/kit/scrolled_list.h"

#include "dialogs/kit/list_match.h"

#include <Xm/List.h>
#include <Xm/SelectioB.h>
#include <Xm/Text.h>
#include <Xm/Xm.h>

namespace {

// The item under this height from the top is the top visible item.
constexpr Position kTopItemY = 5;

std::string PromptText(Widget prompt)
{
    Widget field = XmSelectionBoxGetChild(prompt, XmDIALOG_TEXT);
    char* value = XmTextGetString(field);
    std::string text = value != nullptr ? value : "";
    XtFree(value);
    return text;
}

// Where the next search starts, as the 0-based index of the first item it
// tests (a 1-based position is the 0-based index of the item after it):
// after the one selected item, which is the last match or the user's
// choice, else after the top visible item. The top item alone would not
// do: in a list short enough to show whole the match cannot become the top
// item, and the same match would be found again and again.
int SearchStart(Widget list)
{
    const int selected = SelectedPosition(list);
    return selected > 0 ? selected : XmListYToPos(list, kTopItemY);
}

void SearchOkCallback(Widget, XtPointer client, XtPointer)
{
    RunListSearch(*static_cast<ListSearch*>(client));
}

void SearchCancelCallback(Widget prompt, XtPointer, XtPointer)
{
    XtUnmanageChild(prompt);
}

void CreatePrompt(ListSearch& search, Widget parent, const char* name, XtCallbackProc ok,
                  XtCallbackProc cancel)
{
    // OK without a match must leave the prompt up: its resource lines say
    // autoUnmanage False.
    search.prompt = XmCreatePromptDialog(parent, const_cast<char*>(name), nullptr, 0);
    for (unsigned char child : {XmDIALOG_HELP_BUTTON, XmDIALOG_APPLY_BUTTON,
                                XmDIALOG_SELECTION_LABEL}) {
        XtUnmanageChild(XmSelectionBoxGetChild(search.prompt, child));
    }
    XtAddCallback(search.prompt, XmNokCallback, ok, &search);
    XtAddCallback(search.prompt, XmNcancelCallback, cancel, &search);
}

}  // namespace

Widget CreateResourceList(Widget parent, const char* name, const std::vector<std::string>& items)
{
    Widget list = XmCreateScrolledList(parent, const_cast<char*>(name), nullptr, 0);
    SetListItems(list, items);
    XtManageChild(list);
    return list;
}

void SetListItems(Widget list, const std::vector<std::string>& items)
{
    XmListDeleteAllItems(list);
    // All in one call, so that a list of the thousands of records of an
    // element file is laid out once, not once per item.
    std::vector<XmString> texts;
    texts.reserve(items.size());
    for (const std::string& item : items) {
        texts.push_back(XmStringCreateLocalized(const_cast<char*>(item.c_str())));
    }
    if (!texts.empty()) {
        XmListAddItemsUnselected(list, texts.data(), static_cast<int>(texts.size()), 0);
    }
    for (XmString text : texts) {
        XmStringFree(text);
    }
}

std::vector<int> SelectedPositions(Widget list)
{
    int* positions = nullptr;
    int count = 0;
    std::vector<int> selected;
    if (XmListGetSelectedPos(list, &positions, &count)) {
        selected.assign(positions, positions + count);
        XtFree(reinterpret_cast<char*>(positions));
    }
    return selected;
}

int SelectedPosition(Widget list)
{
    const std::vector<int> selected = SelectedPositions(list);
    return selected.size() == 1 ? selected.front() : -1;
}

void BringToTopAndSelect(Widget list, int position)
{
    XmListSetPos(list, position);
    XmListSetKbdItemPos(list, position);
    XmListSelectPos(list, position, True);
}

void ShowAndSelect(Widget list, int position)
{
    int top = 0;
    int visible = 0;
    XtVaGetValues(list, XmNtopItemPosition, &top, XmNvisibleItemCount, &visible, nullptr);
    if (position < top) {
        XmListSetPos(list, position);
    } else if (position >= top + visible) {
        XmListSetBottomPos(list, position);
    }
    XmListSetKbdItemPos(list, position);
    XmListSelectPos(list, position, True);
}

void RunListSearch(ListSearch& search)
{
    const std::string text = PromptText(search.prompt);
    *search.lastText = text;
    const int start = SearchStart(search.list);
    const int found = FindNextMatch(*search.names, search.keysPerEntry, start, text.c_str());
    if (found < 0) {
        return;
    }
    BringToTopAndSelect(search.list, found + 1);
    XtUnmanageChild(search.prompt);
}

void ShowListSearch(ListSearch& search, Widget parent, const char* name)
{
    ShowListSearch(search, parent, name, SearchOkCallback, SearchCancelCallback);
}

void ShowListSearch(ListSearch& search, Widget parent, const char* name, XtCallbackProc ok,
                    XtCallbackProc cancel)
{
    if (search.prompt == nullptr) {
        CreatePrompt(search, parent, name, ok, cancel);
    }
    Widget field = XmSelectionBoxGetChild(search.prompt, XmDIALOG_TEXT);
    XmTextSetString(field, const_cast<char*>(search.lastText->c_str()));
    XtManageChild(search.prompt);
}

