// Button 3 on the sky: a popup that tells where the pointer is in up to
// four coordinate systems and offers one button per kind of object near
// it, each opening that kind's dialog as the Object menu does. Button 2:
// the pictures of every object near the pointer. Neither answers on the
// status line or off the visible sky.
#pragma once

#include <X11/Intrinsic.h>

#include <cstddef>
#include <cstdint>

struct Scene;
struct TextList;

constexpr int kPopupButtonCount = 10;
constexpr int kPopupLabelCount = 4;
constexpr size_t kPopupLabelSize = 256;

// The kinds of objects the popup has a button for, in the order of their
// message keys.
enum PopupObjectKind {
    kPopupStar,
    kPopupComets,
    kPopupMinorPlanets,
    kPopupSun,
    kPopupMoon,
    kPopupPlanets,
    kPopupNebula,
    kPopupJovianSatellites,
    kPopupKindCount,
};

// Builds the popup on the drawing area, once, before the first press: a
// button-3 press fills it (PostPopupMenu) ahead of Motif, which then posts
// it, so that a click leaves it up until the next click or Escape.
void CreatePopupMenu(Scene* scene);

// Fills the popup for a button-3 press on the drawing area.
// Returned: 1 when it is to be posted; 0 on the status line or off the
//           visible sky, where the press posts nothing
int PostPopupMenu(Scene* scene, const XButtonEvent& event);

// Opens the pictures of the objects near a button-2 press.
void ShowImagesNearPointer(Scene* scene, const XButtonEvent& event);

// The J2000 direction of a pixel when the sky is visible there: on the
// sky, and in HRZ and VOLA not below the horizon.
// Returned: v  unit vector
//           1 visible, 0 otherwise
int MapPixelToVisibleSky(const Scene& scene, int x, int y, double v[3]);

// The kinds of the objects near a pixel, each once, in the order the walk
// of the picking meets them; the Scene's picked object is as it was after.
// Returned: kinds  PopupObjectKind values
//           their number
int CollectPopupObjectKinds(Scene& scene, int x, int y, int kinds[kPopupKindCount]);

// The position lines of a direction: J2000, equator of date, ecliptic and,
// outside the solar-system views, horizontal.
// Given:    v      J2000 unit vector
// Returned: lines  the texts
//           the number of lines (3 or 4)
int ComposePopupPositionLines(const Scene& scene, const double v[3],
                              char lines[kPopupLabelCount][kPopupLabelSize]);

// One position line: the title in the first ten columns, then the place
// rounded as shown (minutes of right ascension to a tenth, 59.95 carrying
// into the hour; angles to the minute with a blank sign at 0 00'; an
// azimuth of 359.95 or more and an altitude below 0.1 read 0).
// Given:    title  the line's label
//           place  {longitude, latitude} in degrees, of the line's frame
// Returned: text   kPopupLabelSize bytes
void FormatEquatorialLine(const char* title, const double place[2], char* text);
void FormatEclipticLine(const char* title, const double place[2], char* text);
void FormatHorizontalLine(const char* title, const double place[2], char* text);

// Each walks the objects near a pixel and returns what it found: the
// buttons filled, the labels filled, the pictures added.
int FillPopupObjectButtons(Scene* scene, int x, int y);
int FillPopupPositionLabels(Scene* scene, const double v[3]);
int CollectImagesNearPixel(Scene& scene, int x, int y, TextList* list);
