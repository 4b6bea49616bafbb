// Picking the object under the pointer: the kinds of objects are searched
// in a fixed order, and a repeated click at the same place continues after
// the object found last, so that overlapping objects come one after the
// other.
#pragma once

#include "data/fixed_types.h"

#include <array>
#include <cstdint>

struct Scene;

// The kinds of objects in search order.
enum PickKind : int32_t {
    kPickViewCenter = 0,
    kPickSolarBodies = 1,     // Earth, Sun, Moon, Mercury..Pluto: index 0..14 for ids -3..11
    kPickComets = 2,
    kPickMinorPlanets = 3,
    kPickConstellations = 4,
    kPickStars = 5,
    kPickNebulae = 6,
    kPickJovianMoons = 7,
    kPickUserObjects = 8,
    kPickMagellanicClouds = 9,
    kPickNothing = 10,
    kPickKindCount = 11,
};

// One search: the kinds to walk, the ids of each (both ends included), the
// pixel and the direction it shows.
struct PickSearch {
    int32_t startKind;
    int32_t endKind;
    std::array<int32_t, kPickKindCount> firstId;
    std::array<int32_t, kPickKindCount> lastId;
    int32_t tolerance;         // Q14 units: each component of a direction
    FixedVector direction;     // of the pixel, J2000, Q14
    int32_t x, y;              // pixel
};

// Tolerance of the direction test: the chord of three pixels.
// Given:    pixelsPerDegree  the view's scale
// Returned: truncated 16384 x sin(3 / pixelsPerDegree degrees), at least 2
int32_t PickTolerance(double pixelsPerDegree);

// Walks the kinds of a search and stops at the first hit.
// Given:    scene   flags, positions, limits, loaded lists
//           search  kinds, ids, tolerance, direction, pixel
// Returned: scene   picked object's type and id (only on a hit)
//           1 when an object was hit, else 0
int FindObjectsNearPoint(Scene& scene, const PickSearch& search);

// The next object at a pixel: after the picked one when there is one, and
// from the start again when nothing follows it. A pixel on the status line,
// outside the sky or below the horizon of the horizontal views picks
// nothing. A picked object that no longer exists (a shorter comet list) is
// dropped first.
// Given:    scene   as FindObjectsNearPoint; the view as last set up
//           x, y    pixel of the drawing area
// Returned: scene   picked object's type and id
//           1 when an object was found, else 0
int FindNextObjectAt(Scene& scene, int32_t x, int32_t y);

// A click on the sky: the next object at the pixel becomes the picked one;
// nothing there clears the pick (type and id stay). A first pick records
// the pixel, its quadrant and the object's click-data text; a further pick
// keeps them.
// Given:    scene  as FindNextObjectAt
//           x, y   pixel of the click
// Returned: scene  picked object
//           1 when an object was found, else 0
int PickObjectAt(Scene& scene, int32_t x, int32_t y);

// Quadrant of a pixel around the centre of the sky rectangle: 1 left and
// above, 2 right and above, 3 left and below, 4 right and below; a pixel on
// a centre line counts as right or below.
int32_t GetPickQuadrant(const Scene& scene, int32_t x, int32_t y);

// Click-data flags of the picked object.
constexpr uint8_t kClickDataHasText = 1;
constexpr uint8_t kClickDataHasImage = 2;

// The click-data text of the picked object, read from the click-data file
// (FindClickDataText).
// Given:    scene  picked type and id, click-data index
// Returned: scene  click-data flags (kClickDataHasText when the text is not
//                  empty, kClickDataHasImage when the entry names a
//                  picture), cleared first; the picked text (at most 515
//                  characters) when the object has an entry
//           the picked text, or null when the object has no entry with
//           any '@' line (the picked text is then left as it is)
const char* ReadPickedClickData(Scene& scene);
