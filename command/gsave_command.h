// GSAVE: the current chart saved as an XPM image.
#pragma once

#include <cstddef>

struct Scene;

// Saves the back pixmap of the Scene (status line and sky, as last drawn)
// as an XPM file.
// Given:    scene  the Scene; its back pixmap must exist (it does from the
//                  first redraw on)
//           path   the file to write
// Returned: 1 written; 0 when there is no pixmap yet or the write failed
int StkSaveWindowImage(Scene* scene, const char* path);

// The file name GSAVE writes for a given name: ".xpm" is appended unless the
// name's last "." or "/" is a "." followed by "xpm" in any case.
// Given:    name  the name as given, "~" already expanded
//           size  size of out in bytes
// Returned: out   the file name; 1, or 0 when it does not fit
int GsaveFileName(const char* name, char* out, size_t size);
