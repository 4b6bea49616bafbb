// The main window's layout: its title, size and the menu bar's margins.
#include "data/fallback_resources.h"

const char* const kMainWindowResources[] = {
    "UVola.title: Uvola",
    "UVola*Main.width: 640",
    "UVola*Main.height: 480",
    "UVola*Main.spacing: 1",
    "UVola*MenuBar.shadowThickness: 1",
    "UVola*MenuBar.marginHeight: 0",
    "UVola*MenuBar.marginWidth: 0",
    nullptr,
};
