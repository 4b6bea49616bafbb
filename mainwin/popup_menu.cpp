#include "mainwin/popup_menu.h"

#include "astro/coordinates.h"
#include "astro/vector_math.h"
#include "core/app_env.h"
#include "core/messages.h"
#include "core/view_modes.h"
#include "dialogs/image_viewer.h"
#include "dialogs/nebula_dialog.h"
#include "dialogs/planet_dialog.h"
#include "dialogs/small_body_dialogs.h"
#include "dialogs/star_dialog.h"
#include "dialogs/toggle_dialogs.h"
#include "mainwin/info_box_lines.h"
#include "mainwin/menu_callbacks.h"
#include "sky/catalog/click_data.h"
#include "sky/layers/status_line.h"
#include "sky/object_type.h"
#include "sky/picking.h"
#include "sky/scene.h"
#include "sky/text_list.h"
#include "sky/view/screen_points.h"

#include <Xm/LabelG.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/Separator.h>

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr char kEqtFormat[] = "%-10.10sR.A. %2dh%04.1fm Decl %c%02d\260%02d'";
constexpr char kEclFormat[] = "%-10.10sLong %3d\260%02d'  Lati %c%02d\260%02d'";
constexpr char kHrzFormat[] = "%-10.10sAzm. %5.1f\260   Alt. %5.1f\260";
constexpr size_t kTitleSize = 32;
constexpr size_t kButtonTextSize = 64;
// Objects near one pixel are few; the bound only keeps a walk finite.
constexpr int kLongestWalk = 4096;

struct PopupKindRow {
    const char* messageKey;
    XtCallbackProc open;
};

const std::array<PopupKindRow, kPopupKindCount> kKindRows = {{
    {"messageMousePosStar", MenuShowDialogCallback<ShowStarDialog>},
    {"messageMousePosComets", MenuShowDialogCallback<ShowCometDialog>},
    {"messageMousePosMPlanets", MenuShowDialogCallback<ShowMPlanetDialog>},
    {"messageMousePosSun", MenuShowDialogCallback<ShowSunDialog>},
    {"messageMousePosMoon", MenuShowDialogCallback<ShowMoonDialog>},
    {"messageMousePosPlanets", MenuShowDialogCallback<ShowPlanetDialog>},
    {"messageMousePosNebula", MenuShowDialogCallback<ShowNebulaDialog>},
    {"messageMousePosJoviSat", MenuShowDialogCallback<ShowJoviSatDialog>},
}};

struct Popup {
    Widget menu = nullptr;
    std::array<Widget, kPopupButtonCount> buttons{};
    Widget separator = nullptr;
    std::array<Widget, kPopupLabelCount> labels{};
};

Popup popup;

int KindOfObject(int32_t type, int32_t id)
{
    switch (type) {
    case kObjectStar: return kPopupStar;
    case kObjectNebula: return kPopupNebula;
    case kObjectJovianMoon: return kPopupJovianSatellites;
    case kObjectSolarBody:
        if (id >= kMinorPlanetIdBase) {
            return kPopupMinorPlanets;
        }
        if (id >= kCometIdBase) {
            return kPopupComets;
        }
        if (id == kSunId) {
            return kPopupSun;
        }
        if (id == kMoonId) {
            return kPopupMoon;
        }
        return id >= 0 && id < kPlanetCount ? kPopupPlanets : -1;
    default: return -1;
    }
}

// Walks the objects near a pixel, each once: from the start of the search,
// then always after the object found last, until the walk comes round to
// the first again. The picked object is the Scene's own and is restored.
template <typename Visit>
void WalkObjectsNear(Scene& scene, int x, int y, Visit visit)
{
    const PickedObject saved = scene.pickedObject;
    PickedObject& picked = scene.pickedObject;
    picked.picked = 0;
    if (FindNextObjectAt(scene, x, y) != 0) {
        const int32_t firstType = picked.type;
        const int32_t firstId = picked.id;
        for (int step = 0; step < kLongestWalk; ++step) {
            visit(picked.type, picked.id);
            picked.picked = 1;
            if (FindNextObjectAt(scene, x, y) == 0 ||
                (picked.type == firstType && picked.id == firstId)) {
                break;
            }
        }
    }
    scene.pickedObject = saved;
}

// Degrees and whole minutes of an angle rounded to the minute, with the
// sign character: blank when it rounds to 0 degrees 00 minutes.
void RoundedDegreesMinutes(double angle, char& sign, int& degrees, int& minutes)
{
    const long total = std::lround(std::fabs(angle) * 60.0);
    degrees = static_cast<int>(total / 60);
    minutes = static_cast<int>(total % 60);
    sign = total == 0 ? ' ' : (angle < 0.0 ? '-' : '+');
}

void Title(const char* key, char* title)
{
    GetMessage(key, title, kTitleSize);
}

void FormatFromResource(const char* key, const char* defaultFormat, char* format)
{
    GetInfoFormat(key, defaultFormat, format, kPopupLabelSize);
}

// Motif posts the popup itself, on button 3: a popup posted by hand goes
// down again at the release of the click when it holds only position
// lines, which are no items, while one Motif posts stays up to be read.
void CreatePopup(Scene* scene)
{
    Arg menuArgs[1];
    XtSetArg(menuArgs[0], XmNpopupEnabled, XmPOPUP_AUTOMATIC);
    popup.menu = XmCreatePopupMenu(scene->drawingArea, const_cast<char*>("popup"), menuArgs, 1);
    for (int i = 0; i < kPopupButtonCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Button%d", i);
        popup.buttons[static_cast<size_t>(i)] = XmCreatePushButtonGadget(popup.menu, name, nullptr, 0);
    }
    popup.separator = XmCreateSeparator(popup.menu, const_cast<char*>("Separator"), nullptr, 0);
    for (int i = 0; i < kPopupLabelCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Label%d", i);
        // Left-aligned, as the popup's resource lines say.
        popup.labels[static_cast<size_t>(i)] = XmCreateLabelGadget(popup.menu, name, nullptr, 0);
    }
}

// Ahead of Motif's own posting handler: the popup is filled for the place
// pressed, or the press goes no further and nothing is posted.
void PopupPressHandler(Widget, XtPointer client, XEvent* event, Boolean* dispatch)
{
    if (event->type == ButtonPress && event->xbutton.button == Button3 &&
        PostPopupMenu(static_cast<Scene*>(client), event->xbutton) == 0) {
        *dispatch = False;
    }
}

void ResetPopup()
{
    for (Widget button : popup.buttons) {
        if (!XtIsManaged(button)) {
            break;
        }
        XtRemoveAllCallbacks(button, XmNactivateCallback);
        XtUnmanageChild(button);
    }
    XtUnmanageChild(popup.separator);
    for (Widget label : popup.labels) {
        if (!XtIsManaged(label)) {
            break;
        }
        XtUnmanageChild(label);
    }
    XtUnmanageChild(popup.menu);
}

void SetLabelText(Widget widget, const char* text)
{
    XmString string = XmStringCreateLocalized(const_cast<char*>(text));
    XtVaSetValues(widget, XmNlabelString, string, nullptr);
    XmStringFree(string);
}

bool OnStatusLine(const Scene& scene, int x, int y)
{
    const XPoint point{static_cast<short>(x), static_cast<short>(y)};
    return PointInStatusLine(scene, point) != 0;
}

}  // namespace

void FormatEquatorialLine(const char* title, const double place[2], char* text)
{
    int hours = static_cast<int>(std::floor(place[0] / 15.0));
    double minutes = std::floor((place[0] / 15.0 - hours) * 600.0 + 0.5) / 10.0;
    if (minutes >= 59.95) {
        minutes = 0.0;
        ++hours;
    }
    hours %= 24;
    char sign = ' ';
    int degrees = 0;
    int arcminutes = 0;
    RoundedDegreesMinutes(place[1], sign, degrees, arcminutes);
    char format[kPopupLabelSize];
    FormatFromResource("messageMousePosEqtFormat", kEqtFormat, format);
    std::snprintf(text, kPopupLabelSize, format, title, hours, minutes, sign, degrees, arcminutes);
}

void FormatEclipticLine(const char* title, const double place[2], char* text)
{
    const long total = std::lround(place[0] * 60.0);
    const int longitude = static_cast<int>(total / 60) % 360;
    char sign = ' ';
    int degrees = 0;
    int minutes = 0;
    RoundedDegreesMinutes(place[1], sign, degrees, minutes);
    char format[kPopupLabelSize];
    FormatFromResource("messageMousePosEclFormat", kEclFormat, format);
    std::snprintf(text, kPopupLabelSize, format, title, longitude, static_cast<int>(total % 60),
                  sign, degrees, minutes);
}

void FormatHorizontalLine(const char* title, const double place[2], char* text)
{
    const double azimuth = place[0] >= 359.95 ? 0.0 : place[0];
    const double altitude = std::fabs(place[1]) < 0.1 ? 0.0 : place[1];
    char format[kPopupLabelSize];
    FormatFromResource("messageMousePosHrzFormat", kHrzFormat, format);
    std::snprintf(text, kPopupLabelSize, format, title, azimuth, altitude);
}

int MapPixelToVisibleSky(const Scene& scene, int x, int y, double v[3])
{
    if (ScreenToSky(scene, x, y, v) == 0) {
        return 0;
    }
    if (scene.viewMode == kModeHrz || scene.viewMode == kModeVola) {
        const int32_t* horizon = scene.view.matrices[1].data() + 6;
        if (horizon[0] * v[0] + horizon[1] * v[1] + horizon[2] * v[2] < 0.0) {
            return 0;
        }
    }
    return 1;
}

int CollectPopupObjectKinds(Scene& scene, int x, int y, int kinds[kPopupKindCount])
{
    int count = 0;
    WalkObjectsNear(scene, x, y, [&](int32_t type, int32_t id) {
        const int kind = KindOfObject(type, id);
        for (int i = 0; i < count; ++i) {
            if (kinds[i] == kind) {
                return;
            }
        }
        if (kind >= 0 && count < kPopupKindCount) {
            kinds[count++] = kind;
        }
    });
    return count;
}

int ComposePopupPositionLines(const Scene& scene, const double v[3],
                              char lines[kPopupLabelCount][kPopupLabelSize])
{
    double j2000[2];
    SphericalFromVector(v, j2000);
    double place[2];
    char title[kTitleSize];
    Title("messageMousePosEqt2000", title);
    FormatEquatorialLine(title, j2000, lines[0]);
    ConvertCoordinates(scene.time, kFrameEqt, j2000, kFrameEqtDate, place);
    Title("messageMousePosEqtDate", title);
    FormatEquatorialLine(title, place, lines[1]);
    ConvertCoordinates(scene.time, kFrameEqt, j2000, kFrameEcl, place);
    Title("messageMousePosEcl", title);
    FormatEclipticLine(title, place, lines[2]);
    if (IsSolarSystemView(scene.viewMode)) {
        return 3;
    }
    ConvertCoordinates(scene.time, kFrameEqt, j2000, kFrameHrz, place);
    Title("messageMousePosHrz", title);
    FormatHorizontalLine(title, place, lines[3]);
    return 4;
}

int FillPopupObjectButtons(Scene* scene, int x, int y)
{
    int kinds[kPopupKindCount];
    const int count = CollectPopupObjectKinds(*scene, x, y, kinds);
    for (int i = 0; i < count; ++i) {
        const PopupKindRow& row = kKindRows[static_cast<size_t>(kinds[i])];
        Widget button = popup.buttons[static_cast<size_t>(i)];
        char text[kButtonTextSize];
        GetMessage(row.messageKey, text, sizeof text);
        SetLabelText(button, text);
        XtAddCallback(button, XmNactivateCallback, row.open, scene);
    }
    return count;
}

int FillPopupPositionLabels(Scene* scene, const double v[3])
{
    char lines[kPopupLabelCount][kPopupLabelSize];
    const int count = ComposePopupPositionLines(*scene, v, lines);
    for (int i = 0; i < count; ++i) {
        SetLabelText(popup.labels[static_cast<size_t>(i)], lines[i]);
    }
    return count;
}

int CollectImagesNearPixel(Scene& scene, int x, int y, TextList* list)
{
    int added = 0;
    WalkObjectsNear(scene, x, y, [&](int32_t type, int32_t id) {
        added += FindClickDataImages(scene, type, id, list);
    });
    return added;
}

void CreatePopupMenu(Scene* scene)
{
    if (popup.menu != nullptr) {
        return;
    }
    CreatePopup(scene);
    XtInsertEventHandler(scene->drawingArea, ButtonPressMask, False, PopupPressHandler, scene,
                         XtListHead);
}

int PostPopupMenu(Scene* scene, const XButtonEvent& event)
{
    ResetPopup();
    double v[3];
    if (OnStatusLine(*scene, event.x, event.y) ||
        MapPixelToVisibleSky(*scene, event.x, event.y, v) == 0) {
        return 0;
    }
    const int buttons = FillPopupObjectButtons(scene, event.x, event.y);
    XtManageChildren(popup.buttons.data(), static_cast<Cardinal>(buttons));
    const int labels = FillPopupPositionLabels(scene, v);
    XtManageChildren(popup.labels.data(), static_cast<Cardinal>(labels));
    if (buttons != 0 && labels != 0) {
        XtManageChild(popup.separator);
    }
    return buttons + labels != 0 ? 1 : 0;
}

void ShowImagesNearPointer(Scene* scene, const XButtonEvent& event)
{
    double v[3];
    if (OnStatusLine(*scene, event.x, event.y) ||
        MapPixelToVisibleSky(*scene, event.x, event.y, v) == 0) {
        return;
    }
    TextList* list = NewTextList();
    if (list == nullptr) {
        return;
    }
    if (CollectImagesNearPixel(*scene, event.x, event.y, list) > 0) {
        ShowImageDialog(scene, list);
    } else {
        FreeTextList(list);
    }
}
