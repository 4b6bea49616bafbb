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
#include "sky/font_sets.h"
#include "sky/scene.h"

#include <Xm/DrawingA.h>
#include <Xm/MainW.h>
#include <Xm/RowColumn.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace {

constexpr int kMaxIconLimit = 512;

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

// The least window, and the least sky it shows below its bars.
constexpr int kLeastWindowWidth = 120;
constexpr int kLeastWindowHeight = 160;
constexpr int kLeastSkyHeight = 60;

Dimension HeightOf(Widget widget)
{
    Dimension height = 0;
    Dimension border = 0;
    XtVaGetValues(widget, XmNheight, &height, XmNborderWidth, &border, nullptr);
    return static_cast<Dimension>(height + 2 * border);
}

// The height of a window kLeastWindowWidth wide whose drawing area still
// has room for the status line and kLeastSkyHeight of sky. At that width
// the menu bar wraps into rows (four in English), which left no sky at
// all; the other bars keep their heights, read from the window as laid
// out, and the toolbar counts even while it is hidden, as the environment
// dialog may show it.
int LeastHeightWithSky(Widget shell)
{
    Widget main = XtNameToWidget(shell, "Main");
    Widget menuBar = nullptr;
    Widget toolbar = nullptr;
    Widget drawingArea = nullptr;
    XtVaGetValues(main, XmNmenuBar, &menuBar, XmNcommandWindow, &toolbar, XmNworkWindow,
                  &drawingArea, nullptr);
    XtWidgetGeometry narrow{};
    narrow.request_mode = CWWidth;
    narrow.width = kLeastWindowWidth;
    XtWidgetGeometry wrapped{};
    XtQueryGeometry(menuBar, &narrow, &wrapped);
    int bars = HeightOf(shell) - HeightOf(drawingArea) - HeightOf(menuBar) + wrapped.height;
    if (toolbar != nullptr && !XtIsManaged(toolbar)) {
        Dimension spacing = 0;
        XtVaGetValues(main, XmNspacing, &spacing, nullptr);
        bars += HeightOf(toolbar) + spacing;
    }
    return bars + StatusLineHeight() + kLeastSkyHeight;
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
    XtAddEventHandler(drawingArea, ButtonPressMask | ButtonReleaseMask | Button1MotionMask, False,
                      DrawingAreaPointerHandler, scene);
    XtAddEventHandler(drawingArea, KeyReleaseMask, False, DrawingAreaKeyHandler, scene);
    CreatePopupMenu(scene);
}

void SetWmNormalHints(Widget shell)
{
    XSizeHints hints{};
    hints.flags = PMinSize;
    hints.min_width = kLeastWindowWidth;
    hints.min_height = std::max(kLeastWindowHeight, LeastHeightWithSky(shell));
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
