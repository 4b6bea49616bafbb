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

int StkSaveWindowImage(Scene* scene, const char* path)
{
    Display* display = gAppEnv->display;
    // Before the first redraw (a GSAVE in the start-up script) there is no
    // pixmap to read; asking the server for one would end the program.
    if (scene == nullptr || display == nullptr || scene->backPixmap == None) {
        return 0;
    }
    Window root = None;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (XGetGeometry(display, scene->backPixmap, &root, &x, &y, &width, &height, &border,
                     &depth) == 0) {
        return 0;
    }
    // The pixmap keeps room for the status line even while it is hidden;
    // those rows lie below the window and hold no chart, so the image is
    // what the window shows.
    const XRectangle& sky = scene->view.skyRect;
    height = std::min(height, static_cast<unsigned int>(std::max(sky.y + sky.height, 1)));
    ServerImage taken;
    taken.image = XGetImage(display, scene->backPixmap, 0, 0, width, height, AllPlanes, ZPixmap);
    if (taken.image == nullptr) {
        return 0;
    }
    const Colormap colormap = gAppEnv->installColormap != 0 ? gAppEnv->colormap : None;
    return WriteXpmFile(display, taken.image, colormap, path);
}

void CmdGsave(Scene* scene, const char* a1, const char*)
{
    if (a1 == nullptr) {
        StkSetError("stkErrorIllegalParam", "");
        return;
    }
    char expanded[kPathSize];
    char path[kPathSize];
    if (ExpandTilde(a1, expanded, sizeof expanded) == nullptr ||
        GsaveFileName(expanded, path, sizeof path) == 0 || StkSaveWindowImage(scene, path) == 0) {
        StkSetError("stkErrorFileWriteFailed", "");
    }
}
