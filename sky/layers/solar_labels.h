// The labels of the solar-system bodies on the chart: the name beside the
// body, the magnitude centred under it and the date of the chart. The
// comets and minor planets use them too.
#pragma once

#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstddef>
#include <cstdint>

// The magnitude label text.
// Given:    mag10  magnitude x 10
// Returned: text   "%02d" for 0..99, "-%02d" of the absolute value for
//                  -99..-1, else "%d" (45, -12, 05, 123)
void FormatSolarMagnitudeLabel(int32_t mag10, char* text, size_t size);

// The body's name, left end at x, baseline y (SolarNameFontset).
void DrawObjectNameLabel(const Scene& scene, Drawable drawable, int32_t id, int x, int y);

// The body's magnitude centred under it, its top at y + r x 11 / 10
// (SolarMagFontset).
// Given:    mag10  magnitude x 10
//           x, y   the body's pixel
//           r      the body's drawn radius (pixels)
// Returned: room the label takes right of x: a third of the font's widest
//           logical extent plus half the text's width
int DrawMagnitudeLabel(const Scene& scene, Drawable drawable, int32_t mag10, int x, int y, int r);

// The scene's month and day, "%d/%d", left end at x, baseline y
// (SolarDateFontset).
void DrawDateLabel(const Scene& scene, Drawable drawable, int x, int y);

// Every label a body's flag byte asks for: magnitude (bit 8, never in the
// solar-system views), name (bit 4) and date (bit 16), placed right of a
// body of radius r; with both name and date the name stands above the
// body's row and the date below it.
// Given:    id     ObjectId (-2 Sun, -1 Moon, 0..7 planets, comets, minor
//                  planets)
//           flags  BodyFlags byte
//           mag10  magnitude x 10 for the magnitude label
//           x, y   the body's pixel
//           r      the body's drawn radius or symbol size (pixels)
void DrawObjectLabels(const Scene& scene, Drawable drawable, int32_t id, uint8_t flags, int32_t mag10, int x,
                      int y, int r);
