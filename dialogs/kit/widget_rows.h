// The children of a form made in order from a table of names and classes,
// the way a dialog's fixed layout is written down: a resource line that
// places a child against another names one made before it, and a user's
// line reaches each child by the form's path.
#pragma once

#include <X11/Intrinsic.h>

// One child: its widget (and resource) name and its class.
struct WidgetRow {
    const char* name;
    WidgetClass* widgetClass;
};

// Creates and manages one child of parent per row, in table order.
// Returned: children  count widgets, in table order
void CreateWidgetRows(Widget parent, const WidgetRow* rows, int count, Widget* children);
