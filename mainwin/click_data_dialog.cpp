#include "mainwin/click_data_dialog.h"

#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/messages.h"
#include "data/info_box_icons.h"
#include "dialogs/image_viewer.h"
#include "dialogs/kit/icon_pixmap.h"
#include "mainwin/info_box_lines.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/object_names.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/object_type.h"
#include "sky/picking.h"
#include "sky/scene.h"
#include "sky/text_list.h"
#include "tooltip/tip_shell.h"

#include <Xm/DrawingA.h>
#include <Xm/DrawnB.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kCentringTrack = 2;
constexpr size_t kTipSize = 256;
constexpr size_t kCommandSize = 96;

enum ClickDataButton { kButtonClose, kButtonBlink, kButtonCenter, kButtonTrack, kButtonImage };

struct ButtonRow {
    const char* name;
    WidgetClass* widgetClass;   // its gap from the button before: its resource line
    const char* tipKey;
    XtCallbackProc activate;
};

void CloseCallback(Widget, XtPointer client, XtPointer);
void BlinkCallback(Widget, XtPointer client, XtPointer);
void CenterCallback(Widget, XtPointer client, XtPointer);
void TrackCallback(Widget, XtPointer client, XtPointer);
void ImageCallback(Widget, XtPointer client, XtPointer);

const std::array<ButtonRow, kInfoBoxIconCount> kButtons = {{
    {"ClickDataClose", &xmPushButtonWidgetClass, "messageToolObjClose", CloseCallback},
    {"ClickDataBlink", &xmPushButtonWidgetClass, "messageToolObjBlink", BlinkCallback},
    {"ClickDataCenter", &xmPushButtonWidgetClass, "messageToolObjCenter", CenterCallback},
    {"ClickDataTrack", &xmDrawnButtonWidgetClass, "messageToolObjTrack", TrackCallback},
    {"ClickDataImage", &xmPushButtonWidgetClass, "messageToolObjImage", ImageCallback},
}};

// The box: one for the program.
struct ClickDataBox {
    Widget dialog = nullptr;
    std::array<Widget, kInfoBoxIconCount> buttons{};
    Widget area = nullptr;
    Pixmap pixmap = None;
    Dimension width = 0, height = 0;
    GC gc = nullptr;
    std::array<Pixmap, kInfoBoxIconCount> icons{};
    Pixmap imageInsensitive = XmUNSPECIFIED_PIXMAP;
    bool firstShow = true;
};

ClickDataBox box;

XFontSet BoxFontSet()
{
    return GetFontSet(kFontClickData);
}

int BoxEscapement(const char* text)
{
    return LabelTextWidth(BoxFontSet(), text, static_cast<int>(std::strlen(text)));
}

bool Shown()
{
    return box.dialog != nullptr && XtIsManaged(box.dialog);
}

// Runs "<verb> <reference of the picked object>".
// Returned: 1 when the object has a reference
int RunWithReference(Scene* scene, const char* verb)
{
    const PickedObject& picked = scene->pickedObject;
    char reference[kObjectCommandTextSize];
    if (FormatObjectCommandText(*scene, picked.type, picked.id, reference) == 0) {
        return 0;
    }
    char text[kCommandSize];
    std::snprintf(text, sizeof text, "%s %s", verb, reference);
    StkExecuteText(*scene, text);
    return 1;
}

// An undesignated star's reference is its place: the Track button would
// not know it as the tracked star, so the star itself is remembered.
void RememberTrackedStar(Scene* scene)
{
    const PickedObject& picked = scene->pickedObject;
    if (picked.type == kObjectStar) {
        scene->targetType = kObjectStar;
        scene->targetId = picked.id;
    }
}

void CloseCallback(Widget, XtPointer client, XtPointer)
{
    ShowClickDataDialog(static_cast<Scene*>(client), 0);
}

void BlinkCallback(Widget, XtPointer client, XtPointer)
{
    RunWithReference(static_cast<Scene*>(client), "BLINK");
}

void CenterCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    if (scene->centring == kCentringTrack) {
        StkExecuteText(*scene, "TRACK");
    }
    if (RunWithReference(scene, "LOOK") != 0) {
        RememberTrackedStar(scene);
        UpdateClickDataDialogButtons(scene);
        StkExecuteText(*scene, "DRIVE");
    }
}

void TrackCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    if (scene->centring == kCentringTrack) {
        const bool wasTracked = PickedObjectIsTracked(*scene);
        StkExecuteText(*scene, "TRACK OFF");
        if (wasTracked) {
            UpdateClickDataDialogButtons(scene);
            StkExecuteText(*scene, "DRIVE");
            return;
        }
    }
    if (RunWithReference(scene, "TRACK") != 0) {
        RememberTrackedStar(scene);
        UpdateClickDataDialogButtons(scene);
        StkExecuteText(*scene, "DRIVE");
    }
}

void ImageCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    TextList* list = NewTextList();
    if (list == nullptr) {
        return;
    }
    const PickedObject& picked = scene->pickedObject;
    if (FindClickDataImages(*scene, picked.type, picked.id, list) > 0) {
        ShowImageDialog(scene, list);
    } else {
        FreeTextList(list);
    }
}

void CopyPixmapToArea()
{
    if (box.pixmap != None && XtIsRealized(box.area)) {
        XCopyArea(XtDisplay(box.area), box.pixmap, XtWindow(box.area), box.gc, 0, 0, box.width,
                  box.height, 0, 0);
    }
}

void ExposeCallback(Widget, XtPointer, XtPointer)
{
    CopyPixmapToArea();
}

void ResizeCallback(Widget, XtPointer client, XtPointer)
{
    Scene* scene = static_cast<Scene*>(client);
    if (box.pixmap != None && ResizeClickDataPixmap() != 0) {
        DrawClickDataDialog(scene);
    }
}

void MakeIcons()
{
    Pixel background = 0;
    XtVaGetValues(box.dialog, XmNbackground, &background, nullptr);
    for (int i = 0; i < kInfoBoxIconCount; ++i) {
        box.icons[i] = MakeIconPixmap(kInfoBoxIcons[i], background);
    }
    box.imageInsensitive = MakeIconPixmap(kInfoBoxImageInsensitiveIcon, background);
}

// Where the button stands, its highlight and shadow: the box's resource
// lines, each button's naming the one before it. Only the pictures are set
// here.
Widget CreateButton(Scene* scene, int index)
{
    const ButtonRow& row = kButtons[static_cast<size_t>(index)];
    Arg args[2];
    Cardinal count = 0;
    XtSetArg(args[count], XmNlabelPixmap, box.icons[static_cast<size_t>(index)]), ++count;
    if (index == kButtonImage) {
        XtSetArg(args[count], XmNlabelInsensitivePixmap, box.imageInsensitive), ++count;
    }
    Widget button = XtCreateManagedWidget(row.name, *row.widgetClass, box.dialog, args, count);
    XtAddCallback(button, XmNactivateCallback, row.activate, scene);
    return button;
}

void CreateDrawingArea(Scene* scene)
{
    box.area = XtVaCreateManagedWidget("DrawingArea", xmDrawingAreaWidgetClass, box.dialog, nullptr);
    XtAddCallback(box.area, XmNexposeCallback, ExposeCallback, scene);
    XtAddCallback(box.area, XmNresizeCallback, ResizeCallback, scene);
}

// Once the box is placed the window manager and the user decide where it
// stays.
void PlaceAtFirstShow(const Scene& scene)
{
    Position x = 0;
    Position y = 0;
    XtTranslateCoords(scene.drawingArea, 0, 0, &x, &y);
    if ((scene.statusLine & 1) != 0) {
        y = static_cast<Position>(y + StatusLineHeight());
    }
    XtVaSetValues(box.dialog, XmNdefaultPosition, False, XmNx, x, XmNy, y, nullptr);
    box.firstShow = false;
}

// The font's line height and the step from one baseline to the next.
int LineHeight()
{
    return XExtentsOfFontSet(BoxFontSet())->max_logical_extent.height;
}

int LineStep()
{
    return LineHeight() * 115 / 100;
}

void DrawLines(const InfoBoxLines& lines)
{
    const int lineHeight = LineHeight();
    const int step = LineStep();
    Display* display = XtDisplay(box.area);
    for (const InfoBoxPiece& piece : lines.pieces) {
        XSetForeground(display, box.gc, gAppEnv->pixels[piece.color]);
        const int y = lineHeight + piece.line * step;
        const int length = static_cast<int>(std::strlen(piece.text));
        if (piece.coreFont) {
            XDrawString(display, box.pixmap, box.gc, piece.x, y, piece.text, length);
        } else {
            DrawLabelText(display, box.pixmap, BoxFontSet(), box.gc, piece.x, y, piece.text,
                          length);
        }
    }
}

}  // namespace

bool PickedObjectIsTracked(const Scene& scene)
{
    const PickedObject& picked = scene.pickedObject;
    return scene.centring == kCentringTrack && picked.picked != 0 &&
           (scene.targetType & ~kRecentreTarget) == picked.type && scene.targetId == picked.id;
}

void CreateClickDataDialog(Scene* scene)
{
    if (box.dialog != nullptr) {
        return;
    }
    box.dialog = XmCreateFormDialog(gAppEnv->toplevel, const_cast<char*>("ClickDataDialog"),
                                    nullptr, 0);
    MakeIcons();
    for (int i = 0; i < kInfoBoxIconCount; ++i) {
        box.buttons[static_cast<size_t>(i)] = CreateButton(scene, i);
    }
    CreateDrawingArea(scene);
    UpdateClickDataDialogButtons(scene);
}

void ShowClickDataDialog(Scene* scene, int on)
{
    if (box.dialog == nullptr) {
        return;
    }
    if (on == 0) {
        if (Shown()) {
            XtUnmanageChild(box.dialog);
        }
        return;
    }
    if (!Shown()) {
        if (box.firstShow) {
            PlaceAtFirstShow(*scene);
        }
        XtManageChild(box.dialog);
    }
    DrawClickDataDialog(scene);
}

int ResizeClickDataPixmap()
{
    Dimension width = 0;
    Dimension height = 0;
    XtVaGetValues(box.area, XmNwidth, &width, XmNheight, &height, nullptr);
    if (box.pixmap != None && width == box.width && height == box.height) {
        return 1;
    }
    Display* display = XtDisplay(box.area);
    if (box.pixmap != None) {
        XFreePixmap(display, box.pixmap);
        box.pixmap = None;
    }
    box.width = width;
    box.height = height;
    // A pixmap of no width or height is a BadValue that would end the
    // program: none until the area has room.
    if (width == 0 || height == 0) {
        return 0;
    }
    Screen* screen = XtScreen(box.area);
    box.pixmap = XCreatePixmap(display, RootWindowOfScreen(screen), width, height,
                               static_cast<unsigned>(DefaultDepthOfScreen(screen)));
    return box.pixmap != None ? 1 : 0;
}

void DrawClickDataDialog(Scene* scene)
{
    if (!Shown()) {
        return;
    }
    InfoBoxLines lines{};
    const InfoBoxFont font{BoxEscapement, XExtentsOfFontSet(BoxFontSet())->max_logical_extent.width};
    if (ComposeClickDataInfo(*scene, font, lines) == 0) {
        // The object is gone: nothing is left to show or to continue from.
        scene->pickedObject.picked = 0;
        ShowClickDataDialog(scene, 0);
        return;
    }
    if (ResizeClickDataPixmap() == 0) {
        return;
    }
    Display* display = XtDisplay(box.area);
    if (box.gc == nullptr) {
        box.gc = XCreateGC(display, box.pixmap, 0, nullptr);
    }
    Pixel background = 0;
    XtVaGetValues(box.dialog, XmNbackground, &background, nullptr);
    XSetForeground(display, box.gc, background);
    XFillRectangle(display, box.pixmap, box.gc, 0, 0, box.width, box.height);
    DrawLines(lines);
    CopyPixmapToArea();
    UpdateClickDataDialogButtons(scene);
}

void UpdateClickDataDialogButtons(Scene* scene)
{
    if (box.dialog == nullptr) {
        return;
    }
    const unsigned char shadow = PickedObjectIsTracked(*scene) ? XmSHADOW_IN : XmSHADOW_OUT;
    unsigned char current = 0;
    XtVaGetValues(box.buttons[kButtonTrack], XmNshadowType, &current, nullptr);
    if (current != shadow) {
        XtVaSetValues(box.buttons[kButtonTrack], XmNshadowType, shadow, nullptr);
    }
    // The flags of the object shown: a further pick at the same place keeps
    // the first object's, so they are read again here.
    const PickedObject& picked = scene->pickedObject;
    TextList* list = NewTextList();
    const bool image = list != nullptr && picked.picked != 0 &&
                       FindClickDataImages(*scene, picked.type, picked.id, list) > 0;
    FreeTextList(list);
    if (image) {
        scene->pickedObject.clickDataFlags |= kClickDataHasImage;
    } else {
        scene->pickedObject.clickDataFlags &= static_cast<uint8_t>(~kClickDataHasImage);
    }
    XtSetSensitive(box.buttons[kButtonImage], image ? True : False);
}

void AddClickDataTips()
{
    if (gAppEnv->tipShell == nullptr || box.dialog == nullptr) {
        return;
    }
    for (size_t i = 0; i < kButtons.size(); ++i) {
        char tip[kTipSize];
        GetMessage(kButtons[i].tipKey, tip, sizeof tip);
        TipShellAddWidget(gAppEnv->tipShell, box.buttons[i], tip, 0, 0);
    }
}

void RemoveClickDataTips()
{
    if (gAppEnv->tipShell == nullptr || box.dialog == nullptr) {
        return;
    }
    for (Widget button : box.buttons) {
        TipShellDeleteWidget(gAppEnv->tipShell, button);
    }
}

void FreeClickDataDialog()
{
    if (box.dialog == nullptr) {
        return;
    }
    RemoveClickDataTips();
    Display* display = XtDisplay(box.dialog);
    if (box.pixmap != None) {
        XFreePixmap(display, box.pixmap);
        box.pixmap = None;
    }
    if (box.gc != nullptr) {
        XFreeGC(display, box.gc);
        box.gc = nullptr;
    }
    for (Pixmap& icon : box.icons) {
        FreeIconPixmap(icon);
    }
    FreeIconPixmap(box.imageInsensitive);
}
