// The built-in bright-star layer and the primitives every star-like point
// of the chart uses: the star symbol sized by magnitude, the dimming and
// reddening near the horizon, and the star labels (magnitude, Flamsteed
// number, Bayer letter, proper name).
#pragma once

#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstddef>
#include <cstdint>

// STARNAME group bits (display-flag byte kFlagStarLabels).
constexpr uint8_t kStarNameFlag = 1;
constexpr uint8_t kBayerFlag = 2;
constexpr uint8_t kFlamsteedFlag = 4;
constexpr uint8_t kStarMagFlag = 8;

// STAR group bits (display-flag byte kFlagStars).
constexpr uint8_t kStarFlag = 1;
constexpr uint8_t kSaoStarsFlag = 32;
constexpr uint8_t kGscStarsFlag = 64;

// Altitude sine (Q14) at or below which the horizon dims stars, about 5.4
// degrees.
constexpr int32_t kExtinctionAltitude = 1535;

// Draws a star symbol whose size follows the magnitude against the star
// limit in use: one faint-star pixel at the limit, then one pixel, a 2 x 2
// block, a plus, a 3 x 3 block and a 13-pixel disc for each magnitude
// brighter.
// Given:    scene        star limit, faint-star colour, GC
//           drawable     target
//           x, y         pixel
//           altitude     Q14 altitude sine of the projected point (unused)
//           centre       Q14 cosine to the view axis (unused)
//           mag10        magnitude x 10
//           colorIndex   ColorIndex of the symbol
// Returned: the symbol size 1..3 that places the labels
int DrawStarSymbol(const Scene& scene, Drawable drawable, int x, int y, int32_t altitude, int32_t centre,
                   int32_t mag10, int32_t colorIndex);

// DrawStarSymbol in the colour of a colour class 0..9 (ColorStar0..9).
int DrawStar(const Scene& scene, Drawable drawable, int x, int y, int32_t altitude, int32_t centre,
             int32_t mag10, int32_t colourClass);

// STARSIZE magnifies the symbols of the catalogue stars by up to this much:
// beyond it the bright stars of a wide field run into one another.
constexpr int kLargestStarScale = 4;

// The magnification of the catalogue stars' symbols for a star-size setting
// (STARSIZE n x 10): 1 for n = 0 (never set) and n = 1, else n, at most
// kLargestStarScale.
int StarSymbolScale(int32_t starSize);

// DrawStar for a star of the built-in, SAO or GSC catalogue: every pixel of
// the symbol becomes a square of StarSymbolScale pixels a side, centred on
// the pixel's own place scaled up.
// Returned: the symbol size 1..3 times the scale, so that the labels stay
//           clear of the larger symbol
int DrawCatalogueStar(const Scene& scene, Drawable drawable, int x, int y, int32_t mag10, int32_t colourClass);

// Dims and reddens a star low over the horizon.
// Given:    altitude     Q14 altitude sine (16384 zenith)
//           mag10        magnitude x 10
//           colourClass  0..9
// Returned: mag10        up to 2.0 magnitudes fainter at the horizon
//           colourClass  up to 6 classes redder, at most 9
//           nothing changes above kExtinctionAltitude
void ApplyHorizonExtinction(int32_t altitude, int32_t& mag10, int32_t& colourClass);

// The magnitude label of a star: mag10 with two digits, three from 10.0 on,
// "-0%d" for -0.9 to -0.1 (14 for 1.4, 03 for 0.3, -05 for -0.5, -15 for
// -1.5, 100 for 10.0, 170 for 17.0).
void FormatStarMagnitudeLabel(int32_t mag10, char* text, size_t size);

// Draws the labels of one built-in star: magnitude under the symbol,
// Flamsteed number and Bayer letter to the right, proper name.
// Given:    star         star number of BrightStarTable
//           x, y         pixel of the star
//           mag10        catalogue magnitude x 10 (without extinction)
//           size         symbol size from DrawStarSymbol
//           magnitudeText  1: draw the magnitude label (when STAR_MAG is on)
void DrawStarLabels(const Scene& scene, Drawable drawable, int32_t star, int x, int y, int32_t altitude,
                    int32_t centre, int32_t mag10, int size, int magnitudeText);

// Stars `last` down to 0 of BrightStarTable, faint ones first; the horizon
// form dims low stars and leaves out those dimmed below the limit.
void DrawBuiltinStarsHorizon(const Scene& scene, Drawable drawable, int32_t last);
void DrawBuiltinStarsPlain(const Scene& scene, Drawable drawable, int32_t last);

// The built-in star layer: nothing when STAR is off or no star is within
// the limit; the horizon form in HRZ and VOLA, the plain one elsewhere.
void DrawBuiltinStars(Scene& scene, Drawable drawable);

// The star layer of the chart: the built-in stars unless the SAO file or
// the Guide Star Catalog is the star data in use.
void DrawStarLayer(Scene& scene, Drawable drawable);
