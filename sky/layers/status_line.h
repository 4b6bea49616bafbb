// The status line: a strip across the top of the drawing area, drawn into
// the back pixmap after every other layer while the scene's status-line
// flag is on. Left to right: a Moon-phase icon with the Moon's age, the
// date and time with the weekday, the site, the field of view, and three
// icon slots (tracking, trace, Sun-event time stepping).
//
// It lives in the sky library, not with the main window, because the
// picking code there asks PointInStatusLine, and the redraw reaches the
// layer through the canvas's status-bar hook.
//
// Its texts are message resources. A resource whose conversions do not
// fit the values passed is not used: the compiled default takes its place,
// so a bad resource file cannot make the formatting read what was never
// passed.
#pragma once

#include "astro/time_records.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstddef>
#include <cstdint>

constexpr size_t kStatusFormatSize = 64;   // a format as read from its resource
constexpr size_t kStatusTextSize = 128;    // a text drawn on the line

// Compiled defaults of the status-line formats.
extern const char* const kStatusDateTimeDefault1;   // Japanese style
extern const char* const kStatusDateTimeDefault2;   // European style
extern const char* const kStatusDateTimeDefault3;   // English style
extern const char* const kStatusSiteDefault;
extern const char* const kStatusWidthDefault;


// Day of the week of a local calendar date.
// Given:    date  year, month, day (the clock and zone play no part)
// Returned: 0 = Sunday .. 6 = Saturday, for dates before the Julian-day
//           epoch too
int32_t StatusWeekday(const DateTime& date);

// The date text: "messageStatusDateTime1" (style 1, Japanese: year, month,
// day, weekday, hour, minute), "...2" (style 2, European: day, month, year,
// weekday, hour, minute) or "...3" (any other style, English: weekday,
// month name, day, year, hour, minute), followed by two blanks.
// Given:    date       local date and clock
//           dateStyle  the scene's date style
//           size       size of out in bytes
// Returned: out        the text, cut to size - 1 bytes, terminated
void FormatStatusDate(const DateTime& date, int32_t dateStyle, char* out, size_t size);

// The site text of "messageStatusSite": |longitude| with E (>= 0) or W,
// |latitude| with N (>= 0) or S, the zone's sign ('+' for >= 0) and
// |zone| in hours, the site name.
// Given:    site      east longitude and latitude, degrees
//           zone      hours east of UT
//           siteName  the site's name
//           size      size of out in bytes
// Returned: out       the text, cut to size - 1 bytes, terminated
void FormatStatusSite(const ObserverLocation& site, double zone, const char* siteName, char* out, size_t size);

// The field-of-view text of "messageStatusWidth".
// Given:    field  field of view, degrees
// Returned: out    the text, cut to size - 1 bytes, terminated
void FormatStatusWidth(double field, char* out, size_t size);

// The Moon-age text beside the Moon icon: "%02d" of the age rounded to
// whole days (halves up).
// Given:    age   days since new moon
// Returned: out   the text, cut to size - 1 bytes, terminated
void FormatMoonAge(double age, char* out, size_t size);

// The status line's rectangle.
// Given:    scene  drawing area (its window's current width)
// Returned: rect   x 0, y 0, that width, StatusLineHeight(); width 0 while
//                  the drawing area has no window
void StatusLineRect(const Scene& scene, XRectangle& rect);

// Given:    scene  status-line flag, drawing area
//           point  pixel of the drawing area
// Returned: 1 when the status line is shown and the point lies on it
int PointInStatusLine(const Scene& scene, XPoint point);

// The status-line layer; nothing while the status-line flag is off.
// Given:    scene     local date and time, date style, site and its name,
//                     field of view, Moon's age and illuminated fraction,
//                     centring, trace, Sun-event lock, GC
//           drawable  the back pixmap
//           rect      the status line's rectangle
void DrawStatusBar(Scene& scene, Drawable drawable, const XRectangle& rect);

// Fills the line, rules it off, and writes the three texts one gap apart.
// Given:    scene            GC
//           drawable         the back pixmap
//           rect             the status line's rectangle
//           x                where the texts start, from rect's left edge
//           date, site, width  the three texts
// Returned: the x (pixels, in the drawable) just after the last text's gap
int DrawStatusBarFields(Scene& scene, Drawable drawable, const XRectangle& rect, int x, const char* date,
                        const char* site, const char* width);
