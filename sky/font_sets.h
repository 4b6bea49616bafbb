// The 17 X font sets that draw every text on the chart, chosen by the
// "*Fontset" resources so that any locale's names can be shown, and the
// one core font (StarBayerFont) whose symbol characters are the Greek
// letters of star designations. Held in AppEnv from start-up to quit.
#pragma once

#include <X11/Xlib.h>

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

// The font set `number` (1..17) and its extents, made at the first call
// from the "*Fontset" resources: in a UTF-8 locale a set costs the server
// milliseconds of reading fonts, so start-up makes only those its first
// chart draws with. null when the set cannot be made.
XFontSet GetFontSet(int number);
XFontSetExtents* GetFontSetExtents(int number);

// Start-up's share: the symbol font and the DirNameFontset, whose height
// is the horizontal view's bottom margin (fontAscent); the other sets are
// made at their first use or by LoadFontSets once start-up is over.
// Returned: 1, or 0 when either cannot be had
int LoadStartupFonts();

// Makes the sets not made yet and loads the symbol font. A font set that
// lacks some charsets of the locale is kept, and the charsets it has still
// draw; when such a set is made, standard error gets "uvola: missing
// charsets for %s" with its base names, then "uvola: %s" for each charset
// it lacks. Every set is tried even after a failure. Slots whose resources name the same base names share one set.
// The two-byte fonts a set holds (those of Japanese, Korean, Chinese) are
// kept open until FreeFontSets, so that the server reads each once for all
// the sets and the tip shell's.
// Given:    gAppEnv  display, toplevel (resources are read on it)
// Returned: gAppEnv  fontSets, fontSetExtents, starBayerFont, fontAscent
//                    (the DirNameFontset height)
//           1, or 0 when a font set could not be created at all or the
//           symbol font was not found
int LoadFontSets();

// Releases the sets made and the symbol font (at quit); safe whatever was
// made. The sets are made again at their next use.
void FreeFontSets();

// Logical height (pixels) of the DirNameFontset's largest character: the
// bottom margin of the horizontal view; 0 when the set cannot be made.
int DirectionFontHeight();

// Height of the status strip at the top of the chart (pixels): 12/10 of the
// StatusFontset's logical height, truncated; 0 when the set cannot be made.
int StatusLineHeight();
