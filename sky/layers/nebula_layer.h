// The layer of the Messier, NGC and IC objects: a symbol by type and
// brightness, with optional catalogue-number and magnitude labels, and the
// filter (magnitude window, types, catalogues) that picking and the picture
// marks apply to the same objects.
#pragma once

#include "data/catalog_tables.h"
#include "sky/redraw_record.h"
#include "sky/scene.h"

#include <X11/Xlib.h>
#include <cstddef>
#include <cstdint>

// NEBULA group bits (byte kFlagNebulae).
constexpr uint8_t kNebulaFlag = 1;
constexpr uint8_t kNebulaNameFlag = 2;
constexpr uint8_t kNebulaMagFlag = 4;

// Type bits (byte kFlagNebulaTypes).
constexpr uint8_t kPlanetaryFlag = 1;
constexpr uint8_t kDiffuseFlag = 2;
constexpr uint8_t kGlobeFlag = 8;
constexpr uint8_t kOpenFlag = 16;
constexpr uint8_t kGalaxyFlag = 32;
constexpr uint8_t kCompoundFlag = 64;

// Catalogue bits (byte kFlagNebulaCatalogues).
constexpr uint8_t kMessierFlag = 1;
constexpr uint8_t kNgcFlag = 2;
constexpr uint8_t kIcFlag = 4;

// The magnitude label: a magnitude in tenths as "%.1f" writes it, its whole
// part, a point and the tenths (8.3 for 83). The labels of a chart full of
// nebulae are written by the thousand, and printf's floating-point path cost
// more than drawing them.
// Given:    mag10  0..254
//           size   size of text in bytes, at least 6
// Returned: text   the label, terminated; its length
int FormatNebulaMagnitude(int32_t mag10, char* text, size_t size);

// Type (0..5) and magnitude x 10 (255: none) of an attribute record.
int32_t NebulaType(const NebulaAttributes& record);
int32_t NebulaMagnitude10(const NebulaAttributes& record);

// Whether an object passes the scene's filters.
// Given:    scene   magnitude window (tenths) and whether it is in use,
//                   type and catalogue bytes
//           record  the object's attributes
// Returned: 1 when its magnitude lies in the window (or the window is off),
//           its type is shown (all are when no type bit is set) and one of
//           the catalogues it belongs to is shown; else 0
int NebulaPassesFilter(const Scene& scene, const NebulaAttributes& record);

// Given:    catalogue  kMessier, kNgc or kIc
// Returned: 1 when its bit (MESSIER, NGC, IC) is set
int NebulaCatalogEnabled(const Scene& scene, int catalogue);

// Records of a catalogue the layer walks: all of them when the magnitude
// window is off, else those up to the first one fainter than its faint
// bound (the catalogues are sorted brightest first).
int32_t NebulaCatalogWalkLength(const Scene& scene, int catalogue);

// Draws the objects of all enabled catalogues, each symbol either as a
// stipple (useStipples 1, the bitmaps of NebulaSymbolTable must exist) or
// copied with GXor from `strip`, a pixmap of NebulaSymbolStrip.
void DrawNebulaCatalogs(const Scene& scene, Drawable drawable, int useStipples, Pixmap strip);

// The layer, when NEBULA is on: makes the symbol bitmaps for the visual,
// draws the catalogues and frees the bitmaps.
void DrawNebulae(Scene& scene, RedrawRecord& redraw);
