// Toggle groups and radio groups: the widgets of a table of toggles, set
// from values and read back into values, so a dialog copies numbers in and
// out and never handles a toggle one by one.
#pragma once

#include "dialogs/kit/display_toggles.h"

#include <X11/Intrinsic.h>

#include <cstdint>
#include <vector>

// Toggles of a table, in table order: the dialog makes them where its
// layout puts them.
struct ToggleGroup {
    const ToggleRow* rows = nullptr;
    std::vector<Widget> toggles;
};

// Sets every toggle from its value (not 0: set) without notifying.
void SetToggleValues(const ToggleGroup& group, const std::vector<int>& values);

// The toggles' states, 1 set or 0, in table order.
std::vector<int> ToggleValues(const ToggleGroup& group);

// One button of a radio group and the value it stands for.
struct RadioRow {
    const char* name;   // widget name, "RadioMode05"
    int32_t value;      // e.g. a GridKeywordTable value
};

// A radio box and its buttons, in table order.
struct RadioGroup {
    const RadioRow* rows = nullptr;
    Widget box = nullptr;
    std::vector<Widget> buttons;
};

// Creates the radio box boxName in parent with one toggle per row.
// Given:    rows, count  the table; it lives as long as the group
// Returned: group
void CreateRadioGroup(Widget parent, const char* boxName, const RadioRow* rows, int count,
                      RadioGroup& group);

// Sets the button of a value and clears the others, without notifying; no
// button is set when none stands for the value.
void SetRadioValue(const RadioGroup& group, int32_t value);

// The value of the first set button.
// Returned: value (unchanged when none is set); 1 when a button is set, else 0
int RadioValue(const RadioGroup& group, int32_t& value);
