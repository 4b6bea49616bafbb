#include "mainwin/scroll_bars.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "command/interpreter.h"
#include "core/view_modes.h"
#include "sky/scene.h"

#include <Xm/ScrollBar.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kHorizontalMaximum = 3761;
constexpr int kHorizontalSliderSize = 160;
constexpr int kLookTextSize = 128;

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
    // A centre beyond the zenith or a pole (LOOK HRZ 10 95) stands at the
    // end of the bar: Motif refuses a value outside it with a warning.
    vertical = std::clamp(vertical, minimum, maximum);
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

void CreateScrollBars(Widget main, Scene* scene)
{
    scene->vScroll = XtVaCreateWidget("VScroll", xmScrollBarWidgetClass, main, XmNminimum, 0,
                                      XmNmaximum, 950, XmNorientation, XmVERTICAL,
                                      XmNsliderSize, 50, nullptr);
    AddVerticalCallbacks(scene->vScroll, scene);
    scene->hScroll = XtVaCreateWidget("HScroll", xmScrollBarWidgetClass, main, XmNminimum, 0,
                                      XmNmaximum, kHorizontalMaximum, XmNorientation,
                                      XmHORIZONTAL, XmNsliderSize, kHorizontalSliderSize, nullptr);
    AddHorizontalCallbacks(scene->hScroll, scene);
}
