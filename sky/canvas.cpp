#include "sky/canvas.h"

#include "core/app_env.h"
#include "sky/draw_sky.h"
#include "sky/font_sets.h"

#include <Xm/DrawingA.h>
#include <Xm/Xm.h>

#include <algorithm>

namespace {

// The X protocol carries coordinates as 16-bit signed numbers.
constexpr int kMaxPixmapSide = 32767;

bool SameRectangle(const XRectangle& a, const XRectangle& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The sky rectangle the drawing area has room for: below the status strip
// while it is shown. A window lower than the strip has no sky. The chart
// covers at most the screen: a window larger than that (a user's geometry,
// a window manager) would ask the server for a pixmap it cannot give, and
// no more of the window can be seen anyway.
XRectangle SkyRectangleOf(const Scene& scene, int statusHeight)
{
    Dimension width = 0;
    Dimension height = 0;
    XtVaGetValues(scene.drawingArea, XmNwidth, &width, XmNheight, &height, nullptr);
    const Screen* screen = XtScreen(scene.drawingArea);
    width = std::min<Dimension>(width, static_cast<Dimension>(std::min(WidthOfScreen(screen), kMaxPixmapSide)));
    height = std::min<Dimension>(height, static_cast<Dimension>(std::min(HeightOfScreen(screen), kMaxPixmapSide)));
    XRectangle rect{0, 0, width, height};
    if (scene.statusLine & 1) {
        rect.y = static_cast<short>(statusHeight);
        rect.height = height > statusHeight ? static_cast<unsigned short>(height - statusHeight) : 0;
    }
    return rect;
}

bool pixmapRefused = false;

int NotePixmapRefused(Display*, XErrorEvent* error)
{
    pixmapRefused = pixmapRefused || error->error_code == BadAlloc || error->error_code == BadValue;
    return 0;
}

// A pixmap, or None when the server cannot give it: a BadAlloc would go to
// the toolkit's handler and end the program.
Pixmap CreatePixmapOrNone(Display* display, Window window, unsigned int width, unsigned int height, int depth)
{
    XSync(display, False);
    pixmapRefused = false;
    XErrorHandler previous = XSetErrorHandler(NotePixmapRefused);
    Pixmap pixmap = XCreatePixmap(display, window, width, height, static_cast<unsigned>(depth));
    XSync(display, False);
    XSetErrorHandler(previous);
    return pixmapRefused ? None : pixmap;
}

// A new pixmap is cleared: strips no layer draws (under a hidden status
// line) must not show whatever the server's memory held.
Pixmap CreateClearedPixmap(const Scene& scene, unsigned int width, unsigned int height)
{
    Display* display = gAppEnv->display;
    const int screen = DefaultScreen(display);
    Pixmap pixmap = CreatePixmapOrNone(display, XtWindow(scene.drawingArea), width, height,
                                       DefaultDepth(display, screen));
    if (pixmap == None) {
        return None;
    }
    XSetForeground(display, scene.gc, BlackPixel(display, screen));
    XFillRectangle(display, pixmap, scene.gc, 0, 0, width, height);
    return pixmap;
}

void ReplacePixmap(Scene& scene, int statusHeight)
{
    Display* display = gAppEnv->display;
    if (scene.backPixmap != None) {
        XFreePixmap(display, scene.backPixmap);
        scene.backPixmap = None;
        scene.backPixmapWidth = 0;
        scene.backPixmapHeight = 0;
    }
    const XRectangle& rect = scene.view.skyRect;
    if (rect.width == 0 || rect.height == 0 || !XtIsRealized(scene.drawingArea)) {
        return;
    }
    // The strip's rows are always there, shown or not.
    scene.backPixmap = CreateClearedPixmap(scene, rect.width, rect.height + statusHeight);
    if (scene.backPixmap == None) {
        scene.pixmapNew = 0;
        return;
    }
    scene.backPixmapWidth = rect.width;
    scene.backPixmapHeight = rect.height + statusHeight;
    scene.pixmapNew = 1;
}

}  // namespace

void DrawingAreaExposeCallback(Widget, XtPointer client, XtPointer call)
{
    const auto* data = static_cast<XmDrawingAreaCallbackStruct*>(call);
    if (data == nullptr || data->reason != XmCR_EXPOSE) {
        return;
    }
    if (data->event != nullptr && data->event->xexpose.count > 0) {
        return;
    }
    UpdateSkyCanvas(*static_cast<Scene*>(client));
}

void DrawingAreaConfigureHandler(Widget, XtPointer client, XEvent* event, Boolean*)
{
    if (event != nullptr && event->type == ConfigureNotify) {
        UpdateSkyCanvas(*static_cast<Scene*>(client));
    }
}

void UpdateSkyCanvas(Scene& scene)
{
    const int statusHeight = StatusLineHeight();
    XRectangle rect = SkyRectangleOf(scene, statusHeight);
    const bool resized = !SameRectangle(rect, scene.view.skyRect) || scene.backPixmap == None;
    // A new mode's scroll bars are laid out only by a redraw. The expose or
    // the ConfigureNotify that echoes the previous layout can arrive between
    // two commands (after INIT, before the MODE that follows it); laying out
    // and drawing then would settle the half-made scene's view centre, and
    // the next command would carry on from it, or not, as the events fell.
    if ((resized || scene.redrawRequested != 0) && scene.viewModeChanged != 0 &&
        gCanvasHooks.refreshModeWidgets != nullptr) {
        gCanvasHooks.refreshModeWidgets(scene);
        rect = SkyRectangleOf(scene, statusHeight);
    }
    scene.pixmapNew = 0;
    if (!SameRectangle(rect, scene.view.skyRect) || scene.backPixmap == None) {
        scene.redrawRequested = 1;
        scene.view.skyRect = rect;
        ReplacePixmap(scene, statusHeight);
    }
    RefreshSkyWindow(scene);
}

void RefreshSkyWindow(Scene& scene)
{
    if (scene.backPixmap == None) {
        // Nothing to draw into until the window has room for some sky;
        // the request stays for the size change that brings it.
        return;
    }
    if (scene.redrawRequested != 0) {
        DrawSky(scene, scene.backPixmap);
        if (gCanvasHooks.afterRedraw != nullptr) {
            gCanvasHooks.afterRedraw(scene);
        }
        scene.redrawRequested = 0;
    }
    if (gAppEnv->startingUp == 0 && XtIsRealized(scene.drawingArea)) {
        const XRectangle& rect = scene.view.skyRect;
        XCopyArea(gAppEnv->display, scene.backPixmap, XtWindow(scene.drawingArea), scene.gc, 0, 0, rect.width,
                  rect.height + StatusLineHeight(), 0, 0);
    }
}
