// The palette of the sky: 74 X pixels indexed by ColorIndex, held in
// AppEnv. Cells 0..64 are the colour resources (class "Color"), cells
// 65..73 the sky-brightness ramp that follows the daylight level. On a
// visual with writable cells all 74 are read/write cells, so a daylight
// change recolours a drawn chart without redrawing it; on other visuals
// every colour is read-only and the ramp is set again before each redraw.
// A TrueColor screen's pixels are worked out from its masks, so neither the
// start nor a redraw waits on the server for colours.
#pragma once

#include "sky/scene.h"

#include <array>
#include <cstdint>

// ColorIndex: cells of the palette, in the fixed order of the colour
// resources, then the ramp.
enum ColorIndex : int32_t {
    kColorWhite = 0,
    kColorBlack,
    kColorStar0,
    kColorStar1,
    kColorStar2,
    kColorStar3,
    kColorStar4,
    kColorStar5,
    kColorStar6,
    kColorStar7,
    kColorStar8,
    kColorStar9,
    kColorDarkStar,
    kColorStarNameFont,
    kColorStarMagFont,
    kColorStarFlamsteedFont,
    kColorStarBayerFont,
    kColorStarBayerNumFont,
    kColorMilkyWayLine,
    kColorCometIonTail,
    kColorCometDustTail,
    kColorConstLine,
    kColorConstBorder,
    kColorConstPict,
    kColorConstNameFont,
    kColorNebulaMark,
    kColorNebulaNameFont,
    kColorNebulaMagFont,
    kColorEarth,
    kColorMoonEclipse,
    kColorPlanet,
    kColorMinorPlanet,
    kColorMarsDisk,
    kColorJupiterDisk,
    kColorSaturnDisk,
    kColorSaturnRingA,
    kColorSaturnRingB,
    kColorOuterPlanetsDisk,
    kColorSolarNameFont,
    kColorSolarDateFont,
    kColorSolarMagFont,
    kColorSatelliteNameFont,
    kColorPlanisphereBack,
    kColorLandscape,
    kColorDirection1Font,
    kColorDirection2Font,
    kColorGlobeBack,
    kColorUserObjectFont,
    kColorHorizontalGrid,
    kColorEquatorialGrid,
    kColorEclipticGrid,
    kColorGalacticGrid,
    kColorMeridianLine,
    kColorEquatorialLine,
    kColorEclipticLine,
    kColorGalacticLine,
    kColorGridNumFont,
    kColorStatusFont,
    kColorStatusBackground,
    kColorOrbit,
    kColorOrbitMinorPlanet,
    kColorOrbitComet,
    kColorSolarAxis,
    kColorGrayText,
    kColorPictureMark,
    kColorResourceCount,               // 65
    kFirstRampCell = kColorResourceCount,   // the sky background
    kRampCellCount = 9,
    kPaletteSize = kFirstRampCell + kRampCellCount,   // 74
};

// One colour resource: its name (class "Color") and compiled default.
struct ColorResource {
    const char* name;
    const char* defaultValue;
};

// 8-bit red, green and blue.
struct Rgb8 {
    int32_t red, green, blue;
    bool operator==(const Rgb8&) const = default;
};

// The 65 colour resources in ColorIndex order. Names are the resources'
// own, misspellings included ("ColorCometDulstTail", "ColorNabulaNameFont").
extern const std::array<ColorResource, kColorResourceCount> ColorResourceTable;

// The colour of each resource when its value cannot be parsed. It equals
// the resource default except for the two Saturn rings, which swap.
extern const std::array<Rgb8, kColorResourceCount> FallbackColorTable;

// Whether the screen's default visual has writable colour cells: not
// monochrome, and of class GrayScale, PseudoColor or DirectColor.
// Given:    gAppEnv->display
// Returned: 1 writable, 0 not (also 0 without a display)
int VisualHasWritableColors();

// Allocates the palette once at start-up. The colour resources are read on
// the toplevel shell; a value XParseColor refuses takes the fallback
// triple. Writable visual: 74 read/write cells in the default colormap or,
// after "-i", in a private copy installed on the toplevel shell. Read-only
// visual: each colour read-only; on TrueColor worked out from the masks once
// the server's answer for one probe colour matches them, otherwise
// allocated with XAllocColor. The ramp cells start grey.
// Given:    gAppEnv  display, toplevel, writableColorCells, installColormap
// Returned: gAppEnv  pixels[0..73], colormap
//           1, or 0 when the read/write cells cannot be allocated
int AllocColorPalette();

// A read-only colour as XAllocColor gives it: on a TrueColor screen whose
// masks AllocColorPalette found to agree with the server, worked out here
// without a round trip; otherwise allocated by the server.
// Given:    colormap  where the colour is allocated
//           color     red, green, blue
// Returned: color     pixel
//           1, or 0 when the server had no cell for it
int AllocReadOnlyColor(Colormap colormap, XColor& color);

// The start-up step that builds the palette and loads the localised planet
// names. A palette that cannot be allocated ends the program with
// "uvola: can't allocate color palette." and status 1.
// Given:    gAppEnv  display, toplevel, installColormap
// Returned: gAppEnv  writableColorCells, pixels, colormap, planet names
void InitPaletteAndPlanetNames();

// Recolours the nine ramp cells for the scene's daylight level: stored into
// the cells on a writable visual, set afresh on a read-only one. Only the
// cells whose colour changed since the last call are touched (every cell
// when gRedrawShortcuts.keepColors is off).
// Given:    scene    daylight level (0..72), view mode, Sun's altitude
// Returned: gAppEnv  pixels[65..73] (read-only visual only)
void SetSkyColors(const Scene& scene);
