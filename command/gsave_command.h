// GSAVE: the current chart saved as an XPM image.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>

struct Scene;

// Saves the back pixmap of the Scene (status line and sky, as last drawn)
// as an XPM file.
// Given:    scene  the Scene; its back pixmap must exist (it does from the
//                  first redraw on)
//           path   the file to write
// Returned: 1 written; 0 when there is no pixmap yet or the write failed
int StkSaveWindowImage(Scene& scene, const char* path);

// Reads a pixmap into a client image, a band of rows per request, so that
// no request asks for more than the connection can carry.
// Given:    pixmap         a pixmap of the default screen's visual
//           width, height  the part to read from (0, 0), pixels
//           depth          the pixmap's depth
//           bandBytes      most bytes of image data per request (at least
//                          one row is read per request)
// Returned: the image (free with XDestroyImage), or null when its memory
//           cannot be had or a read fails
XImage* StkReadPixmapImage(Display* display, Pixmap pixmap, unsigned int width, unsigned int height,
                           unsigned int depth, size_t bandBytes);

// The file name GSAVE writes for a given name: ".xpm" is appended unless the
// name's last "." or "/" is a "." followed by "xpm" in any case.
// Given:    name  the name as given, "~" already expanded
//           size  size of out in bytes
// Returned: out   the file name; 1, or 0 when it does not fit
int GsaveFileName(const char* name, char* out, size_t size);
