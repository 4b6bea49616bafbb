// The image viewer: the JPEG pictures the click data attaches to an object,
// one at a time in a scrolled area no larger than eight tenths of the
// screen, with Prev and Next through the list and dragging to scroll. On an
// 8-bit display every picture is reduced to 64 colours held in 64 colour
// cells of the viewer's own. The decoding is in dialogs/jpeg_decoder.h.
#pragma once

#include <X11/Intrinsic.h>
#include <X11/Xlib.h>

struct Scene;
struct TextList;

// Opens the viewer on a list of pictures, (file under ClickImagePath,
// title) pairs as picking hands them over; the viewer owns the list from
// here on and frees it when it closes or is given another. The first
// picture shows at once; one that cannot be shown closes the viewer.
// Without 64 free colour cells on an 8-bit display it says so on standard
// output and opens nothing; the next call tries again. The Scene is taken
// as every dialog's opener takes it; the pictures do not depend on it.
void ShowImageDialog(Scene* scene, TextList* pictures);

// Shows the list's current picture.
// Returned: 1 shown, 0 when it could not be read (said on standard error)
int ShowCurrentImage();

// Reads a JPEG file into an image for the display of a widget.
// Given:    path    the file; only a regular file is opened
//           widget  a widget on the display (its visual and depth count)
// Returned: the image (the caller destroys it), or null when the file
//           cannot be opened or decoded
XImage* LoadJpegImage(const char* path, Widget widget);

// Hides the viewer and frees its picture, GC and list; the window stays
// for the next call.
void CloseImageDialog(Widget widget, XtPointer client, XtPointer call);

// Moves a scroll bar by delta within its range, notifying its callbacks as
// a user's move does; nothing for a missing bar or one with nothing to
// scroll.
void ScrollBarScrollBy(Widget scrollBar, int delta);

// The viewer's parts, for the tests: the dialog (null before its first
// opening), the drawing area and the scrolled window, the picture shown
// (null when none) and the current index.
struct ImageViewerParts {
    Widget dialog;
    Widget image;
    Widget area;
    Widget prev;
    Widget next;
    XImage* picture;
    int index;
};
ImageViewerParts ImageViewerState();
