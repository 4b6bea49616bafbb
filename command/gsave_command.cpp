#include "command/gsave_command.h"

#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/xpm_writer.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "core/user_directory.h"
#include "sky/scene.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Owns an image taken from the server.
struct ServerImage {
    XImage* image = nullptr;
    ~ServerImage()
    {
        if (image != nullptr) {
            XDestroyImage(image);
        }
    }
};

// A band of the image per request: one request for a whole large window
// asks for a reply the connection cannot carry (over 2 GiB ends it).
constexpr size_t kImageBandBytes = size_t{4} << 20;

bool HasXpmExtension(const char* name)
{
    const char* last = std::strrchr(name, '.');
    const char* slash = std::strrchr(name, '/');
    return last != nullptr && (slash == nullptr || last > slash) && AsciiCaseEqual(last + 1, "xpm");
}

}  // namespace

int GsaveFileName(const char* name, char* out, size_t size)
{
    const int length = HasXpmExtension(name) ? std::snprintf(out, size, "%s", name)
                                             : std::snprintf(out, size, "%s.xpm", name);
    return length >= 0 && static_cast<size_t>(length) < size ? 1 : 0;
}

XImage* StkReadPixmapImage(Display* display, Pixmap pixmap, unsigned int width, unsigned int height,
                           unsigned int depth, size_t bandBytes)
{
    Visual* visual = DefaultVisual(display, DefaultScreen(display));
    XImage* image = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, width, height, 32, 0);
    if (image == nullptr) {
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(image->bytes_per_line);
    // XDestroyImage frees the data with free(): it must come from malloc.
    image->data = static_cast<char*>(std::malloc(rowBytes * height));
    if (image->data == nullptr) {
        XDestroyImage(image);
        return nullptr;
    }
    const unsigned int bandRows = static_cast<unsigned int>(std::max<size_t>(1, bandBytes / rowBytes));
    for (unsigned int y = 0; y < height; y += bandRows) {
        const unsigned int rows = std::min(bandRows, height - y);
        if (XGetSubImage(display, pixmap, 0, static_cast<int>(y), width, rows, AllPlanes, ZPixmap, image, 0,
                         static_cast<int>(y)) == nullptr) {
            XDestroyImage(image);
            return nullptr;
        }
    }
    return image;
}

int StkSaveWindowImage(Scene& scene, const char* path)
{
    Display* display = gAppEnv->display;
    // Before the first redraw (a GSAVE in the start-up script) there is no
    // pixmap to read; asking the server for one would end the program.
    if (display == nullptr || scene.backPixmap == None) {
        return 0;
    }
    Window root = None;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (XGetGeometry(display, scene.backPixmap, &root, &x, &y, &width, &height, &border,
                     &depth) == 0) {
        return 0;
    }
    // The pixmap keeps room for the status line even while it is hidden;
    // those rows lie below the window and hold no chart, so the image is
    // what the window shows.
    const XRectangle& sky = scene.view.skyRect;
    height = std::min(height, static_cast<unsigned int>(std::max(sky.y + sky.height, 1)));
    ServerImage taken;
    taken.image = StkReadPixmapImage(display, scene.backPixmap, width, height, depth, kImageBandBytes);
    if (taken.image == nullptr) {
        return 0;
    }
    const Colormap colormap = gAppEnv->installColormap != 0 ? gAppEnv->colormap : None;
    return WriteXpmFile(display, taken.image, colormap, path);
}

void CmdGsave(Scene& scene, char* a1, char*)
{
    if (a1 == nullptr) {
        StkSetError("stkErrorIllegalParam", "");
        return;
    }
    // A name that makes no file fails as a write does; neither names it.
    char expanded[kPathSize];
    char path[kPathSize];
    if (ExpandTilde(a1, expanded, sizeof expanded) == nullptr || GsaveFileName(expanded, path, sizeof path) == 0 ||
        StkSaveWindowImage(scene, path) == 0) {
        StkSetError("stkErrorFileWriteFailed", "");
    }
}
