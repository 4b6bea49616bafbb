#include "mainwin/pointer_input.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "astro/vector_math.h"
#include "command/interpreter.h"
#include "core/keywords.h"
#include "core/string_utils.h"
#include "core/view_modes.h"
#include "dialogs/command_dialog.h"
#include "mainwin/click_data_dialog.h"
#include "mainwin/popup_menu.h"
#include "mainwin/scroll_bars.h"
#include "sky/catalog/target_parser.h"
#include "sky/picking.h"
#include "sky/scene.h"
#include "sky/view/screen_points.h"

#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kPanTextSize = 96;
// Shift, Lock, Control and Mod1..Mod5: the low eight bits of a state.
constexpr unsigned int kModifierBits = 0xff;

// The pointer: one for the program.
struct PointerState {
    int pressX = 0, pressY = 0;
    bool pressed = false;
    bool dragging = false;
};

PointerState pointer;

void OpenCommandDialogAction(Widget, XEvent*, String*, Cardinal*)
{
    ToggleCommandDialog(gScene);
}

void ScrollWindowAction(Widget, XEvent*, String* params, Cardinal* count)
{
    if (*count != 1) {
        std::fputs("ScrollWindow action: Number of argument invalid.\n", stderr);
        return;
    }
    const char* word = params[0];
    if (AsciiCaseEqual(word, "UP") != 0) {
        ScrollVertical(gScene, kScrollDecrement, 0);
    } else if (AsciiCaseEqual(word, "DOWN") != 0) {
        ScrollVertical(gScene, kScrollIncrement, 0);
    } else if (AsciiCaseEqual(word, "RIGHT") != 0) {
        ScrollHorizontal(gScene, kScrollIncrement, 0);
    } else if (AsciiCaseEqual(word, "LEFT") != 0) {
        ScrollHorizontal(gScene, kScrollDecrement, 0);
    } else {
        std::fputs("ScrollWindow action: argument invalid.\n", stderr);
    }
}

void StkDoitAction(Widget, XEvent*, String* params, Cardinal* count)
{
    if (*count != 1) {
        std::fputs("Number of StkDoit action argument invalid.\n", stderr);
        return;
    }
    StkExecuteText(*gScene, params[0]);
}

XtActionsRec ActionTable[] = {
    {const_cast<char*>("OpenCommandDialog"), OpenCommandDialogAction},
    {const_cast<char*>("ScrollWindow"), ScrollWindowAction},
    {const_cast<char*>("StkDoit"), StkDoitAction},
};

// A place on the sky in the view's frame, from a pixel.
bool SkyPlaceInFrame(const Scene& scene, int x, int y, CoordFrame frame, double place[2])
{
    double v[3];
    if (ScreenToSky(scene, x, y, v) == 0) {
        return false;
    }
    double j2000[2];
    SphericalFromVector(v, j2000);
    ConvertCoordinates(scene.time, kFrameEqt, j2000, frame, place);
    return true;
}

bool Moved(int dx, int dy)
{
    return std::abs(dx) >= kDragThreshold || std::abs(dy) >= kDragThreshold;
}

void Pan(Scene* scene, int x, int y)
{
    scene->keepCentred = 0;
    PanViewByDrag(scene, pointer.pressX, pointer.pressY, x - pointer.pressX, y - pointer.pressY);
}

void ButtonPressed(Scene* scene, const XButtonEvent& event)
{
    if (event.button == Button1) {
        pointer.pressX = event.x;
        pointer.pressY = event.y;
        pointer.pressed = true;
        pointer.dragging = false;
    } else if (event.button == Button2) {
        ShowImagesNearPointer(scene, event);
    }
}

void PointerMoved(Scene* scene, const XMotionEvent& event)
{
    if (!pointer.pressed) {
        return;
    }
    if (Moved(event.x - pointer.pressX, event.y - pointer.pressY)) {
        pointer.dragging = true;
    }
    if (pointer.dragging) {
        Pan(scene, event.x, event.y);
        pointer.pressX = event.x;
        pointer.pressY = event.y;
    }
}

void ButtonReleased(Scene* scene, const XButtonEvent& event)
{
    if (event.button != Button1 || !pointer.pressed) {
        return;
    }
    const int dx = event.x - pointer.pressX;
    const int dy = event.y - pointer.pressY;
    if (!pointer.dragging && !Moved(dx, dy)) {
        ShowClickDataDialog(scene, PickObjectAt(*scene, pointer.pressX, pointer.pressY));
    } else {
        Pan(scene, event.x, event.y);
    }
    pointer.pressed = false;
    pointer.dragging = false;
}

}  // namespace

void RegisterActions(XtAppContext app)
{
    XtAppAddActions(app, ActionTable, XtNumber(ActionTable));
}

int PanCommand(const Scene& scene, int x, int y, int dx, int dy, char* text, size_t size)
{
    const auto frame = static_cast<CoordFrame>(ViewFrameOf(scene.viewMode));
    const char* keyword = StkKeywordName(TargetKeywordTable, frame);
    double p1[2];
    double p2[2];
    if (!IsCoordFrame(frame) || keyword == nullptr || !SkyPlaceInFrame(scene, x, y, frame, p1) ||
        !SkyPlaceInFrame(scene, x + dx, y + dy, frame, p2)) {
        return 0;
    }
    const ViewGeometry& view = scene.view;
    const bool horizontal = frame == kFrameHrz;
    double longitude = (horizontal ? view.hrzCentreAzimuth : view.centreLongitude) + p1[0] - p2[0];
    double latitude = (horizontal ? view.hrzCentreAltitude : view.centreLatitude) + p1[1] - p2[1];
    // Dragged over a pole: the view comes down the other side.
    if (latitude > 90.0) {
        latitude = 180.0 - latitude;
        longitude += 180.0;
    } else if (latitude < -90.0) {
        latitude = -180.0 - latitude;
        longitude += 180.0;
    }
    longitude = NormalizeDegrees(longitude);
    if (longitude >= 360.0) {
        longitude -= 360.0;
    }
    if (frame == kFrameEqtDate) {
        longitude /= 15.0;
    }
    std::snprintf(text, size, "TRACK OFF;LOOK %s %9.5f,%8.4f", keyword, longitude, latitude);
    return 1;
}

void PanViewByDrag(Scene* scene, int x, int y, int dx, int dy)
{
    char text[kPanTextSize];
    if (PanCommand(*scene, x, y, dx, dy, text, sizeof text) != 0) {
        StkExecuteText(*scene, text);
    }
}

void DrawingAreaPointerHandler(Widget, XtPointer client, XEvent* event, Boolean*)
{
    Scene* scene = static_cast<Scene*>(client);
    switch (event->type) {
    case ButtonPress: ButtonPressed(scene, event->xbutton); break;
    case MotionNotify: PointerMoved(scene, event->xmotion); break;
    case ButtonRelease: ButtonReleased(scene, event->xbutton); break;
    default: break;
    }
}

const char* ShiftKeyCommand(unsigned long keysym, unsigned int state)
{
    if ((state & ShiftMask) == 0) {
        return nullptr;
    }
    if (keysym == XK_Up) {
        return "INCMAG STAR 0.1;DRIVE";
    }
    if (keysym == XK_Down) {
        return "DECMAG STAR 0.1;DRIVE";
    }
    return nullptr;
}

int ArrowKeyScroll(unsigned long keysym, unsigned int state, int& kind)
{
    if ((state & kModifierBits) != 0) {
        return -1;
    }
    switch (keysym) {
    case XK_Up: kind = kScrollDecrement; return 1;
    case XK_Down: kind = kScrollIncrement; return 1;
    case XK_Left: kind = kScrollDecrement; return 0;
    case XK_Right: kind = kScrollIncrement; return 0;
    default: return -1;
    }
}

void DrawingAreaKeyHandler(Widget, XtPointer client, XEvent* event, Boolean* dispatch)
{
    if (event->type != KeyRelease) {
        return;
    }
    Scene* scene = static_cast<Scene*>(client);
    const KeySym keysym = XLookupKeysym(&event->xkey, 0);
    const unsigned int state = event->xkey.state;
    if (const char* text = ShiftKeyCommand(keysym, state)) {
        StkExecuteText(*scene, text);
        *dispatch = False;
        return;
    }
    int kind = 0;
    const int vertical = ArrowKeyScroll(keysym, state, kind);
    if (vertical < 0) {
        return;
    }
    if (vertical == 1) {
        ScrollVertical(scene, kind, 0);
    } else {
        ScrollHorizontal(scene, kind, 0);
    }
    *dispatch = False;
}
