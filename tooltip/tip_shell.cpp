// The TipShell widget class: an override shell with no child that draws
// its one line of text itself.
#include "tooltip/tip_shell.h"

#include "tooltip/tip_placement.h"

#include <X11/IntrinsicP.h>
#include <X11/ShellP.h>
#include <X11/StringDefs.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One watched widget. The entries form a circular list through the head
// kept in the shell.
struct TipShellEntry {
    TipShellEntry* next;
    TipShellEntry* prev;
    Widget watch;
    Widget owner;
    unsigned char sensitive;
    char* text;
    unsigned short length;
};

struct TipShellPart {
    // Resources
    Pixel foreground;
    XFontSet fontSet;
    int waitPeriod;
    int cancelWaitPeriod;
    // Private state
    TipShellEntry head;
    unsigned short fontWidth, fontHeight;   // logical size of "1"
    int ascent;
    GC gc;
    XtIntervalId timeout;                   // 0 when none is pending
    Boolean poppedUp;
    Time lastPopdown;
};

struct TipShellRec {
    CorePart core;
    CompositePart composite;
    ShellPart shell;
    OverrideShellPart override;
    TipShellPart tip;
};

struct TipShellClassPart {
    XtPointer extension;
};

struct TipShellClassRec {
    CoreClassPart core_class;
    CompositeClassPart composite_class;
    ShellClassPart shell_class;
    OverrideShellClassPart override_shell_class;
    TipShellClassPart tip_shell_class;
};

constexpr int kTextMargin = 2;
constexpr size_t kLongestTip = 65535;   // the entry keeps its length in 16 bits

String Str(const char* text)
{
    return const_cast<String>(text);
}

TipShellPart& PartOf(Widget w)
{
    return reinterpret_cast<TipShellRec*>(w)->tip;
}

XtResource kResources[] = {
    {Str(XtNforeground), Str(XtCForeground), Str(XtRPixel), sizeof(Pixel),
     XtOffsetOf(TipShellRec, tip.foreground), Str(XtRString), Str("black")},
    {Str(XtNfontSet), Str(XtCFontSet), Str(XtRFontSet), sizeof(XFontSet),
     XtOffsetOf(TipShellRec, tip.fontSet), Str(XtRString),
     Str("-adobe-new century schoolbook-bold-r-normal-*-12-*")},
    {Str(XtNwaitPeriod), Str(XtCWaitPeriod), Str(XtRInt), sizeof(int),
     XtOffsetOf(TipShellRec, tip.waitPeriod), Str(XtRString), Str("500")},
    {Str(XtNcancelWaitPeriod), Str(XtCCancelWaitPeriod), Str(XtRInt), sizeof(int),
     XtOffsetOf(TipShellRec, tip.cancelWaitPeriod), Str(XtRString), Str("2000")},
};

// A caller that hands us another kind of widget has a bug that would only
// show later as a corrupt heap; stop right here instead.
bool IsTipShell(Widget w, const char* function)
{
    if (w != nullptr && XtClass(w) == tipShellWidgetClass) {
        return true;
    }
    std::fprintf(stderr, "Wrong class of widget passed to %s\n", function);
    std::fflush(stderr);
    kill(getpid(), SIGABRT);
    return false;
}

void LoadFont(Widget w)
{
    TipShellPart& tip = PartOf(w);
    if (tip.fontSet == nullptr) {
        XrmValue from{sizeof "fixed", reinterpret_cast<XPointer>(Str("fixed"))};
        XrmValue to{sizeof tip.fontSet, reinterpret_cast<XPointer>(&tip.fontSet)};
        if (XtConvertAndStore(w, XtRString, &from, XtRFontSet, &to) == False) {
            std::fprintf(stderr, "TipShell: can not find resource font nor fallback fixed font\n");
            tip.fontSet = nullptr;
            return;
        }
    }
    XRectangle ink{};
    XRectangle logical{};
    XmbTextExtents(tip.fontSet, "1", 1, &ink, &logical);
    tip.fontWidth = logical.width;
    tip.fontHeight = logical.height;
    tip.ascent = -logical.y;
}

void MakeGC(Widget w)
{
    TipShellPart& tip = PartOf(w);
    XGCValues values{};
    values.foreground = tip.foreground;
    values.background = w->core.background_pixel;
    values.fill_style = FillSolid;
    if (tip.gc != nullptr) {
        XtReleaseGC(w, tip.gc);
    }
    tip.gc = XtGetGC(w, GCForeground | GCBackground | GCFillStyle, &values);
}

void RemoveTimeout(TipShellPart& tip)
{
    if (tip.timeout != 0) {
        XtRemoveTimeOut(tip.timeout);
        tip.timeout = 0;
    }
}

Time EventTime(const XEvent* event)
{
    switch (event->type) {
    case ButtonPress:
    case ButtonRelease: return event->xbutton.time;
    case EnterNotify:
    case LeaveNotify: return event->xcrossing.time;
    default: return CurrentTime;
    }
}

void PopupTimeout(XtPointer client, XtIntervalId*);

void EnterHandler(Widget, XtPointer client, XEvent* event, Boolean*)
{
    auto* entry = static_cast<TipShellEntry*>(client);
    Widget w = entry->owner;
    TipShellPart& tip = PartOf(w);
    if (entry->sensitive == 0 || tip.fontSet == nullptr || tip.timeout != 0 ||
        event->xcrossing.mode != NotifyNormal) {
        return;
    }
    // A tip asked for soon after the last one went away comes at once: the
    // user is reading along the row.
    const unsigned long sincePopdown = event->xcrossing.time - tip.lastPopdown;
    const unsigned long wait = sincePopdown > static_cast<unsigned long>(tip.cancelWaitPeriod)
                                   ? static_cast<unsigned long>(tip.waitPeriod)
                                   : 0;
    tip.timeout = XtAppAddTimeOut(XtWidgetToApplicationContext(w), wait, PopupTimeout, entry);
}

void LeaveHandler(Widget, XtPointer client, XEvent* event, Boolean*)
{
    auto* entry = static_cast<TipShellEntry*>(client);
    Widget w = entry->owner;
    TipShellPart& tip = PartOf(w);
    RemoveTimeout(tip);
    if (entry->sensitive != 0 && tip.poppedUp) {
        XtPopdown(w);
        tip.poppedUp = False;
        tip.lastPopdown = EventTime(event);
    }
}

void PopupTimeout(XtPointer client, XtIntervalId*)
{
    auto* entry = static_cast<TipShellEntry*>(client);
    Widget w = entry->owner;
    TipShellPart& tip = PartOf(w);
    if (tip.timeout == 0) {
        return;
    }
    tip.timeout = 0;
    if (entry->sensitive == 0) {
        return;
    }
    Position rootX = 0;
    Position rootY = 0;
    XtTranslateCoords(entry->watch, 0, 0, &rootX, &rootY);
    XRectangle ink{};
    XRectangle logical{};
    XmbTextExtents(tip.fontSet, entry->text, entry->length, &ink, &logical);
    const int width = logical.width + 2 * kTextMargin;
    const int height = tip.fontHeight + 2 * kTextMargin;
    Screen* screen = DefaultScreenOfDisplay(XtDisplay(w));
    const TipPlace place = PlaceTip(rootX, rootY, entry->watch->core.height, width, height,
                                    WidthOfScreen(screen), HeightOfScreen(screen));
    XtConfigureWidget(w, static_cast<Position>(place.x), static_cast<Position>(place.y),
                      static_cast<Dimension>(width), static_cast<Dimension>(height),
                      w->core.border_width);
    XtPopup(w, XtGrabNone);
    tip.poppedUp = True;
    XmbDrawImageString(XtDisplay(w), XtWindow(w), tip.fontSet, tip.gc, kTextMargin,
                       tip.ascent + kTextMargin, entry->text, entry->length);
}

TipShellEntry* FindEntry(TipShellPart& tip, Widget watch)
{
    for (TipShellEntry* entry = tip.head.next; entry != &tip.head; entry = entry->next) {
        if (entry->watch == watch) {
            return entry;
        }
    }
    return nullptr;
}

void SetText(TipShellEntry& entry, const char* text, int size)
{
    const size_t limit = size > 0 ? static_cast<size_t>(size) : kLongestTip;
    const size_t length = std::min(strnlen(text, limit), kLongestTip);
    XtFree(entry.text);
    entry.text = XtMalloc(static_cast<Cardinal>(length + 1));
    std::memcpy(entry.text, text, length);
    entry.text[length] = '\0';
    entry.length = static_cast<unsigned short>(length);
}

// Unlinks and frees an entry with its handlers and the shell's pending
// tip. A tip already shown stays up: the callers detach their widgets
// only to attach them again or just before the shell itself goes.
void DeleteEntry(TipShellEntry* entry)
{
    TipShellPart& tip = PartOf(entry->owner);
    XtRemoveEventHandler(entry->watch, EnterWindowMask, False, EnterHandler, entry);
    XtRemoveEventHandler(entry->watch, LeaveWindowMask | ButtonPressMask, False, LeaveHandler,
                         entry);
    RemoveTimeout(tip);
    entry->prev->next = entry->next;
    entry->next->prev = entry->prev;
    XtFree(entry->text);
    XtFree(reinterpret_cast<char*>(entry));
}

void TipShellInitialize(Widget, Widget w, ArgList, Cardinal*)
{
    TipShellPart& tip = PartOf(w);
    tip.gc = nullptr;
    tip.timeout = 0;
    tip.poppedUp = False;
    tip.lastPopdown = 0;
    tip.head.next = &tip.head;
    tip.head.prev = &tip.head;
    tip.fontWidth = 0;
    tip.fontHeight = 0;
    tip.ascent = 0;
    LoadFont(w);
    MakeGC(w);
}

Boolean TipShellSetValues(Widget current, Widget, Widget w, ArgList, Cardinal*)
{
    if (PartOf(current).foreground != PartOf(w).foreground ||
        current->core.background_pixel != w->core.background_pixel) {
        MakeGC(w);
    }
    return False;
}

TipShellClassRec tipShellClassRec = {
    {
        // core_class
        overrideShellWidgetClass,                               // superclass
        Str("TipShell"),                                        // class_name
        sizeof(TipShellRec),                                    // widget_size
        nullptr,                                                // class_initialize
        nullptr,                                                // class_part_initialize
        False,                                                  // class_inited
        TipShellInitialize,                                     // initialize
        nullptr,                                                // initialize_hook
        XtInheritRealize,                                       // realize
        nullptr,                                                // actions
        0,                                                      // num_actions
        kResources,                                             // resources
        XtNumber(kResources),                                   // num_resources
        NULLQUARK,                                              // xrm_class
        True,                                                   // compress_motion
        XtExposeNoCompress,                                     // compress_exposure
        True,                                                   // compress_enterleave
        False,                                                  // visible_interest
        nullptr,                                                // destroy
        XtInheritResize,                                        // resize
        XtInheritExpose,                                        // expose
        TipShellSetValues,                                      // set_values
        nullptr,                                                // set_values_hook
        XtInheritSetValuesAlmost,                               // set_values_almost
        nullptr,                                                // get_values_hook
        XtInheritAcceptFocus,                                   // accept_focus
        XtVersion,                                              // version
        nullptr,                                                // callback_private
        XtInheritTranslations,                                  // tm_table
        XtInheritQueryGeometry,                                 // query_geometry
        XtInheritDisplayAccelerator,                            // display_accelerator
        nullptr,                                                // extension
    },
    {
        // composite_class
        XtInheritGeometryManager,
        XtInheritChangeManaged,
        XtInheritInsertChild,
        XtInheritDeleteChild,
        nullptr,
    },
    {nullptr},   // shell_class
    {nullptr},   // override_shell_class
    {nullptr},   // tip_shell_class
};

}  // namespace

WidgetClass tipShellWidgetClass = reinterpret_cast<WidgetClass>(&tipShellClassRec);

void TipShellAddWidget(Widget w, Widget watch, const char* text, int size, int)
{
    if (!IsTipShell(w, "TipShellAddWidget") || watch == nullptr) {
        return;
    }
    TipShellPart& tip = PartOf(w);
    if (TipShellEntry* entry = FindEntry(tip, watch)) {
        if (text != nullptr) {
            SetText(*entry, text, size);
        }
        return;
    }
    auto* entry = reinterpret_cast<TipShellEntry*>(XtCalloc(1, sizeof(TipShellEntry)));
    entry->watch = watch;
    entry->owner = w;
    entry->sensitive = 1;
    SetText(*entry, text != nullptr ? text : "", size);
    entry->prev = tip.head.prev;
    entry->next = &tip.head;
    tip.head.prev->next = entry;
    tip.head.prev = entry;
    XtAddEventHandler(watch, EnterWindowMask, False, EnterHandler, entry);
    XtAddEventHandler(watch, LeaveWindowMask | ButtonPressMask, False, LeaveHandler, entry);
}

void TipShellDeleteWidget(Widget w, Widget watch)
{
    if (!IsTipShell(w, "TipShellDeleteWidget")) {
        return;
    }
    if (TipShellEntry* entry = FindEntry(PartOf(w), watch)) {
        DeleteEntry(entry);
    }
}

void TipShellSetSensitive(Widget w, Widget watch, Boolean sensitive)
{
    if (!IsTipShell(w, "TipShellSetSensitive")) {
        return;
    }
    TipShellPart& tip = PartOf(w);
    for (TipShellEntry* entry = tip.head.next; entry != &tip.head; entry = entry->next) {
        if (watch == nullptr || entry->watch == watch) {
            entry->sensitive = sensitive ? 1 : 0;
        }
    }
}

Boolean TipShellGetSensitive(Widget w, Widget watch)
{
    if (!IsTipShell(w, "TipShellGetSensitive")) {
        return False;
    }
    TipShellPart& tip = PartOf(w);
    const TipShellEntry* entry = watch == nullptr ? tip.head.next : FindEntry(tip, watch);
    if (entry == nullptr || entry == &tip.head) {
        return False;
    }
    return entry->sensitive != 0 ? True : False;
}

Boolean TipShellDispatchEvent(Widget w, XEvent* event)
{
    if (event->type != EnterNotify && event->type != LeaveNotify) {
        return False;
    }
    if (!IsTipShell(w, "TipShellDispatchEvent")) {
        return False;
    }
    TipShellPart& tip = PartOf(w);
    for (TipShellEntry* entry = tip.head.next; entry != &tip.head; entry = entry->next) {
        if (XtWindow(entry->watch) == event->xany.window && !XtIsSensitive(entry->watch)) {
            if (event->type == EnterNotify) {
                EnterHandler(entry->watch, entry, event, nullptr);
            } else {
                LeaveHandler(entry->watch, entry, event, nullptr);
            }
            return True;
        }
    }
    return False;
}
