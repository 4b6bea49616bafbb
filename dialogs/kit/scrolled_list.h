// The scrolled list of the dialogs, and the search prompt that finds the
// next entry holding a piece of text in it (the site list, the comet and
// minor-planet lists).
#pragma once

#include <Xm/Xm.h>

#include <string>
#include <vector>

// A scrolled list whose selection policy, margins, size policy and scroll
// bars all come from the resource lines of its name, so that a user's
// resource file can change any of them.
// Given:    parent  the dialog's row-column or form
//           name    the list's name ("PlanetList")
//           items   the entries, in list order
// Returned: the list widget (its parent is the scrolled window)
Widget CreateResourceList(Widget parent, const char* name, const std::vector<std::string>& items);

// Replaces every item of the list.
void SetListItems(Widget list, const std::vector<std::string>& items);

// 1-based positions of the selected items, in list order.
std::vector<int> SelectedPositions(Widget list);

// The 1-based position of the one selected item, or -1 when none or more
// than one is selected.
int SelectedPosition(Widget list);

// Makes an item the top visible item and the keyboard item, and selects it
// with notification, as a click would.
void BringToTopAndSelect(Widget list, int position);

// Selects an item with notification, as a click would, and makes it the
// keyboard item, scrolling the list only as far as needed to show it, so
// that the items around it stay in view.
void ShowAndSelect(Widget list, int position);

// The search prompt of one or more lists. Before each ShowListSearch the
// caller points it at the list searched now and at that list's names; the
// record must stay where it is for the run (a static), the prompt's
// callbacks point at it.
struct ListSearch {
    Widget prompt = nullptr;                        // null until first shown
    Widget list = nullptr;                          // the list searched
    const std::vector<std::string>* names = nullptr; // FindNextMatch's names
    int keysPerEntry = 1;
    std::string* lastText = nullptr;                // remembered between searches
};

// Shows the prompt dialog `name` (built on parent at the first call, with
// its Help and Apply buttons and its selection label taken away) holding the
// remembered text. OK searches from the entry after the list's one selected
// entry (with none, or several, after its top visible one), wrapping round:
// a match becomes the top item and is selected, and the prompt goes away, so
// OK again finds the next one; no match leaves the prompt up. Cancel hides
// it.
void ShowListSearch(ListSearch& search, Widget parent, const char* name);

// The same prompt for a dialog whose prompt has OK and Cancel callbacks of
// its own (client data of both: the ListSearch); they are set when the
// prompt is built, at the first call.
void ShowListSearch(ListSearch& search, Widget parent, const char* name, XtCallbackProc ok,
                    XtCallbackProc cancel);

// What the prompt's OK does (see ShowListSearch): searches for the
// prompt's text, remembers it, and on a match brings the entry to the top,
// selects it and hides the prompt.
void RunListSearch(ListSearch& search);
