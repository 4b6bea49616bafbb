#include "sky/font_sets.h"

#include "core/app_env.h"

#include <X11/Intrinsic.h>
#include <X11/StringDefs.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fnmatch.h>
#include <string>
#include <vector>

const std::array<FontSetResource, kFontSetCount> FontSetResourceTable = {{
    {"StarNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StarMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StarFlamsteedFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StarBayerNumFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"ConstNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SolarNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SolarDateFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SolarMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"SatelliteNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"UserObjectNameFontset", "-*-*-medium-i-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"DirNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"StatusFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"MoonAgeFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"NebulaNameFontset", "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"NebulaMagFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"GridNumFontset", "-*-*-medium-r-normal--8-*-*-*-p-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
    {"ClickDataFontset", "-*-courier-medium-r-normal--12-*-*-*-m-*-iso8859-1,-*-*-medium-r-normal--16-*-*-*-c-*-*-*"},
}};

const FontSetResource StarBayerFontResource = {"StarBayerFont",
                                               "-*-symbol-medium-r-normal--12-*-*-*-p-*-*-*"};

namespace {

constexpr int kResourceCount = kFontSetCount + 1;   // the font sets, then StarBayerFont

XtResource NameResource(const FontSetResource& resource, int slot)
{
    return XtResource{
        const_cast<char*>(resource.name),
        const_cast<char*>("Name"),
        const_cast<char*>(XtRString),
        sizeof(String),
        static_cast<Cardinal>(slot * sizeof(String)),
        const_cast<char*>(XtRString),
        const_cast<char*>(resource.defaultValue),
    };
}

std::array<String, kResourceCount> ReadFontResources()
{
    std::array<XtResource, kResourceCount> resources{};
    for (int i = 0; i < kFontSetCount; ++i) {
        resources[i] = NameResource(FontSetResourceTable[i], i);
    }
    resources[kFontSetCount] = NameResource(StarBayerFontResource, kFontSetCount);
    std::array<String, kResourceCount> values{};
    XtGetApplicationResources(gAppEnv->toplevel, values.data(), resources.data(), kResourceCount,
                              nullptr, 0);
    return values;
}

// A set that lacks some charsets still draws the text it has glyphs for;
// the user is told which charsets its base names missed, so that the fonts
// can be installed or named.
void ReportMissingCharsets(const char* baseNames, char** missing, int count)
{
    if (count <= 0) {
        return;
    }
    std::fprintf(stderr, "uvola: missing charsets for %s\n", baseNames);
    for (int i = 0; i < count; ++i) {
        std::fprintf(stderr, "uvola: %s\n", missing[i]);
    }
}

// Fonts of two bytes a character (the Chinese, Japanese and Korean ones of
// a UTF-8 locale) take the server milliseconds to read, and it reads such a
// font again for every set that names it unless the font is open. One that
// another set's base names can name too is opened once, after the first set
// that names it, and held until FreeFontSets, so the sets after it and the
// tip shell's find it open; one no other set can name is left alone, as
// opening it costs the server as much again.
struct HeldFont {
    std::string name;
    Font font;
};

std::vector<HeldFont> heldFonts;

bool IsTwoByteFont(const XFontStruct& font)
{
    return font.max_byte1 != 0;
}

// Whether a base name names the font in some charset: its fields but the
// last two (the charset's), matched as the server matches names.
bool BaseNameCanName(std::string baseName, const char* font)
{
    baseName.erase(0, baseName.find_first_not_of(' '));
    baseName.erase(baseName.find_last_not_of(' ') + 1);
    for (int field = 0; field < 2; ++field) {
        const size_t dash = baseName.rfind('-');
        if (dash == std::string::npos || dash == 0) {
            return false;
        }
        baseName.erase(dash);
    }
    return fnmatch((baseName + "-*-*").c_str(), font, FNM_CASEFOLD) == 0;
}

bool AnotherListCanName(const std::array<String, kResourceCount>& names, int slot, const char* font)
{
    for (int i = 0; i < kFontSetCount; ++i) {
        if (std::strcmp(names[i], names[slot]) == 0) {
            continue;
        }
        std::string list = names[i];
        for (size_t start = 0; start <= list.size();) {
            const size_t comma = std::min(list.find(',', start), list.size());
            if (BaseNameCanName(list.substr(start, comma - start), font)) {
                return true;
            }
            start = comma + 1;
        }
    }
    return false;
}

void HoldSharedTwoByteFonts(const std::array<String, kResourceCount>& names, int slot, XFontSet set)
{
    XFontStruct** fonts = nullptr;
    char** fontNames = nullptr;
    const int count = XFontsOfFontSet(set, &fonts, &fontNames);
    for (int i = 0; i < count; ++i) {
        const bool held = std::any_of(heldFonts.begin(), heldFonts.end(),
                                      [&](const HeldFont& font) { return font.name == fontNames[i]; });
        if (!held && IsTwoByteFont(*fonts[i]) && AnotherListCanName(names, slot, fontNames[i])) {
            heldFonts.push_back(HeldFont{fontNames[i], XLoadFont(gAppEnv->display, fontNames[i])});
        }
    }
}

void ReleaseHeldFonts()
{
    for (const HeldFont& font : heldFonts) {
        XUnloadFont(gAppEnv->display, font.font);
    }
    heldFonts.clear();
}

// Read once a run: the base names of each slot; which slots have been
// tried (a set that cannot be made is not tried again at every label).
struct FontSetNames {
    bool read = false;
    std::array<String, kResourceCount> names{};
    std::array<bool, kFontSetCount> tried{};
};

FontSetNames fontSetNames;

const std::array<String, kResourceCount>& Names()
{
    if (!fontSetNames.read) {
        fontSetNames.names = ReadFontResources();
        for (int i = 0; i < kFontSetCount; ++i) {
            if (fontSetNames.names[i] == nullptr) {
                fontSetNames.names[i] = const_cast<String>(FontSetResourceTable[i].defaultValue);
            }
        }
        if (fontSetNames.names[kFontSetCount] == nullptr) {
            fontSetNames.names[kFontSetCount] = const_cast<String>(StarBayerFontResource.defaultValue);
        }
        fontSetNames.read = true;
    }
    return fontSetNames.names;
}

// Makes the set of `slot` and gives it to every slot named alike:
// seventeen sets come from four base names by default, and each set made
// costs tens of round trips to the server and, in a UTF-8 locale,
// milliseconds of its reading fonts.
void MakeFontSet(int slot)
{
    const std::array<String, kResourceCount>& names = Names();
    char** missing = nullptr;
    int missingCount = 0;
    char* defaultString = nullptr;
    XFontSet set = XCreateFontSet(gAppEnv->display, names[slot], &missing, &missingCount, &defaultString);
    ReportMissingCharsets(names[slot], missing, missingCount);
    if (missing != nullptr) {
        XFreeStringList(missing);
    }
    XFontSetExtents* extents = set != nullptr ? XExtentsOfFontSet(set) : nullptr;
    for (int i = 0; i < kFontSetCount; ++i) {
        if (std::strcmp(names[i], names[slot]) == 0) {
            gAppEnv->fontSets[i] = set;
            gAppEnv->fontSetExtents[i] = extents;
            fontSetNames.tried[i] = true;
        }
    }
    if (set != nullptr) {
        HoldSharedTwoByteFonts(names, slot, set);
    }
}

void MakeFontSetOnce(int number)
{
    // Without a toplevel there are no resources to read the names from.
    if (!fontSetNames.tried[number - 1] && gAppEnv->toplevel != nullptr) {
        MakeFontSet(number - 1);
    }
}

// AppEnv holds the symbol font by value; the pieces XLoadQueryFont
// allocated beside the record are released by FreeFontSets.
bool LoadSymbolFont()
{
    if (gAppEnv->starBayerFont.fid != 0) {
        return true;
    }
    XFontStruct* font = XLoadQueryFont(gAppEnv->display, Names()[kFontSetCount]);
    if (font == nullptr) {
        return false;
    }
    gAppEnv->starBayerFont = *font;
    XFree(font);
    return true;
}

bool SharedWithEarlierSlot(int slot)
{
    for (int i = 0; i < slot; ++i) {
        if (gAppEnv->fontSets[i] == gAppEnv->fontSets[slot]) {
            return true;
        }
    }
    return false;
}

int LogicalHeight(int number)
{
    const XFontSetExtents* extents = GetFontSetExtents(number);
    return extents != nullptr ? extents->max_logical_extent.height : 0;
}

}  // namespace

XFontSet GetFontSet(int number)
{
    MakeFontSetOnce(number);
    return gAppEnv->fontSets[number - 1];
}

XFontSetExtents* GetFontSetExtents(int number)
{
    MakeFontSetOnce(number);
    return gAppEnv->fontSetExtents[number - 1];
}

int LoadStartupFonts()
{
    const bool symbol = LoadSymbolFont();
    gAppEnv->fontAscent = DirectionFontHeight();
    return symbol && GetFontSet(kFontDirName) != nullptr ? 1 : 0;
}

int LoadFontSets()
{
    bool ok = true;
    for (int number = 1; number <= kFontSetCount; ++number) {
        ok = GetFontSet(number) != nullptr && ok;
    }
    ok = LoadSymbolFont() && ok;
    gAppEnv->fontAscent = DirectionFontHeight();
    return ok ? 1 : 0;
}

void FreeFontSets()
{
    Display* display = gAppEnv->display;
    for (int i = 0; i < kFontSetCount; ++i) {
        if (gAppEnv->fontSets[i] != nullptr && !SharedWithEarlierSlot(i)) {
            XFreeFontSet(display, gAppEnv->fontSets[i]);
        }
    }
    for (int i = 0; i < kFontSetCount; ++i) {
        gAppEnv->fontSets[i] = nullptr;
        gAppEnv->fontSetExtents[i] = nullptr;
    }
    fontSetNames = FontSetNames{};
    ReleaseHeldFonts();
    XFontStruct& symbol = gAppEnv->starBayerFont;
    if (symbol.fid != 0) {
        XUnloadFont(display, symbol.fid);
        XFree(symbol.per_char);
        XFree(symbol.properties);
    }
    symbol = XFontStruct{};
}

int DirectionFontHeight()
{
    return LogicalHeight(kFontDirName);
}

int StatusLineHeight()
{
    return LogicalHeight(kFontStatus) * 12 / 10;
}
