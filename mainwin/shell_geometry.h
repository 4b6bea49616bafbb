// The Geometry option as the shell gets it: a size larger than the screen
// would make the window, and the chart's pixmap with it, larger than the X
// server can allocate (65535x65535 ended every start with BadAlloc, and the
// option, being kept, ended every start after). The size is clamped to the
// screen; the position and the option as the user wrote it stay.
#pragma once

#include <cstddef>

// Given:    geometry      an X geometry text ("WIDTHxHEIGHT+X+Y", any part
//                         optional)
//           screenWidth, screenHeight  pixels
//           size          size of out in bytes
// Returned: out           the same geometry with its width and height at
//                         most the screen's; a text XParseGeometry finds
//                         nothing in is copied as it stands
//           1, or 0 when out is too small
int ClampGeometryToScreen(const char* geometry, unsigned int screenWidth, unsigned int screenHeight, char* out,
                          size_t size);
