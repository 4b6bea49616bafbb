// The main window's layout: its title, size and the menu bar's margins.
// The width holds the toolbar's 27 buttons whole (645 pixels and the
// toolbar's border).
#include "data/fallback_resources.h"

const char* const kMainWindowResources[] = {
    "UVola.title: Uvola",
    "UVola*Main.width: 660",
    "UVola*Main.height: 480",
    "UVola*Main.spacing: 1",
    "UVola*MenuBar.shadowThickness: 1",
    "UVola*MenuBar.marginHeight: 0",
    "UVola*MenuBar.marginWidth: 0",
    "UVola.Main.DrawingArea*translations: #override\\n"
    "!Ctrl<Key>space: OpenCommandDialog()\\n"
    "None<Key>osfPageUp: StkDoit(\"ZOOM UP;DRIVE\")\\n"
    "None<Key>osfPageDown: StkDoit(\"ZOOM DOWN;DRIVE\")\\n"
    "Shift<Btn4Down>,<Btn4Up>: StkDoit(\"INCMAG STAR 0.1;DRIVE\")\\n"
    "Shift<Btn5Down>,<Btn5Up>: StkDoit(\"DECMAG STAR 0.1;DRIVE\")\\n"
    "Ctrl<Btn4Down>,<Btn4Up>: StkDoit(\"ZOOM UP;DRIVE\")\\n"
    "Ctrl<Btn5Down>,<Btn5Up>: StkDoit(\"ZOOM DOWN;DRIVE\")\\n"
    "<Btn4Down>,<Btn4Up>: ScrollWindow(\"LEFT\")\\n"
    "<Btn5Down>,<Btn5Up>: ScrollWindow(\"RIGHT\")",
    "UVola*ClickDataDialog.autoUnmanage: False",
    "UVola*ClickDataDialog.width: 340",
    "UVola*ClickDataDialog.height: 114",
    "UVola*ClickDataDialog.dialogTitle: Object Information",
    nullptr,
};
