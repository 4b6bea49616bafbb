#include "sky/layers/status_line.h"

#include "astro/calendar.h"
#include "core/app_env.h"
#include "core/format_check.h"
#include "core/messages.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_styles.h"
#include "sky/label_text.h"
#include "sky/layers/disk_drawing.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

const char* const kStatusDateTimeDefault1 = "%4d/%2d/%2d(%s) %2d:%02d";
const char* const kStatusDateTimeDefault2 = "%2d/%2d/%4d(%s) %2d:%02d";
const char* const kStatusDateTimeDefault3 = "%3.3s %3.3s %2d, %4d %02d:%02d";
const char* const kStatusSiteDefault = "%.2f\260%s %.2f\260%s (%c%.1fh)  %s";
const char* const kStatusWidthDefault = "W:%.1f\260";

namespace {

constexpr size_t kNameSize = 16;          // weekday and month names
constexpr size_t kDirectionSize = 8;      // hemisphere letters
constexpr double kMoonIconSwitchAge = 15.0;   // days: waxing icon up to here, then waning

// Rows of the trace icon's stipple.
constexpr unsigned char kTraceStipple[8] = {0x22, 0x11, 0x88, 0x44, 0x22, 0x11, 0x88, 0x44};

// The format of a message key, or its default when the key's text would
// read other arguments.
void StatusFormat(const char* key, const char* defaultFormat, char* format, size_t size)
{
    GetMessage(key, format, size);
    if (FormatMatchesDefault(format, defaultFormat) == 0) {
        std::snprintf(format, size, "%s", defaultFormat);
    }
}

void NumberedMessage(const char* keyFormat, int32_t number, char* text, size_t size)
{
    char key[48];
    std::snprintf(key, sizeof key, keyFormat, static_cast<int>(number));
    GetMessage(key, text, size);
}

Display* Dpy() { return gAppEnv->display; }

void UseSolidLines(const Scene& scene)
{
    XSetLineAttributes(Dpy(), scene.gc, static_cast<unsigned int>(gAppEnv->lineWidth), LineSolid, CapButt,
                       JoinMiter);
}

XFontSet FontSetOf(int32_t labelKind)
{
    return GetFontSet(LabelStyleTable[labelKind].fontSet);
}

// Draws a text and returns its escapement; a font set that could not be
// made draws nothing.
int DrawText(const Scene& scene, Drawable drawable, XFontSet fontSet, int x, int y, const char* text)
{
    const int length = static_cast<int>(std::strlen(text));
    DrawLabelText(Dpy(), drawable, fontSet, scene.gc, x, y, text, length);
    return LabelTextWidth(fontSet, text, length);
}

// The icons stand in a square of side s, vertically centred on the line.
struct IconBox {
    int x, y, s;
};

IconBox IconBoxAt(const XRectangle& rect, int slotX)
{
    const int h = rect.height;
    const int s = 7 * h / 10;
    return IconBox{slotX, rect.y + h / 2 - s / 2 - 1, s};
}

// Four corner marks and a dot in the middle: the view follows its target.
void DrawTrackingIcon(const Scene& scene, Drawable drawable, const IconBox& box, int h)
{
    const int c = 7 * h / 30;
    const int left = box.x;
    const int top = box.y;
    const int right = box.x + box.s;
    const int bottom = box.y + box.s;
    const XSegment marks[8] = {
        {short(left), short(top), short(left + c), short(top)},
        {short(left), short(top), short(left), short(top + c - 1)},
        {short(right), short(top), short(right - c), short(top)},
        {short(right), short(top), short(right), short(top + c - 1)},
        {short(left), short(bottom), short(left + c), short(bottom)},
        {short(left), short(bottom), short(left), short(bottom - c + 1)},
        {short(right), short(bottom), short(right - c), short(bottom)},
        {short(right), short(bottom), short(right), short(bottom - c + 1)},
    };
    XDrawSegments(Dpy(), drawable, scene.gc, const_cast<XSegment*>(marks), 8);
    const int dot = 12 * c / 10;
    XFillArc(Dpy(), drawable, scene.gc, left + box.s / 2 - dot / 2, top + box.s / 2 - dot / 2,
             static_cast<unsigned int>(dot), static_cast<unsigned int>(dot), 0, 360 * 64);
}

// A hatched square: the chart keeps the earlier drawings.
void DrawTraceIcon(const Scene& scene, Drawable drawable, const IconBox& box)
{
    Pixmap stipple = XCreateBitmapFromData(Dpy(), drawable, reinterpret_cast<const char*>(kTraceStipple), 8, 8);
    if (stipple != None) {
        XSetStipple(Dpy(), scene.gc, stipple);
        XSetFillStyle(Dpy(), scene.gc, FillStippled);
        XFillRectangle(Dpy(), drawable, scene.gc, box.x, box.y, static_cast<unsigned int>(box.s),
                       static_cast<unsigned int>(box.s));
        XSetFillStyle(Dpy(), scene.gc, FillSolid);
        XFreePixmap(Dpy(), stipple);
    }
    XDrawRectangle(Dpy(), drawable, scene.gc, box.x, box.y, static_cast<unsigned int>(box.s),
                   static_cast<unsigned int>(box.s));
}

// A square with a Sun on the horizon: time steps from Sun event to Sun event.
void DrawSunEventIcon(const Scene& scene, Drawable drawable, const IconBox& box)
{
    const unsigned int side = static_cast<unsigned int>(box.s);
    XDrawRectangle(Dpy(), drawable, scene.gc, box.x, box.y, side, side);
    const int middle = box.x + box.s / 2;
    const int bottom = box.y + box.s;
    XDrawLine(Dpy(), drawable, scene.gc, box.x, box.y, middle, bottom);
    XDrawLine(Dpy(), drawable, scene.gc, box.x + box.s, box.y, middle, bottom);
    XDrawArc(Dpy(), drawable, scene.gc, box.x, box.y + box.s / 2, side, side, 60 * 64, 60 * 64);
}

// The Moon's phase as a small disc and its age in days beside it.
void DrawMoonIcon(Scene& scene, Drawable drawable, const XRectangle& rect)
{
    const int h = rect.height;
    const int r = 4 * h / 13;
    const int cx = rect.x + 3 * r;
    const int cy = rect.y + h / 2;
    const double age = scene.moon.age;
    FillDisk(scene, drawable, cx, cy, r, gAppEnv->pixels[kColorStar5]);
    FillLitPhase(scene, drawable, cx, cy, r, scene.moon.illuminatedFraction,
                 age <= kMoonIconSwitchAge ? 270.0 : 90.0, kColorGlobeBack);
    UseColor(scene, kColorGlobeBack);
    UseSolidLines(scene);
    XDrawArc(Dpy(), drawable, scene.gc, cx - r - 1, cy - r - 1, static_cast<unsigned int>(2 * r + 2),
             static_cast<unsigned int>(2 * r + 2), 0, 360 * 64);
    char text[16];
    FormatMoonAge(age, text, sizeof text);
    UseColor(scene, LabelStyleTable[kLabelMoonAge].color);
    DrawText(scene, drawable, FontSetOf(kLabelMoonAge), cx + 2 * r, cy + r, text);
}

void DrawIconSlots(const Scene& scene, Drawable drawable, const XRectangle& rect, int x)
{
    const int h = rect.height;
    UseColor(scene, LabelStyleTable[kLabelStatus].color);
    UseSolidLines(scene);
    if (scene.centring == 2) {
        DrawTrackingIcon(scene, drawable, IconBoxAt(rect, x), h);
    }
    if (scene.trace != 0) {
        DrawTraceIcon(scene, drawable, IconBoxAt(rect, x + h));
    }
    if (scene.animation.sunEventLock != 0) {
        DrawSunEventIcon(scene, drawable, IconBoxAt(rect, x + 2 * h));
    }
}

}  // namespace

int32_t StatusWeekday(const DateTime& date)
{
    DateTime noon = date;
    noon.hour = 12;
    noon.minute = 0;
    noon.second = 0.0;
    noon.zone = 0.0;
    // floor, not truncation: Julian days before the epoch are negative.
    const double day = std::floor(JulianDayFromDate(noon) + 1.5);
    const int32_t weekday = static_cast<int32_t>(std::fmod(day, 7.0));
    return weekday < 0 ? weekday + 7 : weekday;
}

void FormatStatusDate(const DateTime& date, int32_t dateStyle, char* out, size_t size)
{
    if (size == 0) {
        return;
    }
    char weekday[kNameSize];
    NumberedMessage("messageStatusDayOfWeek%02d", StatusWeekday(date), weekday, sizeof weekday);
    char format[kStatusFormatSize + 2];
    if (dateStyle == 1) {
        StatusFormat("messageStatusDateTime1", kStatusDateTimeDefault1, format, kStatusFormatSize);
        std::strcat(format, "  ");
        std::snprintf(out, size, format, date.year, date.month, date.day, weekday, date.hour, date.minute);
    } else if (dateStyle == 2) {
        StatusFormat("messageStatusDateTime2", kStatusDateTimeDefault2, format, kStatusFormatSize);
        std::strcat(format, "  ");
        std::snprintf(out, size, format, date.day, date.month, date.year, weekday, date.hour, date.minute);
    } else {
        char month[kNameSize];
        NumberedMessage("messageMonth%02d", date.month, month, sizeof month);
        StatusFormat("messageStatusDateTime3", kStatusDateTimeDefault3, format, kStatusFormatSize);
        std::strcat(format, "  ");
        std::snprintf(out, size, format, weekday, month, date.day, date.year, date.hour, date.minute);
    }
}

void FormatStatusSite(const ObserverLocation& site, double zone, const char* siteName, char* out, size_t size)
{
    if (size == 0) {
        return;
    }
    char eastWest[kDirectionSize];
    char northSouth[kDirectionSize];
    GetMessage(site.longitude >= 0.0 ? "messageDirectionE" : "messageDirectionW", eastWest, sizeof eastWest);
    GetMessage(site.latitude >= 0.0 ? "messageDirectionN" : "messageDirectionS", northSouth, sizeof northSouth);
    char format[kStatusFormatSize];
    StatusFormat("messageStatusSite", kStatusSiteDefault, format, sizeof format);
    std::snprintf(out, size, format, std::fabs(site.longitude), eastWest, std::fabs(site.latitude), northSouth,
                  zone >= 0.0 ? '+' : '-', std::fabs(zone), siteName);
}

void FormatStatusWidth(double field, char* out, size_t size)
{
    if (size == 0) {
        return;
    }
    char format[kStatusFormatSize];
    StatusFormat("messageStatusWidth", kStatusWidthDefault, format, sizeof format);
    std::snprintf(out, size, format, field);
}

void FormatMoonAge(double age, char* out, size_t size)
{
    if (size == 0) {
        return;
    }
    // An age is under 30 days; anything else (never computed) shows as 0.
    const int days = std::isfinite(age) && age > -0.5 && age < 99.0 ? static_cast<int>(age + 0.5) : 0;
    std::snprintf(out, size, "%02d", days);
}

void StatusLineRect(const Scene& scene, XRectangle& rect)
{
    rect = XRectangle{0, 0, 0, static_cast<unsigned short>(StatusLineHeight())};
    if (scene.drawingArea == nullptr || XtWindow(scene.drawingArea) == None) {
        return;
    }
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(XtDisplay(scene.drawingArea), XtWindow(scene.drawingArea), &attributes) != 0) {
        rect.width = static_cast<unsigned short>(attributes.width);
    }
}

int PointInStatusLine(const Scene& scene, XPoint point)
{
    if ((scene.statusLine & 1) == 0) {
        return 0;
    }
    XRectangle rect{};
    StatusLineRect(scene, rect);
    const short width = static_cast<short>(rect.width);
    const short height = static_cast<short>(rect.height);
    return point.x >= 0 && point.x < width && point.y >= 0 && point.y < height ? 1 : 0;
}

int DrawStatusBarFields(Scene& scene, Drawable drawable, const XRectangle& rect, int x, const char* date,
                        const char* site, const char* width)
{
    UseColor(scene, kColorStatusBackground);
    XFillRectangle(Dpy(), drawable, scene.gc, rect.x, rect.y, rect.width, rect.height);
    const int bottom = rect.y + rect.height - 1;
    XSetForeground(Dpy(), scene.gc, BlackPixel(Dpy(), DefaultScreen(Dpy())));
    UseSolidLines(scene);
    XDrawLine(Dpy(), drawable, scene.gc, rect.x, bottom, rect.x + rect.width, bottom);

    XFontSet fontSet = FontSetOf(kLabelStatus);
    const XFontSetExtents* extents = GetFontSetExtents(LabelStyleTable[kLabelStatus].fontSet);
    if (fontSet == nullptr || extents == nullptr) {
        return rect.x + x;
    }
    const XRectangle& logical = extents->max_logical_extent;
    const int baseline = rect.y + rect.height / 2 + (2 * -logical.y - logical.height) / 2;
    const int gap = logical.width;
    UseColor(scene, LabelStyleTable[kLabelStatus].color);
    int column = x;
    for (const char* text : {date, site, width}) {
        column += DrawText(scene, drawable, fontSet, rect.x + column, baseline, text) + gap;
    }
    return rect.x + column;
}

void DrawStatusBar(Scene& scene, Drawable drawable, const XRectangle& rect)
{
    if ((scene.statusLine & 1) == 0) {
        return;
    }
    char date[kStatusTextSize];
    char site[kStatusTextSize];
    char width[kStatusTextSize];
    FormatStatusDate(scene.time.date, scene.dateStyle, date, sizeof date);
    FormatStatusSite(scene.time.location, scene.time.date.zone, scene.siteName, site, sizeof site);
    FormatStatusWidth(scene.view.fieldOfView, width, sizeof width);
    const int h = rect.height;
    const int x = DrawStatusBarFields(scene, drawable, rect, 7 * h / 3, date, site, width);
    DrawIconSlots(scene, drawable, rect, x);
    DrawMoonIcon(scene, drawable, rect);
}
