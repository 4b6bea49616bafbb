#include "dialogs/image_viewer.h"

#include "core/app_env.h"
#include "core/regular_file.h"
#include "data/image_viewer_icons.h"
#include "dialogs/jpeg_decoder.h"
#include "dialogs/kit/form_dialog.h"
#include "sky/text_list.h"

#include <X11/cursorfont.h>
#include <X11/xpm.h>
#include <Xm/DrawingA.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>
#include <Xm/ScrollBar.h>
#include <Xm/ScrolledW.h>
#include <Xm/Xm.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct ImageViewer {
    Widget dialog = nullptr;
    Widget ok = nullptr, prev = nullptr, next = nullptr;
    Widget area = nullptr;
    Widget image = nullptr;
    XImage* picture = nullptr;
    GC gc = nullptr;
    TextList* list = nullptr;
    int index = 0;
    int depth = 0;                 // read once, at the first call
    Colormap colormap = None;
    unsigned long cells[kQuantizedColors] = {};
    bool cellsAllocated = false;
    int dragX = 0, dragY = 0;
    Cursor dragCursor = None;
};

ImageViewer viewer;

void FreePicture()
{
    if (viewer.picture != nullptr) {
        XDestroyImage(viewer.picture);
        viewer.picture = nullptr;
    }
}

void FreeList()
{
    FreeTextList(viewer.list);
    viewer.list = nullptr;
}

void FreeGc()
{
    if (viewer.gc != nullptr) {
        XFreeGC(gAppEnv->display, viewer.gc);
        viewer.gc = nullptr;
    }
}

Visual* ShellVisual()
{
    Visual* visual = nullptr;
    XtVaGetValues(gAppEnv->toplevel, XmNvisual, &visual, nullptr);
    return visual != nullptr ? visual : DefaultVisualOfScreen(XtScreen(gAppEnv->toplevel));
}

// The 64 cells an 8-bit display's pictures are shown in, in a copy of the
// default colormap when the user asked for a private one.
bool AllocateCells()
{
    Display* display = gAppEnv->display;
    if (viewer.colormap == None) {
        const Colormap screenMap = DefaultColormapOfScreen(XtScreen(gAppEnv->toplevel));
        viewer.colormap = gAppEnv->installColormap != 0 ? XCopyColormapAndFree(display, screenMap)
                                                        : screenMap;
    }
    viewer.cellsAllocated =
        XAllocColorCells(display, viewer.colormap, False, nullptr, 0, viewer.cells, kQuantizedColors) != 0;
    return viewer.cellsAllocated;
}

Pixmap IconPixmap(XpmIconData icon, Widget button)
{
    Pixel background = 0;
    XtVaGetValues(button, XmNbackground, &background, nullptr);
    XpmColorSymbol transparent{nullptr, const_cast<char*>("None"), background};
    XpmAttributes attributes{};
    attributes.valuemask = XpmColorSymbols;
    attributes.colorsymbols = &transparent;
    attributes.numsymbols = 1;
    if (gAppEnv->installColormap != 0) {
        attributes.valuemask |= XpmColormap;
        attributes.colormap = viewer.colormap != None ? viewer.colormap : gAppEnv->colormap;
    }
    Pixmap pixmap = None, mask = None;
    const int status = XpmCreatePixmapFromData(gAppEnv->display, RootWindowOfScreen(XtScreen(gAppEnv->toplevel)),
                                               const_cast<char**>(icon), &pixmap, &mask, &attributes);
    if (mask != None) {
        XFreePixmap(gAppEnv->display, mask);
    }
    XpmFreeAttributes(&attributes);
    return status < XpmSuccess ? XmUNSPECIFIED_PIXMAP : pixmap;
}

Widget IconButton(const char* name, Widget form, XpmIconData icon, XpmIconData greyed)
{
    Widget button = XtVaCreateManagedWidget(name, xmPushButtonWidgetClass, form, nullptr);
    XtVaSetValues(button, XmNlabelPixmap, IconPixmap(icon, button), nullptr);
    if (greyed != nullptr) {
        XtVaSetValues(button, XmNlabelInsensitivePixmap, IconPixmap(greyed, button), nullptr);
    }
    return button;
}

void ImageExposeCallback(Widget, XtPointer, XtPointer call)
{
    const auto* expose = static_cast<XmDrawingAreaCallbackStruct*>(call);
    if (viewer.picture == nullptr || viewer.gc == nullptr) {
        return;
    }
    // Only the part exposed: while dragging a large picture the whole of it
    // would be sent again for every strip the scroll uncovers.
    int x = 0, y = 0, width = viewer.picture->width, height = viewer.picture->height;
    if (expose != nullptr && expose->event != nullptr && expose->event->type == Expose) {
        const XExposeEvent& area = expose->event->xexpose;
        x = area.x;
        y = area.y;
        width = std::min(area.width, viewer.picture->width - x);
        height = std::min(area.height, viewer.picture->height - y);
    }
    if (width > 0 && height > 0) {
        XPutImage(gAppEnv->display, XtWindow(viewer.image), viewer.gc, viewer.picture, x, y, x, y,
                  static_cast<unsigned>(width), static_cast<unsigned>(height));
    }
}

void ScrollBothBy(int dx, int dy)
{
    Widget horizontal = nullptr, vertical = nullptr;
    XtVaGetValues(viewer.area, XmNhorizontalScrollBar, &horizontal, XmNverticalScrollBar, &vertical,
                  nullptr);
    ScrollBarScrollBy(horizontal, dx);
    ScrollBarScrollBy(vertical, dy);
}

// A press takes hold of the picture where the pointer is; while button 1
// is down the picture follows it.
void ImageDragHandler(Widget, XtPointer, XEvent* event, Boolean*)
{
    Display* display = gAppEnv->display;
    Window window = XtWindow(viewer.dialog);
    switch (event->type) {
    case ButtonPress:
        viewer.dragX = event->xbutton.x;
        viewer.dragY = event->xbutton.y;
        if (viewer.dragCursor == None) {
            viewer.dragCursor = XCreateFontCursor(display, XC_fleur);
        }
        XDefineCursor(display, window, viewer.dragCursor);
        XmUpdateDisplay(viewer.dialog);
        break;
    case MotionNotify:
        ScrollBothBy(viewer.dragX - event->xmotion.x, viewer.dragY - event->xmotion.y);
        break;
    case ButtonRelease:
        ScrollBothBy(viewer.dragX - event->xbutton.x, viewer.dragY - event->xbutton.y);
        XUndefineCursor(display, window);
        if (viewer.dragCursor != None) {
            XFreeCursor(display, viewer.dragCursor);
            viewer.dragCursor = None;
        }
        break;
    default:
        break;
    }
}

void Step(int by)
{
    const int target = viewer.index + by;
    if (viewer.list == nullptr || target < 0 || target >= viewer.list->count) {
        return;
    }
    FreePicture();
    viewer.index = target;
    if (ShowCurrentImage() == 0) {
        CloseImageDialog(nullptr, nullptr, nullptr);
    }
}

void ImageNextCallback(Widget, XtPointer, XtPointer)
{
    Step(1);
}

void ImagePrevCallback(Widget, XtPointer, XtPointer)
{
    Step(-1);
}

void CreateImageDialog()
{
    // Where the buttons and the picture's area stand, and how the area
    // scrolls: the viewer's resource lines.
    viewer.dialog = XmCreateFormDialog(gAppEnv->toplevel, const_cast<char*>("ImageDialog"), nullptr, 0);
    Widget form = viewer.dialog;
    viewer.ok = IconButton("ButtonOK", form, kImageViewerCloseIcon, nullptr);
    viewer.prev = IconButton("ButtonPrev", form, kImageViewerPrevIcon, kImageViewerPrevInsensitiveIcon);
    viewer.next = IconButton("ButtonNext", form, kImageViewerNextIcon, kImageViewerNextInsensitiveIcon);
    viewer.area = XtVaCreateManagedWidget("ImageArea", xmScrolledWindowWidgetClass, form, nullptr);
    viewer.image = XtVaCreateManagedWidget("Image", xmDrawingAreaWidgetClass, viewer.area, nullptr);
    XtVaSetValues(viewer.area, XmNworkWindow, viewer.image, nullptr);
    XtAddCallback(viewer.ok, XmNactivateCallback, CloseImageDialog, nullptr);
    XtAddCallback(viewer.prev, XmNactivateCallback, ImagePrevCallback, nullptr);
    XtAddCallback(viewer.next, XmNactivateCallback, ImageNextCallback, nullptr);
    XtAddCallback(viewer.image, XmNexposeCallback, ImageExposeCallback, nullptr);
    XtAddEventHandler(viewer.image, ButtonPressMask | ButtonReleaseMask | Button1MotionMask, False,
                      ImageDragHandler, nullptr);
    CloseAsCancel(viewer.dialog, viewer.ok);
    if (viewer.depth == 8) {
        XtVaSetValues(XtParent(viewer.dialog), XmNcolormap, viewer.colormap, nullptr);
    }
}

// The picture's colours into the viewer's cells.
void StoreCells(const JpegPicture& picture)
{
    XColor colors[kQuantizedColors];
    for (int i = 0; i < picture.colorCount; ++i) {
        colors[i].pixel = viewer.cells[i];
        colors[i].red = static_cast<unsigned short>(picture.palette[i][0] << 8);
        colors[i].green = static_cast<unsigned short>(picture.palette[i][1] << 8);
        colors[i].blue = static_cast<unsigned short>(picture.palette[i][2] << 8);
        colors[i].flags = DoRed | DoGreen | DoBlue;
    }
    XStoreColors(gAppEnv->display, viewer.colormap, colors, picture.colorCount);
}

}  // namespace

XImage* LoadJpegImage(const char* path, Widget widget)
{
    const UniqueFile file = OpenRegularFile(path);
    if (file == nullptr) {
        std::fprintf(stderr, "can't open %s\n", path);
        return nullptr;
    }
    Visual* visual = ShellVisual();
    const int bytes = BytesPerPixelOfDepth(viewer.depth);
    const PixelLayout layout{bytes, visual->red_mask, visual->green_mask, visual->blue_mask,
                             viewer.cells};
    JpegPicture picture;
    const int decoded = DecodeJpegStream(file.get(), layout, picture);
    if (decoded == 0) {
        return nullptr;
    }
    if (bytes == 1) {
        StoreCells(picture);
        XtVaSetValues(XtParent(viewer.dialog), XmNcolormap, viewer.colormap, nullptr);
    }
    XImage* image = XCreateImage(XtDisplay(widget), visual, static_cast<unsigned>(viewer.depth),
                                 ZPixmap, 0, picture.pixels, static_cast<unsigned>(picture.width),
                                 static_cast<unsigned>(picture.height), bytes * 8, picture.width * bytes);
    if (image == nullptr) {
        FreeJpegPicture(picture);
        return nullptr;
    }
    // The decoder writes pixels in this machine's byte order; Xlib turns
    // them into the server's.
    const uint16_t probe = 1;
    image->byte_order = *reinterpret_cast<const uint8_t*>(&probe) == 1 ? LSBFirst : MSBFirst;
    return image;
}

int ShowCurrentImage()
{
    const TextPair& entry = viewer.list->items[static_cast<size_t>(viewer.index)];
    const std::string path = std::string(gAppEnv->clickImagePath) + entry.first.value_or("");
    viewer.picture = LoadJpegImage(path.c_str(), viewer.image);
    if (viewer.picture == nullptr) {
        return 0;
    }
    Widget shell = XtParent(viewer.dialog);
    XtUnmapWidget(shell);
    XtVaSetValues(viewer.image, XmNwidth, viewer.picture->width, XmNheight, viewer.picture->height,
                  nullptr);
    Screen* screen = XtScreen(gAppEnv->toplevel);
    const int width = std::min(viewer.picture->width, WidthOfScreen(screen) * 8 / 10);
    const int height = std::min(viewer.picture->height, HeightOfScreen(screen) * 8 / 10);
    XtVaSetValues(viewer.area, XmNwidth, width, XmNheight, height, nullptr);
    XmString title = XmStringCreateLocalized(const_cast<char*>(entry.second.value_or("").c_str()));
    XtVaSetValues(viewer.dialog, XmNdialogTitle, title, nullptr);
    XmStringFree(title);
    XtSetSensitive(viewer.prev, viewer.index > 0);
    XtSetSensitive(viewer.next, viewer.index < viewer.list->count - 1);
    XtMapWidget(shell);
    return 1;
}

void ShowImageDialog(Scene*, TextList* pictures)
{
    FreePicture();
    if (pictures != viewer.list) {
        FreeList();
    }
    FreeGc();
    viewer.list = pictures;
    if (viewer.dialog == nullptr) {
        XtVaGetValues(gAppEnv->toplevel, XmNdepth, &viewer.depth, nullptr);
        if (viewer.depth == 8 && !viewer.cellsAllocated && !AllocateCells()) {
            std::printf("%s: can't allocate palette\n", "uvola");
            std::fflush(stdout);
            FreeList();
            return;
        }
        CreateImageDialog();
    }
    if (viewer.list == nullptr || viewer.list->count < 1) {
        FreeList();
        return;
    }
    XtManageChild(viewer.dialog);
    XtRealizeWidget(viewer.dialog);
    viewer.gc = XCreateGC(gAppEnv->display, XtWindow(viewer.image), 0, nullptr);
    viewer.index = 0;
    if (ShowCurrentImage() == 0) {
        CloseImageDialog(nullptr, nullptr, nullptr);
    }
}

void CloseImageDialog(Widget, XtPointer, XtPointer)
{
    if (viewer.dialog != nullptr) {
        XtUnmanageChild(viewer.dialog);
    }
    FreePicture();
    FreeGc();
    FreeList();
}

void ScrollBarScrollBy(Widget scrollBar, int delta)
{
    if (scrollBar == nullptr) {
        return;
    }
    int minimum = 0, maximum = 0, value = 0, slider = 0, increment = 0, page = 0;
    XtVaGetValues(scrollBar, XmNminimum, &minimum, XmNmaximum, &maximum, nullptr);
    XmScrollBarGetValues(scrollBar, &value, &slider, &increment, &page);
    if (maximum - minimum <= slider) {
        return;
    }
    const int target = std::max(minimum, std::min(value + delta, (maximum - minimum) - slider));
    XmScrollBarSetValues(scrollBar, target, slider, increment, page, True);
}

ImageViewerParts ImageViewerState()
{
    return {viewer.dialog, viewer.image, viewer.area, viewer.prev, viewer.next, viewer.picture,
            viewer.index};
}
