// Writing an X image as an XPM file.
#pragma once

#include <X11/Xlib.h>

// Writes an image as an XPM 3 file whose C array is named after the file
// (its base name, every character other than letters and digits made "_").
// The file is written as a ReplacementFile: under a temporary name of its
// own, renamed to path only when every write and the sync succeeded, so a
// failed save never leaves a half file or harms an old one, two instances
// saving one path never mix their files, and an old file's mode is kept.
// Given:    display   the display whose colormap holds the image's pixels
//           image     the image (Z format)
//           colormap  the colormap of the pixels; None: the screen's default
//           path      the file to write
// Returned: 1 written, 0 failed
int WriteXpmFile(Display* display, XImage* image, Colormap colormap, const char* path);

// The C array name of an XPM file.
// Given:    path  the file's path
//           size  size of name in bytes
// Returned: name  e.g. "sky_xpm" for "/tmp/sky.xpm", "my_sky_xpm" for
//                 "my-sky.xpm"; "image" when it would be empty or begin with a digit
void XpmArrayName(const char* path, char* name, size_t size);
