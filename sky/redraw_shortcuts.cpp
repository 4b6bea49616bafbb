#include "sky/redraw_shortcuts.h"

// A frame's stars fit in one batch, so a frame without labels sends one
// request per colour.
RedrawShortcuts gRedrawShortcuts = {1 << 20, 1};
