#include "mainwin/main_window.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/options.h"
#include "data/wm_icon_bitmaps.h"
#include "mainwin/menu_bar.h"
#include "mainwin/pointer_input.h"
#include "mainwin/popup_menu.h"
#include "mainwin/toolbar.h"
#include "sky/canvas.h"
#include "sky/font_sets.h"
#include "sky/scene.h"

#include <Xm/DrawingA.h>
#include <Xm/MainW.h>
#include <Xm/RowColumn.h>
#include <Xm/ScrollBar.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kHorizontalMaximum = 3761;
constexpr int kHorizontalSliderSize = 160;
constexpr int kLookTextSize = 128;
constexpr int kMaxIconLimit = 512;

struct ScrollSteps {
    double horizontalStep, horizontalPage, verticalStep, verticalPage;
};

ScrollSteps StepsOfMode(const Scene& scene)
{
    const int family = ViewFamilyOf(scene.viewMode);
    const double field = scene.view.fieldOfView;
    const double vertical = scene.view.verticalField;
    if (family == kFamilySky || family == kFamilySolarSystem) {
        const double diagonalStep = std::sqrt(field * field + vertical * vertical) / 15.0;
        return {diagonalStep, field * 9.0 / 10.0, diagonalStep, vertical * 9.0 / 10.0};
    }
    if (family >= kFamilyCylinder && family <= kFamilyPlanisphere) {
        return {12.0, 45.0, 12.0, 30.0};
    }
    return {0.0, 0.0, 0.0, 0.0};
}

// The step of a kind: kinds 1 and 3 move one way, 2 and 4 the other.
double StepOfKind(int kind, double step, double page)
{
    switch (kind) {
    case kScrollDecrement: return -step;
    case kScrollIncrement: return step;
    case kScrollPageDecrement: return -page;
    case kScrollPageIncrement: return page;
    default: return 0.0;
    }
}

int ClampSlider(int value)
{
    return value < 1 ? 1 : (value > 3600 ? 3600 : value);
}

int AzimuthSlider(double azimuth)
{
    int slider = static_cast<int>(10.0 * (180.0 + azimuth)) + 1;
    return slider > 3600 ? slider - 3600 : slider;
}

int LongitudeSlider(double longitude)
{
    return 3601 - static_cast<int>(10.0 * longitude);
}

int LatitudeSlider(double latitude)
{
    return -static_cast<int>(std::floor(10.0 * latitude + 0.5));
}

int AltitudeSlider(double altitude)
{
    return 900 - static_cast<int>(std::floor(10.0 * altitude + 0.5));
}

void FormatLookInFrame(int frame, double longitude, double latitude, char* text, size_t size)
{
    switch (frame) {
    case kFrameEqtDate:
        std::snprintf(text, size, "LOOK EQT_DATE %f, %f", longitude / 15.0, latitude);
        break;
    case kFrameEcl: std::snprintf(text, size, "LOOK ECL %f, %f", longitude, latitude); break;
    case kFrameGal: std::snprintf(text, size, "LOOK GAL %f, %f", longitude, latitude); break;
    default: text[0] = '\0'; break;
    }
}

void HorizontalScrollCommand(const Scene& scene, int kind, int value, char* text, size_t size,
                             int& slider)
{
    const ScrollSteps steps = StepsOfMode(scene);
    const ViewGeometry& view = scene.view;
    const int frame = ViewFrameOf(scene.viewMode);
    if (frame == kFrameHrz) {
        double azimuth = view.hrzCentreAzimuth + StepOfKind(kind, steps.horizontalStep,
                                                            steps.horizontalPage);
        if (kind == kScrollDrag) {
            azimuth = (ClampSlider(value) - 1801) / 10.0;
            if (azimuth < 0.0) {
                azimuth += 360.0;
            }
        }
        azimuth = NormalizeDegrees(azimuth);
        slider = AzimuthSlider(azimuth);
        std::snprintf(text, size, "LOOK HRZ %7.3f, %7.3f", azimuth, view.hrzCentreAltitude);
        return;
    }
    // Left moves an equatorial, ecliptic or galactic view to larger longitude.
    double longitude = view.centreLongitude - StepOfKind(kind, steps.horizontalStep,
                                                         steps.horizontalPage);
    if (kind == kScrollDrag) {
        longitude = -(ClampSlider(value) - 1) / 10.0;
    }
    longitude = NormalizeDegrees(longitude);
    slider = LongitudeSlider(longitude);
    FormatLookInFrame(frame, longitude, view.centreLatitude, text, size);
}

void VerticalScrollCommand(const Scene& scene, int kind, int value, char* text, size_t size,
                           int& slider)
{
    const ScrollSteps steps = StepsOfMode(scene);
    const ViewGeometry& view = scene.view;
    const int frame = ViewFrameOf(scene.viewMode);
    // Up (decrement) raises the view.
    const double step = -StepOfKind(kind, steps.verticalStep, steps.verticalPage);
    if (frame == kFrameHrz) {
        double altitude = kind == kScrollDrag ? (900 - value) / 10.0 : view.hrzCentreAltitude + step;
        // The view never scrolls below the horizon.
        altitude = altitude < 0.0 ? 0.0 : NormalizeLatitude(altitude);
        slider = AltitudeSlider(altitude);
        std::snprintf(text, size, "LOOK HRZ %7.3f, %7.3f", view.hrzCentreAzimuth, altitude);
        return;
    }
    double latitude = kind == kScrollDrag ? -value / 10.0 : view.centreLatitude + step;
    latitude = NormalizeLatitude(latitude);
    slider = LatitudeSlider(latitude);
    FormatLookInFrame(frame, view.centreLongitude, latitude, text, size);
}

void RunScroll(Scene* scene, Widget bar, int vertical, int kind, int value)
{
    if (scene == nullptr) {
        return;
    }
    scene->keepCentred = 0;
    char text[kLookTextSize];
    int slider = 0;
    ScrollCommand(*scene, vertical, kind, value, text, sizeof text, slider);
    if (text[0] == '\0') {
        return;
    }
    if (bar != nullptr) {
        XtVaSetValues(bar, XmNvalue, slider, nullptr);
    }
    // LOOK redraws by itself.
    StkExecuteText(*scene, text);
}

int SliderValueOf(Widget bar)
{
    int value = 0;
    XtVaGetValues(bar, XmNvalue, &value, nullptr);
    return value;
}

template <int kind>
void VerticalScrollCallback(Widget bar, XtPointer client, XtPointer)
{
    ScrollVertical(static_cast<Scene*>(client), kind,
                   kind == kScrollDrag ? SliderValueOf(bar) : 0);
}

template <int kind>
void HorizontalScrollCallback(Widget bar, XtPointer client, XtPointer)
{
    ScrollHorizontal(static_cast<Scene*>(client), kind,
                     kind == kScrollDrag ? SliderValueOf(bar) : 0);
}

void AddVerticalCallbacks(Widget bar, Scene* scene)
{
    XtAddCallback(bar, XmNdecrementCallback, VerticalScrollCallback<kScrollDecrement>, scene);
    XtAddCallback(bar, XmNincrementCallback, VerticalScrollCallback<kScrollIncrement>, scene);
    XtAddCallback(bar, XmNpageDecrementCallback, VerticalScrollCallback<kScrollPageDecrement>,
                  scene);
    XtAddCallback(bar, XmNpageIncrementCallback, VerticalScrollCallback<kScrollPageIncrement>,
                  scene);
    XtAddCallback(bar, XmNdragCallback, VerticalScrollCallback<kScrollDrag>, scene);
}

void AddHorizontalCallbacks(Widget bar, Scene* scene)
{
    XtAddCallback(bar, XmNdecrementCallback, HorizontalScrollCallback<kScrollDecrement>, scene);
    XtAddCallback(bar, XmNincrementCallback, HorizontalScrollCallback<kScrollIncrement>, scene);
    XtAddCallback(bar, XmNpageDecrementCallback, HorizontalScrollCallback<kScrollPageDecrement>,
                  scene);
    XtAddCallback(bar, XmNpageIncrementCallback, HorizontalScrollCallback<kScrollPageIncrement>,
                  scene);
    XtAddCallback(bar, XmNdragCallback, HorizontalScrollCallback<kScrollDrag>, scene);
}

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

void ScrollCommand(const Scene& scene, int vertical, int kind, int value, char* text, size_t size,
                   int& sliderValue)
{
    if (size == 0) {
        return;
    }
    text[0] = '\0';
    const int frame = ViewFrameOf(scene.viewMode);
    if (frame != kFrameHrz && frame != kFrameEqtDate && frame != kFrameEcl && frame != kFrameGal) {
        return;
    }
    if (vertical != 0) {
        VerticalScrollCommand(scene, kind, value, text, size, sliderValue);
    } else {
        HorizontalScrollCommand(scene, kind, value, text, size, sliderValue);
    }
}

void ScrollHorizontal(Scene* scene, int kind, int value)
{
    RunScroll(scene, scene != nullptr ? scene->hScroll : nullptr, 0, kind, value);
}

void ScrollVertical(Scene* scene, int kind, int value)
{
    RunScroll(scene, scene != nullptr ? scene->vScroll : nullptr, 1, kind, value);
}

void CreateMainWindow(Scene* scene)
{
    Widget main = XtVaCreateManagedWidget("Main", xmMainWindowWidgetClass, gAppEnv->toplevel,
                                          nullptr);
    Widget menuBar = XmCreateMenuBar(main, const_cast<char*>("MenuBar"), nullptr, 0);
    XtManageChild(menuBar);
    Widget drawingArea = XtVaCreateManagedWidget("DrawingArea", xmDrawingAreaWidgetClass, main,
                                                 XmNresizePolicy, XmRESIZE_ANY, nullptr);
    Widget vScroll = XtVaCreateWidget("VScroll", xmScrollBarWidgetClass, main, XmNminimum, 0,
                                      XmNmaximum, 950, XmNorientation, XmVERTICAL,
                                      XmNsliderSize, 50, nullptr);
    AddVerticalCallbacks(vScroll, scene);
    Widget hScroll = XtVaCreateWidget("HScroll", xmScrollBarWidgetClass, main, XmNminimum, 0,
                                      XmNmaximum, kHorizontalMaximum, XmNorientation,
                                      XmHORIZONTAL, XmNsliderSize, kHorizontalSliderSize, nullptr);
    AddHorizontalCallbacks(hScroll, scene);
    scene->mainWindow = main;
    scene->drawingArea = drawingArea;
    scene->hScroll = hScroll;
    scene->vScroll = vScroll;
    // Managed as the Toolbar option says, so that quitting writes the option
    // back as it was.
    gAppEnv->toolbar = CreateToolbarForm(scene);
    if (GetOptionBool("Toolbar", 1) != 0) {
        XtManageChild(gAppEnv->toolbar);
    }
    XmMainWindowSetAreas(main, menuBar, gAppEnv->toolbar, hScroll, vScroll, drawingArea);
    CreateMenuBar(menuBar, scene);
    XtAddEventHandler(drawingArea, StructureNotifyMask, False, DrawingAreaConfigureHandler, scene);
    XtAddEventHandler(drawingArea, ButtonPressMask | ButtonReleaseMask | Button1MotionMask, False,
                      DrawingAreaPointerHandler, scene);
    XtAddEventHandler(drawingArea, KeyReleaseMask, False, DrawingAreaKeyHandler, scene);
    CreatePopupMenu(scene);
}

void UpdateScrollBars(Scene* scene)
{
    const ViewGeometry& view = scene->view;
    const int mode = scene->viewMode;
    int minimum = 0;
    int maximum = 900;
    int vertical = AltitudeSlider(view.hrzCentreAltitude);
    int horizontal = AzimuthSlider(view.hrzCentreAzimuth);
    if ((mode >= kModeEqt && mode <= kModeGal) || IsSolarSystemView(mode)) {
        minimum = -900;
        maximum = 901;
        vertical = LatitudeSlider(view.centreLatitude);
        horizontal = LongitudeSlider(view.centreLongitude);
    } else if (IsWholeSkyMap(mode)) {
        minimum = maximum = 0;
        horizontal = LongitudeSlider(view.centreLongitude);
    } else if (mode == kModeVola) {
        minimum = maximum = 0;
    }
    scene->viewModeChanged = 0;

    const int sliderSize = ViewFrameOf(scene->viewMode) == kFrameHrz ? 50 : 100;
    if (minimum < maximum) {
        XtVaSetValues(scene->vScroll, XmNminimum, minimum, XmNmaximum, maximum + sliderSize,
                      XmNvalue, vertical, XmNsliderSize, sliderSize, nullptr);
        XtManageChild(scene->vScroll);
    } else {
        XtUnmanageChild(scene->vScroll);
    }
    XtVaSetValues(scene->hScroll, XmNminimum, 0, XmNmaximum, kHorizontalMaximum, XmNvalue,
                  horizontal, nullptr);
    XtManageChild(scene->hScroll);
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
