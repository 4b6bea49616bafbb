// The 17 X font sets that draw every text on the chart, chosen by the
// "*Fontset" resources so that any locale's names can be shown, and the
// one core font (StarBayerFont) whose symbol characters are the Greek
// letters of star designations. Held in AppEnv from start-up to quit.
#pragma once

#include <array>

// Font-set numbers (1..17), in resource order; AppEnv's arrays are indexed
// by number - 1.
enum FontSetNumber : int {
    kFontStarName = 1,
    kFontStarMag,
    kFontStarFlamsteed,
    kFontStarBayerNum,
    kFontConstName,
    kFontSolarName,
    kFontSolarDate,
    kFontSolarMag,
    kFontSatelliteName,
    kFontUserObjectName,
    kFontDirName,
    kFontStatus,
    kFontMoonAge,
    kFontNebulaName,
    kFontNebulaMag,
    kFontGridNum,
    kFontClickData,
};

// One font-set resource (class "Name") and its compiled default.
struct FontSetResource {
    const char* name;
    const char* defaultValue;
};

extern const std::array<FontSetResource, 17> FontSetResourceTable;
extern const FontSetResource StarBayerFontResource;

// Creates the 17 font sets and loads the symbol font. A font set that lacks
// some charsets of the locale is kept, and the charsets it has still draw;
// one line on standard error names the locale and every charset that some
// set lacks ("uvola: locale %s: the fonts lack the charsets %s, %s; ...").
// Every set is tried even after a failure. Slots whose resources name the
// same base names share one set. The two-byte fonts a set holds (those of
// Japanese, Korean, Chinese) are kept open until FreeFontSets, so that the
// server reads each once for all the sets and the tip shell's.
// Given:    gAppEnv  display, toplevel (resources are read on it)
// Returned: gAppEnv  fontSets, fontSetExtents, starBayerFont, fontAscent
//                    (the DirNameFontset height)
//           1, or 0 when a font set could not be created at all or the
//           symbol font was not found
int LoadFontSets();

// Releases what LoadFontSets made (at quit); safe after a partial load.
void FreeFontSets();

// Logical height (pixels) of the DirNameFontset's largest character: the
// bottom margin of the horizontal view. 0 before the font sets exist.
int DirectionFontHeight();

// Height of the status strip at the top of the chart (pixels): 12/10 of the
// StatusFontset's logical height, truncated. 0 before the font sets exist.
int StatusLineHeight();
