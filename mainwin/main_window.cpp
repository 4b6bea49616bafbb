#include "mainwin/main_window.h"

#include "core/app_env.h"
#include "core/options.h"
#include "data/wm_icon_bitmaps.h"
#include "mainwin/menu_bar.h"
#include "mainwin/pointer_input.h"
#include "mainwin/popup_menu.h"
#include "mainwin/scroll_bars.h"
#include "mainwin/toolbar.h"
#include "sky/canvas.h"
#include "sky/scene.h"

#include <Xm/DrawingA.h>
#include <Xm/MainW.h>
#include <Xm/RowColumn.h>
#include <X11/Xutil.h>

namespace {

constexpr int kMaxIconLimit = 512;

// The least window the window manager lets the user make.
constexpr int kLeastWindowWidth = 120;
constexpr int kLeastWindowHeight = 160;

int IconSideAdmitted(int minimum, int maximum, int increment, int side)
{
    if (side < minimum || side > maximum) {
        return 0;
    }
    if (increment == 0) {
        return side == minimum ? 1 : 0;
    }
    return (side - minimum) % increment == 0 ? 1 : 0;
}

int SetWmIconOfSize(Scene* scene, const XIconSize* sizes, int count, int side,
                    const unsigned char* bits)
{
    if (IconSizeAcceptable(sizes, count, side) == 0) {
        return 0;
    }
    Display* display = gAppEnv->display;
    Pixmap icon = XCreateBitmapFromData(display, XtWindow(scene->drawingArea),
                                        reinterpret_cast<const char*>(bits), side, side);
    if (icon == None) {
        return 0;
    }
    XWMHints hints{};
    hints.flags = IconPixmapHint;
    hints.icon_pixmap = icon;
    XSetWMHints(display, XtWindow(gAppEnv->toplevel), &hints);
    return 1;
}

}  // namespace

void CreateMainWindow(Scene* scene)
{
    Widget main = XtVaCreateManagedWidget("Main", xmMainWindowWidgetClass, gAppEnv->toplevel,
                                          nullptr);
    Widget menuBar = XmCreateMenuBar(main, const_cast<char*>("MenuBar"), nullptr, 0);
    XtManageChild(menuBar);
    Widget drawingArea = XtVaCreateManagedWidget("DrawingArea", xmDrawingAreaWidgetClass, main,
                                                 XmNresizePolicy, XmRESIZE_ANY, nullptr);
    XtAddEventHandler(drawingArea, ButtonPressMask | ButtonReleaseMask | Button1MotionMask, False,
                      DrawingAreaPointerHandler, scene);
    XtAddEventHandler(drawingArea, KeyReleaseMask, False, DrawingAreaKeyHandler, scene);
    CreateScrollBars(main, scene);
    scene->mainWindow = main;
    scene->drawingArea = drawingArea;
    // Managed as the Toolbar option says, so that quitting writes the option
    // back as it was.
    gAppEnv->toolbar = CreateToolbarForm(scene);
    if (GetOptionBool("Toolbar", 1) != 0) {
        XtManageChild(gAppEnv->toolbar);
    }
    XmMainWindowSetAreas(main, menuBar, gAppEnv->toolbar, scene->hScroll, scene->vScroll,
                         drawingArea);
    CreateMenuBar(menuBar, scene);
    XtAddEventHandler(drawingArea, StructureNotifyMask, False, DrawingAreaConfigureHandler, scene);
    // Made now, so that Motif posts it at the press of button 3.
    CreatePopupMenu(scene);
}

void SetWmNormalHints(Widget shell)
{
    XSizeHints hints{};
    hints.flags = PMinSize;
    hints.min_width = kLeastWindowWidth;
    hints.min_height = kLeastWindowHeight;
    XSetWMNormalHints(XtDisplay(shell), XtWindow(shell), &hints);
}

int IconSizeAcceptable(const XIconSize* sizes, int count, int side)
{
    int widthAdmitted = 0;
    int heightAdmitted = 0;
    for (int i = 0; i < count; ++i) {
        const XIconSize& s = sizes[i];
        if (s.min_width > kMaxIconLimit || s.max_width > kMaxIconLimit ||
            s.min_height > kMaxIconLimit || s.max_height > kMaxIconLimit) {
            continue;
        }
        widthAdmitted |= IconSideAdmitted(s.min_width, s.max_width, s.width_inc, side);
        heightAdmitted |= IconSideAdmitted(s.min_height, s.max_height, s.height_inc, side);
    }
    return widthAdmitted != 0 && heightAdmitted != 0 ? 1 : 0;
}

int SetWmIcon(Scene* scene)
{
    Display* display = gAppEnv->display;
    XIconSize* sizes = nullptr;
    int count = 0;
    if (XGetIconSizes(display, RootWindowOfScreen(gAppEnv->screen), &sizes, &count) == 0) {
        return 0;
    }
    int set = SetWmIconOfSize(scene, sizes, count, 48, kGlobeIcon48);
    if (set == 0) {
        set = SetWmIconOfSize(scene, sizes, count, 32, kGlobeIcon32);
    }
    XFree(sizes);
    return set;
}
