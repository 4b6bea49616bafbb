// The menu bar: ten pull-downs built from tables of MenuItemRecord. Labels,
// mnemonics, accelerators and indicator types come only from the fallback
// resources addressed by the items' widget names (data/resources_menus.cpp).
// Before a pull-down opens, its cascading callback sets its toggles and the
// sensitivity of its items from the Scene.
#pragma once

#include <X11/Intrinsic.h>

struct Scene;

// One item of a pull-down; a table ends with a record whose name is null.
struct MenuItemRecord {
    const char* name;            // widget name, also its resource name
    const char* callbackList;    // XmNactivateCallback, XmNvalueChangedCallback,
                                 // or null for separators and cascades
    XtCallbackProc procedure;    // null for separators and cascades
    WidgetClass* widgetClass;    // a push button, toggle, separator or cascade gadget
    Widget widget;               // filled when the item is made
};

// Makes the pull-down `name` on parent and its items in table order, each
// managed, with its callback (client data the Scene).
// Returned: the pull-down
Widget CreatePulldownMenu(const char* name, Widget parent, MenuItemRecord* table, Scene* scene);

// Makes a managed cascade button of the menu bar that opens a pull-down.
Widget CreateMenuBarCascade(const char* name, Widget menuBar, Widget pulldown);

// The cascading callbacks (client data the Scene): each sets the toggles and
// the sensitivity of its pull-down's items before it opens. File and Help
// have nothing to set.
void MenuFileCascadingCallback(Widget, XtPointer client, XtPointer);
void MenuSettingsCascadingCallback(Widget, XtPointer client, XtPointer);
void MenuViewCascadingCallback(Widget, XtPointer client, XtPointer);
void MenuViewRotateCascadingCallback(Widget, XtPointer client, XtPointer);
void MenuObjectCascadingCallback(Widget, XtPointer client, XtPointer);
void MenuCenterCascadingCallback(Widget, XtPointer client, XtPointer);
void MenuOptionCascadingCallback(Widget, XtPointer client, XtPointer);
void MenuHelpCascadingCallback(Widget, XtPointer client, XtPointer);

// Builds the whole menu bar: File, Settings, View with its Direction, Width
// and Rotate sub-menus, Object, Center, Options and Help (the menu bar's
// help widget), with their cascading callbacks.
void CreateMenuBar(Widget menuBar, Scene* scene);
