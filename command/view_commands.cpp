// INIT, MIRROR, VIEW, ZOOM, LOOK, TRACK, BLINK and SOL_OFFSET: the commands
// that reset the scene and aim or shape the view.
#include "command/view_commands.h"

#include "command/argument_keywords.h"
#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/number_args.h"
#include "core/app_env.h"
#include "core/string_utils.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/catalog/target_parser.h"
#include "sky/catalog/user_object_files.h"
#include "sky/scene.h"
#include "sky/site_setup.h"
#include "sky/ui_hooks.h"
#include "sky/view/screen_points.h"
#include "sky/view/view_setup.h"

#include <X11/Intrinsic.h>
#include <algorithm>
#include <array>
#include <unistd.h>

namespace {

constexpr int32_t kCentringNone = 0;
constexpr int32_t kCentringOnce = 1;
constexpr int32_t kCentringTrack = 2;

constexpr int32_t kFirstIllegalMirror = 3;
constexpr double kSolarViewWidest = 150.0;
constexpr double kSolarViewNarrowest = 2.0;

constexpr int kBlinkHalfSize = 9;            // the saved square is 19 x 19
constexpr useconds_t kBlinkPauseMicroseconds = 100000;

// ZOOM's new width: the value added or taken away, or the factor when the
// value is 0, held within the bounds.
double ZoomedWidth(double width, bool narrow, double value, double factor, double narrowest,
                   double widest)
{
    if (narrow) {
        return std::max(value != 0.0 ? width - value : width / factor, narrowest);
    }
    return std::min(value != 0.0 ? width + value : width * factor, widest);
}

// The toolbar's Horizon button works only while nothing is tracked, and the
// information box's Track button shows whether its object is the one.
void RefreshTrackingButtons(Scene& scene)
{
    UiUpdateToolbarButtonIfEqual(scene, 0, 0, kToolbarLookHrz);
    UiUpdateInfoBoxButtons(scene);
}

void StoreTarget(Scene& scene, const ObjectRef& target, int32_t centring)
{
    scene.targetType = target.type;
    scene.targetId = target.id;
    scene.targetLongitude = target.longitude;
    scene.targetLatitude = target.latitude;
    scene.centring = centring;
}

// Parses a command's target; a refused one is reported with its first word.
bool ParseCommandTarget(Scene& scene, char* target, char* a, char* b, ObjectRef& out)
{
    int32_t textsUsed = 0;
    if (ParseTargetWithFallback(scene, target, a, b, out, textsUsed) == 0) {
        StkSetError("stkErrorIllegalParam", target);
        return false;
    }
    return true;
}

// VIEW SOL: the solar-system view size in AU, unchecked (the view set-up
// takes a size of 0 or less as 1 AU). Without a size there is nothing to
// store.
void SetSolarViewWidth(Scene& scene, const char* text)
{
    double width = 0.0;
    if (text == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
    } else if (StkRealArgument(text, width) == 1) {
        scene.view.solarViewWidth = width;
    }
}

// ZOOM's direction: the entry of ZoomKeywordTable whose first letter the
// argument begins with; 0 for none.
int32_t ZoomDirection(const char* text)
{
    const char letter = AsciiUpper(text[0]);
    for (const KeywordEntry* entry = ZoomKeywordTable; entry->keyword != nullptr; ++entry) {
        if (entry->keyword[0] == letter) {
            return entry->value;
        }
    }
    return 0;
}

}  // namespace

int StkSetViewAngle(Scene& scene, const char* text)
{
    double angle = 0.0;
    if (StkRealArgument(text, angle) == 0) {
        return 0;
    }
    if (!(angle > 0.0)) {
        StkSetError("stkErrorIllegalParam", text);
        return 0;
    }
    scene.view.fieldOfView = angle;
    return 1;
}

int StkSetViewCenter(Scene& scene, char* target, char* a, char* b)
{
    if (AsciiCaseEqual(target, "HRZ") != 0 && a == nullptr && b == nullptr) {
        if (scene.centring == kCentringNone) {
            // Back to the horizon: the next redraw looks along it again.
            scene.targetType = kObjectScreen | kRecentreTarget;
            scene.centring = kCentringOnce;
        }
        return 1;
    }
    ObjectRef parsed{};
    if (!ParseCommandTarget(scene, target, a, b, parsed)) {
        return 0;
    }
    if (scene.centring != kCentringTrack) {
        StoreTarget(scene, parsed, kCentringOnce);
    }
    return 1;
}

void StkDrawBlinkMarker(const Scene& scene, Display* display, Window window, int x, int y,
                        unsigned long pixel)
{
    const std::array<XSegment, 8> rays{{
        {short(x), short(y - 5), short(x), short(y - 9)},
        {short(x + 4), short(y - 4), short(x + 7), short(y - 7)},
        {short(x + 5), short(y), short(x + 9), short(y)},
        {short(x + 4), short(y + 4), short(x + 7), short(y + 7)},
        {short(x), short(y + 5), short(x), short(y + 9)},
        {short(x - 4), short(y + 4), short(x - 7), short(y + 7)},
        {short(x - 5), short(y), short(x - 9), short(y)},
        {short(x - 4), short(y - 4), short(x - 7), short(y - 7)},
    }};
    XSetForeground(display, scene.gc, pixel);
    XDrawSegments(display, window, scene.gc, const_cast<XSegment*>(rays.data()), int(rays.size()));
    XFlush(display);
}

void CmdInit(Scene& scene)
{
    UiShowInfoBox(scene, 0);
    if (scene.animation.running != 0) {
        StkExecuteText(scene, "CONTINUE");   // stops the run
    }
    FreeCometList(scene);
    FreeMinorPlanetList(scene);
    FreeSceneSmallBodies(scene);
    FreeUserObjectFiles(scene);
    ResetScene(scene);
    // Without a toplevel shell (a program that only runs commands) there
    // are no site resources to read and no box to tell the user in.
    if (gAppEnv->startingUp == 0 && gAppEnv->toplevel != nullptr) {
        InitSite(scene);
    }
    UiUpdateToolbar(scene);
}

// A negative orientation is stored as given and drawn as the normal one.
void CmdMirror(Scene& scene, char* a1)
{
    int32_t mirror = 0;
    if (a1 == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return;
    }
    if (StkIntegerArgument(a1, mirror) == 0) {
        return;
    }
    if (mirror >= kFirstIllegalMirror) {
        StkSetError("stkErrorIllegalParam", a1);
        return;
    }
    scene.mirror = mirror;
}

void CmdView(Scene& scene, char* const* args)
{
    char* word = args[0];
    int32_t what = 0;
    if (word == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
    } else if (StkMatchWord(word, ViewKeywordTable, what) == 0) {
        StkSetError("stkErrorSyntax", word);
    } else if (what == kViewAngle) {
        StkSetViewAngle(scene, args[1]);
    } else if (what == kViewSol) {
        SetSolarViewWidth(scene, args[1]);
    } else if (args[1] == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
    } else {
        StkSetViewCenter(scene, args[1], args[2], args[3]);
    }
}

void CmdZoom(Scene& scene, char* a1, char* a2)
{
    if (a1 == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return;
    }
    const int32_t direction = ZoomDirection(a1);
    if (direction == 0) {
        return;
    }
    double value = 0.0;
    if (StkRealArgument(a2, value) == 0) {
        return;
    }
    const bool narrow = direction == 'U';
    ViewGeometry& view = scene.view;
    switch (ViewFamilyOf(scene.viewMode)) {
    case kFamilySky:
        view.fieldOfView = ZoomedWidth(view.fieldOfView, narrow, value, view.zoomFactor,
                                       view.minimumField, MaxFieldOfView(scene));
        break;
    case kFamilySolarSystem:
        view.solarViewWidth = ZoomedWidth(view.solarViewWidth, narrow, value, view.zoomFactor,
                                          kSolarViewNarrowest, kSolarViewWidest);
        break;
    default:
        break;   // the whole-sky maps and the planisphere have one size
    }
}

void CmdLook(Scene& scene, char* a1, char* a2, char* a3)
{
    if (a1 == nullptr) {
        StkSetError("stkErrorIllegalParam", nullptr);
        return;
    }
    scene.keepCentred = 0;
    // A target that cannot be read is reported, and the view is redrawn
    // all the same, so that what the statements before it changed shows.
    StkSetViewCenter(scene, a1, a2, a3);
    CmdDrive(scene);
}

void CmdTrack(Scene& scene, char* a1, char* a2, char* a3)
{
    int32_t off = 0;
    if (a1 == nullptr || StkMatchWord(a1, OffKeywordTable, off) != 0) {
        if (scene.centring == kCentringTrack) {
            scene.centring = kCentringNone;
            RefreshTrackingButtons(scene);
        }
        return;
    }
    ObjectRef target{};
    if (ParseCommandTarget(scene, a1, a2, a3, target)) {
        StoreTarget(scene, target, kCentringTrack);
        RefreshTrackingButtons(scene);
    }
}

int64_t StkBlinkFlashes(int32_t blinkTime)
{
    return (static_cast<int64_t>(blinkTime) + 1) / 2;
}

void CmdBlink(Scene& scene, char* a1, char* a2, char* a3)
{
    ObjectRef target{};
    if (!ParseCommandTarget(scene, a1, a2, a3, target)) {
        return;
    }
    ProjectedPoint point{};
    if (GetTargetScreenPoint(scene, target.type, target.id, target.longitude, target.latitude,
                             point) == 0) {
        return;   // not in view
    }
    Display* display = gAppEnv->display;
    if (display == nullptr || scene.drawingArea == nullptr || scene.gc == nullptr ||
        !XtIsRealized(scene.drawingArea)) {
        return;   // no window to flash in
    }
    const Window window = XtWindow(scene.drawingArea);
    const int x = point.x;
    const int y = point.y;
    const unsigned size = 2 * kBlinkHalfSize + 1;
    const Pixmap saved = XCreatePixmap(display, window, size, size,
                                       static_cast<unsigned>(DefaultDepthOfScreen(gAppEnv->screen)));
    // The scene's GC is clipped to the sky; the square is saved and put
    // back whole with a plain one, which asks for no exposure events:
    // nothing reads them, and each copy would leave one in the queue.
    XGCValues values{};
    values.graphics_exposures = False;
    const GC copyGc = XCreateGC(display, window, GCGraphicsExposures, &values);
    XCopyArea(display, window, saved, copyGc, x - kBlinkHalfSize, y - kBlinkHalfSize, size, size, 0, 0);
    for (int64_t flash = 0; flash < StkBlinkFlashes(gAppEnv->blinkTime); ++flash) {
        StkDrawBlinkMarker(scene, display, window, x, y, WhitePixelOfScreen(gAppEnv->screen));
        usleep(kBlinkPauseMicroseconds);
        StkDrawBlinkMarker(scene, display, window, x, y, BlackPixelOfScreen(gAppEnv->screen));
        usleep(kBlinkPauseMicroseconds);
    }
    XCopyArea(display, saved, window, copyGc, 0, 0, size, size, x - kBlinkHalfSize, y - kBlinkHalfSize);
    XFreeGC(display, copyGc);
    XFreePixmap(display, saved);
    XFlush(display);
}

void CmdSolOffset(Scene& scene, char* a1, char* a2, char* a3)
{
    double origin[3] = {0.0, 0.0, 0.0};
    int32_t off = 0;
    if (StkMatchWord(a1, OffKeywordTable, off) == 0) {
        const char* texts[3] = {a1, a2, a3};
        for (int i = 0; i < 3; ++i) {
            if (StkRealArgument(texts[i], origin[i]) == 0) {
                return;
            }
        }
    }
    std::copy(origin, origin + 3, scene.solarOrigin);
}
