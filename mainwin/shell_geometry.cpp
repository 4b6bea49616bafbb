#include "mainwin/shell_geometry.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// "+12" or "-0": XParseGeometry gives the offset signed and says by a flag
// whether it counts from the far edge.
std::string Offset(bool fromFarEdge, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%c%d", fromFarEdge ? '-' : '+', fromFarEdge ? -value : value);
    return text;
}

}  // namespace

int ClampGeometryToScreen(const char* geometry, unsigned int screenWidth, unsigned int screenHeight, char* out,
                          size_t size)
{
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    const int flags = XParseGeometry(geometry, &x, &y, &width, &height);
    std::string clamped = geometry;
    if ((flags & (WidthValue | HeightValue)) != 0) {
        clamped.clear();
        if ((flags & WidthValue) != 0) {
            clamped += std::to_string(std::min(width, screenWidth));
        }
        if ((flags & HeightValue) != 0) {
            clamped += "x" + std::to_string(std::min(height, screenHeight));
        }
        if ((flags & XValue) != 0) {
            clamped += Offset((flags & XNegative) != 0, x);
        }
        if ((flags & YValue) != 0) {
            clamped += Offset((flags & YNegative) != 0, y);
        }
    }
    const int length = std::snprintf(out, size, "%s", clamped.c_str());
    return length >= 0 && static_cast<size_t>(length) < size ? 1 : 0;
}
